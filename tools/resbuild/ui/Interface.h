// Which image names are interface pictures, and the drawers behind
// drawInterfaceImage (one per screen area). Each returns nullptr for a name
// that is not its own.
#pragma once

#include <cairo.h>
#include <string>

namespace ui {

// True for the names drawInterfaceImage draws: menus, map, dialogs, widgets,
// parchments, HUD, counter, backgrounds, pointers and editor palette icons.
bool isInterfaceImage(const std::string& name);

cairo_surface_t* drawMainMenuImage(const std::string& name);
cairo_surface_t* drawMapImage(const std::string& name);
cairo_surface_t* drawDialogImage(const std::string& name);
cairo_surface_t* drawHudImage(const std::string& name);
cairo_surface_t* drawBackgroundImage(const std::string& name);

} // namespace ui
