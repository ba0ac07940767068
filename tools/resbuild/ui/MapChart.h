// The world map's chart ("map_background.jpg"): the sea, one island per
// level set with its road, and the scenery beside the roads, all from the
// map's layout tables.
#pragma once

#include <cairo.h>

namespace ui {

cairo_surface_t* drawMapChart();

} // namespace ui
