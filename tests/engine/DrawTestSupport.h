// Pictures, archives and a ready screen for the tests of the screen, the
// image store, the preloader and the catalogues.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdint>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "engine/CDraw.h"
#include "test_support.h"

namespace drawtest {

typedef std::vector<uint8_t> Bytes;

// An uncompressed 32-bit TGA (top-left origin) filled with one colour.
Bytes tga(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// The same with a different alpha in each pixel: pixel i has alpha
// alphas[i % alphas.size()].
Bytes tgaAlphas(int w, int h, const std::vector<uint8_t>& alphas);
// A PNG with an alpha channel, filled with one colour.
Bytes png(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// A BMP without alpha (the decoders recognise it under any type).
void writeBmp(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b);

void writeArchive(const std::string& path, const std::vector<std::pair<std::string, Bytes>>& entries);

// Alpha, red, green, blue of a pixel of a 32-bit surface.
struct Rgba {
    int r, g, b, a;
};
Rgba pixelAt(SDL_Surface* surface, int x, int y);
bool near(int a, int b, int tolerance = 2);

// A working folder with a load screen, load bar and icon, and a CDraw
// constructed in it (no profile: windowed, archive mode).
class DrawTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes resource2.dat with the entries and preloads it.
    void preload(const std::vector<std::pair<std::string, Bytes>>& entries);

    testsupport::TempDir m_dir;
    std::unique_ptr<testsupport::ScopedChdir> m_chdir;
    std::unique_ptr<CDraw> m_draw;
};

} // namespace drawtest

// A fatal error: the process ends with code 1 and the message (printed on
// standard output) matches the pattern.
#define EXPECT_FATAL(statement, pattern)                                                                  \
    EXPECT_EXIT(                                                                                          \
        {                                                                                                 \
            fflush(stdout);                                                                               \
            dup2(2, 1);                                                                                   \
            statement;                                                                                    \
        },                                                                                                \
        ::testing::ExitedWithCode(1), pattern)
