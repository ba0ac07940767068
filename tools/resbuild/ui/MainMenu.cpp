// The main menu: sky and sea, clouds, the volcano with its glow and smoke,
// the professor (body, head and arms as separate layers), palm leaves, the
// menu buttons and their labels.
#include <cmath>
#include <cstdlib>
#include <map>

#include "ui/Interface.h"
#include "ui/Paint.h"
#include "ui/Scenery.h"

namespace ui {

namespace {

bool startsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

int numberAfter(const std::string& name, const std::string& prefix)
{
    return std::atoi(name.c_str() + prefix.size());
}

cairo_surface_t* background()
{
    const int W = 800, H = 600;
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    // Evening sky.
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 390);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.36, 0.55, 0.80);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.72, 0.80, 0.88);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.99, 0.84, 0.62);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    softGlow(cr, 600, 360, 260, art::kGlow, 0.55);
    cairo_arc(cr, 600, 350, 34, 0, 2 * kPi);
    setColor(cr, lighter(art::kGlow, 0.4), 0.9);
    cairo_fill(cr);
    // Sea with shimmering lines.
    cairo_rectangle(cr, 0, 380, W, H - 380);
    fillVertical(cr, mix(art::kSky, art::kGlow, 0.3), darker(art::kBlue, 0.2), 380, H, 1, false);
    Rand rnd(7);
    for (int i = 0; i < 90; ++i) {
        const double y = 386 + std::pow(rnd.next(), 1.6) * 200;
        const double x = rnd.next() * W;
        const double len = 8 + (y - 380) * 0.12;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + len, y);
        setColor(cr, std::abs(x - 600) < 120 ? art::kGlow : kWhite, 0.35);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    // Far islands, then the near shore.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, W, 392);
    cairo_clip(cr);
    drawHills(cr, W, 392, 384, 18, 60, 0.4, mix(art::kGrass, art::kSky, 0.55), mix(art::kGrass, art::kSky, 0.4));
    cairo_restore(cr);
    drawHills(cr, W, H, 500, 26, 140, 2.2, art::kSand, darker(art::kSand, 0.15));
    drawHills(cr, W, H, 540, 20, 90, 0.9, lighter(art::kGrass, 0.1), darker(art::kGrass, 0.3));
    // Grass tufts on the near hill.
    for (int i = 0; i < 60; ++i) {
        const double x = rnd.next() * W, y = 560 + rnd.next() * 36;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 1, y - 6, x + 3, y - 9, x + 5, y - 11);
        cairo_move_to(cr, x + 2, y);
        cairo_curve_to(cr, x + 2, y - 5, x - 1, y - 8, x - 3, y - 10);
        setColor(cr, darker(art::kGrass, 0.35), 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // Title ribbon.
    cairo_move_to(cr, 130, 22);
    cairo_line_to(cr, 670, 22);
    cairo_curve_to(cr, 690, 50, 690, 70, 670, 96);
    cairo_line_to(cr, 130, 96);
    cairo_curve_to(cr, 110, 70, 110, 50, 130, 22);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kParchment, 0.3), art::kParchmentDark, 22, 96);
    strokeInk(cr, art::kOutlineLarge);
    drawText(cr, "Professor Bramblecot", 140, 26, 520, 40, 32, art::kWoodDark, true, Align::Centre, kWhite, 0.6);
    drawText(cr, "and the Copper Lantern", 140, 62, 520, 30, 22, art::kCopper, true, Align::Centre, kWhite, 0.6);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* cloud(const std::string& name)
{
    int w = 90, h = 40;
    if (startsWith(name, "mainmenu_cloudbig")) {
        w = 220;
        h = 90;
    } else if (startsWith(name, "mainmenu_cloudmedium")) {
        w = 150;
        h = 64;
    }
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    drawCloud(cr, 2, 2, w - 4, h - 4, hashName(name));
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* volcanoFront()
{
    cairo_surface_t* s = newSurface(360, 260);
    cairo_t* cr = cairo_create(s);
    drawVolcano(cr, 180, 20, 356, 238);
    cairo_destroy(cr);
    return s;
}

// The crater's glow swells over the nine frames.
cairo_surface_t* glow(int frame)
{
    cairo_surface_t* s = newSurface(160, 90);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 9.0;
    softGlow(cr, 80, 62, 40 + 38 * t, art::kCopper, 0.25 + 0.5 * t);
    softGlow(cr, 80, 62, 20 + 20 * t, art::kGlow, 0.3 + 0.6 * t);
    cairo_destroy(cr);
    return s;
}

// Puffs rise from the crater, grow and thin out; 54 frames loop.
cairo_surface_t* smoke(int frame)
{
    const int W = 140, H = 180;
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    const int puffs = 6;
    for (int k = 0; k < puffs; ++k) {
        double t = std::fmod((frame - 1) / 54.0 + double(k) / puffs, 1.0);
        const double y = H - 18 - t * (H - 50);
        const double x = W / 2 + std::sin(t * 4 + k * 1.3) * 14 * t + t * 18;
        const double r = 9 + 26 * t;
        const double a = (1 - t) * std::min(1.0, t * 6) * 0.85;
        cairo_arc(cr, x, y, r, 0, 2 * kPi);
        const Rgb top = mix(kWhite, art::kGlow, 0.2 * (1 - t));
        const Rgb low = mix(art::kMetal, art::kMetalDark, 0.3);
        fillVertical(cr, top, low, y - r, y + r, a, true);
        setColor(cr, art::kMetalDark, a * 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return s;
}

// 27 head frames: rest, a blink, talking, glancing, surprise, a chuckle.
Face faceFor(int f)
{
    Face face;
    if (f >= 1 && f <= 3) {
        static const double lids[] = {0.4, 1.0, 0.6};
        face.blink = lids[f - 1];
    } else if (f >= 4 && f <= 9) {
        face.mouth = 0.25 + 0.6 * std::abs(std::sin(f * 1.3));
    } else if (f >= 10 && f <= 14) {
        face.look = (f - 12) * 0.45;
        face.brow = 0.15;
    } else if (f >= 15 && f <= 20) {
        const double t = std::sin((f - 14) / 7.0 * kPi);
        face.brow = t;
        face.mouth = 0.5 * t;
        face.look = 0.1 * (f - 17);
    } else if (f >= 21) {
        const double t = (f - 20) / 6.0;
        face.mouth = 0.35 + 0.3 * std::sin(t * kPi * 3);
        face.blink = 0.6 * t;
        face.brow = 0.4;
    }
    return face;
}

cairo_surface_t* head(int frame)
{
    cairo_surface_t* s = newSurface(120, 120);
    cairo_t* cr = cairo_create(s);
    drawProfessorHead(cr, 60, 73, 0.78, faceFor(frame));
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* body()
{
    cairo_surface_t* s = newSurface(160, 200);
    cairo_t* cr = cairo_create(s);
    drawProfessorBody(cr, 80, 4, 1.0);
    cairo_destroy(cr);
    return s;
}

// The arm that points at the menu, in five positions. The menu places this
// picture so that its shoulder (112, 20) lies on the coat's left shoulder.
cairo_surface_t* leftArm(int frame)
{
    cairo_surface_t* s = newSurface(150, 150);
    cairo_t* cr = cairo_create(s);
    const double angle = 1.30 + 0.06 * (frame - 1);
    drawProfessorArm(cr, 112, 20, 0.75, -angle, false, 0);
    cairo_destroy(cr);
    return s;
}

// The other hand swings the lantern, whose flame flickers.
cairo_surface_t* rightArm(int frame)
{
    cairo_surface_t* s = newSurface(130, 180);
    cairo_t* cr = cairo_create(s);
    const double angle = 0.35 + 0.12 * std::sin((frame - 1) / 5.0 * 2 * kPi);
    drawProfessorArm(cr, 40, 12, 0.75, angle, true, 0.6 + 0.1 * frame / 5.0);
    cairo_destroy(cr);
    return s;
}

void frond(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, double width)
{
    const double mx = (x0 + x1) / 2 + bend, my = (y0 + y1) / 2 + std::abs(bend) * 0.6;
    const double dx = x1 - x0, dy = y1 - y0;
    const double len = std::hypot(dx, dy);
    const double nx = -dy / len, ny = dx / len;
    // Leaflets along the midrib.
    for (int i = 1; i < 14; ++i) {
        const double t = i / 14.0;
        const double px = (1 - t) * (1 - t) * x0 + 2 * (1 - t) * t * mx + t * t * x1;
        const double py = (1 - t) * (1 - t) * y0 + 2 * (1 - t) * t * my + t * t * y1;
        const double l = width * (1 - t * 0.6);
        for (int side = -1; side <= 1; side += 2) {
            // A leaflet swept forward and drooping, as wide as a fifth of
            // its length.
            const double tx = px + side * nx * l + dx / len * l * 0.45;
            const double ty = py + side * ny * l + dy / len * l * 0.45 + l * 0.35;
            const double ux = (tx - px), uy = (ty - py);
            const double wx = -uy * 0.2, wy = ux * 0.2;
            cairo_move_to(cr, px, py);
            cairo_curve_to(cr, px + ux * 0.3 + wx, py + uy * 0.3 + wy, px + ux * 0.7 + wx, py + uy * 0.7 + wy, tx, ty);
            cairo_curve_to(cr, px + ux * 0.7 - wx, py + uy * 0.7 - wy, px + ux * 0.3 - wx, py + uy * 0.3 - wy, px, py);
            cairo_close_path(cr);
            fillVertical(cr, lighter(art::kGrass, 0.2), darker(art::kGrass, 0.3), py - l, py + l);
            setColor(cr, darker(art::kGrass, 0.6), 0.8);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    }
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx, my, mx, my, x1, y1);
    setColor(cr, darker(art::kGrass, 0.5));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

cairo_surface_t* leaves()
{
    cairo_surface_t* s = newSurface(300, 240);
    cairo_t* cr = cairo_create(s);
    frond(cr, 300, 0, 40, 120, -30, 34);
    frond(cr, 300, 0, 120, 200, -10, 30);
    frond(cr, 300, 0, 250, 230, 20, 26);
    frond(cr, 300, 0, 10, 30, -20, 30);
    // Coconuts.
    const double nuts[][2] = {{262, 40}, {280, 56}, {250, 62}};
    for (const auto& n : nuts) {
        cairo_arc(cr, n[0], n[1], 13, 0, 2 * kPi);
        fillVertical(cr, lighter(art::kWood, 0.1), art::kWoodDark, n[1] - 13, n[1] + 13);
        strokeInk(cr, 1.8);
        softGlow(cr, n[0] - 4, n[1] - 5, 5, kWhite, 0.4);
    }
    cairo_destroy(cr);
    return s;
}

// Wooden sign boards with brass trim.
cairo_surface_t* menuButton(int look)
{
    cairo_surface_t* s = newSurface(220, 44);
    cairo_t* cr = cairo_create(s);
    drawButtonFace(cr, 2, 2, 216, 40, art::kWood, look);
    // Wood grain.
    cairo_save(cr);
    roundedRect(cr, 6, 6, 208, 32, 10);
    cairo_clip(cr);
    Rand rnd(look + 3);
    for (int i = 0; i < 7; ++i) {
        const double y = 10 + i * 4.5 + rnd.range(-1, 1);
        cairo_move_to(cr, 6, y);
        cairo_curve_to(cr, 70, y + rnd.range(-2, 2), 150, y + rnd.range(-2, 2), 214, y);
    }
    setColor(cr, art::kWoodDark, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Brass nails.
    for (int side = 0; side < 2; ++side) {
        const double x = side ? 208 : 12;
        cairo_arc(cr, x, 22, 3, 0, 2 * kPi);
        setColor(cr, look == 1 ? art::kGlow : art::kBrass);
        cairo_fill_preserve(cr);
        strokeInk(cr, 0.8);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* label(const std::string& text, int w, int h, double size)
{
    cairo_surface_t* s = newSurface(w, h);
    cairo_t* cr = cairo_create(s);
    drawText(cr, text, 0, 0, w, h, size, art::kParchment, true, Align::Centre, art::kInk, 0.9);
    cairo_destroy(cr);
    return s;
}

// A small round button with two turning arrows: change the player.
cairo_surface_t* changeButton(int look)
{
    cairo_surface_t* s = newSurface(40, 40);
    cairo_t* cr = cairo_create(s);
    if (look == 3) {
        cairo_arc(cr, 21, 22, 17, 0, 2 * kPi);
        setColor(cr, art::kInk, 0.45);
        cairo_fill(cr);
    } else {
        cairo_arc(cr, 19, 19, 17, 0, 2 * kPi);
        const Rgb face = look == 1 ? lighter(art::kCopper, 0.2) : art::kCopper;
        fillVertical(cr, lighter(face, 0.35), darker(face, 0.25), 2, 36);
        strokeInk(cr, 1.6);
        for (int k = 0; k < 2; ++k) {
            const double a0 = k * kPi + 0.3;
            cairo_new_path(cr);
            cairo_arc(cr, 19, 19, 10, a0, a0 + 2.3);
            setColor(cr, look == 1 ? kWhite : art::kParchment);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
            const double ax = 19 + 10 * std::cos(a0 + 2.3), ay = 19 + 10 * std::sin(a0 + 2.3);
            const double tx = -std::sin(a0 + 2.3), ty = std::cos(a0 + 2.3);
            cairo_move_to(cr, ax + tx * 5, ay + ty * 5);
            cairo_line_to(cr, ax - ty * 4, ay + tx * 4);
            cairo_line_to(cr, ax + ty * 4, ay - tx * 4);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    }
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawMainMenuImage(const std::string& name)
{
    static const std::map<std::string, std::string> labels = {
        {"mainmenu_text_playnow.png", "Play Now"},         {"mainmenu_text_levelmanager.png", "Level Manager"},
        {"mainmenu_text_leveleditor.png", "Level Editor"}, {"mainmenu_text_highscores.png", "High Scores"},
        {"mainmenu_text_instructions.png", "How to Play"}, {"mainmenu_text_settings.png", "Settings"},
        {"mainmenu_text_credits.png", "Credits"},          {"mainmenu_text_moregames.png", "More Games"},
        {"mainmenu_text_exit.png", "Exit"},
    };
    if (labels.count(name))
        return label(labels.at(name), 200, 32, 19);
    if (name == "mainmenu_background.jpg")
        return background();
    if (startsWith(name, "mainmenu_cloud"))
        return cloud(name);
    if (name == "mainmenu_volcanofront.png")
        return volcanoFront();
    if (startsWith(name, "mainmenu_glow"))
        return glow(numberAfter(name, "mainmenu_glow"));
    if (startsWith(name, "mainmenu_smoke"))
        return smoke(numberAfter(name, "mainmenu_smoke"));
    if (startsWith(name, "mainmenu_profhead"))
        return head(numberAfter(name, "mainmenu_profhead"));
    if (startsWith(name, "mainmenu_profleftarm"))
        return leftArm(numberAfter(name, "mainmenu_profleftarm"));
    if (startsWith(name, "mainmenu_profrightarm"))
        return rightArm(numberAfter(name, "mainmenu_profrightarm"));
    if (name == "mainmenu_profbody.png")
        return body();
    if (name == "mainmenu_leavescoconuts.png")
        return leaves();
    if (name == "mainmenu_buttonbase.png")
        return menuButton(0);
    if (name == "mainmenu_buttonrollover.png")
        return menuButton(1);
    if (name == "mainmenu_buttonactive.png")
        return menuButton(2);
    if (name == "profile_button_changebase.png")
        return changeButton(0);
    if (name == "profile_button_changerollover.png")
        return changeButton(1);
    if (name == "profile_button_changeshadow.png")
        return changeButton(3);
    return nullptr;
}

} // namespace ui
