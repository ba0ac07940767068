// Contact sheets of the built-in levels: each level's board is built from
// its source on the real play screen (headless) and drawn by the game's own
// renderer with the game's pictures; the screen is shrunk to a quarter and
// placed on one sheet per set with the level's name, label and heading.
//
//   levelsheet --run DIR <source folder> <output folder>
//
// writes regular.png, advanced.png and kids.png into the output folder.
#include <cairo.h>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include <SDL.h>

#include "LevelRun.h"
#include "PackJobs.h"
#include "ReplayRunner.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace {

const int kScale = 4;
const int kThumbWidth = 800 / kScale;
const int kThumbHeight = 600 / kScale;
const int kCaption = 30;
const int kGap = 8;
const int kColumns = 10;
// Frames the board runs before it is drawn: the renderer has then drawn
// every sprite once.
const int kFramesBeforeShot = 3;

// The screen after a few frames of the level, shrunk by averaging each
// kScale x kScale block, into the sheet at (left, top).
void drawThumb(CLevel& level, unsigned char* sheet, int stride, int left, int top)
{
    levelpack::LevelRun run(level);
    for (int i = 0; i < kFramesBeforeShot; ++i)
        run.frame();
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen)
        return;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!rgb)
        return;
    SDL_BlitSurface(screen, nullptr, rgb, nullptr);
    SDL_LockSurface(rgb);
    for (int ty = 0; ty < kThumbHeight && ty * kScale < rgb->h; ++ty) {
        for (int tx = 0; tx < kThumbWidth && tx * kScale < rgb->w; ++tx) {
            unsigned sum[3] = {0, 0, 0};
            for (int dy = 0; dy < kScale; ++dy) {
                const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgb->pixels) +
                                                                   (ty * kScale + dy) * rgb->pitch);
                for (int dx = 0; dx < kScale; ++dx) {
                    Uint32 p = row[tx * kScale + dx];
                    sum[0] += (p >> 16) & 0xff;
                    sum[1] += (p >> 8) & 0xff;
                    sum[2] += p & 0xff;
                }
            }
            const unsigned n = kScale * kScale;
            uint32_t out = 0xff000000u | ((sum[0] / n) << 16) | ((sum[1] / n) << 8) | (sum[2] / n);
            memcpy(sheet + (top + ty) * stride + (left + tx) * 4, &out, 4);
        }
    }
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
}

bool writeSheet(const std::vector<levelpack::PackedLevel*>& levels, const std::string& path)
{
    int rows = (static_cast<int>(levels.size()) + kColumns - 1) / kColumns;
    int width = kGap + kColumns * (kThumbWidth + kGap);
    int height = kGap + rows * (kThumbHeight + kCaption + kGap);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
    cairo_paint(cr);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (size_t i = 0; i < levels.size(); ++i) {
        int left = kGap + static_cast<int>(i % kColumns) * (kThumbWidth + kGap);
        int top = kGap + static_cast<int>(i / kColumns) * (kThumbHeight + kCaption + kGap);
        drawThumb(levels[i]->level, data, stride, left, top);
    }
    cairo_surface_mark_dirty(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.9);
    for (size_t i = 0; i < levels.size(); ++i) {
        const levelpack::PackedLevel& packed = *levels[i];
        int left = kGap + static_cast<int>(i % kColumns) * (kThumbWidth + kGap);
        int top = kGap + static_cast<int>(i / kColumns) * (kThumbHeight + kCaption + kGap) + kThumbHeight;
        std::string first = packed.name + "  (" + levelpack::levelLabel(packed.set, packed.index) + ")";
        cairo_move_to(cr, left, top + 12);
        cairo_show_text(cr, first.c_str());
        cairo_move_to(cr, left, top + 26);
        cairo_show_text(cr, packed.level.GetHeadingText());
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    std::string runDir;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--run") && i + 1 < argc)
            runDir = argv[++i];
        else
            positional.push_back(levelpack::absolutePath(argv[i]));
    }
    if (runDir.empty() || positional.size() != 2) {
        fprintf(stderr, "usage: %s --run DIR <source folder> <output folder>\n", argv[0]);
        return 2;
    }
    std::vector<std::string> errors;
    auto levels = levelpack::readLevelSources(positional[0], false, errors);
    for (const std::string& e : errors)
        fprintf(stderr, "levelsheet: %s\n", e.c_str());

    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;
    replay::HeadlessGame game(false);
    const char* const files[] = {"regular.png", "advanced.png", "kids.png"};
    int failures = 0;
    for (int set = 0; set < 3; ++set) {
        std::vector<levelpack::PackedLevel*> mine;
        for (auto& packed : levels)
            if (packed->set == set)
                mine.push_back(packed.get());
        std::string path = positional[1] + "/" + files[set];
        if (writeSheet(mine, path)) {
            printf("levelsheet: %zu levels drawn into %s\n", mine.size(), path.c_str());
        } else {
            fprintf(stderr, "levelsheet: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
