#include "Encode.h"

#include <cstdio>
#include <jpeglib.h>

namespace resbuild {

namespace {

void put16(Bytes& b, unsigned v)
{
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put32(Bytes& b, uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

cairo_status_t appendToBytes(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<Bytes*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::vector<uint8_t> surfaceToRgba(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            const unsigned a = p >> 24;
            unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a != 0 && a != 255) {
                // Undo cairo's premultiplication, rounding to nearest.
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            uint8_t* o = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            o[0] = static_cast<uint8_t>(r > 255 ? 255 : r);
            o[1] = static_cast<uint8_t>(g > 255 ? 255 : g);
            o[2] = static_cast<uint8_t>(b > 255 ? 255 : b);
            o[3] = static_cast<uint8_t>(a);
        }
    }
    return rgba;
}

Bytes encodePng(cairo_surface_t* surface)
{
    // cairo writes a fully opaque picture without its alpha channel. Every
    // PNG of the game keeps one (faded copies change alpha only where it
    // exists), so an opaque picture gets one corner pixel at alpha 254.
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    bool opaque = true;
    for (int y = 0; y < h && opaque; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x)
            if ((row[x] >> 24) != 0xFF) {
                opaque = false;
                break;
            }
    }
    if (opaque && w > 0 && h > 0) {
        uint32_t* corner = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(h - 1) * stride) + (w - 1);
        // Premultiplied: scale the colour with the alpha.
        const uint32_t p = *corner;
        auto scale = [](uint32_t c) { return (c * 254 + 127) / 255; };
        *corner = (0xFEu << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
        cairo_surface_mark_dirty(surface);
    }
    Bytes out;
    if (cairo_surface_write_to_png_stream(surface, appendToBytes, &out) != CAIRO_STATUS_SUCCESS)
        out.clear();
    return out;
}

Bytes encodeJpg(cairo_surface_t* surface, int quality)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    jpeg_mem_dest(&cinfo, &mem, &memSize);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> line(static_cast<size_t>(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        // Premultiplied values are exactly the picture over black.
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(cinfo.next_scanline) * stride);
        for (int x = 0; x < w; ++x) {
            line[x * 3 + 0] = static_cast<unsigned char>((row[x] >> 16) & 0xFF);
            line[x * 3 + 1] = static_cast<unsigned char>((row[x] >> 8) & 0xFF);
            line[x * 3 + 2] = static_cast<unsigned char>(row[x] & 0xFF);
        }
        JSAMPROW rows[1] = {line.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(mem, mem + memSize);
    jpeg_destroy_compress(&cinfo);
    free(mem);
    return out;
}

Bytes encodeTga(cairo_surface_t* surface)
{
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const std::vector<uint8_t> rgba = surfaceToRgba(surface);
    Bytes out;
    out.reserve(18 + rgba.size());
    out.push_back(0);     // no image id
    out.push_back(0);     // no colour map
    out.push_back(2);     // uncompressed true-colour
    put16(out, 0);        // colour map fields (unused)
    put16(out, 0);
    out.push_back(0);
    put16(out, 0);        // x origin
    put16(out, 0);        // y origin
    put16(out, static_cast<unsigned>(w));
    put16(out, static_cast<unsigned>(h));
    out.push_back(32);    // bits per pixel
    out.push_back(0x08);  // 8 alpha bits, origin at the lower left
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* p = &rgba[static_cast<size_t>(y) * w * 4];
        for (int x = 0; x < w; ++x, p += 4) {
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            out.push_back(p[3]);
        }
    }
    return out;
}

Bytes encodeBmp(cairo_surface_t* surface, uint8_t keyR, uint8_t keyG, uint8_t keyB)
{
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const std::vector<uint8_t> rgba = surfaceToRgba(surface);
    const uint32_t rowBytes = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(h);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);  // info header size
    put32(out, static_cast<uint32_t>(w));
    put32(out, static_cast<uint32_t>(h));  // positive: bottom-up rows
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);   // no compression
    put32(out, pixelBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* p = &rgba[static_cast<size_t>(y) * w * 4];
        uint32_t written = 0;
        for (int x = 0; x < w; ++x, p += 4) {
            if (p[3] < 128) {
                out.push_back(keyB);
                out.push_back(keyG);
                out.push_back(keyR);
            } else {
                uint8_t b = p[2], g = p[1], r = p[0];
                // A drawn pixel must never collide with the key colour.
                if (r == keyR && g == keyG && b == keyB)
                    g = static_cast<uint8_t>(g ^ 1);
                out.push_back(b);
                out.push_back(g);
                out.push_back(r);
            }
            written += 3;
        }
        for (; written < rowBytes; ++written)
            out.push_back(0);
    }
    return out;
}

bool encodeByName(const std::string& name, cairo_surface_t* surface, Bytes& out)
{
    if (name.size() < 3)
        return false;
    const std::string ext = name.substr(name.size() - 3);
    if (ext == "png")
        out = encodePng(surface);
    else if (ext == "tga")
        out = encodeTga(surface);
    else if (ext == "jpg")
        out = encodeJpg(surface);
    else
        return false;
    return !out.empty();
}

bool writeFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

} // namespace resbuild
