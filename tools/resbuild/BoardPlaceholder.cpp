#include "BoardPlaceholder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Art.h"
#include "ImageList.h"

namespace resbuild {

bool loadPlaceholderShapes(const std::string& path, std::vector<PlaceholderShape>& out, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        PlaceholderShape s;
        if (!(fields >> s.prefix >> s.width >> s.height >> s.anchorX >> s.anchorY) || s.width <= 0 || s.height <= 0) {
            error = path + ": bad line " + std::to_string(lineNo);
            return false;
        }
        out.push_back(s);
    }
    return true;
}

PlaceholderShape placeholderShapeFor(const std::vector<PlaceholderShape>& shapes, const std::string& name)
{
    PlaceholderShape best{"", 48, 48, 12, 12};
    for (const PlaceholderShape& s : shapes)
        if (name.compare(0, s.prefix.size(), s.prefix) == 0 && s.prefix.size() > best.prefix.size())
            best = s;
    // Terrain runs: "grass12.png" covers 12 cells, "grass3b.png" 3.
    for (const char* run : {"grass", "sand"}) {
        const std::string p = run;
        if (name.compare(0, p.size(), p) == 0 && name.size() > p.size() && std::isdigit(static_cast<unsigned char>(name[p.size()]))) {
            const int cells = std::atoi(name.c_str() + p.size());
            best.width += 24 * (cells - 1);
        }
    }
    return best;
}

cairo_surface_t* drawPlaceholder(const std::vector<PlaceholderShape>& shapes, const std::string& name)
{
    const PlaceholderShape s = placeholderShapeFor(shapes, name);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s.width, s.height);
    cairo_t* cr = cairo_create(surface);

    // A colour per family, so neighbouring families differ on the board.
    unsigned hash = 2166136261u;
    for (char c : s.prefix)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const double hue = (hash % 360) / 360.0;
    const double r = 0.55 + 0.3 * std::sin(6.2832 * hue);
    const double g = 0.55 + 0.3 * std::sin(6.2832 * (hue + 0.33));
    const double b = 0.55 + 0.3 * std::sin(6.2832 * (hue + 0.66));

    // The block fills the anchor cell and reaches up to the image's top.
    const double x0 = std::max(1, s.anchorX - 2), x1 = std::min(s.width - 1, s.anchorX + 26);
    const double y0 = 1, y1 = std::min(s.height - 1, s.anchorY + 24);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(shade, 0, r + 0.15, g + 0.15, b + 0.15, 0.85);
    cairo_pattern_add_color_stop_rgba(shade, 1, r * 0.6, g * 0.6, b * 0.6, 0.85);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    cairo_set_source_rgb(cr, art::kInk.r, art::kInk.g, art::kInk.b);
    cairo_set_line_width(cr, art::kOutlineSmall);
    cairo_stroke(cr);

    // A marker that turns with the frame number.
    const int frame = std::max(0, frameNumber(name));
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double rad = std::min(x1 - x0, y1 - y0) / 3;
    const double angle = frame * 0.7;
    cairo_arc(cr, cx + rad * std::cos(angle), cy + rad * std::sin(angle), 3, 0, 6.2832);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, art::kInk.r, art::kInk.g, art::kInk.b);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    cairo_destroy(cr);
    return surface;
}

} // namespace resbuild
