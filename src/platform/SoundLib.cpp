// The sound library's calls: system set-up on SDL's audio device, sounds,
// channels. The mixer lives in SoundMixer.cpp and the decoders in
// SoundDecode.cpp.
#include "platform/SoundLib.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/SoundLibInternal.h"

namespace {

// SDL 1.2 owns a single audio device, so only one system can be initialised.
SndSystem* g_openSystem = nullptr;

// SDL audio drivers that play through real hardware or a sound server,
// in the order SDL itself would try them.
const char* const kDriverCandidates[] = {"pulse", "alsa", "dsp", "dma", "esd", "arts", "nas"};

const char* const kResultTexts[SND_RESULT_COUNT] = {
    "no error",
    "bad argument",
    "sound system not initialised",
    "sound system already initialised",
    "unknown output type",
    "unknown sound driver",
    "audio device could not be opened",
    "sound file could not be read",
    "not a sound format we play",
    "damaged sound data",
    "no free channel",
    "channel no longer belongs to this sound",
    "sound longer than three minutes once decoded",
};

void audioCallback(void* user, Uint8* stream, int length)
{
    // SDL holds the audio lock while it calls us.
    sndMixLocked(static_cast<SndSystem*>(user), reinterpret_cast<int16_t*>(stream),
                 length / static_cast<int>(2 * sizeof(int16_t)));
}

struct AudioLock {
    AudioLock() { SDL_LockAudio(); }
    ~AudioLock() { SDL_UnlockAudio(); }
};

void listDrivers(SndSystem* system)
{
    if (system->driversListed)
        return;
    system->driversListed = true;
    system->drivers.clear();
    const char* forced = getenv("SDL_AUDIODRIVER");
    if (forced && *forced) {
        system->drivers.push_back(forced);
        return;
    }
    if (SDL_WasInit(SDL_INIT_AUDIO)) {
        char name[64];
        if (SDL_AudioDriverName(name, sizeof name))
            system->drivers.push_back(name);
        return;
    }
    // Each candidate that SDL can bring up on this machine is a driver.
    for (const char* candidate : kDriverCandidates) {
        if (SDL_AudioInit(candidate) == 0) {
            system->drivers.push_back(candidate);
            SDL_AudioQuit();
        }
    }
}

// The voice a handle names, or nullptr when the handle is stale.
SndVoice* voiceOf(SndSystem* system, SndChannel channel)
{
    uint32_t index = channel & 0xFF;
    if (index == 0 || index > system->voices.size())
        return nullptr;
    SndVoice& voice = system->voices[index - 1];
    if (voice.generation != (channel >> 8))
        return nullptr;
    return &voice;
}

// Takes the module player away from a voice; the caller frees it outside the
// audio lock.
xmp_context detachPlayer(SndVoice& voice)
{
    xmp_context player = voice.player;
    voice.player = nullptr;
    voice.blockFrames = 0;
    voice.playerEnded = false;
    return player;
}

int channelCall(SndSystem* system)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    if (!system->initialised)
        return SND_ERR_NOT_READY;
    return SND_OK;
}

} // namespace

const char* sndResultText(int result)
{
    if (result < 0 || result >= SND_RESULT_COUNT)
        return "unknown sound library result";
    return kResultTexts[result];
}

int sndSystemCreate(SndSystem** system)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    *system = new SndSystem;
    return SND_OK;
}

int sndSystemSetOutput(SndSystem* system, int output)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    if (system->initialised)
        return SND_ERR_ALREADY_READY;
    if (output != SND_OUTPUT_SDL)
        return SND_ERR_OUTPUT;
    system->output = output;
    return SND_OK;
}

int sndSystemGetNumDrivers(SndSystem* system, int* count)
{
    if (!system || !count)
        return SND_ERR_ARGUMENT;
    listDrivers(system);
    *count = static_cast<int>(system->drivers.size());
    return SND_OK;
}

int sndSystemGetDriverName(SndSystem* system, int index, char* name, int size)
{
    if (!system || !name || size <= 0)
        return SND_ERR_ARGUMENT;
    listDrivers(system);
    if (index < 0 || index >= static_cast<int>(system->drivers.size()))
        return SND_ERR_DRIVER;
    snprintf(name, static_cast<size_t>(size), "%s", system->drivers[index].c_str());
    return SND_OK;
}

int sndSystemSetDriver(SndSystem* system, int index)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    if (system->initialised)
        return SND_ERR_ALREADY_READY;
    listDrivers(system);
    if (index < 0 || index >= static_cast<int>(system->drivers.size()))
        return SND_ERR_DRIVER;
    system->driver = index;
    return SND_OK;
}

