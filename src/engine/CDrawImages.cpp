// Image store of CDraw: decoded surfaces by image id, named images with
// reference counts, derived copies and the drawing helpers.
//
// Ids grow from 0 and are never reused: a freed image leaves a null slot.
// A preloaded file keeps its record and bytes when its image is freed, so it
// can be decoded again under a new id; an image made at run time loses its
// name when freed.
#include "engine/CDraw.h"

#include <SDL_image.h>
#include <cstring>

#include "engine/Log.h"

std::vector<SDL_Surface*> CDraw::images;
std::map<std::string, CImageRecord*> CDraw::names;
std::map<CImageRecord*, std::string> CDraw::recordNames;
std::map<int, CImageRecord*> CDraw::ids;

namespace {

// The decoder type of an image file: the last three characters of its name.
std::string typeOfName(const char* name)
{
    size_t n = strlen(name);
    return n >= 3 ? std::string(name + n - 3) : std::string(name);
}

std::string seriesName(const char* prefix, int i, const char* suffix)
{
    return std::string(prefix) + std::to_string(i) + suffix;
}

} // namespace

void CDraw::CheckId(int id, const char* operation)
{
    if (id < 0 || id >= static_cast<int>(images.size()))
        logError(true, "CDraw::%s   image id %i is out of range (0 to %i)\n", operation, id,
                 static_cast<int>(images.size()) - 1);
}

int CDraw::AppendSurface(SDL_Surface* surface)
{
    images.push_back(surface);
    return static_cast<int>(images.size()) - 1;
}

void CDraw::RegisterRecord(CImageRecord* record, const std::string& name)
{
    // The first record registered under a name keeps it.
    names.insert(std::make_pair(name, record));
    recordNames[record] = name;
    if (record->size > 0)
        preloadOrder.push_back(record);
}

// ---------------------------------------------------------------- lookup

int CDraw::GetImage(const char* name)
{
    auto it = names.find(name);
    if (it == names.end())
        logError(true, "Unable to find preloaded image: %s\n", name);
    CImageRecord* record = it->second;
    if (record->refs < 1 || record->id == -1) {
        int id;
        if (SDL_Surface* decoded = TakeDecoded(record)) {
            id = AppendDecoded(decoded, name);
        } else if (loadFromDirectory) {
            std::string path = std::string("resource/") + name;
            id = loadImage(SDL_RWFromFile(path.c_str(), "rb"), name);
        } else {
            id = loadImage(SDL_RWFromConstMem(record->bytes, record->size), name);
        }
        record->id = id;
        ids[id] = record;
    }
    record->refs += 1;
    return record->id;
}

void CDraw::ReleaseImage(int id)
{
    CheckId(id, "ReleaseImage");
    if (!images[id])
        return;
    auto it = ids.find(id);
    CImageRecord* record = (it != ids.end() && it->second->id == id) ? it->second : nullptr;
    if (record) {
        record->refs -= 1;
        if (record->refs > 0)
            return;
        record->refs = 0;
        record->id = -1;
        if (record->size == 0) {
            // A run-time image disappears with its picture. Its name is
            // dropped only when it points to this record: a later image
            // registered under a taken name must not unhook the first one.
            auto r = recordNames.find(record);
            if (r != recordNames.end()) {
                auto n = names.find(r->second);
                if (n != names.end() && n->second == record)
                    names.erase(n);
                recordNames.erase(r);
            }
            delete record;
        }
        ids.erase(id);
    }
    SDL_FreeSurface(images[id]);
    images[id] = nullptr;
}

void CDraw::ReleaseImageByName(const char* name)
{
    int id = FindImageId(name);
    if (id >= 0)
        ReleaseImage(id);
}

int CDraw::RetainImage(int id)
{
    CheckId(id, "RetainImage");
    // The record that owns this id, even when its name is shadowed by an
    // earlier record of the same name.
    auto it = ids.find(id);
    if (it == ids.end() || it->second->id != id || !images[id]) {
        logError(false, "CDraw::RetainImage   image #%i has no name and cannot be shared\n", id);
        return id;
    }
    it->second->refs += 1;
    return id;
}

int CDraw::FindImageId(const char* name)
{
    auto it = names.find(name);
    return it == names.end() ? -1 : it->second->id;
}

