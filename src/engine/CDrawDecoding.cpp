// Parallel decoding for the image store of CDraw: while the catalogues run,
// worker threads decode the preloaded image files in the order they were
// read (the order the catalogues ask for them), and CDraw::GetImage takes
// the finished surfaces instead of decoding. Ids, names, reference counts,
// log lines and load-bar steps stay as the main thread makes them.
#include "engine/CDraw.h"

#include <cstdlib>
#include <memory>

#include "engine/CImageDecodePool.h"

int CDraw::decodeThreads = -1;
std::vector<CImageRecord*> CDraw::preloadOrder;

namespace {

std::unique_ptr<CImageDecodePool> pool;

// A fatal error during start-up ends the program (by quick_exit, or exit):
// the workers are stopped before SDL goes away. Registered after SDL's own
// handler, so run before it.
void stopPoolAtExit()
{
    pool.reset();
}

} // namespace

void CDraw::StartDecoding()
{
    StopDecoding();
    // By default the main thread decodes too (whatever no worker has
    // started when it is asked for), so one worker per further processor:
    // on a single processor a worker would only take turns with the main
    // thread and cost the switching.
    int workers = decodeThreads >= 0 ? decodeThreads : CImageDecodePool::ThreadsForThisMachine() - 1;
    if (decodeThreads == 0 || !CImageDecodePool::Usable(screen))
        return;
    std::vector<CImageDecodePool::Source> sources;
    sources.reserve(preloadOrder.size());
    for (CImageRecord* record : preloadOrder) {
        auto r = recordNames.find(record);
        if (r == recordNames.end() || record->id != -1)
            continue;
        // A record shadowed by an earlier one of the same name is never
        // decoded.
        auto n = names.find(r->second);
        if (n == names.end() || n->second != record)
            continue;
        if (loadFromDirectory)
            sources.push_back({record, r->second, nullptr, 0, "resource/" + r->second});
        else
            sources.push_back({record, r->second, record->bytes, record->size, std::string()});
    }
    static bool exitHookSet = false;
    if (!exitHookSet) {
        at_quick_exit(stopPoolAtExit);
        atexit(stopPoolAtExit);
        exitHookSet = true;
    }
    pool.reset(new CImageDecodePool(screen, std::move(sources), workers));
}

void CDraw::StopDecoding()
{
    pool.reset();
}

SDL_Surface* CDraw::TakeDecoded(CImageRecord* record)
{
    SDL_Surface* surface = nullptr;
    if (pool)
        pool->Take(record, &surface);
    return surface;
}
