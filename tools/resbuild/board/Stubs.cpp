#include "board/Families.h"
namespace board {
cairo_surface_t* drawObjectImage(const std::string&) { return nullptr; }
cairo_surface_t* drawDeviceImage(const std::string&) { return nullptr; }
cairo_surface_t* drawTeleportImage(const std::string&) { return nullptr; }
cairo_surface_t* drawPowerupImage(const std::string&) { return nullptr; }
cairo_surface_t* drawTerrainImage(const std::string&) { return nullptr; }
cairo_surface_t* drawEffectImage(const std::string&) { return nullptr; }
}
