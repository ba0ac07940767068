// What the player sees: the 800 x 600 picture of the game's window as the X
// server holds it when the tests run in a real window (SDL's x11 driver under
// Xvfb), else the picture presented on SDL's screen surface (the dummy
// driver). Pixels are 0xRRGGBB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace screentest {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

// The picture on show now.
Picture shownPicture();
// Whether shownPicture reads a real window.
bool inRealWindow();
// Saves a picture as a BMP file (for a look by eye).
bool savePicture(const Picture& picture, const std::string& path);

} // namespace screentest
