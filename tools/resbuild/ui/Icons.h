// The power-up symbols shared by the play screen's inventory and the
// editor's palette.
#pragma once

#include <cairo.h>
#include <string>

namespace ui {

enum class Power { Crate, Barrel, Magnet, Emp, FrostGun, HeatGun, Bridge, Whistle, TeleportBlue, TeleportYellow, TeleportRed };

// Draws the symbol centred at (cx, cy), fitting a square of the given
// size; phase (0..1) turns the teleport swirl.
void drawPowerSymbol(cairo_t* cr, Power p, double cx, double cy, double size, double phase = 0);

} // namespace ui