const char* CDraw::FindImageName(int id)
{
    for (const auto& entry : recordNames)
        if (entry.first->id == id)
            return entry.second.c_str();
    return nullptr;
}

const CImageRecord* CDraw::FindImageRecord(const char* name)
{
    auto it = names.find(name);
    return it == names.end() ? nullptr : it->second;
}

SDL_Surface* CDraw::GetImageSurface(int id)
{
    CheckId(id, "GetImageSurface");
    return images[id];
}

int CDraw::GetImageWidth(int id)
{
    SDL_Surface* s = GetImageSurface(id);
    return s ? s->w : 0;
}

int CDraw::GetImageHeight(int id)
{
    SDL_Surface* s = GetImageSurface(id);
    return s ? s->h : 0;
}

// ---------------------------------------------------------------- adding

int CDraw::loadImage(SDL_RWops* stream, const char* name)
{
    std::string type = typeOfName(name);
    SDL_Surface* decoded = stream ? IMG_LoadTyped_RW(stream, 1, const_cast<char*>(type.c_str())) : nullptr;
    if (!decoded) {
        logResourceFailure(name, SDL_GetError());
        logError(true, "Could not load image:  %s\n", SDL_GetError());
    }
    return AppendDecoded(ConvertSurface(decoded, 1), name);
}

int CDraw::AppendDecoded(SDL_Surface* surface, const char* name)
{
    int id = AppendSurface(surface);
    logPrint(LOG_PRELOAD, "CDraw::loadImage   #%-6i:   %s\n", id, name);
    return id;
}

int CDraw::loadImageFile(const char* name)
{
    std::string path = std::string("resource/") + name;
    return loadImage(SDL_RWFromFile(path.c_str(), "rb"), name);
}

int CDraw::AddSurface(SDL_Surface* surface)
{
    return AppendSurface(ConvertSurface(surface, 1));
}

int CDraw::LoadSurface(SDL_Surface* surface, const char* name)
{
    int id = AppendSurface(ConvertSurface(surface, 1));
    if (name) {
        CImageRecord* record = new CImageRecord{1, id, nullptr, 0};
        ids[id] = record;
        RegisterRecord(record, name);
    }
    logPrint(LOG_PRELOAD, "CDraw::LoadSurface   #%-6i:   %s\n", id, name ? name : "");
    return id;
}

int CDraw::CopyScreenToImage(const char* name)
{
    SDL_PixelFormat* f = screen->format;
    SDL_Surface* copy = SDL_CreateRGBSurface(screen->flags, screen->w, screen->h, f->BitsPerPixel,
                                             f->Rmask, f->Gmask, f->Bmask, f->Amask);
    SDL_BlitSurface(screen, nullptr, copy, nullptr);
    return LoadSurface(copy, name);
}

int CDraw::CreateImage(int w, int h, const char* name)
{
    int depth = screen ? static_cast<int>(screen->format->BitsPerPixel) : static_cast<int>(SCREEN_DEPTH);
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, depth, 0xff000000,
                                                0x00ff0000, 0x0000ff00, 0x000000ff);
    if (surface)
        SDL_FillRect(surface, nullptr, 0);
    return LoadSurface(surface, name);
}

int CDraw::CreateScreenSizedImage(const char* name)
{
    SDL_PixelFormat* f = screen->format;
    SDL_Surface* surface = SDL_CreateRGBSurface(screen->flags, screen->w, screen->h, f->BitsPerPixel,
                                                f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (surface)
        SDL_FillRect(surface, nullptr, 0);
    return LoadSurface(surface, name);
}

void CDraw::ApplyAlphaStep(SDL_Surface* surface, int dA)
{
    SDL_PixelFormat* f = surface->format;
    // Only 32-bit pictures with their own alpha channel can change.
    if (dA == 0 || f->Amask == 0 || f->BytesPerPixel != 4)
        return;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            int a = static_cast<int>((row[x] & f->Amask) >> f->Ashift) + dA;
            if (a < 0)
                a = 0;
            if (a > 255)
                a = 255;
            row[x] = (row[x] & ~f->Amask) | ((static_cast<Uint32>(a) << f->Ashift) & f->Amask);
        }
    }
    SDL_UnlockSurface(surface);
}

