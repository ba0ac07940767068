// Decoding of a JPEG picture straight into a 32-bit surface of the screen's
// pixel format, without the 24-bit picture and the generic per-pixel
// conversion in between. The result has the same pixels, flags and format
// as the picture the image library decodes converted to the display format.
#pragma once

#include <SDL.h>
#include <cstddef>
#include <cstdint>

// True when decodeJpegToFormat can write pictures of this format: 32 bits,
// 8 bits per colour, no alpha channel.
bool jpegDirectFormat(const SDL_PixelFormat* format);

// The picture of a baseline or progressive JPEG in memory (grey or colour;
// four-component pictures are left to the image library) as a new software
// surface of the given format, or null when the data cannot be decoded this
// way. Safe to call from any thread.
SDL_Surface* decodeJpegToFormat(const uint8_t* bytes, size_t size, const SDL_PixelFormat* format);