int sndSystemInit(SndSystem* system, int channels, unsigned flags)
{
    if (!system || channels < 1 || channels > SND_MAX_CHANNELS)
        return SND_ERR_ARGUMENT;
    if (system->initialised || g_openSystem)
        return SND_ERR_ALREADY_READY;

    // SDL picks its driver from SDL_AUDIODRIVER; a chosen driver is passed
    // the same way (it is only chosen when the variable is not set).
    if (system->driver >= 0 && !getenv("SDL_AUDIODRIVER"))
        setenv("SDL_AUDIODRIVER", system->drivers[system->driver].c_str(), 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return SND_ERR_DEVICE;

    SDL_AudioSpec wanted;
    memset(&wanted, 0, sizeof wanted);
    wanted.freq = SND_MIX_RATE;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = audioCallback;
    wanted.userdata = system;
    system->voices.assign(static_cast<size_t>(channels), SndVoice());
    // Without an "obtained" format to fill, SDL converts our format to the device's.
    if (SDL_OpenAudio(&wanted, nullptr) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        system->voices.clear();
        return SND_ERR_DEVICE;
    }
    system->initialised = true;
    system->manualMix = (flags & SND_INIT_MANUAL_MIX) != 0;
    g_openSystem = system;
    if (!system->manualMix)
        SDL_PauseAudio(0);
    return SND_OK;
}

int sndSystemCreateSound(SndSystem* system, const void* data, long length, SndSound** sound)
{
    if (!system || !sound || !data || length <= 0)
        return SND_ERR_ARGUMENT;
    *sound = nullptr;
    if (!system->initialised)
        return SND_ERR_NOT_READY;

    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    SndSound* made = new SndSound;
    made->system = system;
    int result;
    if (length >= 4 && memcmp(bytes, "OggS", 4) == 0)
        result = sndDecodeOgg(bytes, length, made);
    else
        result = sndCheckModule(bytes, length, made);
    if (result != SND_OK) {
        delete made;
        return result;
    }
    system->sounds.push_back(made);
    *sound = made;
    return SND_OK;
}

int sndSystemCreateSoundFile(SndSystem* system, const char* path, SndSound** sound)
{
    if (!system || !path || !sound)
        return SND_ERR_ARGUMENT;
    *sound = nullptr;
    if (!system->initialised)
        return SND_ERR_NOT_READY;
    FILE* file = fopen(path, "rb");
    if (!file)
        return SND_ERR_FILE;
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        data.insert(data.end(), buffer, buffer + got);
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed || data.empty())
        return SND_ERR_FILE;
    return sndSystemCreateSound(system, data.data(), static_cast<long>(data.size()), sound);
}

int sndSystemPlaySound(SndSystem* system, SndSound* sound, bool paused, SndChannel* channel)
{
    if (!system || !sound || !channel || sound->system != system)
        return SND_ERR_ARGUMENT;
    if (!system->initialised)
        return SND_ERR_NOT_READY;

    // A module gets a player of its own, loaded outside the audio lock.
    xmp_context player = nullptr;
    if (sound->isModule) {
        player = sndStartModulePlayer(sound);
        if (!player)
            return SND_ERR_DECODE;
    }

    xmp_context old = nullptr;
    int result = SND_ERR_NO_CHANNEL;
    {
        AudioLock lock;
        for (size_t i = 0; i < system->voices.size(); ++i) {
            SndVoice& voice = system->voices[i];
            if (voice.active)
                continue;
            old = detachPlayer(voice);
            voice.generation = (voice.generation + 1) & 0xFFFFFF;
            if (voice.generation == 0)
                voice.generation = 1;
            voice.active = true;
            voice.paused = paused;
            voice.sound = sound;
            voice.position = 0.0;
            voice.volume = 1.0f;
            voice.frequency = static_cast<float>(sound->rate);
            voice.loopsLeft = sound->loopCount;
            voice.player = player;
            player = nullptr;
            *channel = (voice.generation << 8) | static_cast<uint32_t>(i + 1);
            result = SND_OK;
            break;
        }
    }
    sndFreeModulePlayer(old);
    sndFreeModulePlayer(player);
    return result;
}

int sndSystemUpdate(SndSystem* system)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    if (!system->initialised)
        return SND_ERR_NOT_READY;
    std::vector<xmp_context> finished;
    {
        AudioLock lock;
        for (SndVoice& voice : system->voices)
            if (!voice.active && voice.player)
                finished.push_back(detachPlayer(voice));
    }
    for (xmp_context player : finished)
        sndFreeModulePlayer(player);
    return SND_OK;
}