int CDraw::CopyImage(const char* source, const char* target, int dA)
{
    int id = GetImage(source);
    SDL_Surface* original = images[id];
    SDL_Surface* copy =
        original->format->Amask ? SDL_DisplayFormatAlpha(original) : SDL_DisplayFormat(original);
    ReleaseImage(id);
    int newId = LoadSurface(copy, target);
    logPrint(LOG_DRAW, "CDraw::CopyImage   #%-6i:   %s  (%s, dA=%i)\n", newId, target, source, dA);
    ApplyAlphaStep(images[newId], dA);
    return newId;
}

void CDraw::CopyImageSeries(const char* sourcePrefix, const char* targetPrefix, int from, int to,
                            const char* suffix, int dA)
{
    for (int i = from; i <= to; ++i)
        CopyImage(seriesName(sourcePrefix, i, suffix).c_str(), seriesName(targetPrefix, i, suffix).c_str(),
                  dA);
}

void CDraw::MakeFadedSeries(const char* name, int n, int step)
{
    size_t length = strlen(name);
    std::string base = length >= 4 ? std::string(name, length - 4) : std::string();
    std::string type = typeOfName(name);
    for (int i = n - 1, k = 1; i >= 0; --i, ++k)
        CopyImage(name, (base + std::to_string(i) + "." + type).c_str(), k * step);
}

int CDraw::GetImageSeries(const char* prefix, int from, int to, const char* suffix)
{
    int id = 0;
    for (int i = from; i <= to; ++i)
        id = GetImage(seriesName(prefix, i, suffix).c_str());
    return id;
}

void CDraw::DrawImageOnImage(const char* name, int targetId, int x, int y)
{
    int id = GetImage(name);
    BlitImageToImage(id, targetId, static_cast<Sint16>(x), static_cast<Sint16>(y));
    ReleaseImage(id);
}

int CDraw::PadImage(const char* name, const char* newName, int left, int right, int top, int bottom)
{
    int id = GetImage(name);
    SDL_Surface* source = images[id];
    SDL_PixelFormat* f = source->format;
    int w = left + source->w + right;
    int h = top + source->h + bottom;
    SDL_Surface* padded =
        SDL_CreateRGBSurface(source->flags, w, h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!padded)
        logError(true, "CDraw::PadImage   cannot make a %i x %i image: %s\n", w, h, SDL_GetError());
    SDL_LockSurface(padded);
    SDL_LockSurface(source);
    int bpp = f->BytesPerPixel;
    for (int y = 0; y < h; ++y)
        memset(static_cast<Uint8*>(padded->pixels) + y * padded->pitch, 0, static_cast<size_t>(w * bpp));
    // Only the part of the source that lands inside the new image is copied
    // (a negative margin crops).
    for (int y = 0; y < source->h; ++y) {
        int ty = y + top;
        if (ty < 0 || ty >= h)
            continue;
        int x0 = left < 0 ? -left : 0;
        int x1 = source->w;
        if (left + x1 > w)
            x1 = w - left;
        if (x1 <= x0)
            continue;
        memcpy(static_cast<Uint8*>(padded->pixels) + ty * padded->pitch + (x0 + left) * bpp,
               static_cast<Uint8*>(source->pixels) + y * source->pitch + x0 * bpp,
               static_cast<size_t>((x1 - x0) * bpp));
    }
    SDL_UnlockSurface(source);
    SDL_UnlockSurface(padded);
    // Keep the source's per-surface alpha and colour key settings.
    padded->flags = (padded->flags & ~(SDL_SRCALPHA | SDL_SRCCOLORKEY)) |
                    (source->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY));
    ReleaseImage(id);
    return LoadSurface(padded, newName);
}

// ---------------------------------------------------------------- drawing

void CDraw::DrawImage(int id, Sint16 x, Sint16 y)
{
    CheckId(id, "DrawImage");
    SDL_Rect target = {x, y, 0, 0};
    SDL_UpperBlit(images[id], nullptr, screen, &target);
}

