#include "DrawTestSupport.h"

#include <cairo.h>
#include <cstdlib>

#include "engine/Log.h"
#include "engine/ResourceArchive.h"

namespace drawtest {

namespace {
Bytes tgaHeader(int w, int h)
{
    Bytes b(18, 0);
    b[2] = 2; // uncompressed true colour
    b[12] = static_cast<uint8_t>(w & 0xff);
    b[13] = static_cast<uint8_t>(w >> 8);
    b[14] = static_cast<uint8_t>(h & 0xff);
    b[15] = static_cast<uint8_t>(h >> 8);
    b[16] = 32;
    b[17] = 0x28; // 8 alpha bits, top-left origin
    return b;
}

cairo_status_t appendPng(void* closure, const unsigned char* data, unsigned int length)
{
    Bytes* out = static_cast<Bytes*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}
} // namespace

Bytes tga(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    Bytes out = tgaHeader(w, h);
    for (int i = 0; i < w * h; ++i) {
        out.push_back(b);
        out.push_back(g);
        out.push_back(r);
        out.push_back(a);
    }
    return out;
}

Bytes tgaAlphas(int w, int h, const std::vector<uint8_t>& alphas)
{
    Bytes out = tgaHeader(w, h);
    for (int i = 0; i < w * h; ++i) {
        out.push_back(40);
        out.push_back(80);
        out.push_back(120);
        out.push_back(alphas[static_cast<size_t>(i) % alphas.size()]);
    }
    return out;
}

Bytes png(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, r / 255.0, g / 255.0, b / 255.0, a / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    Bytes out;
    cairo_surface_write_to_png_stream(s, appendPng, &out);
    cairo_surface_destroy(s);
    return out;
}

void writeBmp(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
}

void writeArchive(const std::string& path, const std::vector<std::pair<std::string, Bytes>>& entries)
{
    ResourceArchiveWriter w;
    for (const auto& e : entries)
        w.Add(e.first, e.second);
    ASSERT_TRUE(w.Write(path));
}

Rgba pixelAt(SDL_Surface* surface, int x, int y)
{
    SDL_LockSurface(surface);
    Uint32 p = CDraw::GetPixel(surface, x, y);
    SDL_UnlockSurface(surface);
    Rgba c;
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, surface->format, &r, &g, &b, &a);
    c.r = r;
    c.g = g;
    c.b = b;
    c.a = surface->format->Amask ? a : 255;
    return c;
}

bool near(int a, int b, int tolerance)
{
    return abs(a - b) <= tolerance;
}

void DrawTest::SetUp()
{
    logInit(false);
    writeBmp(m_dir.file("resource0.dat"), 800, 600, 10, 20, 30);
    writeBmp(m_dir.file("resource1.dat"), 200, 12, 250, 200, 0);
    writeBmp(m_dir.file("resource7.dat"), 32, 32, 255, 0, 255);
    m_chdir.reset(new testsupport::ScopedChdir(m_dir.path()));
    CDraw::SetConfig(nullptr);
    CDraw::SetLoadFromDirectory(0);
    m_draw.reset(new CDraw());
}

void DrawTest::TearDown()
{
    m_draw.reset();
    CDraw::SetTimeSource(nullptr, nullptr);
    m_chdir.reset();
}

void DrawTest::preload(const std::vector<std::pair<std::string, Bytes>>& entries)
{
    writeArchive(m_dir.file("resource2.dat"), entries);
    CDraw::PreloadFiles();
}

} // namespace drawtest
