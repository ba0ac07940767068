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
    // The settings of the image library's loader: full-quality RGB.
    info.out_color_space = JCS_RGB;
    info.quantize_colors = FALSE;
    jpeg_calc_output_dimensions(&info);
    surface = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(info.output_width),
                                   static_cast<int>(info.output_height), 32, f->Rmask, f->Gmask, f->Bmask, 0);
    if (!surface) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    jpeg_start_decompress(&info);
    row = static_cast<JSAMPLE*>(malloc(static_cast<size_t>(info.output_width) * 3));
    if (!row || info.output_components != 3)
        errorExit(reinterpret_cast<j_common_ptr>(&info));
    const Uint8 rs = f->Rshift, gs = f->Gshift, bs = f->Bshift;
    while (info.output_scanline < info.output_height) {
        Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                                info.output_scanline * surface->pitch);
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&info, rows, 1);
        const JSAMPLE* p = row;
        for (JDIMENSION x = 0; x < info.output_width; ++x, p += 3)
            out[x] = (static_cast<Uint32>(p[0]) << rs) | (static_cast<Uint32>(p[1]) << gs) |
                     (static_cast<Uint32>(p[2]) << bs);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    free(row);
    return surface;
}
