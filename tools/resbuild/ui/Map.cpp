// The world map's pieces: the level-set labels, the level dots in their
// states and the stars of the tutorial levels (the chart itself is drawn in
// MapChart.cpp).
#include <cmath>
#include <cstdlib>

#include "ui/Interface.h"
#include "ui/MapChart.h"
#include "ui/Paint.h"

namespace ui {

namespace {

bool startsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

// A level-set label for the parchment buttons of the screens (186 x 29).
cairo_surface_t* setLabel(const std::string& text)
{
    cairo_surface_t* s = newSurface(186, 29);
    cairo_t* cr = cairo_create(s);
    drawText(cr, text, 0, 0, 186, 29, 16, art::kParchment, true, Align::Centre, art::kInk, 0.9);
    cairo_destroy(cr);
    return s;
}

// The mark of the set the map shows: a glowing brass frame over its button.
cairo_surface_t* currentSetFrame()
{
    cairo_surface_t* s = newSurface(186, 29);
    cairo_t* cr = cairo_create(s);
    roundedRect(cr, 1.5, 1.5, 183, 26, 10);
    setColor(cr, art::kGlow, 0.35);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    roundedRect(cr, 1.5, 1.5, 183, 26, 10);
    setColor(cr, art::kYellow);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    roundedRect(cr, 4, 4, 178, 21, 8);
    setColor(cr, kWhite, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// Level dots, 18 x 18 around their centre (9, 9): an open level is a large
// bright copper dot, a finished one a green dot with a tick, a locked one a
// small grey stone with a padlock.
enum class Dot { Completed, Incomplete, Locked, Ghosted };

void padlock(cairo_t* cr, double cx, double cy, double s, Rgb colour, double alpha)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy - 1.2 * s, 1.5 * s, kPi, 2 * kPi);
    setColor(cr, colour, alpha);
    cairo_set_line_width(cr, 0.9 * s);
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - 2.1 * s, cy - 1.2 * s, 4.2 * s, 3.4 * s);
    setColor(cr, colour, alpha);
    cairo_fill(cr);
}

void tick(cairo_t* cr, double cx, double cy, double s, Rgb colour, double width)
{
    cairo_move_to(cr, cx - 3.4 * s, cy + 0.2 * s);
    cairo_line_to(cr, cx - 1 * s, cy + 2.8 * s);
    cairo_line_to(cr, cx + 3.6 * s, cy - 3 * s);
    setColor(cr, colour);
    cairo_set_line_width(cr, width * s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void dotShape(cairo_t* cr, Dot kind, double scale, bool rollover)
{
    const double cx = 9, cy = 9;
    double radius = 8, alpha = 1;
    Rgb top = art::kYellow, bottom = art::kCopper;
    if (kind == Dot::Completed) {
        radius = 7;
        top = lighter(art::kGrass, 0.35);
        bottom = darker(art::kGrass, 0.3);
    } else if (kind == Dot::Locked || kind == Dot::Ghosted) {
        // Quiet: the way ahead, not a thing to press yet.
        radius = 5.5;
        top = lighter(art::kMetal, 0.55);
        bottom = lighter(art::kMetal, 0.1);
        alpha = kind == Dot::Ghosted ? 0.4 : 0.9;
    }
    const double r = radius * scale;
    if (r < 0.5)
        return;
    if (rollover) {
        softGlow(cr, cx, cy, 9, art::kGlow, 0.95);
        top = lighter(top, 0.3);
        bottom = lighter(bottom, 0.2);
    } else if (kind == Dot::Incomplete) {
        softGlow(cr, cx, cy, 9 * scale, art::kGlow, 0.5);
    }
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    fillVertical(cr, top, bottom, cy - r, cy + r, alpha);
    setColor(cr, art::kInk, alpha * (kind == Dot::Locked || kind == Dot::Ghosted ? 0.45 : 1));
    cairo_set_line_width(cr, 1.3 * std::max(scale, 0.5));
    cairo_stroke(cr);
    softGlow(cr, cx - r * 0.35, cy - r * 0.4, r * 0.45, kWhite, 0.7 * alpha);
    if (scale < 0.6)
        return;
    if (kind == Dot::Completed)
        tick(cr, cx, cy, scale, kWhite, 1.9);
    else if (kind == Dot::Incomplete) {
        cairo_arc(cr, cx, cy, r * 0.55, 0, 2 * kPi);
        setColor(cr, kWhite, 0.7);
        cairo_set_line_width(cr, 1.2 * scale);
        cairo_stroke(cr);
    } else
        padlock(cr, cx, cy + 0.6, 0.75 * scale, art::kMetalDark, 0.8 * alpha);
}

cairo_surface_t* regularDot(Dot kind, double scale, bool rollover)
{
    cairo_surface_t* s = newSurface(18, 18);
    cairo_t* cr = cairo_create(s);
    dotShape(cr, kind, scale, rollover);
    cairo_destroy(cr);
    return s;
}

// The ring of the selected dot breathes in and out over six frames. Its
// middle stays clear: the map shows the level's own dot beneath it.
cairo_surface_t* selectedPulse(int frame)
{
    cairo_surface_t* s = newSurface(18, 18);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 5.0;
    const double r = 7.4 + 1.2 * t;
    cairo_arc(cr, 9, 9, r, 0, 2 * kPi);
    setColor(cr, art::kGlow, 0.55);
    cairo_set_line_width(cr, 3.4 - 1.2 * t);
    cairo_stroke(cr);
    cairo_arc(cr, 9, 9, r, 0, 2 * kPi);
    setColor(cr, mix(art::kYellow, kWhite, 0.5 * t));
    cairo_set_line_width(cr, 1.8 - 0.5 * t);
    cairo_stroke(cr);
    cairo_arc(cr, 9, 9, r + 1.3, 0, 2 * kPi);
    setColor(cr, art::kInk, 0.55);
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

// The glow the map lays under the selected level (44 x 44): a warm light
// with a bright ring, so the level to play is the first thing one sees.
cairo_surface_t* selectedHalo()
{
    cairo_surface_t* s = newSurface(44, 44);
    cairo_t* cr = cairo_create(s);
    softGlow(cr, 22, 22, 22, mix(art::kGlow, art::kCopper, 0.25), 1.0);
    softGlow(cr, 22, 22, 15, art::kGlow, 0.9);
    cairo_arc(cr, 22, 22, 15.5, 0, 2 * kPi);
    setColor(cr, art::kInk, 0.35);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    cairo_arc(cr, 22, 22, 15.5, 0, 2 * kPi);
    setColor(cr, art::kYellow);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// Tutorial stars. The map lays a star in the level's state under each
// tutorial dot (22 x 22 around (11, 11)): brass for an open level, green
// with a tick for a finished one, a small grey one for a locked one.
enum class Star { Open, Completed, Locked };

void starShape(cairo_t* cr, double cx, double cy, double r, Star kind, double alpha)
{
    Rgb top = lighter(art::kYellow, 0.35), bottom = art::kCopper;
    if (kind == Star::Completed) {
        top = lighter(art::kGrass, 0.4);
        bottom = darker(art::kGrass, 0.3);
    } else if (kind == Star::Locked) {
        top = lighter(art::kMetal, 0.55);
        bottom = lighter(art::kMetal, 0.1);
    }
    starPath(cr, cx, cy + 0.5, r, r * 0.5, 0);
    fillVertical(cr, top, bottom, cy - r, cy + r, alpha);
    setColor(cr, art::kInk, alpha * (kind == Star::Locked ? 0.45 : 1));
    cairo_set_line_width(cr, std::max(0.8, r / 8));
    cairo_stroke(cr);
    if (kind == Star::Completed)
        tick(cr, cx, cy + 1, 0.8 * r / 10, kWhite, 1.8);
    else if (kind == Star::Locked)
        padlock(cr, cx, cy + 1.5, 0.6 * r / 8, art::kMetalDark, 0.8 * alpha);
    else
        softGlow(cr, cx - r * 0.25, cy - r * 0.3, r * 0.35, kWhite, 0.8 * alpha);
}

cairo_surface_t* starDot(Star kind, double scale, double alpha, double glow)
{
    cairo_surface_t* s = newSurface(22, 22);
    cairo_t* cr = cairo_create(s);
    if (glow > 0)
        softGlow(cr, 11, 11, 11, art::kGlow, glow);
    const double r = (kind == Star::Locked ? 8.5 : 10) * scale;
    if (r > 0.5)
        starShape(cr, 11, 11, r, kind, alpha);
    cairo_destroy(cr);
    return s;
}

// The strips of the tutorial dot itself stand above and left of the dot's
// place (the star strips 20 x 42, the pulse 28 x 42), with the star's
// centre at (10, 14) and (14, 14): that is the middle of the dot's hit box.
const int kStarStripHeight = 42;
const double kStarY = 14;

// The base: a glint that runs once round the star beneath in the 60
// frames, brightest as it crosses the top.
cairo_surface_t* starBase(int frame)
{
    cairo_surface_t* s = newSurface(20, kStarStripHeight);
    cairo_t* cr = cairo_create(s);
    const double a = -kPi / 2 + 2 * kPi * frame / 60.0;
    const double x = 10 + 6 * std::cos(a), y = kStarY + 6 * std::sin(a);
    const double bright = 0.35 + 0.45 * (0.5 - 0.5 * std::sin(a));
    const double size = 1.5 + 1.5 * bright;
    softGlow(cr, x, y, size + 1.5, kWhite, bright);
    cairo_move_to(cr, x - size, y);
    cairo_line_to(cr, x + size, y);
    cairo_move_to(cr, x, y - size);
    cairo_line_to(cr, x, y + size);
    setColor(cr, kWhite, bright);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// Under the pointer and while selected: a breathing golden outline around
// the star.
cairo_surface_t* starPulse(int frame)
{
    cairo_surface_t* s = newSurface(28, kStarStripHeight);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 60.0;
    const double p = 0.5 + 0.5 * std::sin(t * 2 * kPi * 2);
    softGlow(cr, 14, kStarY, 13, art::kGlow, 0.35 + 0.35 * p);
    // The outline sways a little as it breathes.
    starPath(cr, 14, kStarY + 0.5, 12 + 1.2 * p, 6 + 0.6 * p, 0.08 * std::sin(t * 2 * kPi + 0.5));
    setColor(cr, art::kYellow, 0.75 + 0.25 * p);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// A burst of sparks that opens from the star when it appears.
cairo_surface_t* starAppear(int frame)
{
    cairo_surface_t* s = newSurface(20, kStarStripHeight);
    cairo_t* cr = cairo_create(s);
    const double t = frame / 13.0;
    for (int k = 0; k < 5; ++k) {
        const double a = -kPi / 2 + k * 2 * kPi / 5 + 0.3 * t;
        const double d = 3 + 6 * t;
        cairo_arc(cr, 10 + d * std::cos(a), kStarY + d * std::sin(a), 1.8 * (1 - 0.6 * t), 0, 2 * kPi);
        setColor(cr, art::kGlow, 1 - 0.75 * t);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return s;
}

} // namespace

cairo_surface_t* drawMapImage(const std::string& name)
{
    if (name == "map_background.jpg")
        return drawMapChart();
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
    if (name == "map_buttonlevelset_current.png")
        return currentSetFrame();
    if (name == "map_selectedhalo.png")
        return selectedHalo();
    if (startsWith(name, "mapdotstar")) {
        const std::string rest = name.substr(10);
        if (rest == "base.png")
            return starDot(Star::Open, 1, 1, 0);
        if (rest == "completed.png")
            return starDot(Star::Completed, 1, 1, 0);
        if (rest == "ghosted.png")
            return starDot(Star::Locked, 1, 0.8, 0);
        if (startsWith(rest, "ghostedshrink"))
            return starDot(Star::Locked, 1 - 0.25 * std::atoi(rest.c_str() + 13), 0.8, 0);
        if (startsWith(rest, "shrink"))
            return starDot(Star::Open, 1 - 0.25 * std::atoi(rest.c_str() + 6), 1, 0);
        if (startsWith(rest, "pulse")) {
            const int f = std::atoi(rest.c_str() + 5);
            return starDot(Star::Open, 1 + 0.02 * f, 1, 0.15 * f);
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
