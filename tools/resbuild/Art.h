// Shared ground of every image the resource builder draws: the palette of
// the game's warm storybook look, the outline and shading conventions, and
// the two families of drawers.
//
// A drawer takes an image file name (exactly as the game loads it, for
// example "profrunleft3.tga") and returns a new CAIRO_FORMAT_ARGB32 surface
// for it, or nullptr when the name is not one of its own. The builder encodes
// the surface by the name's extension (PNG, TGA with alpha, or JPG).
#pragma once

#include <cairo.h>
#include <string>

namespace art {

struct Rgb {
    double r, g, b;
};

// Warm storybook palette: parchment and wood, brass and copper, soft greens
// and a deep ink for outlines.
constexpr Rgb kInk{0.16, 0.11, 0.09};        // outlines
constexpr Rgb kParchment{0.96, 0.90, 0.74};
constexpr Rgb kParchmentDark{0.84, 0.74, 0.54};
constexpr Rgb kWood{0.62, 0.40, 0.22};
constexpr Rgb kWoodDark{0.42, 0.26, 0.14};
constexpr Rgb kBrass{0.86, 0.68, 0.30};
constexpr Rgb kCopper{0.78, 0.45, 0.25};
constexpr Rgb kMetal{0.58, 0.62, 0.66};
constexpr Rgb kMetalDark{0.36, 0.40, 0.45};
constexpr Rgb kGrass{0.40, 0.64, 0.28};
constexpr Rgb kSand{0.90, 0.78, 0.50};
constexpr Rgb kIce{0.70, 0.88, 0.96};
constexpr Rgb kSky{0.55, 0.75, 0.90};
constexpr Rgb kRed{0.80, 0.24, 0.20};
constexpr Rgb kBlue{0.24, 0.42, 0.78};
constexpr Rgb kYellow{0.96, 0.80, 0.24};
constexpr Rgb kGlow{1.00, 0.86, 0.48};

// Outline width in pixels for board-sized pictures and for large pictures.
constexpr double kOutlineSmall = 1.2;
constexpr double kOutlineLarge = 2.5;

} // namespace art

// Interface pictures: screens, dialogs, widgets, parchments, HUD, map and
// main menu, backgrounds, pointers, label pictures.
cairo_surface_t* drawInterfaceImage(const std::string& name);

// Board pictures: professor, bot, crates, barrels, magnets, gates, buttons,
// trampolines, tubes, power-ups, teleports, gunshots, terrain, ladders,
// bridges, effects, tutorial marker.
cairo_surface_t* drawBoardImage(const std::string& name);
