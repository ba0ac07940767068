// Decoding of image files into display-format surfaces on worker threads,
// ahead of the image store's requests.
//
// The pool is given the files in the order the store is expected to ask
// for them and decodes them in that order on its workers. The store still
// asks for each picture from the main thread, in its own order, assigning
// ids, counting references and logging exactly as when it decodes by itself;
// it only takes the finished surface instead of decoding. A picture no
// worker has started yet is decoded on the asking thread at once rather
// than waited for, and while it waits for one a worker is busy with, the
// asking thread decodes the next files itself.
//
// What the workers do is pure decoding: the image library's decoders, a
// direct JPEG decoder, and SDL_ConvertSurface into copies of the two display
// pixel formats taken from the screen on the main thread when the pool is
// made. Nothing they call reads or changes the screen or the video device.
#pragma once

#include <SDL.h>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

class CImageDecodePool {
public:
    // One image file: the store's key for it, its name (the decoder type is
    // its last three letters) and either its bytes in memory or, when bytes
    // is null, the path of the file to read.
    struct Source {
        const void* key;
        std::string name;
        const uint8_t* bytes;
        int32_t size;
        std::string path;
    };

    // True when pictures for this screen can be made off the main thread:
    // a software screen of 16 bits or more (no palette). A hardware screen
    // would make the surfaces video memory, which only the main thread may
    // touch.
    static bool Usable(SDL_Surface* screen);
    // One worker per processor this process may run on, at least one.
    static int ThreadsForThisMachine();

    // Takes the display formats from screen (main thread) and starts
    // threads workers over the sources.
    CImageDecodePool(SDL_Surface* screen, std::vector<Source> sources, int threads);
    // Stops the workers: queued files are dropped, running ones finished;
    // surfaces nobody took are freed.
    ~CImageDecodePool();
    CImageDecodePool(const CImageDecodePool&) = delete;
    CImageDecodePool& operator=(const CImageDecodePool&) = delete;

    // The display-format picture of the file with this key, decoded by a
    // worker or, when none has started it, here. False when the pool does
    // not hold the key or its picture was taken before; *surface is null
    // when decoding failed (the caller decodes again itself and reports).
    bool Take(const void* key, SDL_Surface** surface);

    // The display-format picture of one source, decoded on the calling
    // thread; null on failure.
    SDL_Surface* Decode(const Source& source) const;

private:
    enum class JobState { QUEUED, RUNNING, DONE, TAKEN };

    void Work();
    // Decodes the first queued file, the lock released meanwhile; false
    // when there is none or the pool is stopping.
    bool DecodeNext(std::unique_lock<std::mutex>& guard);
    SDL_Surface* ToDisplayFormat(SDL_Surface* decoded) const;

    // 1 x 1 surfaces whose formats are the display formats: the screen's,
    // and the 32-bit format with alpha the display conversion picks for it.
    SDL_Surface* plainFormat;
    SDL_Surface* alphaFormat;

    std::vector<Source> sources;
    std::unordered_map<const void*, size_t> byKey;

    std::mutex lock;
    std::condition_variable done;
    std::vector<JobState> states;
    std::vector<SDL_Surface*> results;
    size_t next;
    bool stopping;
    std::vector<std::thread> workers;
};
