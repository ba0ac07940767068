// Internal state of the sound library, shared by its API, its decoders and
// its mixer. Nothing outside src/platform/SoundLib*.cpp includes this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <xmp.h>

#include "platform/SoundLib.h"

struct SndSound {
    SndSystem* system = nullptr;
    bool isModule = false;
    // Decoded PCM: interleaved signed 16-bit, 1 or 2 channels.
    std::vector<int16_t> pcm;
    int channels = 0;
    int rate = 0;
    int64_t frames = 0;
    // A tracker module's file data; each playing channel loads its own player.
    std::vector<uint8_t> module;
    int loopCount = 0;
};

// Frames a module player renders at a time.
enum { SND_MODULE_BLOCK = 1024 };

struct SndVoice {
    uint32_t generation = 0;
    bool active = false;
    bool paused = false;
    SndSound* sound = nullptr;
    double position = 0.0;   // in source frames
    float volume = 1.0f;
    float frequency = 0.0f;  // Hz
    int loopsLeft = 0;       // -1 for ever
    // Module playback: the player and its rendered frames (stereo, 44.1 kHz).
    xmp_context player = nullptr;
    std::vector<int16_t> block;
    int blockFrames = 0;
    bool playerEnded = false;
};

struct SndSystem {
    int output = SND_OUTPUT_SDL;
    int driver = -1;          // -1: SDL's own choice
    bool initialised = false;
    bool manualMix = false;
    bool driversListed = false;
    std::vector<std::string> drivers;
    std::vector<SndVoice> voices;
    std::vector<SndSound*> sounds;
    std::vector<int32_t> accumulator;
};

// Decoders (SoundDecode.cpp). Each fills the sound or returns an error code.
int sndDecodeOgg(const uint8_t* data, long length, SndSound* sound);
int sndCheckModule(const uint8_t* data, long length, SndSound* sound);
// A started player for the module, or nullptr.
xmp_context sndStartModulePlayer(const SndSound* sound);
void sndFreeModulePlayer(xmp_context player);

// The mixer (SoundMixer.cpp): the caller holds the audio lock.
void sndMixLocked(SndSystem* system, int16_t* out, int frames);
