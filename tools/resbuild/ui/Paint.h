// Drawing helpers shared by the interface pictures: colours, shaded shapes,
// parchment, buttons, glows and text in the game's font.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>

#include "Art.h"

namespace ui {

using art::Rgb;

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kWhite{1, 1, 1};
constexpr Rgb kBlack{0, 0, 0};
// The colour of interface text: a deep blue ink.
constexpr Rgb kTextInk{24 / 255.0, 34 / 255.0, 83 / 255.0};

// A fresh transparent ARGB32 surface.
cairo_surface_t* newSurface(int width, int height);

Rgb mix(Rgb a, Rgb b, double t);
inline Rgb lighter(Rgb c, double t) { return mix(c, kWhite, t); }
inline Rgb darker(Rgb c, double t) { return mix(c, kBlack, t); }

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills the current path with a vertical gradient from top to bottom colour.
void fillVertical(cairo_t* cr, Rgb top, Rgb bottom, double y0, double y1, double alpha = 1.0, bool preserve = true);
// Strokes the current path with the ink colour.
void strokeInk(cairo_t* cr, double width, bool preserve = false);
// A soft radial light that fades to nothing at radius r.
void softGlow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha);
// A highlight line along the top inside of a rounded rectangle.
void topHighlight(cairo_t* cr, double x, double y, double w, double h, double r, double alpha);

// Deterministic noise, so every build draws the same pictures.
class Rand {
public:
    explicit Rand(uint32_t seed) : m_state(seed * 2654435761u + 12345u) { next(); }
    double next();                    // 0 .. 1
    double range(double a, double b) { return a + (b - a) * next(); }

private:
    uint32_t m_state;
};
uint32_t hashName(const std::string& s);

// Aged paper with a ragged edge, darker rim and a few stains.
void drawParchment(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, Rgb tint = art::kParchment);
// A rounded, shaded and outlined panel.
void drawPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base);
// A button face: 0 at rest, 1 under the mouse (brighter, glowing rim),
// 2 pressed (darker, sunk), 3 shadow only (a soft dark blot).
void drawButtonFace(cairo_t* cr, double x, double y, double w, double h, Rgb base, int look);

enum class Align { Left, Centre, Right };
// Draws one line of text in "DejaVu Sans" inside the box, vertically
// centred, shrinking the size until it fits the width. An outline colour
// with alpha > 0 draws a halo first. Returns the size used.
double drawText(cairo_t* cr, const std::string& text, double x, double y, double w, double h, double size,
                Rgb colour, bool bold, Align align = Align::Centre, Rgb halo = kWhite, double haloAlpha = 0.0);
double textWidth(cairo_t* cr, const std::string& text, double size, bool bold);

// A cloud of overlapping puffs filling the box, lit from above.
void drawCloud(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double alpha = 1.0);
// A five-pointed star path centred at (cx, cy).
void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, double rotation);

} // namespace ui
