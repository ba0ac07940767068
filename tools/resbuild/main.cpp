// resbuild: draws and packs the game's pictures and compiles its string
// table.
//
//   resbuild images LIST OUT                   the image archive (resource2.dat)
//   resbuild strings SOURCE OUT                the string table (resource5.dat)
//   resbuild screens DIR                       resource0, 1, 7, 9, 10, 11 ".dat"
//   resbuild --contact-sheet DIR [LIST]
//                                              one PNG per image group, every
//                                              series as a row of frames
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "Art.h"
#include "Encode.h"
#include "ImageList.h"
#include "Screens.h"
#include "StringTable.h"
#include "engine/ResourceArchive.h"
#include "ui/Interface.h"

using namespace resbuild;

namespace {

struct Drawn {
    cairo_surface_t* surface = nullptr;
    Bytes encoded;
    std::string error;
};

// Every name is either an interface or a board picture; a name neither
// drawer knows gives nullptr and stops the build.
cairo_surface_t* drawImage(const std::string& name)
{
    if (ui::isInterfaceImage(name))
        return drawInterfaceImage(name);
    return drawBoardImage(name);
}

// Draws every entry on a few threads; keeps the surfaces when asked to.
std::vector<Drawn> drawAll(const std::vector<ImageEntry>& list, bool encode, bool keepSurfaces)
{
    std::vector<Drawn> out(list.size());
    std::atomic<size_t> next{0};
    auto work = [&]() {
        for (size_t i = next++; i < list.size(); i = next++) {
            Drawn& d = out[i];
            const std::string& name = list[i].name;
            cairo_surface_t* s = drawImage(name);
            if (!s || cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
                cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
                d.error = "no picture for " + name;
                if (s)
                    cairo_surface_destroy(s);
                continue;
            }
            if (encode && !encodeByName(name, s, d.encoded))
                d.error = "cannot encode " + name;
            if (keepSurfaces)
                d.surface = s;
            else
                cairo_surface_destroy(s);
        }
    };
    const unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(work);
    for (std::thread& t : pool)
        t.join();
    return out;
}

bool loadInputs(const std::string& listPath, std::vector<ImageEntry>& list)
{
    std::string error;
    if (!loadImageList(listPath, list, error)) {
        fprintf(stderr, "resbuild: %s\n", error.c_str());
        return false;
    }
    return true;
}

int buildImages(const std::string& listPath, const std::string& outPath)
{
    const auto start = std::chrono::steady_clock::now();
    std::vector<ImageEntry> list;
    if (!loadInputs(listPath, list))
        return 1;
    std::vector<Drawn> drawn = drawAll(list, true, false);
    ResourceArchiveWriter writer;
    size_t bytes = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (!drawn[i].error.empty()) {
            fprintf(stderr, "resbuild: %s\n", drawn[i].error.c_str());
            return 1;
        }
        bytes += drawn[i].encoded.size();
        writer.Add(list[i].name, drawn[i].encoded);
    }
    if (!writer.Write(outPath)) {
        fprintf(stderr, "resbuild: cannot write %s\n", outPath.c_str());
        return 1;
    }
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("resbuild: %zu pictures, %.1f MB, %.1f s\n", list.size(), bytes / 1048576.0, secs);
    return 0;
}

int buildStrings(const std::string& sourcePath, const std::string& outPath)
{
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in) {
        fprintf(stderr, "resbuild: cannot open %s\n", sourcePath.c_str());
        return 1;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    Bytes out;
    std::string error;
    if (!compileStringTable(ss.str(), out, error)) {
        fprintf(stderr, "resbuild: %s: %s\n", sourcePath.c_str(), error.c_str());
        return 1;
    }
    if (!writeFileBytes(outPath, out)) {
        fprintf(stderr, "resbuild: cannot write %s\n", outPath.c_str());
        return 1;
    }
    return 0;
}

