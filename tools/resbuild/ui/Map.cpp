// The world map: the parchment chart, the level-set labels, the level dots
// in their states and the stars of the tutorial levels.
#include <cmath>
#include <cstdlib>

#include "ui/Interface.h"
#include "ui/Paint.h"
#include "ui/Scenery.h"

namespace ui {

namespace {

bool startsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

void islandPath(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed)
{
    Rand rnd(seed);
    const int n = 18;
    double radii[n];
    for (double& r : radii)
        r = rnd.range(0.75, 1.15);
    cairo_new_path(cr);
    for (int i = 0; i <= n; ++i) {
        const double a = 2 * kPi * i / n;
        const double r = radii[i % n];
        const double x = cx + rx * r * std::cos(a), y = cy + ry * r * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else {
            const double pa = 2 * kPi * (i - 0.5) / n;
            const double pr = (radii[i - 1] + r) / 2 * 1.04;
            cairo_curve_to(cr, cx + rx * pr * std::cos(pa), cy + ry * pr * std::sin(pa),
                           cx + rx * pr * std::cos(pa), cy + ry * pr * std::sin(pa), x, y);
        }
    }
    cairo_close_path(cr);
}

void tree(cairo_t* cr, double x, double y)
{
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y + 6);
    setColor(cr, art::kWoodDark);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_arc(cr, x, y - 2, 5, 0, 2 * kPi);
    fillVertical(cr, lighter(art::kGrass, 0.2), darker(art::kGrass, 0.3), y - 7, y + 3);
    strokeInk(cr, 1);
}

void mountain(cairo_t* cr, double x, double y, double s)
{
    cairo_move_to(cr, x - 12 * s, y);
    cairo_line_to(cr, x, y - 16 * s);
    cairo_line_to(cr, x + 12 * s, y);
    cairo_close_path(cr);
    fillVertical(cr, lighter(art::kWood, 0.35), art::kWood, y - 16 * s, y);
    strokeInk(cr, 1.2);
    cairo_move_to(cr, x - 4 * s, y - 11 * s);
    cairo_line_to(cr, x, y - 16 * s);
    cairo_line_to(cr, x + 4 * s, y - 11 * s);
    cairo_close_path(cr);
    setColor(cr, kWhite, 0.9);
    cairo_fill(cr);
}

void compass(cairo_t* cr, double cx, double cy, double r)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    setColor(cr, art::kParchment, 0.7);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.5);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4 - kPi / 2;
        const double len = (i % 2 == 0) ? r * 0.95 : r * 0.55;
        cairo_move_to(cr, cx + len * std::cos(a), cy + len * std::sin(a));
        cairo_line_to(cr, cx + r * 0.15 * std::cos(a + kPi / 2), cy + r * 0.15 * std::sin(a + kPi / 2));
        cairo_line_to(cr, cx, cy);
        cairo_close_path(cr);
        setColor(cr, i == 0 ? art::kRed : art::kWoodDark);
        cairo_fill(cr);
    }
    drawText(cr, "N", cx - 10, cy - r - 20, 20, 18, 14, art::kInk, true);
}

