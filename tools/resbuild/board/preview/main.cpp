// Draws every board picture and writes one contact sheet per family
// ("<folder>/<family>.png"): one row per series, frames side by side on a
// checkerboard so transparency shows, with a red dot on each frame's cell
// corner when the anchor is known. Names that could not be drawn are
// listed and make the exit status 1.
#include "Art.h"
#include "board/BoardNames.h"

#include <chrono>
#include <cstdio>
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
    std::printf("drew %zu families in %.2f s\n", families.size(), secs);
    for (const auto& n : failed)
        std::printf("could not draw: %s\n", n.c_str());
    return failed.empty() ? 0 : 1;
}
