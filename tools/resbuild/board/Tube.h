// The transport tube: a glass pipe standing on the cell with a brass foot
// ring and a cap, in 64 x 68 pictures anchored at (16, 39). The professor's
// tube ride is drawn between its back and its front.
#pragma once

#include <cairo.h>

namespace board {

constexpr int kTubeW = 64, kTubeH = 68, kTubeAx = 16, kTubeAy = 39;

// variant 0 entrance (copper), 1 exit (brass, with a lamp)
void drawTubeBack(cairo_t* cr, int variant);
void drawTubeFront(cairo_t* cr, int variant, double lamp);
// Clip to the inside of the glass.
void clipTubeInside(cairo_t* cr);

} // namespace board
