#include "engine/JpegDisplayDecode.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

// Errors end the decoding through a jump back to its start; warnings about
// damaged data are not printed, the library carries on as it does for the
// image library's own loader.
struct ErrorTrap {
    jpeg_error_mgr manager;
    jmp_buf escape;
};

void errorExit(j_common_ptr info)
{
    longjmp(reinterpret_cast<ErrorTrap*>(info->err)->escape, 1);
}

void noMessage(j_common_ptr)
{
}

// Each colour's sample moved to its place in the pixel, by table: shifts by
// an amount only known at run time are slow in a loop this hot.
struct Placement {
    Uint32 red[256], green[256], blue[256];
};

// One row of RGB samples into 32-bit pixels. Kept out of the decoding
// function: everything there lives in memory across the setjmp.
__attribute__((noinline)) void packRow(const JSAMPLE* in, Uint32* out, unsigned width, const Placement& place)
{
    for (unsigned x = 0; x < width; ++x, in += 3)
        out[x] = place.red[in[0]] | place.green[in[1]] | place.blue[in[2]];
}

// Clears the byte the decoder fills beside red, green and blue.
__attribute__((noinline)) void keepColours(Uint32* row, unsigned width, Uint32 colours)
{
    for (unsigned x = 0; x < width; ++x)
        row[x] &= colours;
}

// The decoder's own four-byte output order that matches the format, so
// that it can write the surface's rows itself; JCS_UNKNOWN when it has none.
J_COLOR_SPACE fourByteSpace(const SDL_PixelFormat* f)
{
#if defined(JCS_EXTENSIONS) && SDL_BYTEORDER == SDL_LIL_ENDIAN
    if (f->Rshift % 8 || f->Gshift % 8 || f->Bshift % 8)
        return JCS_UNKNOWN;
    // Byte index in memory of each colour.
    int r = f->Rshift / 8, g = f->Gshift / 8, b = f->Bshift / 8;
    if (r == 0 && g == 1 && b == 2)
        return JCS_EXT_RGBX;
    if (r == 2 && g == 1 && b == 0)
        return JCS_EXT_BGRX;
    if (r == 1 && g == 2 && b == 3)
        return JCS_EXT_XRGB;
    if (r == 3 && g == 2 && b == 1)
        return JCS_EXT_XBGR;
#else
    (void)f;
#endif
    return JCS_UNKNOWN;
}

} // namespace

bool jpegDirectFormat(const SDL_PixelFormat* f)
{
    return f->BytesPerPixel == 4 && f->Amask == 0 && f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0;
}

SDL_Surface* decodeJpegToFormat(const uint8_t* bytes, size_t size, const SDL_PixelFormat* f)
{
    if (!jpegDirectFormat(f) || size == 0)
        return nullptr;
    jpeg_decompress_struct info;
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = errorExit;
    trap.manager.output_message = noMessage;
    // Kept in volatile pointers: the jump back must see their last values.
    SDL_Surface* volatile surface = nullptr;
    JSAMPLE* volatile row = nullptr;
    if (setjmp(trap.escape)) {
        jpeg_destroy_decompress(&info);
        free(row);
        if (surface)
            SDL_FreeSurface(surface);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.num_components == 4) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    // The settings of the image library's loader: full-quality RGB, here
    // in the surface's byte order when the decoder has it.
    J_COLOR_SPACE space = fourByteSpace(f);
    info.out_color_space = space != JCS_UNKNOWN ? space : JCS_RGB;
    info.quantize_colors = FALSE;
    jpeg_calc_output_dimensions(&info);
    surface = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(info.output_width),
                                   static_cast<int>(info.output_height), 32, f->Rmask, f->Gmask, f->Bmask, 0);
    if (!surface) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    jpeg_start_decompress(&info);
    if (space != JCS_UNKNOWN) {
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[1] = {static_cast<Uint8*>(surface->pixels) + info.output_scanline * surface->pitch};
            jpeg_read_scanlines(&info, rows, 1);
            keepColours(reinterpret_cast<Uint32*>(rows[0]), info.output_width, f->Rmask | f->Gmask | f->Bmask);
        }
    } else {
        Placement place;
        for (Uint32 v = 0; v < 256; ++v) {
            place.red[v] = v << f->Rshift;
            place.green[v] = v << f->Gshift;
            place.blue[v] = v << f->Bshift;
        }
        row = static_cast<JSAMPLE*>(malloc(static_cast<size_t>(info.output_width) * 3));
        if (!row || info.output_components != 3)
            errorExit(reinterpret_cast<j_common_ptr>(&info));
        while (info.output_scanline < info.output_height) {
            Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                                    info.output_scanline * surface->pitch);
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&info, rows, 1);
            packRow(row, out, info.output_width, place);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    free(row);
    return surface;
}
