// Turns a drawn cairo surface into the bytes of an image file: PNG through
// cairo, JPG through libjpeg, TGA and BMP through small writers of our own.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>
#include <vector>

namespace resbuild {

using Bytes = std::vector<uint8_t>;

// Straight (not premultiplied) RGBA pixels of a surface, row by row from the
// top.
std::vector<uint8_t> surfaceToRgba(cairo_surface_t* surface);

Bytes encodePng(cairo_surface_t* surface);
// Opaque: alpha is dropped after the picture is laid over black.
Bytes encodeJpg(cairo_surface_t* surface, int quality = 90);
// 32-bit BGRA, uncompressed true-colour (type 2), 8 alpha bits, rows stored
// bottom to top as the origin bit (clear) says.
Bytes encodeTga(cairo_surface_t* surface);
// 24-bit BMP; pixels with alpha below one half become the colour key.
Bytes encodeBmp(cairo_surface_t* surface, uint8_t keyR, uint8_t keyG, uint8_t keyB);

// Encodes by the last three characters of the name ("png", "tga", "jpg").
// False for any other extension.
bool encodeByName(const std::string& name, cairo_surface_t* surface, Bytes& out);

bool writeFileBytes(const std::string& path, const Bytes& bytes);

} // namespace resbuild
