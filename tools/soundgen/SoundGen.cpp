// Sound generator: synthesises every sound effect into Ogg Vorbis, composes
// the music tracks as XM modules, and packs them all into the sound archive.
//
// Usage: soundgen <output archive>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <thread>
#include <vector>

#include "Effects.h"
#include "Music.h"
#include "OggWriter.h"
#include "engine/ResourceArchive.h"

namespace {

// Modest quality keeps the archive small; these are short sound effects.
const float kOggQuality = 0.2f;
const double kMinimumTrackSeconds = 61.0;
// Peak of every decoded effect: -1 dBFS, so playback never clips.
const double kMaxDecodedPeak = 0.891;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: soundgen <output archive>\n");
        return 2;
    }
    const std::vector<Effect>& effects = allEffects();
    const std::vector<Track>& tracks = allTracks();
    size_t total = effects.size() + tracks.size();
    std::vector<std::vector<uint8_t>> data(total);

    // Every item is independent: share them out over a few threads.
    unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> pool;
    std::exception_ptr failure;
    for (unsigned w = 0; w < workers; ++w) {
        pool.emplace_back([&, w] {
            try {
                for (size_t i = w; i < total; i += workers) {
                    if (i < effects.size()) {
                        const Effect& e = effects[i];
                        synth::Signal signal = e.make(e.variant);
                        signal.normalize(0.85);
                        if (!e.loops)
                            signal.smoothEdges(0.003);
                        data[i] = encodeOggWithHeadroom(signal, kOggQuality, static_cast<uint32_t>(i + 1),
                                                        kMaxDecodedPeak);
                    } else {
                        const Track& t = tracks[i - effects.size()];
                        data[i] = composeTrack(t.style, kMinimumTrackSeconds);
                    }
                }
            } catch (...) {
                failure = std::current_exception();
            }
        });
    }
    for (std::thread& t : pool)
        t.join();
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            fprintf(stderr, "soundgen: %s\n", e.what());
        }
        return 1;
    }

    ResourceArchiveWriter archive;
    for (size_t i = 0; i < effects.size(); ++i)
        archive.Add(effects[i].name, data[i]);
    for (size_t i = 0; i < tracks.size(); ++i)
        archive.Add(tracks[i].name, data[effects.size() + i]);
    if (!archive.Write(argv[1])) {
        fprintf(stderr, "soundgen: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("soundgen: %zu sounds written to %s\n", archive.Count(), argv[1]);
    return 0;
}
