// Draws every board picture and writes one contact sheet per family
// ("<folder>/<family>.png"): one row per series, frames side by side on a
// checkerboard so transparency shows, with a red dot on each frame's cell
// corner when the anchor is known. Names that could not be drawn are
// listed and make the exit status 1.
#include "Art.h"
#include "board/BoardNames.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Drawn {
    std::string name;
    cairo_surface_t* s;
};

void checker(cairo_t* cr, int w, int h) {
    for (int y = 0; y < h; y += 8)
        for (int x = 0; x < w; x += 8) {
            double v = ((x / 8 + y / 8) % 2) ? 0.80 : 0.88;
            cairo_set_source_rgb(cr, v, v * 0.97, v * 0.92);
            cairo_rectangle(cr, x, y, 8, 8);
            cairo_fill(cr);
        }
}

// A small board scene built from the pictures and their anchors, to check
// by eye that walkers stand on the ground and pieces line up with cells.
void writeScene(const std::string& path) {
    struct Put {
        const char* name;
        int ax, ay, cx, cy;
    };
    const Put puts[] = {
        {"grass14.png", 2, 6, 0, 7},           {"sand3.png", 2, 6, 9, 3},
        {"ice1.png", 2, 6, 12, 3},             {"ladderbottom.tga", 4, 6, 8, 6},
        {"laddermiddle.tga", 4, 6, 8, 5},      {"laddermiddle.tga", 4, 6, 8, 4},
        {"laddertop.tga", 4, 6, 8, 3},         {"bridgeA0.png", 4, 6, 13, 3},
        {"gatebackclose0.tga", 6, 28, 6, 6},   {"teleport_frameback.png", 8, 36, 10, 6},
        {"teleport_spiralblue5.png", 8, 36, 10, 6}, {"teleport_frameblue4.png", 8, 36, 10, 6},
        {"buttonred0.tga", 4, 4, 1, 6},        {"trampoline0.tga", 8, 12, 9, 6},
        {"tubeexit0.png", 16, 39, 12, 6},      {"cratestill0.tga", 6, 12, 4, 6},
        {"metalcratestill0.tga", 6, 12, 4, 5}, {"barrel0.tga", 6, 12, 5, 6},
        {"magnetleftstill0.tga", 6, 12, 10, 2}, {"profstandright0.tga", 11, 35, 2, 6},
        {"botstandleft.png", 14, 20, 7, 6},    {"gatefrontclose0.tga", 6, 28, 6, 6},
        {"powerupcrate3.tga", 8, 10, 3, 2},    {"qmarkrotate0.tga", 4, 12, 1, 2},
        {"profclimbup1.tga", 21, 25, 8, 4},    {"botstandright.png", 18, 19, 11, 2},
    };
    const int ox = 20, oy = 30;
    cairo_surface_t* scene = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 15 * 24 + 2 * ox, 9 * 24 + oy + 10);
    cairo_t* cr = cairo_create(scene);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 9 * 24);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.62, 0.80, 0.92);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.95, 0.90, 0.76);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.08);
    for (int x = 0; x <= 15; ++x)
        cairo_rectangle(cr, ox + 24 * x, oy, 1, 9 * 24);
    for (int y = 0; y <= 9; ++y)
        cairo_rectangle(cr, ox, oy + 24 * y, 15 * 24, 1);
    cairo_fill(cr);
    for (const Put& p : puts) {
        cairo_surface_t* s = drawBoardImage(p.name);
        if (!s)
            continue;
        cairo_set_source_surface(cr, s, ox + 24 * p.cx - p.ax, oy + 24 * p.cy - p.ay);
        cairo_paint(cr);
        cairo_surface_destroy(s);
    }
    cairo_destroy(cr);
    cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(scene) * 2,
                                                      cairo_image_surface_get_height(scene) * 2);
    cr = cairo_create(big);
    cairo_scale(cr, 2, 2);
    cairo_set_source_surface(cr, scene, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(big, path.c_str());
    cairo_surface_destroy(big);
    cairo_surface_destroy(scene);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: board_preview <output folder> [family [series,series...]] | --list\n");
        return 2;
    }
    const std::string out = argv[1];
    if (out == "--list") {
        for (const auto& n : boardImageNames())
            std::printf("%s\n", n.c_str());
        return 0;
    }
    const std::string only = argc > 2 ? argv[2] : "";
    const std::string labels = argc > 3 ? argv[3] : ""; // comma-separated series labels
    std::map<std::string, std::vector<std::vector<Drawn>>> families;
    std::vector<std::string> failed;
    auto t0 = std::chrono::steady_clock::now();
    for (const auto& series : board::boardSeries()) {
        if (!only.empty() && series.family != only)
            continue;
        if (!labels.empty() && ("," + labels + ",").find("," + series.label + ",") == std::string::npos)
            continue;
        std::vector<Drawn> row;
        for (const auto& name : series.frames) {
            cairo_surface_t* s = drawBoardImage(name);
            if (!s || cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
                failed.push_back(name);
                if (s)
                    cairo_surface_destroy(s);
                continue;
            }
            row.push_back({name, s});
        }
        // Neighbouring frames that are the same picture make an animation stall.
        for (size_t i = 1; i < row.size(); ++i) {
            cairo_surface_t* a = row[i - 1].s;
            cairo_surface_t* b = row[i].s;
            cairo_surface_flush(a);
            cairo_surface_flush(b);
            if (cairo_image_surface_get_width(a) == cairo_image_surface_get_width(b) &&
                cairo_image_surface_get_height(a) == cairo_image_surface_get_height(b) &&
                std::memcmp(cairo_image_surface_get_data(a), cairo_image_surface_get_data(b),
                            size_t(cairo_image_surface_get_stride(a)) * cairo_image_surface_get_height(a)) == 0)
                std::printf("same picture: %s and %s\n", row[i - 1].name.c_str(), row[i].name.c_str());
        }
        families[series.family].push_back(row);
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    for (auto& [family, rows] : families) {
        // Rows wrap after 1600 pixels.
        const int maxW = 1600, gap = 2, scale = 2;
        int sheetW = 0, sheetH = 0;
        std::vector<std::vector<std::vector<Drawn>>> lines;
        for (auto& row : rows) {
            std::vector<std::vector<Drawn>> wrapped(1);
            int x = 0, lineH = 0, rowH = 0;
            for (auto& d : row) {
                int w = cairo_image_surface_get_width(d.s) * scale, h = cairo_image_surface_get_height(d.s) * scale;
                if (x + w > maxW && x > 0) {
                    wrapped.emplace_back();
                    rowH += lineH + gap;
                    x = 0;
                    lineH = 0;
                }
                wrapped.back().push_back(d);
                x += w + gap;
                lineH = std::max(lineH, h);
                sheetW = std::max(sheetW, x);
            }
            rowH += lineH + 6;
            sheetH += rowH;
            lines.push_back(wrapped);
        }
        sheetW = std::max(sheetW, 16);
        sheetH = std::max(sheetH, 16);
        cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheetW, sheetH);
        cairo_t* cr = cairo_create(sheet);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.32);
        cairo_paint(cr);
        int y = 0;
        for (auto& wrapped : lines) {
            for (auto& line : wrapped) {
                int x = 0, lineH = 0;
                for (auto& d : line) {
                    int w = cairo_image_surface_get_width(d.s), h = cairo_image_surface_get_height(d.s);
                    cairo_save(cr);
                    cairo_translate(cr, x, y);
                    cairo_scale(cr, scale, scale);
                    checker(cr, w, h);
                    cairo_set_source_surface(cr, d.s, 0, 0);
                    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
                    cairo_paint(cr);
                    cairo_restore(cr);
                    x += w * scale + gap;
                    lineH = std::max(lineH, h * scale);
                }
                y += lineH + gap;
            }
            y += 4;
        }
        cairo_destroy(cr);
        std::string path = out + "/" + family + (labels.empty() ? "" : "_part") + ".png";
        if (cairo_surface_write_to_png(sheet, path.c_str()) != CAIRO_STATUS_SUCCESS)
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
        cairo_surface_destroy(sheet);
        for (auto& row : rows)
            for (auto& d : row)
                cairo_surface_destroy(d.s);
    }
    if (only.empty())
        writeScene(out + "/scene.png");
    std::printf("drew %zu families in %.2f s\n", families.size(), secs);
    for (const auto& n : failed)
        std::printf("could not draw: %s\n", n.c_str());
    return failed.empty() ? 0 : 1;
}
