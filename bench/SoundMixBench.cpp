// CPU cost of the sound mixer: one second of output with sixteen effect
// channels and one music module playing, as in a busy level.
//
// Run: build/bench/sound_mix_bench   (uses the generated resource3.dat)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/ResourceArchive.h"
#include "platform/SoundLib.h"

namespace {

std::vector<uint8_t> entry(const std::string& wanted)
{
    ResourceArchiveReader reader;
    if (!reader.Open(BRAMBLECOT_RUN_DIR "/resource3.dat"))
        return {};
    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < reader.Count(); ++i)
        if (reader.ReadEntry(i, name, data) && name == wanted)
            return data;
    return {};
}

SndSound* create(SndSystem* sys, const std::string& name)
{
    std::vector<uint8_t> data = entry(name);
    SndSound* sound = nullptr;
    if (data.empty() || sndSystemCreateSound(sys, data.data(), static_cast<long>(data.size()), &sound) != SND_OK)
        return nullptr;
    return sound;
}

void MixOneSecond16ChannelsAndModule(benchmark::State& state)
{
    SndSystem* sys = nullptr;
    sndSystemCreate(&sys);
    if (sndSystemInit(sys, 128, SND_INIT_MANUAL_MIX) != SND_OK) {
        state.SkipWithError("no audio device");
        return;
    }
    const char* effects[] = {"object_slide.ogg", "object_slide_ice.ogg", "object_barrel_roll.ogg",
                             "bot_slide.ogg", "stuck_ice.ogg", "element_burning.ogg",
                             "element_melting.ogg", "powerup_emp.ogg"};
    std::vector<SndSound*> sounds;
    for (const char* name : effects) {
        SndSound* sound = create(sys, name);
        if (!sound) {
            state.SkipWithError("generated sounds missing");
            return;
        }
        sndSoundSetLoopCount(sound, -1);
        sounds.push_back(sound);
    }
    SndSound* music = create(sys, "stage1.oxm");
    if (!music) {
        state.SkipWithError("generated music missing");
        return;
    }
    sndSoundSetLoopCount(music, -1);
    for (int i = 0; i < 16; ++i) {
        SndChannel channel = 0;
        sndSystemPlaySound(sys, sounds[i % sounds.size()], false, &channel);
        sndChannelSetVolume(sys, channel, 0.5f);
        // Some channels pitched, so the resampler does real work.
        if (i % 3 == 1) {
            float frequency = 0.0f;
            sndChannelGetFrequency(sys, channel, &frequency);
            sndChannelSetFrequency(sys, channel, frequency * 1.13f);
        }
    }
    SndChannel channel = 0;
    sndSystemPlaySound(sys, music, false, &channel);

    // The device asks for 1024 frames at a time.
    std::vector<int16_t> buffer(1024 * 2);
    for (auto _ : state) {
        for (int done = 0; done < 44100; done += 1024) {
            sndSystemMix(sys, buffer.data(), 1024);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetLabel("CPU time per iteration = CPU per second of audio");
    sndSystemRelease(sys);
}

} // namespace

BENCHMARK(MixOneSecond16ChannelsAndModule)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
