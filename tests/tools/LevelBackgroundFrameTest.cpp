// The level backgrounds of the built image archive carry a darker frame of
// the same width on all four sides of the screen. Measured on the pictures:
// going inward from each edge, the frame ends where the brightness, averaged
// along that side, rises the most.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/ResourceArchive.h"
#include "test_support.h"

namespace {

const int kBackgrounds = 8;
// How far in from an edge a frame is looked for, and how much of each end of
// a side is left out (the corners, the power-up bar, the step counter).
const int kSearch = 40;
const int kEndsLeftOut = 90;

struct Frame {
    int left = -1, right = -1, top = -1, bottom = -1;
};

// Mean brightness (0..765) of the pixels at distance d from one edge.
double lineBrightness(SDL_Surface* s, int side, int d)
{
    const bool vertical = side == 0 || side == 1; // a column (left, right) or a row
    const int length = vertical ? s->h : s->w;
    double sum = 0;
    int n = 0;
    for (int i = kEndsLeftOut; i < length - kEndsLeftOut; ++i) {
        int x = 0, y = 0;
        switch (side) {
        case 0: x = d; y = i; break;
        case 1: x = s->w - 1 - d; y = i; break;
        case 2: x = i; y = d; break;
        default: x = i; y = s->h - 1 - d; break;
        }
        const Uint32 p = *reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4);
        Uint8 r, g, b;
        SDL_GetRGB(p, s->format, &r, &g, &b);
        sum += r + g + b;
        ++n;
    }
    return sum / n;
}

// The distance from the edge of the first line inside the frame.
int frameWidth(SDL_Surface* s, int side)
{
    int best = 0;
    double bestRise = 0;
    double previous = lineBrightness(s, side, 0);
    for (int d = 1; d <= kSearch; ++d) {
        const double here = lineBrightness(s, side, d);
        if (here - previous > bestRise) {
            bestRise = here - previous;
            best = d;
        }
        previous = here;
    }
    return best;
}

std::vector<std::pair<std::string, Frame>> measureBackgrounds(std::string& error)
{
    std::vector<std::pair<std::string, Frame>> frames;
    ResourceArchiveReader reader;
    const std::string path = testsupport::runDir() + "/resource2.dat";
    if (!reader.Open(path.c_str())) {
        error = "cannot open " + path;
        return frames;
    }
    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < reader.Count(); ++i) {
        if (!reader.ReadEntryName(i, name) || name.rfind("background", 0) != 0)
            continue;
        if (!reader.ReadEntry(i, name, data)) {
            error = reader.error();
            return frames;
        }
        SDL_Surface* picture =
            IMG_LoadTyped_RW(SDL_RWFromMem(data.data(), static_cast<int>(data.size())), 1, const_cast<char*>("JPG"));
        if (!picture) {
            error = "cannot decode " + name;
            return frames;
        }
        SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_BlitSurface(picture, nullptr, rgb, nullptr);
        SDL_FreeSurface(picture);
        SDL_LockSurface(rgb);
        Frame f;
        f.left = frameWidth(rgb, 0);
        f.right = frameWidth(rgb, 1);
        f.top = frameWidth(rgb, 2);
        f.bottom = frameWidth(rgb, 3);
        SDL_UnlockSurface(rgb);
        SDL_FreeSurface(rgb);
        frames.emplace_back(name, f);
    }
    return frames;
}

TEST(LevelBackgroundFrame, IsAsWideOnEverySideOfEveryBackground)
{
    std::string error;
    const auto frames = measureBackgrounds(error);
    ASSERT_TRUE(error.empty()) << error;
    ASSERT_EQ(frames.size(), static_cast<size_t>(kBackgrounds));
    for (const auto& entry : frames) {
        const Frame& f = entry.second;
        const std::string sides = entry.first + ": left " + std::to_string(f.left) + ", right " +
                                  std::to_string(f.right) + ", top " + std::to_string(f.top) + ", bottom " +
                                  std::to_string(f.bottom);
        EXPECT_GT(f.left, 1) << sides;
        EXPECT_LE(std::abs(f.left - f.right), 1) << sides;
        EXPECT_LE(std::abs(f.top - f.bottom), 1) << sides;
        EXPECT_LE(std::abs(f.left - f.top), 1) << sides;
    }
}

} // namespace
