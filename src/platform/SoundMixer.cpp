// The mixer of the sound library: every playing channel is resampled by
// linear interpolation from its own rate (its frequency) to the output rate,
// scaled by its volume and summed; the sum is clipped to 16 bits.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/SoundLibInternal.h"

namespace {

// Volume as a 16.16 gain.
int32_t gainOf(float volume)
{
    if (!(volume > 0.0f))
        return 0;
    if (volume > 4.0f)
        volume = 4.0f;
    return static_cast<int32_t>(lrintf(volume * 65536.0f));
}

inline int32_t scaled(float sample, int32_t gain)
{
    return static_cast<int32_t>((static_cast<int64_t>(static_cast<int32_t>(sample)) * gain) >> 16);
}

// Decoded PCM. Ends the voice when a one-shot runs out.
void mixPcm(SndVoice& voice, int32_t* acc, int frames)
{
    const SndSound* sound = voice.sound;
    const int16_t* pcm = sound->pcm.data();
    const int64_t length = sound->frames;
    const int channels = sound->channels;
    const double step = static_cast<double>(voice.frequency) / sound->rate;
    const int32_t gain = gainOf(voice.volume);
    double position = voice.position;

    for (int i = 0; i < frames; ++i) {
        int64_t index = static_cast<int64_t>(position);
        float frac = static_cast<float>(position - static_cast<double>(index));
        int64_t next = index + 1;
        if (next >= length)
            next = voice.loopsLeft != 0 ? 0 : index;
        float left, right;
        if (channels == 2) {
            float a = pcm[index * 2], b = pcm[next * 2];
            left = a + (b - a) * frac;
            a = pcm[index * 2 + 1];
            b = pcm[next * 2 + 1];
            right = a + (b - a) * frac;
        } else {
            float a = pcm[index], b = pcm[next];
            left = right = a + (b - a) * frac;
        }
        acc[i * 2] += scaled(left, gain);
        acc[i * 2 + 1] += scaled(right, gain);

        position += step;
        if (position >= static_cast<double>(length)) {
            if (voice.loopsLeft == 0) {
                voice.active = false;
                break;
            }
            if (voice.loopsLeft > 0)
                --voice.loopsLeft;
            position = std::fmod(position, static_cast<double>(length));
        }
    }
    voice.position = position;
}

// Renders the next block of a module player behind the frames still needed.
void refillModule(SndVoice& voice, int64_t keepFrom)
{
    if (keepFrom > 0) {
        int64_t keep = voice.blockFrames - keepFrom;
        if (keep > 0)
            memmove(voice.block.data(), voice.block.data() + keepFrom * 2,
                    static_cast<size_t>(keep) * 2 * sizeof(int16_t));
        voice.blockFrames = static_cast<int>(std::max<int64_t>(keep, 0));
        voice.position -= static_cast<double>(keepFrom);
    }
    size_t need = static_cast<size_t>(voice.blockFrames + SND_MODULE_BLOCK) * 2;
    if (voice.block.size() < need)
        voice.block.resize(need);
    // The module loops by itself: 0 asks libxmp to repeat it for ever.
    int loops = voice.loopsLeft < 0 ? 0 : voice.loopsLeft + 1;
    int result = xmp_play_buffer(voice.player, voice.block.data() + voice.blockFrames * 2,
                                 SND_MODULE_BLOCK * 2 * static_cast<int>(sizeof(int16_t)), loops);
    if (result < 0)
        voice.playerEnded = true;
    else
        voice.blockFrames += SND_MODULE_BLOCK;
}

void mixModule(SndVoice& voice, int32_t* acc, int frames)
{
    if (!voice.player) {
        voice.active = false;
        return;
    }
    const double step = static_cast<double>(voice.frequency) / SND_MIX_RATE;
    const int32_t gain = gainOf(voice.volume);

    for (int i = 0; i < frames; ++i) {
        int64_t index = static_cast<int64_t>(voice.position);
        while (index + 1 >= voice.blockFrames && !voice.playerEnded) {
            refillModule(voice, index);
            index = static_cast<int64_t>(voice.position);
        }
        if (index >= voice.blockFrames) {
            voice.active = false;
            return;
        }
        int64_t next = index + 1 < voice.blockFrames ? index + 1 : index;
        float frac = static_cast<float>(voice.position - static_cast<double>(index));
        const int16_t* block = voice.block.data();
        float a = block[index * 2], b = block[next * 2];
        acc[i * 2] += scaled(a + (b - a) * frac, gain);
        a = block[index * 2 + 1];
        b = block[next * 2 + 1];
        acc[i * 2 + 1] += scaled(a + (b - a) * frac, gain);
        voice.position += step;
    }
}

} // namespace

void sndMixLocked(SndSystem* system, int16_t* out, int frames)
{
    if (frames <= 0)
        return;
    std::vector<int32_t>& acc = system->accumulator;
    if (acc.size() < static_cast<size_t>(frames) * 2)
        acc.resize(static_cast<size_t>(frames) * 2);
    std::fill(acc.begin(), acc.begin() + frames * 2, 0);

    for (SndVoice& voice : system->voices) {
        if (!voice.active || voice.paused || !voice.sound)
            continue;
        if (voice.sound->isModule)
            mixModule(voice, acc.data(), frames);
        else
            mixPcm(voice, acc.data(), frames);
    }

    for (int i = 0; i < frames * 2; ++i)
        out[i] = static_cast<int16_t>(std::clamp<int32_t>(acc[i], -32768, 32767));
}
