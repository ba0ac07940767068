#include "Screens.h"

#include <cmath>

#include "Encode.h"
#include "ui/Paint.h"
#include "ui/Scenery.h"

namespace resbuild {

using namespace ui;

namespace {

constexpr int W = 800, H = 600;
// The load bar is drawn by the game at (360, 527); its groove is painted
// into the load screen.
constexpr int kBarX = 360, kBarY = 527, kBarW = 200, kBarH = 18;

void warmBackdrop(cairo_t* cr)
{
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_pattern_t* p = cairo_pattern_create_radial(400, 260, 60, 400, 300, 560);
    cairo_pattern_add_color_stop_rgb(p, 0, art::kParchment.r, art::kParchment.g, art::kParchment.b);
    cairo_pattern_add_color_stop_rgb(p, 0.7, art::kParchmentDark.r, art::kParchmentDark.g, art::kParchmentDark.b);
    cairo_pattern_add_color_stop_rgb(p, 1, art::kWood.r, art::kWood.g, art::kWood.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void title(cairo_t* cr, double y)
{
    drawText(cr, "Professor Bramblecot", 40, y, 720, 70, 54, art::kWoodDark, true, Align::Centre, kWhite, 0.7);
    drawText(cr, "and the Copper Lantern", 40, y + 62, 720, 50, 34, art::kCopper, true, Align::Centre, kWhite, 0.7);
}

cairo_surface_t* loadScreen()
{
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    warmBackdrop(cr);
    drawGear(cr, 90, 500, 80, 16, art::kBrass, 0.1, 0.35);
    drawGear(cr, 720, 90, 60, 12, art::kCopper, 0.3, 0.35);
    title(cr, 40);
    // The professor raising his lantern.
    drawProfessorBody(cr, 400, 330, 1.0);
    drawProfessorHead(cr, 400, 290, 1.1, Face{0, 0.3, 0.4, 0});
    drawProfessorArm(cr, 340, 350, 1.0, -0.5, false, 0);
    drawProfessorArm(cr, 460, 350, 1.0, 2.5, true, 1.0);
    // The bar's groove and its caption.
    cairo_rectangle(cr, 0, 500, W, 100);
    fillVertical(cr, art::kWoodDark, darker(art::kWoodDark, 0.4), 500, H, 1, false);
    roundedRect(cr, kBarX - 4, kBarY - 4, kBarW + 8, kBarH + 8, 8);
    fillVertical(cr, darker(art::kWoodDark, 0.5), art::kWoodDark, kBarY - 4, kBarY + kBarH + 4);
    setColor(cr, art::kBrass);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    drawText(cr, "Loading...", kBarX - 130, kBarY - 4, 120, kBarH + 8, 18, art::kParchment, true, Align::Right);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* loadBar()
{
    cairo_surface_t* s = newSurface(kBarW, kBarH);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 0, 0, kBarW, kBarH, 6);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, kBarW, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, art::kCopper.r, art::kCopper.g, art::kCopper.b);
    cairo_pattern_add_color_stop_rgb(p, 1, art::kGlow.r, art::kGlow.g, art::kGlow.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    roundedRect(cr, 2, 2, kBarW - 4, kBarH / 2.0 - 1, 4);
    setColor(cr, kWhite, 0.35);
    cairo_fill(cr);
    for (int x = 12; x < kBarW; x += 12) {
        cairo_move_to(cr, x + 0.5, 3);
        cairo_line_to(cr, x + 0.5, kBarH - 3);
    }
    setColor(cr, art::kWoodDark, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* icon()
{
    cairo_surface_t* s = newSurface(32, 32);
    cairo_t* cr = cairo_create(s);
    drawLantern(cr, 16, 1, 0.55, 0.0);
    cairo_destroy(cr);
    return s;
}

// Splash 1: the professor and his lantern on a starry night.
cairo_surface_t* splashNight()
{
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, W, H);
    fillVertical(cr, mix(art::kBlue, art::kInk, 0.6), mix(art::kBlue, art::kSky, 0.2), 0, H, 1, false);
    Rand rnd(21);
    for (int i = 0; i < 120; ++i) {
        const double x = rnd.next() * W, y = rnd.next() * 380;
        softGlow(cr, x, y, rnd.range(2, 5), kWhite, 0.8);
    }
    drawHills(cr, W, H, 470, 40, 120, 0.7, mix(art::kGrass, art::kInk, 0.5), mix(art::kGrass, art::kInk, 0.7));
    softGlow(cr, 400, 380, 240, art::kGlow, 0.45);
    drawProfessorBody(cr, 400, 380, 0.9);
    drawProfessorHead(cr, 400, 340, 1.0, Face{0, 0.2, 0.2, 0.4});
    drawProfessorArm(cr, 455, 398, 0.9, 2.3, true, 1.0);
    title(cr, 40);
    cairo_destroy(cr);
    return s;
}

// Splash 2: the workshop of gears.
cairo_surface_t* splashWorkshop()
{
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    warmBackdrop(cr);
    drawGear(cr, 260, 300, 150, 20, art::kBrass, 0.0);
    drawGear(cr, 480, 210, 95, 14, art::kCopper, 0.12);
    drawGear(cr, 520, 420, 80, 12, art::kMetal, 0.3);
    drawLantern(cr, 260, 230, 2.0, 1.0);
    drawText(cr, "Gears, brass and a bright idea", 40, 510, 720, 50, 30, art::kWoodDark, true, Align::Centre, kWhite, 0.7);
    cairo_destroy(cr);
    return s;
}

// Splash 3: a map scroll with the lantern's light.
cairo_surface_t* splashScroll()
{
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, W, H);
    fillVertical(cr, art::kWood, art::kWoodDark, 0, H, 1, false);
    drawParchment(cr, 70, 60, 660, 480, 77);
    drawVolcano(cr, 540, 230, 260, 200);
    drawLantern(cr, 220, 200, 2.2, 1.0);
    drawText(cr, "Every puzzle has a way through.", 90, 450, 620, 50, 30, kTextInk, true, Align::Centre);
    cairo_destroy(cr);
    return s;
}

bool writeSurface(const std::string& path, cairo_surface_t* surface, const Bytes& bytes, std::string& error)
{
    cairo_surface_destroy(surface);
    if (bytes.empty() || !writeFileBytes(path, bytes)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace

bool writeScreenFiles(const std::string& dir, std::string& error)
{
    cairo_surface_t* s = loadScreen();
    if (!writeSurface(dir + "/resource0.dat", s, encodeJpg(s), error))
        return false;
    s = loadBar();
    if (!writeSurface(dir + "/resource1.dat", s, encodePng(s), error))
        return false;
    s = icon();
    if (!writeSurface(dir + "/resource7.dat", s, encodeBmp(s, 255, 0, 255), error))
        return false;
    s = splashNight();
    if (!writeSurface(dir + "/resource9.dat", s, encodeJpg(s), error))
        return false;
    s = splashWorkshop();
    if (!writeSurface(dir + "/resource10.dat", s, encodeJpg(s), error))
        return false;
    s = splashScroll();
    return writeSurface(dir + "/resource11.dat", s, encodeJpg(s), error);
}

}  // namespace resbuild
