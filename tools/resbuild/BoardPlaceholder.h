// Stand-in pictures for board names that no board drawer provides yet: a
// plain shaded block of the family's size, standing on the family's anchor
// cell, with a marker that moves from frame to frame. Sizes and anchors come
// from data/board_placeholders.txt ("prefix width height anchorX anchorY",
// the longest matching prefix wins).
#pragma once

#include <cairo.h>
#include <string>
#include <vector>

namespace resbuild {

struct PlaceholderShape {
    std::string prefix;
    int width, height, anchorX, anchorY;
};

bool loadPlaceholderShapes(const std::string& path, std::vector<PlaceholderShape>& out, std::string& error);

// The shape for a name; grass and sand runs ("grass7.png", "sand3b.png")
// grow by 24 pixels per cell of the run.
PlaceholderShape placeholderShapeFor(const std::vector<PlaceholderShape>& shapes, const std::string& name);

cairo_surface_t* drawPlaceholder(const std::vector<PlaceholderShape>& shapes, const std::string& name);

} // namespace resbuild
