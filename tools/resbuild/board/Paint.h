// Small painting helpers shared by the board drawers: canvases, shaded
// fills with ink outlines, limbs, glows and whole-picture tints (frozen,
// heated), all in the warm storybook palette of Art.h.
#pragma once

#include "Art.h"

#include <cairo.h>
#include <cmath>
#include <string>

namespace board {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTau = 2 * kPi;

// Picture size and anchor (the pixel that stands on the cell's top-left
// corner) of a board sprite.
struct Frame {
    int w, h;   // pixel size
    int ax, ay; // anchor
};

// Transparent ARGB32 surface.
cairo_surface_t* newCanvas(int w, int h);

// Parses "<prefix><number><suffix>"; true and n set when name has that shape.
bool parseNumbered(const std::string& name, const std::string& prefix, const std::string& suffix, int& n);
bool startsWith(const std::string& s, const std::string& p);
bool contains(const std::string& s, const std::string& p);

// Deterministic scatter in 0..1 for shards, sparks and puffs: the same
// arguments always give the same value, so pictures are reproducible.
double hashf(int a, int b);

// The device colour a name carries: "red", "yellow", otherwise blue.
art::Rgb colourOf(const std::string& name);

art::Rgb mix(art::Rgb a, art::Rgb b, double t);
art::Rgb lighter(art::Rgb c, double t = 0.35);
art::Rgb darker(art::Rgb c, double t = 0.35);
void setColor(cairo_t* cr, art::Rgb c, double alpha = 1.0);

// Fills the current path with a top-light, bottom-dark gradient spanning
// y0..y1 and strokes it with ink; the path is consumed.
void shade(cairo_t* cr, art::Rgb base, double y0, double y1, double lineWidth = art::kOutlineSmall);
// Same with a radial light spot at (lx, ly).
void shadeRound(cairo_t* cr, art::Rgb base, double cx, double cy, double r, double lineWidth = art::kOutlineSmall);
// Fills with a flat colour and strokes with ink.
void fillInk(cairo_t* cr, art::Rgb base, double lineWidth = art::kOutlineSmall);

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// A thick rounded stroke from (x0,y0) to (x1,y1) with an ink rim.
void limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, art::Rgb c);
// Two-segment limb through a joint.
void limb2(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double width,
           art::Rgb c);

// Soft radial glow.
void glow(cairo_t* cr, double cx, double cy, double r, art::Rgb c, double alpha);

// Recolours everything already drawn (keeps alpha): amount 0..1 of colour c.
void tint(cairo_t* cr, art::Rgb c, double amount);
// Ice look on what is drawn: blue tint, frosty rim and glints.
void frostOver(cairo_t* cr, int w, int h);
// Hot look: orange-red tint of the given strength (0..1) with a glow.
void heatOver(cairo_t* cr, double strength);

// Small four-point sparkle.
void sparkle(cairo_t* cr, double x, double y, double r, art::Rgb c, double alpha = 1.0);

// Dizzy stars circling around (cx, cy), phase in radians.
void dizzyStars(cairo_t* cr, double cx, double cy, double rx, double phase);

// Centered label in a bold storybook font.
void label(cairo_t* cr, const std::string& text, double cx, double cy, double size, art::Rgb fill,
           double alpha = 1.0);

} // namespace board
