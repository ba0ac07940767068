// The eight level backgrounds, the undo flash, the debug grid and the
// dirty-rectangle marker.
#include <cmath>
#include <cstdlib>

#include "ui/Interface.h"
#include "ui/Paint.h"
#include "ui/Scenery.h"

namespace ui {

namespace {

constexpr int W = 800, H = 600;
// Width of the darker frame round each level background.
constexpr double kFrame = 6;

void skyGradient(cairo_t* cr, Rgb top, Rgb mid, Rgb low, double horizon)
{
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 0.6, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(p, 1, low.r, low.g, low.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void stars(cairo_t* cr, uint32_t seed, int count, double maxY)
{
    Rand rnd(seed);
    for (int i = 0; i < count; ++i) {
        const double x = rnd.next() * W, y = rnd.next() * maxY, r = rnd.range(0.6, 1.8);
        softGlow(cr, x, y, r * 3, kWhite, 0.5);
        cairo_arc(cr, x, y, r * 0.6, 0, 2 * kPi);
        setColor(cr, kWhite, 0.9);
        cairo_fill(cr);
    }
}

void meadow(cairo_t* cr)
{
    skyGradient(cr, art::kSky, lighter(art::kSky, 0.4), lighter(art::kGlow, 0.5), 420);
    softGlow(cr, 640, 110, 140, art::kGlow, 0.6);
    drawCloud(cr, 80, 60, 200, 80, 1, 0.9);
    drawCloud(cr, 430, 120, 150, 60, 2, 0.8);
    drawHills(cr, W, H, 400, 40, 120, 0.3, mix(art::kGrass, art::kSky, 0.5), mix(art::kGrass, art::kSky, 0.35));
    drawHills(cr, W, H, 470, 35, 90, 1.9, lighter(art::kGrass, 0.25), art::kGrass);
    drawHills(cr, W, H, 545, 22, 70, 4.0, art::kGrass, darker(art::kGrass, 0.25));
}

void dunes(cairo_t* cr)
{
    skyGradient(cr, mix(art::kSky, art::kGlow, 0.2), lighter(art::kGlow, 0.3), lighter(art::kSand, 0.3), 400);
    cairo_arc(cr, 180, 150, 50, 0, 2 * kPi);
    setColor(cr, lighter(art::kGlow, 0.5), 0.9);
    cairo_fill(cr);
    softGlow(cr, 180, 150, 160, art::kGlow, 0.5);
    drawHills(cr, W, H, 420, 45, 150, 0.8, lighter(art::kSand, 0.2), art::kSand);
    drawHills(cr, W, H, 500, 38, 110, 2.7, art::kSand, darker(art::kSand, 0.12));
    drawHills(cr, W, H, 570, 20, 80, 5.1, darker(art::kSand, 0.05), darker(art::kSand, 0.2));
}

void iceCave(cairo_t* cr)
{
    skyGradient(cr, darker(art::kIce, 0.45), mix(art::kIce, art::kBlue, 0.3), lighter(art::kIce, 0.3), H);
    Rand rnd(3);
    // Icicles along the roof.
    for (double x = -10; x < W; x += rnd.range(20, 45)) {
        const double len = rnd.range(30, 110), wdt = rnd.range(10, 22);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + wdt / 2, len);
        cairo_line_to(cr, x + wdt, 0);
        cairo_close_path(cr);
        fillVertical(cr, lighter(art::kIce, 0.5), art::kIce, 0, len, 0.8);
        setColor(cr, darker(art::kIce, 0.3), 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // Crystals.
    for (int i = 0; i < 14; ++i) {
        const double x = rnd.next() * W, y = 420 + rnd.next() * 160, h = rnd.range(30, 80);
        cairo_move_to(cr, x - h * 0.15, y + h * 0.3);
        cairo_line_to(cr, x, y - h * 0.7);
        cairo_line_to(cr, x + h * 0.15, y + h * 0.3);
        cairo_close_path(cr);
        fillVertical(cr, kWhite, art::kIce, y - h, y + h * 0.3, 0.7);
    }
    drawHills(cr, W, H, 560, 18, 70, 1.1, lighter(art::kIce, 0.6), art::kIce);
    softGlow(cr, 400, 300, 300, kWhite, 0.25);
}

void workshop(cairo_t* cr)
{
    // Planked wall.
    for (int i = 0; i < 14; ++i) {
        const double x = i * 60;
        cairo_rectangle(cr, x, 0, 60, H);
        const Rgb c = mix(art::kWood, art::kParchmentDark, 0.35 + 0.08 * (i % 3));
        fillVertical(cr, lighter(c, 0.1), darker(c, 0.15), 0, H, 1, false);
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, H);
        setColor(cr, art::kWoodDark, 0.5);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // Gears on the wall and a window of light.
    roundedRect(cr, 560, 80, 160, 120, 8);
    fillVertical(cr, lighter(art::kSky, 0.4), art::kSky, 80, 200, 1, true);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_move_to(cr, 640, 80);
    cairo_line_to(cr, 640, 200);
    cairo_move_to(cr, 560, 140);
    cairo_line_to(cr, 720, 140);
    cairo_stroke(cr);
    softGlow(cr, 640, 300, 260, art::kGlow, 0.3);
    drawGear(cr, 150, 160, 70, 14, art::kBrass, 0.2, 0.55);
    drawGear(cr, 250, 230, 45, 10, art::kCopper, 0.5, 0.55);
    drawGear(cr, 420, 120, 35, 9, art::kMetal, 0.1, 0.45);
    // Floor boards.
    cairo_rectangle(cr, 0, 540, W, 60);
    fillVertical(cr, art::kWood, art::kWoodDark, 540, H, 1, false);
}

void twilight(cairo_t* cr)
{
    skyGradient(cr, mix(art::kBlue, art::kInk, 0.45), mix(art::kBlue, art::kRed, 0.35), art::kGlow, 460);
    stars(cr, 4, 60, 260);
    drawHills(cr, W, H, 440, 50, 130, 0.6, mix(art::kBlue, art::kInk, 0.4), mix(art::kBlue, art::kInk, 0.55));
    drawHills(cr, W, H, 520, 30, 90, 2.4, mix(art::kGrass, art::kInk, 0.55), mix(art::kGrass, art::kInk, 0.7));
}

void forest(cairo_t* cr)
{
    skyGradient(cr, lighter(art::kGrass, 0.6), lighter(art::kGrass, 0.35), lighter(art::kGrass, 0.05), H);
    Rand rnd(6);
    // Three depths of trunks, the far ones pale and thin.
    for (int layer = 0; layer < 3; ++layer) {
        const double fade = 0.75 - layer * 0.22;
        const Rgb bark = mix(art::kWoodDark, lighter(art::kGrass, 0.4), fade);
        for (int i = 0; i < 5; ++i) {
            const double x = rnd.next() * W, w = 14 + layer * 12 + rnd.next() * 8;
            cairo_move_to(cr, x, 0);
            cairo_line_to(cr, x + w, 0);
            cairo_line_to(cr, x + w * 1.15, H);
            cairo_line_to(cr, x - w * 0.15, H);
            cairo_close_path(cr);
            fillVertical(cr, bark, darker(bark, 0.15), 0, H, 0.85, false);
        }
        // Canopy clusters along the top.
        for (int i = 0; i < 7; ++i) {
            const double cx = rnd.next() * W, cy = rnd.range(-20, 60), r = rnd.range(50, 90);
            cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
            setColor(cr, mix(darker(art::kGrass, 0.2), lighter(art::kGrass, 0.5), fade), 0.8);
            cairo_fill(cr);
        }
    }
    // Light shafts.
    for (int i = 0; i < 4; ++i) {
        const double x = 100 + i * 180;
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + 60, 0);
        cairo_line_to(cr, x + 200, H);
        cairo_line_to(cr, x + 100, H);
        cairo_close_path(cr);
        setColor(cr, art::kGlow, 0.12);
        cairo_fill(cr);
    }
    drawHills(cr, W, H, 560, 15, 60, 0.2, art::kGrass, darker(art::kGrass, 0.3));
}

// The volcano: a hazy ash sky over grey-violet cones and a glow of lava
// along the bottom. Kept light and cool, so the brown earth and the dark
// ladders of the board stand out against it.
void lavaCave(cairo_t* cr)
{
    const Rgb ash = mix(art::kMetal, art::kParchment, 0.45);
    skyGradient(cr, mix(ash, art::kBlue, 0.25), ash, lighter(mix(art::kGlow, art::kCopper, 0.3), 0.35), H);
    Rand rnd(8);
    // Drifting ash clouds.
    for (int i = 0; i < 10; ++i) {
        const double x = rnd.next() * W, y = rnd.next() * 280, r = rnd.range(50, 110);
        softGlow(cr, x, y, r, lighter(ash, 0.5), 0.35);
    }
    // Two far cones, pale with distance, smoking.
    const Rgb far = mix(ash, mix(art::kBlue, art::kRed, 0.4), 0.35);
    for (int k = 0; k < 2; ++k) {
        const double cx = k ? 610 : 170, top = k ? 250 : 300, half = k ? 230 : 190;
        cairo_move_to(cr, cx - half, H);
        cairo_curve_to(cr, cx - half * 0.45, H - 40, cx - 40, top + 60, cx - 26, top);
        cairo_line_to(cr, cx + 26, top);
        cairo_curve_to(cr, cx + 40, top + 60, cx + half * 0.45, H - 40, cx + half, H);
        cairo_close_path(cr);
        fillVertical(cr, lighter(far, 0.1), mix(far, art::kCopper, 0.25), top, H, 1, false);
        softGlow(cr, cx, top, 30, art::kGlow, 0.5);
        for (int p = 0; p < 4; ++p)
            softGlow(cr, cx + p * 14 - 10, top - 25 - p * 32, 26 + p * 10, mix(ash, art::kInk, 0.15), 0.5);
    }
    softGlow(cr, 400, 660, 380, art::kCopper, 0.55);
    drawHills(cr, W, H, 578, 8, 50, 1.5, art::kYellow, mix(art::kRed, art::kCopper, 0.5), false);
}

void observatory(cairo_t* cr)
{
    skyGradient(cr, mix(art::kBlue, art::kInk, 0.65), mix(art::kBlue, art::kInk, 0.4), mix(art::kBlue, art::kSky, 0.3), 520);
    stars(cr, 9, 140, 420);
    cairo_arc(cr, 620, 120, 44, 0, 2 * kPi);
    setColor(cr, lighter(art::kGlow, 0.6));
    cairo_fill(cr);
    cairo_arc(cr, 640, 108, 40, 0, 2 * kPi);
    setColor(cr, mix(art::kBlue, art::kInk, 0.6));
    cairo_fill(cr);
    softGlow(cr, 610, 125, 120, art::kGlow, 0.25);
    // Domed observatory and rooftops.
    const Rgb roof = mix(art::kInk, art::kBlue, 0.3);
    cairo_rectangle(cr, 120, 430, 140, 170);
    cairo_arc(cr, 190, 430, 70, kPi, 2 * kPi);
    setColor(cr, roof);
    cairo_fill(cr);
    cairo_move_to(cr, 230, 380);
    cairo_line_to(cr, 300, 330);
    setColor(cr, roof);
    cairo_set_line_width(cr, 12);
    cairo_stroke(cr);
    drawHills(cr, W, H, 540, 25, 60, 0.4, roof, darker(roof, 0.3), false);
}

// A wash of warm parchment keeps the board in front readable.
void soften(cairo_t* cr, double amount)
{
    cairo_rectangle(cr, 0, 0, W, H);
    setColor(cr, art::kParchment, amount);
    cairo_fill(cr);
}

cairo_surface_t* levelBackground(int n)
{
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    switch (n) {
    case 0: meadow(cr); break;
    case 1: dunes(cr); break;
    case 2: iceCave(cr); break;
    case 3: workshop(cr); break;
    case 4: twilight(cr); break;
    case 5: forest(cr); break;
    case 6: lavaCave(cr); break;
    default: observatory(cr); break;
    }
    soften(cr, n == 4 || n == 7 ? 0.08 : 0.18);
    // A frame of the same width on all four sides of the screen. (The board
    // itself sits 29 pixels from the left and 20 from the top, 3 and 4 from
    // the right and the bottom; a frame hugging it would look lopsided.)
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_rectangle(cr, W - kFrame, kFrame, -(W - 2 * kFrame), H - 2 * kFrame);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColor(cr, art::kInk, 0.3);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, kFrame + 0.5, kFrame + 0.5, W - 2 * kFrame - 1, H - 2 * kFrame - 1);
    setColor(cr, art::kParchment, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* flash()
{
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    cairo_pattern_t* p = cairo_pattern_create_radial(400, 300, 30, 400, 300, 500);
    cairo_pattern_add_color_stop_rgb(p, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(p, 1, lighter(art::kGlow, 0.3).r, lighter(art::kGlow, 0.3).g, lighter(art::kGlow, 0.3).b);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_destroy(cr);
    return s;
}

// Cell lines over the 32 x 24 board; the board's corner sits at (15, 7).
cairo_surface_t* grid()
{
    const int gw = 784, gh = 586, ox = 15, oy = 7;
    cairo_surface_t* s = newSurface(gw, gh);
    cairo_t* cr = cairo_create(s);
    for (int c = 0; c <= 32; ++c) {
        cairo_move_to(cr, ox + c * 24 + 0.5, oy);
        cairo_line_to(cr, ox + c * 24 + 0.5, oy + 576);
    }
    for (int r = 0; r <= 24; ++r) {
        cairo_move_to(cr, ox, oy + r * 24 + 0.5);
        cairo_line_to(cr, ox + 768, oy + r * 24 + 0.5);
    }
    setColor(cr, kWhite, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int c = 0; c < 32; c += 4)
        drawText(cr, std::to_string(c), ox + c * 24, 0, 24, 7, 7, kWhite, false);
    for (int r = 0; r < 24; r += 4)
        drawText(cr, std::to_string(r), 0, oy + r * 24, 15, 12, 8, kWhite, false);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* dirtyMark()
{
    cairo_surface_t* s = newSurface(1, 1);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 0, 0.3);
    cairo_paint(cr);
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawBackgroundImage(const std::string& name)
{
    if (name.size() == 15 && name.rfind("background", 0) == 0 && name.compare(11, 4, ".jpg") == 0 &&
        name[10] >= '0' && name[10] <= '7')
        return levelBackground(name[10] - '0');
    if (name == "flash.jpg")
        return flash();
    if (name == "grid.png")
        return grid();
    if (name == "dirty.png")
        return dirtyMark();
    return nullptr;
}

} // namespace ui
