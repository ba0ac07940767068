#include "engine/CImageDecodePool.h"

#include <SDL_image.h>
#include <algorithm>
#include <cctype>
#include <sched.h>

#include "engine/JpegDisplayDecode.h"

namespace {

bool isJpegName(const std::string& name)
{
    if (name.size() < 3)
        return false;
    std::string type = name.substr(name.size() - 3);
    for (char& c : type)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return type == "jpg";
}

} // namespace

bool CImageDecodePool::Usable(SDL_Surface* screen)
{
    return screen && !(screen->flags & SDL_HWSURFACE) && screen->format->BytesPerPixel >= 2 &&
           !screen->format->palette;
}

int CImageDecodePool::ThreadsForThisMachine()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    int count = 0;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        count = CPU_COUNT(&set);
    if (count < 1)
        count = static_cast<int>(std::thread::hardware_concurrency());
    return std::max(count, 1);
}

CImageDecodePool::CImageDecodePool(SDL_Surface* screen, std::vector<Source> list, int threads)
    : plainFormat(nullptr), alphaFormat(nullptr), sources(std::move(list)), next(0), stopping(false)
{
    // The formats the display conversions pick: the screen's own, and
    // 32-bit ARGB (ABGR when the screen keeps red in its lowest byte).
    const SDL_PixelFormat* f = screen->format;
    plainFormat =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    Uint32 r = 0x00ff0000, b = 0x000000ff;
    if (f->BytesPerPixel == 2 && f->Rmask == 0x1f && (f->Bmask == 0xf800 || f->Bmask == 0x7c00)) {
        r = 0x000000ff;
        b = 0x00ff0000;
    }
    if ((f->BytesPerPixel == 3 || f->BytesPerPixel == 4) && f->Rmask == 0xff && f->Bmask == 0xff0000) {
        r = 0x000000ff;
        b = 0x00ff0000;
    }
    alphaFormat = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, r, 0x0000ff00, b, 0xff000000);

    // The decoders set themselves up on first use; do it here, once.
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);

    states.assign(sources.size(), JobState::QUEUED);
    results.assign(sources.size(), nullptr);
    for (size_t i = 0; i < sources.size(); ++i)
        byKey.insert(std::make_pair(sources[i].key, i));
    if (!plainFormat || !alphaFormat)
        threads = 0;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back(&CImageDecodePool::Work, this);
}

CImageDecodePool::~CImageDecodePool()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    for (std::thread& t : workers)
        t.join();
    for (SDL_Surface* s : results)
        if (s)
            SDL_FreeSurface(s);
    if (plainFormat)
        SDL_FreeSurface(plainFormat);
    if (alphaFormat)
        SDL_FreeSurface(alphaFormat);
}

bool CImageDecodePool::DecodeNext(std::unique_lock<std::mutex>& guard)
{
    while (next < states.size() && states[next] != JobState::QUEUED)
        ++next;
    if (stopping || next >= states.size())
        return false;
    size_t i = next++;
    states[i] = JobState::RUNNING;
    guard.unlock();
    SDL_Surface* surface = Decode(sources[i]);
    guard.lock();
    results[i] = surface;
    states[i] = JobState::DONE;
    done.notify_all();
    return true;
}

void CImageDecodePool::Work()
{
    std::unique_lock<std::mutex> guard(lock);
    while (DecodeNext(guard)) {
    }
}

bool CImageDecodePool::Take(const void* key, SDL_Surface** surface)
{
    *surface = nullptr;
    auto it = byKey.find(key);
    if (it == byKey.end())
        return false;
    size_t i = it->second;
    std::unique_lock<std::mutex> guard(lock);
    if (!plainFormat || !alphaFormat || states[i] == JobState::TAKEN)
        return false;
    for (;;) {
        if (states[i] == JobState::QUEUED) {
            // Nobody has started it: quicker to decode it here than to wait.
            states[i] = JobState::TAKEN;
            guard.unlock();
            *surface = Decode(sources[i]);
            return true;
        }
        if (states[i] == JobState::DONE)
            break;
        // A worker has it in hand. Rather than wait idle, decode the next
        // file nobody has started; wait only when there is none.
        if (!DecodeNext(guard)) {
            done.wait(guard, [&] { return states[i] == JobState::DONE; });
            break;
        }
    }
    *surface = results[i];
    results[i] = nullptr;
    states[i] = JobState::TAKEN;
    return true;
}

SDL_Surface* CImageDecodePool::ToDisplayFormat(SDL_Surface* decoded) const
{
    // The conversions of SDL_DisplayFormatAlpha and SDL_DisplayFormat for a
    // software screen, into the formats taken from it.
    SDL_Surface* converted;
    if (decoded->format->Amask)
        converted = SDL_ConvertSurface(decoded, alphaFormat->format,
                                       SDL_SWSURFACE | (decoded->flags & (SDL_SRCALPHA | SDL_RLEACCELOK)));
    else
        converted = SDL_ConvertSurface(
            decoded, plainFormat->format,
            SDL_SWSURFACE | (decoded->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA | SDL_RLEACCELOK)));
    SDL_FreeSurface(decoded);
    return converted;
}

SDL_Surface* CImageDecodePool::Decode(const Source& source) const
{
    if (source.bytes && isJpegName(source.name)) {
        // Only data the image library would also take for a JPEG.
        SDL_RWops* probe = SDL_RWFromConstMem(source.bytes, source.size);
        bool jpeg = probe && IMG_isJPG(probe);
        if (probe)
            SDL_FreeRW(probe);
        if (jpeg) {
            SDL_Surface* direct = decodeJpegToFormat(source.bytes, static_cast<size_t>(source.size),
                                                     plainFormat->format);
            if (direct)
                return direct;
        }
    }
    SDL_RWops* stream = source.bytes ? SDL_RWFromConstMem(source.bytes, source.size)
                                     : SDL_RWFromFile(source.path.c_str(), "rb");
    if (!stream)
        return nullptr;
    std::string type = source.name.size() >= 3 ? source.name.substr(source.name.size() - 3) : source.name;
    SDL_Surface* decoded = IMG_LoadTyped_RW(stream, 1, const_cast<char*>(type.c_str()));
    return decoded ? ToDisplayFormat(decoded) : nullptr;
}
