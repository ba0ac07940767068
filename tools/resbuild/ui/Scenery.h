// Larger painted pieces reused by several pictures: the professor, his
// copper lantern, rolling hills, gears and the volcano island.
#pragma once

#include <cairo.h>

#include "ui/Paint.h"

namespace ui {

struct Face {
    double blink = 0;   // 0 open .. 1 shut
    double mouth = 0;   // 0 closed .. 1 wide open
    double brow = 0;    // -1 frown .. 1 raised
    double look = 0;    // -1 left .. 1 right
};

// The professor's head under his top hat, the face centred on (cx, cy);
// about 100 * s pixels across, from 88 * s above the centre (the hat's top)
// to 60 * s below it (the beard).
void drawProfessorHead(cairo_t* cr, double cx, double cy, double s, const Face& face);
// Coat, waistcoat and bow tie; the collar's centre at (cx, top), about
// 150 * s wide and 190 * s high.
void drawProfessorBody(cairo_t* cr, double cx, double top, double s);
// A sleeve from the shoulder (sx, sy) at an angle (radians, 0 = straight
// down, positive swings outward to the right), length 90 * s, ending in a
// hand.
void drawProfessorArm(cairo_t* cr, double sx, double sy, double s, double angle, bool holdsLantern, double glow);
// The copper lantern hanging from its ring at (cx, top), about 60 * s high.
void drawLantern(cairo_t* cr, double cx, double top, double s, double glow);
// A band of hills across the full width from baseY down to the bottom.
void drawHills(cairo_t* cr, double width, double bottom, double baseY, double amp, double wave, double phase,
               Rgb top, Rgb low, bool outline = true);
void drawGear(cairo_t* cr, double cx, double cy, double r, int teeth, Rgb colour, double angle, double alpha = 1.0);
// The volcano cone; crater centre at (cx, topY), foot width w, height h.
void drawVolcano(cairo_t* cr, double cx, double topY, double w, double h);

} // namespace ui