cairo_surface_t* background()
{
    const int W = 800, H = 600;
    cairo_surface_t* s = newSurface(W, H);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, W, H);
    fillVertical(cr, art::kWood, art::kWoodDark, 0, H, 1, false);
    drawParchment(cr, 4, 4, W - 8, H - 8, 99);
    // Sea wash with wave marks.
    cairo_save(cr);
    cairo_rectangle(cr, 16, 16, W - 32, H - 32);
    cairo_clip(cr);
    cairo_rectangle(cr, 16, 16, W - 32, H - 32);
    setColor(cr, art::kSky, 0.22);
    cairo_fill(cr);
    Rand rnd(5);
    for (int i = 0; i < 70; ++i) {
        const double x = 30 + rnd.next() * (W - 60), y = 30 + rnd.next() * (H - 60);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 3, y - 3, x + 6, y - 3, x + 9, y);
        cairo_curve_to(cr, x + 12, y - 3, x + 15, y - 3, x + 18, y);
        setColor(cr, art::kBlue, 0.3);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // Three islands, one per level set, with coast rings.
    struct Isle { double x, y, rx, ry; uint32_t seed; };
    const Isle isles[] = {{250, 270, 210, 150, 11}, {600, 200, 150, 110, 23}, {590, 470, 150, 90, 37}};
    for (const Isle& is : isles) {
        for (int ring = 3; ring >= 1; --ring) {
            islandPath(cr, is.x, is.y, is.rx + ring * 9, is.ry + ring * 9, is.seed);
            setColor(cr, art::kBlue, 0.12);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        islandPath(cr, is.x, is.y, is.rx, is.ry, is.seed);
        fillVertical(cr, lighter(art::kSand, 0.3), art::kSand, is.y - is.ry, is.y + is.ry);
        strokeInk(cr, 2);
        islandPath(cr, is.x, is.y - 6, is.rx * 0.86, is.ry * 0.8, is.seed);
        fillVertical(cr, lighter(art::kGrass, 0.45), lighter(art::kGrass, 0.15), is.y - is.ry, is.y + is.ry);
        setColor(cr, darker(art::kGrass, 0.3), 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        Rand r2(is.seed);
        for (int i = 0; i < 14; ++i) {
            const double a = r2.next() * 2 * kPi, d = std::sqrt(r2.next()) * 0.7;
            tree(cr, is.x + is.rx * d * std::cos(a), is.y + is.ry * d * std::sin(a));
        }
        for (int i = 0; i < 4; ++i) {
            const double a = r2.next() * 2 * kPi, d = std::sqrt(r2.next()) * 0.5;
            mountain(cr, is.x + is.rx * d * std::cos(a), is.y + is.ry * d * std::sin(a), r2.range(0.8, 1.3));
        }
    }
    // The volcano on the big island and a dotted trail between the isles.
    drawVolcano(cr, 200, 200, 90, 60);
    cairo_move_to(cr, 330, 300);
    cairo_curve_to(cr, 420, 330, 470, 240, 520, 220);
    cairo_move_to(cr, 340, 340);
    cairo_curve_to(cr, 420, 420, 480, 470, 520, 470);
    const double dash[] = {5, 5};
    cairo_set_dash(cr, dash, 2, 0);
    setColor(cr, art::kRed, 0.7);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    compass(cr, 90, 510, 42);
    cairo_restore(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* setLabel(const std::string& text)
{
    cairo_surface_t* s = newSurface(160, 30);
    cairo_t* cr = cairo_create(s);
    drawText(cr, text, 0, 0, 160, 30, 18, art::kParchment, true, Align::Centre, art::kInk, 0.9);
    cairo_destroy(cr);
    return s;
}

// A round dot of 18 x 18, scaled down for the shrink frames.
enum class Dot { Completed, Incomplete, Locked, Ghosted };

void dotShape(cairo_t* cr, Dot kind, double scale, bool rollover)
{
    const double cx = 9, cy = 9, r = 7.5 * scale;
    if (r < 0.5)
        return;
    Rgb c = art::kCopper;
    double alpha = 1;
    if (kind == Dot::Completed)
        c = art::kGrass;
    else if (kind == Dot::Locked)
        c = art::kMetal;
    else if (kind == Dot::Ghosted) {
        c = art::kMetal;
        alpha = 0.5;
    }
    if (rollover) {
        softGlow(cr, cx, cy, 9, art::kGlow, 0.9);
        c = lighter(c, 0.25);
    }
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    fillVertical(cr, lighter(c, 0.45), darker(c, 0.25), cy - r, cy + r, alpha);
    setColor(cr, art::kInk, alpha);
    cairo_set_line_width(cr, 1.3 * std::max(scale, 0.5));
    cairo_stroke(cr);
    softGlow(cr, cx - r * 0.35, cy - r * 0.4, r * 0.45, kWhite, 0.7 * alpha);
    if (scale < 0.6)
        return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    if (kind == Dot::Completed) {
        cairo_move_to(cr, -3.5, 0);
        cairo_line_to(cr, -1, 3);
        cairo_line_to(cr, 4, -3.5);
        setColor(cr, kWhite);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    } else if (kind == Dot::Locked || kind == Dot::Ghosted) {
        cairo_arc(cr, 0, -1, 1.8, 0, 2 * kPi);
        cairo_move_to(cr, -1.2, 0);
        cairo_line_to(cr, 1.2, 0);
        cairo_line_to(cr, 0.8, 3.5);
        cairo_line_to(cr, -0.8, 3.5);
        cairo_close_path(cr);
        setColor(cr, art::kInk, alpha);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

cairo_surface_t* regularDot(Dot kind, double scale, bool rollover)
{
    cairo_surface_t* s = newSurface(18, 18);
    cairo_t* cr = cairo_create(s);
    dotShape(cr, kind, scale, rollover);
    cairo_destroy(cr);
    return s;
}

// The ring of the selected dot breathes in and out over six frames.
cairo_surface_t* selectedPulse(int frame)
{
    cairo_surface_t* s = newSurface(18, 18);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 5.0;
    cairo_arc(cr, 9, 9, 6.5 + 2 * t, 0, 2 * kPi);
    setColor(cr, art::kGlow, 1.0 - 0.6 * t);
    cairo_set_line_width(cr, 2.2 - t);
    cairo_stroke(cr);
    cairo_arc(cr, 9, 9, 6.5 + 2 * t, 0, 2 * kPi);
    setColor(cr, art::kRed, 0.5 - 0.4 * t);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* selectedShrink(int k)
{
    cairo_surface_t* s = newSurface(18, 18);
    cairo_t* cr = cairo_create(s);
    const double scale = 1 - 0.25 * k;
    softGlow(cr, 9, 9, 9 * scale, art::kGlow, 0.9);
    cairo_arc(cr, 9, 9, 7.5 * scale, 0, 2 * kPi);
    setColor(cr, art::kGlow);
    cairo_set_line_width(cr, 1.8 * scale);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

void brassStar(cairo_t* cr, double cx, double cy, double r, double rot, double alpha)
{
    starPath(cr, cx, cy, r, r * 0.48, rot);
    fillVertical(cr, lighter(art::kYellow, 0.4), art::kCopper, cy - r, cy + r, alpha);
    setColor(cr, art::kInk, alpha);
    cairo_set_line_width(cr, std::max(0.8, r / 8));
    cairo_stroke(cr);
}

cairo_surface_t* starDot(double scale, double alpha, double glow)
{
    cairo_surface_t* s = newSurface(18, 18);
    cairo_t* cr = cairo_create(s);
    if (glow > 0)
        softGlow(cr, 9, 9, 9, art::kGlow, glow);
    if (scale > 0.05)
        brassStar(cr, 9, 9.5, 8 * scale, 0, alpha);
    cairo_destroy(cr);
    return s;
}

// The tutorial star above a dot turns gently and glints.
cairo_surface_t* starBase(int frame)
{
    cairo_surface_t* s = newSurface(20, 26);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 60.0;
    const double wob = 0.25 * std::sin(t * 2 * kPi + 0.3);
    const double bob = 1.5 * std::sin(t * 4 * kPi);
    brassStar(cr, 10, 14 + bob, 8.5, wob, 1);
    const double glint = std::max(0.0, std::sin(t * 2 * kPi * 3));
    softGlow(cr, 7 + 6 * t, 10 + bob, 3 + 2 * glint, kWhite, 0.8 * glint);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* starPulse(int frame)
{
    cairo_surface_t* s = newSurface(28, 26);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 60.0;
    const double p = 0.5 + 0.5 * std::sin(t * 2 * kPi * 2);
    softGlow(cr, 14, 14, 9 + 5 * p, art::kGlow, 0.4 + 0.5 * p);
    starPath(cr, 14, 14, 10 + 2 * p, 4.8 + p, 0.1 * std::sin(t * 2 * kPi + 0.5));
    setColor(cr, art::kGlow, 0.5 + 0.4 * p);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// Grows from nothing with a spin and a small overshoot.
cairo_surface_t* starAppear(int frame)
{
    cairo_surface_t* s = newSurface(20, 26);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 13.0;
    const double scale = t < 0.8 ? t / 0.8 * 1.15 : 1.15 - (t - 0.8) / 0.2 * 0.15;
    softGlow(cr, 10, 14, 10 * t + 1, kWhite, 0.8 * (1 - t));
    if (scale > 0.02)
        brassStar(cr, 10, 14, 8.5 * std::min(scale, 1.12), (1 - t) * kPi, 1);
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawMapImage(const std::string& name)
{
    if (name == "map_background.jpg")
        return background();
    if (name == "map_buttonlevelset_textregular.png")
        return setLabel("Regular");
    if (name == "map_buttonlevelset_textadvanced.png")
        return setLabel("Advanced");
    if (name == "map_buttonlevelset_textkids.png")
        return setLabel("Kids");
    if (startsWith(name, "mapdotregular")) {
        const std::string rest = name.substr(13);
        Dot kind = Dot::Incomplete;
        if (startsWith(rest, "completed"))
            kind = Dot::Completed;
        else if (startsWith(rest, "lockedghosted"))
            kind = Dot::Ghosted;
        else if (startsWith(rest, "locked"))
            kind = Dot::Locked;
        if (startsWith(rest, "selectedpulse"))
            return selectedPulse(std::atoi(rest.c_str() + 13));
        if (startsWith(rest, "selectedshrink"))
            return selectedShrink(std::atoi(rest.c_str() + 14));
        const size_t shrink = rest.find("shrink");
        if (shrink != std::string::npos)
            return regularDot(kind, 1 - 0.25 * std::atoi(rest.c_str() + shrink + 6), false);
        if (rest.find("rollover") != std::string::npos)
            return regularDot(kind, 1, true);
        return regularDot(kind, 1, false);
    }
    if (startsWith(name, "mapdotstar")) {
        const std::string rest = name.substr(10);
        if (rest == "base.png")
            return starDot(1, 1, 0);
        if (rest == "ghosted.png")
            return starDot(1, 0.45, 0);
        if (startsWith(rest, "ghostedshrink"))
            return starDot(1 - 0.25 * std::atoi(rest.c_str() + 13), 0.45, 0);
        if (startsWith(rest, "shrink"))
            return starDot(1 - 0.25 * std::atoi(rest.c_str() + 6), 1, 0);
        if (startsWith(rest, "pulse")) {
            const int f = std::atoi(rest.c_str() + 5);
            return starDot(1 + 0.02 * f, 1, 0.15 * f);
        }
    }
    if (startsWith(name, "star_base"))
        return starBase(std::atoi(name.c_str() + 9));
    if (startsWith(name, "star_pulse"))
        return starPulse(std::atoi(name.c_str() + 10));
    if (startsWith(name, "star_appear"))
        return starAppear(std::atoi(name.c_str() + 11));
    return nullptr;
}

} // namespace ui