int sndSystemClose(SndSystem* system)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    if (!system->initialised)
        return SND_ERR_NOT_READY;
    SDL_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    for (SndVoice& voice : system->voices)
        sndFreeModulePlayer(detachPlayer(voice));
    system->voices.clear();
    system->initialised = false;
    if (g_openSystem == system)
        g_openSystem = nullptr;
    return SND_OK;
}

int sndSystemRelease(SndSystem* system)
{
    if (!system)
        return SND_ERR_ARGUMENT;
    if (system->initialised)
        sndSystemClose(system);
    for (SndSound* sound : system->sounds)
        delete sound;
    delete system;
    return SND_OK;
}

int sndSystemMix(SndSystem* system, int16_t* out, int frames)
{
    if (!system || !out || frames < 0)
        return SND_ERR_ARGUMENT;
    if (!system->initialised)
        return SND_ERR_NOT_READY;
    AudioLock lock;
    sndMixLocked(system, out, frames);
    return SND_OK;
}

int sndSoundSetLoopCount(SndSound* sound, int count)
{
    if (!sound || count < -1)
        return SND_ERR_ARGUMENT;
    sound->loopCount = count;
    return SND_OK;
}

int sndSoundRelease(SndSound* sound)
{
    if (!sound)
        return SND_ERR_ARGUMENT;
    SndSystem* system = sound->system;
    std::vector<xmp_context> players;
    {
        AudioLock lock;
        for (SndVoice& voice : system->voices) {
            if (voice.sound != sound)
                continue;
            voice.active = false;
            voice.sound = nullptr;
            players.push_back(detachPlayer(voice));
        }
    }
    for (xmp_context player : players)
        sndFreeModulePlayer(player);
    auto& list = system->sounds;
    list.erase(std::remove(list.begin(), list.end(), sound), list.end());
    delete sound;
    return SND_OK;
}

int sndSoundIsModule(SndSound* sound, bool* module)
{
    if (!sound || !module)
        return SND_ERR_ARGUMENT;
    *module = sound->isModule;
    return SND_OK;
}

namespace {
// Runs fn on the voice of a channel under the audio lock, after the checks
// every channel call shares: a started system, and a channel that still
// belongs to the sound it was handed out for.
template <typename Fn>
int withVoice(SndSystem* system, SndChannel channel, Fn fn)
{
    int result = channelCall(system);
    if (result != SND_OK)
        return result;
    AudioLock lock;
    SndVoice* voice = voiceOf(system, channel);
    if (!voice)
        return SND_ERR_STALE_CHANNEL;
    fn(*voice);
    return SND_OK;
}

// The result of a channel call with a bad argument: the system's own
// refusal first, so the order of checks is the same for every call.
int badArgument(SndSystem* system)
{
    int result = channelCall(system);
    return result != SND_OK ? result : SND_ERR_ARGUMENT;
}
} // namespace

int sndChannelSetVolume(SndSystem* system, SndChannel channel, float volume)
{
    return withVoice(system, channel,
                     [&](SndVoice& v) { v.volume = std::clamp(volume, 0.0f, 1.0f); });
}

int sndChannelGetVolume(SndSystem* system, SndChannel channel, float* volume)
{
    if (!volume)
        return badArgument(system);
    return withVoice(system, channel, [&](SndVoice& v) { *volume = v.volume; });
}

int sndChannelGetFrequency(SndSystem* system, SndChannel channel, float* frequency)
{
    if (!frequency)
        return badArgument(system);
    return withVoice(system, channel, [&](SndVoice& v) { *frequency = v.frequency; });
}

int sndChannelSetFrequency(SndSystem* system, SndChannel channel, float frequency)
{
    // Up to sixteen times the output rate: enough for any pitch effect.
    if (!(frequency >= 0.0f) || frequency > 16.0f * SND_MIX_RATE)
        return badArgument(system);
    return withVoice(system, channel, [&](SndVoice& v) { v.frequency = frequency; });
}

int sndChannelSetPaused(SndSystem* system, SndChannel channel, bool paused)
{
    return withVoice(system, channel, [&](SndVoice& v) { v.paused = paused; });
}

int sndChannelGetCurrentSound(SndSystem* system, SndChannel channel, SndSound** sound)
{
    if (!sound)
        return badArgument(system);
    return withVoice(system, channel, [&](SndVoice& v) { *sound = v.sound; });
}

int sndChannelIsPlaying(SndSystem* system, SndChannel channel, bool* playing)
{
    if (!playing)
        return badArgument(system);
    return withVoice(system, channel, [&](SndVoice& v) { *playing = v.active; });
}

int sndChannelStop(SndSystem* system, SndChannel channel)
{
    xmp_context player = nullptr;
    int result = withVoice(system, channel, [&](SndVoice& v) {
        v.active = false;
        player = detachPlayer(v);
    });
    sndFreeModulePlayer(player);
    return result;
}
