// A small software sound library: decoded sounds are mixed by our own mixer
// into SDL's audio device (44.1 kHz, stereo, 16-bit signed).
//
// Sounds are created from Ogg Vorbis data (decoded to PCM at creation) or
// from tracker modules (kept as module data and rendered by libxmp while
// they play, one player per playing channel). The format is recognised from
// the data itself, never from a file name.
//
// A channel is named by a handle that carries a generation count: once a
// channel has been given to another play, the old handle is refused with
// SND_ERR_STALE_CHANNEL, so a caller can tell that its sound is gone.
//
// Every call returns a result code (SND_OK or one of the errors below);
// sndResultText gives a short text for each. The audio device runs on SDL's
// audio thread; every call that touches a channel holds SDL's audio lock.
#pragma once

#include <cstdint>

enum SndResult {
    SND_OK = 0,
    SND_ERR_ARGUMENT,        // a null or out-of-range argument
    SND_ERR_NOT_READY,       // the system is not initialised
    SND_ERR_ALREADY_READY,   // the system (or another one) is already initialised
    SND_ERR_OUTPUT,          // unknown output type
    SND_ERR_DRIVER,          // driver index outside the driver list
    SND_ERR_DEVICE,          // the audio device could not be opened
    SND_ERR_FILE,            // a sound file could not be read
    SND_ERR_FORMAT,          // data that is neither Ogg Vorbis nor a tracker module
    SND_ERR_DECODE,          // damaged sound data
    SND_ERR_NO_CHANNEL,      // every channel is busy
    SND_ERR_STALE_CHANNEL,   // the channel handle was never valid or was given to another play
    SND_ERR_TOO_LONG,        // Ogg Vorbis data that decodes to more than SND_MAX_SOUND_SECONDS
    SND_RESULT_COUNT
};

const char* sndResultText(int result);

// The one output type: SDL's audio device. Its drivers are SDL's audio
// drivers (only the one named by SDL_AUDIODRIVER when that is set).
enum { SND_OUTPUT_SDL = 1 };

enum { SND_MIX_RATE = 44100, SND_MAX_CHANNELS = 255 };

// Decoded sounds are held whole in memory: a small Vorbis file can decode to
// tens of megabytes, so a sound may last at most three minutes (music plays
// from tracker modules, which are not decoded ahead), at a rate of at most
// 192 kHz.
enum { SND_MAX_SOUND_SECONDS = 180, SND_MAX_SOUND_RATE = 192000 };

// Init flags. SND_INIT_MANUAL_MIX opens the device but leaves it paused, so
// only sndSystemMix advances the channels (used by tests and benchmarks).
enum { SND_INIT_NORMAL = 0, SND_INIT_MANUAL_MIX = 1 };

struct SndSystem;
struct SndSound;
// 0 is no channel.
typedef uint32_t SndChannel;

int sndSystemCreate(SndSystem** system);
int sndSystemSetOutput(SndSystem* system, int output);
int sndSystemGetNumDrivers(SndSystem* system, int* count);
// Copies the driver's name, NUL-terminated and cut to size bytes.
int sndSystemGetDriverName(SndSystem* system, int index, char* name, int size);
int sndSystemSetDriver(SndSystem* system, int index);
int sndSystemInit(SndSystem* system, int channels, unsigned flags);

// From length bytes of file data (which may be freed when the call returns)
// or from a file path. The new sound plays once (loop count 0).
int sndSystemCreateSound(SndSystem* system, const void* data, long length, SndSound** sound);
int sndSystemCreateSoundFile(SndSystem* system, const char* path, SndSound** sound);

// Starts the sound on the lowest free channel, at volume 1.0 and the
// sound's own frequency. The channel takes the sound's loop count now.
int sndSystemPlaySound(SndSystem* system, SndSound* sound, bool paused, SndChannel* channel);

// Once per frame: frees the module players of channels that have ended.
int sndSystemUpdate(SndSystem* system);
// Closes the device; the sounds stay valid until sndSystemRelease.
int sndSystemClose(SndSystem* system);
// Frees every sound still alive and the system itself.
int sndSystemRelease(SndSystem* system);

// Mixes frames stereo frames of every playing channel into out (which is
// overwritten), advancing the channels as the device would.
int sndSystemMix(SndSystem* system, int16_t* out, int frames);

// -1 repeats until stopped, 0 plays once, n plays n + 1 times.
int sndSoundSetLoopCount(SndSound* sound, int count);
// Stops every channel that plays the sound, then frees it.
int sndSoundRelease(SndSound* sound);
// True for a tracker module, false for decoded PCM.
int sndSoundIsModule(SndSound* sound, bool* module);

int sndChannelSetVolume(SndSystem* system, SndChannel channel, float volume);
int sndChannelGetVolume(SndSystem* system, SndChannel channel, float* volume);
// The playback rate in Hz (the sound's own rate at start).
int sndChannelGetFrequency(SndSystem* system, SndChannel channel, float* frequency);
int sndChannelSetFrequency(SndSystem* system, SndChannel channel, float frequency);
int sndChannelSetPaused(SndSystem* system, SndChannel channel, bool paused);
int sndChannelGetCurrentSound(SndSystem* system, SndChannel channel, SndSound** sound);
int sndChannelIsPlaying(SndSystem* system, SndChannel channel, bool* playing);
int sndChannelStop(SndSystem* system, SndChannel channel);