void CDraw::DrawImagePart(int id, Sint16 x, Sint16 y, int sx, int sy, int w, int h)
{
    CheckId(id, "DrawImagePart");
    SDL_Surface* image = images[id];
    if (!image)
        return;
    SDL_Rect target = {x, y, 0, 0};
    if (sx + w > image->w || sy + h > image->h) {
        SDL_UpperBlit(image, nullptr, screen, &target);
        return;
    }
    SDL_Rect source = {static_cast<Sint16>(sx), static_cast<Sint16>(sy), static_cast<Uint16>(w),
                       static_cast<Uint16>(h)};
    SDL_UpperBlit(image, &source, screen, &target);
}

void CDraw::BlitImageRects(int id, SDL_Rect* source, SDL_Rect* destination)
{
    CheckId(id, "BlitImageRects");
    SDL_UpperBlit(images[id], source, screen, destination);
}

void CDraw::BlitImageToSurface(int id, SDL_Surface* target, Sint16 x, Sint16 y, Sint16 sx, Sint16 sy, int w,
                               int h)
{
    CheckId(id, "BlitImageToSurface");
    SDL_Surface* image = images[id];
    if (!image)
        return;
    if (w < 0)
        w = 0;
    if (w > image->w)
        w = image->w;
    if (h < 0)
        h = 0;
    if (h > image->h)
        h = image->h;
    SDL_Rect source = {sx, sy, static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_Rect dest = {x, y, 0, 0};
    SDL_UpperBlit(image, &source, target, &dest);
}

void CDraw::BlitImageToImage(int sourceId, int targetId, Sint16 x, Sint16 y)
{
    CheckId(sourceId, "BlitImageToImage");
    CheckId(targetId, "BlitImageToImage");
    SDL_Rect dest = {x, y, 0, 0};
    SDL_UpperBlit(images[sourceId], nullptr, images[targetId], &dest);
}

void CDraw::SetImageAlpha(int id, Uint8 alpha, Uint32 flags)
{
    CheckId(id, "SetImageAlpha");
    if (images[id])
        SDL_SetAlpha(images[id], flags, alpha);
}

void CDraw::AdjustImageAlpha(int id, int dA)
{
    CheckId(id, "AdjustImageAlpha");
    if (images[id])
        ApplyAlphaStep(images[id], dA);
}

// ---------------------------------------------------------------- diagnostics

void CDraw::DumpPixels(int id)
{
    CheckId(id, "DumpPixels");
    SDL_Surface* s = images[id];
    if (!s || s->format->BytesPerPixel != 4)
        return;
    SDL_LockSurface(s);
    int index = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            logPrint(LOG_DRAW, "Pixel %i = %x\n", index++, GetPixel(s, x, y));
    SDL_UnlockSurface(s);
}

void CDraw::DumpImageBuffers(bool all)
{
    static const std::string equals(82, '='), stars(82, '*');
    logPrint(LOG_DEBUG, "%s\n", equals.c_str());
    logPrint(LOG_DEBUG, "ALL IMAGE BUFFERS\n");
    logPrint(LOG_DEBUG, "%s\n", stars.c_str());
    int count = 0;
    for (const auto& entry : recordNames) {
        const CImageRecord* r = entry.first;
        if (r->refs <= 0)
            continue;
        if (!all && r->size == 0 && r->refs == 1)
            continue;
        logPrint(LOG_DEBUG, "%s  (ID=%i   R=%i   S=%i)\n", entry.second.c_str(), r->id, r->refs, r->size);
        ++count;
    }
    logPrint(LOG_DEBUG, "%s\n", stars.c_str());
    logPrint(LOG_DEBUG, "COUNT:  %i\n", count);
    logPrint(LOG_DEBUG, "%s\n", equals.c_str());
}

// ---------------------------------------------------------------- teardown

void CDraw::ClearRecords()
{
    StopDecoding();
    preloadOrder.clear();
    for (auto& entry : recordNames) {
        delete[] entry.first->bytes;
        delete entry.first;
    }
    recordNames.clear();
    names.clear();
    ids.clear();
}

void CDraw::ClearStore()
{
    logPrint(LOG_DRAW, "Clearing image vector...\n");
    for (SDL_Surface*& s : images) {
        if (s)
            SDL_FreeSurface(s);
        s = nullptr;
    }
    images.clear();
    ClearRecords();
}