// One sheet per group: each series is a row of its frames (scaled down to
// at most 160 pixels), on a checkerboard that shows transparency.
int buildContactSheets(const std::string& dir, const std::string& listPath)
{
    std::vector<ImageEntry> list;
    if (!loadInputs(listPath, list))
        return 1;
    mkdir(dir.c_str(), 0755);
    std::vector<Drawn> drawn = drawAll(list, false, true);

    std::vector<std::string> groups;
    std::map<std::string, std::vector<std::vector<size_t>>> rows;  // group -> series -> entries
    std::map<std::string, std::map<std::string, size_t>> seriesIndex;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string& g = list[i].group;
        if (!rows.count(g))
            groups.push_back(g);
        const std::string stem = seriesStem(list[i].name);
        auto& idx = seriesIndex[g];
        if (!idx.count(stem)) {
            idx[stem] = rows[g].size();
            rows[g].emplace_back();
        }
        rows[g][idx[stem]].push_back(i);
    }
    const double maxCell = 160, gap = 4, sheetWidth = 1800;
    int written = 0;
    for (const std::string& g : groups) {
        // Lay out first, then draw.
        struct Place { size_t entry; double x, y, scale; };
        std::vector<Place> places;
        double x = gap, y = gap, rowH = 0, width = 0;
        for (const auto& series : rows[g]) {
            for (size_t e : series) {
                if (!drawn[e].surface)
                    continue;
                const double w = cairo_image_surface_get_width(drawn[e].surface);
                const double h = cairo_image_surface_get_height(drawn[e].surface);
                const double scale = std::min(1.0, maxCell / std::max(w, h));
                if (x + w * scale > sheetWidth && x > gap) {
                    x = gap;
                    y += rowH + gap;
                    rowH = 0;
                }
                places.push_back({e, x, y, scale});
                x += w * scale + gap;
                width = std::max(width, x);
                rowH = std::max(rowH, h * scale);
            }
            x = gap;
            y += rowH + gap * 3;
            rowH = 0;
        }
        const int sw = static_cast<int>(std::ceil(std::max(width, 16.0)));
        const int sh = static_cast<int>(std::ceil(std::max(y, 16.0)));
        cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sw, sh);
        cairo_t* cr = cairo_create(sheet);
        for (int cy = 0; cy < sh; cy += 8)
            for (int cx = 0; cx < sw; cx += 8) {
                const double v = ((cx / 8 + cy / 8) % 2) ? 0.78 : 0.9;
                cairo_set_source_rgb(cr, v, v, v);
                cairo_rectangle(cr, cx, cy, 8, 8);
                cairo_fill(cr);
            }
        for (const Place& p : places) {
            cairo_save(cr);
            cairo_translate(cr, p.x, p.y);
            cairo_scale(cr, p.scale, p.scale);
            cairo_set_source_surface(cr, drawn[p.entry].surface, 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
        }
        cairo_destroy(cr);
        std::string file = g;
        std::replace(file.begin(), file.end(), ' ', '_');
        const std::string path = dir + "/" + file + ".png";
        if (cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS)
            ++written;
        cairo_surface_destroy(sheet);
    }
    for (Drawn& d : drawn)
        if (d.surface)
            cairo_surface_destroy(d.surface);
    printf("resbuild: %d contact sheets in %s\n", written, dir.c_str());
    return 0;
}

int usage()
{
    fprintf(stderr,
            "usage: resbuild images LIST OUT\n"
            "       resbuild strings SOURCE OUT\n"
            "       resbuild screens DIR\n"
            "       resbuild --contact-sheet DIR [LIST]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "images")
        return buildImages(args[1], args[2]);
    if (args.size() == 3 && args[0] == "strings")
        return buildStrings(args[1], args[2]);
    if (args.size() == 2 && args[0] == "screens") {
        std::string error;
        if (!writeScreenFiles(args[1], error)) {
            fprintf(stderr, "resbuild: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if ((args.size() == 2 || args.size() == 3) && args[0] == "--contact-sheet") {
        const std::string data = RESBUILD_DATA_DIR;
        return buildContactSheets(args[1], args.size() == 3 ? args[2] : data + "/images.txt");
    }
    return usage();
}
