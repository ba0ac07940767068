// The board drawers, one per group of families. Each returns a new
// ARGB32 surface for a name of its own, or nullptr.
#pragma once

#include <cairo.h>
#include <string>

namespace board {

cairo_surface_t* drawProfessorImage(const std::string& name);
cairo_surface_t* drawBotImage(const std::string& name);
cairo_surface_t* drawObjectImage(const std::string& name);  // crates, barrels, magnets
cairo_surface_t* drawDeviceImage(const std::string& name);  // gates, buttons, trampolines, tubes
cairo_surface_t* drawTeleportImage(const std::string& name);
cairo_surface_t* drawPowerupImage(const std::string& name);
cairo_surface_t* drawTerrainImage(const std::string& name); // terrain, bridges, ladders
cairo_surface_t* drawEffectImage(const std::string& name);  // effects, gunshots, tutorial marker

} // namespace board
