// Decoders of the sound library: Ogg Vorbis to PCM through libvorbisfile,
// and tracker modules checked and played through libxmp.
#include <cstring>

#include <vorbis/vorbisfile.h>

#include "platform/SoundLibInternal.h"

namespace {

// libvorbisfile reads the data through these callbacks from memory.
struct MemoryStream {
    const uint8_t* data;
    long length;
    long position;
};

size_t memRead(void* buffer, size_t size, size_t count, void* source)
{
    MemoryStream* stream = static_cast<MemoryStream*>(source);
    if (size == 0)
        return 0;
    long left = stream->length - stream->position;
    size_t items = count;
    if (static_cast<long>(size * items) > left)
        items = static_cast<size_t>(left) / size;
    memcpy(buffer, stream->data + stream->position, size * items);
    stream->position += static_cast<long>(size * items);
    return items;
}

int memSeek(void* source, ogg_int64_t offset, int whence)
{
    MemoryStream* stream = static_cast<MemoryStream*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR)
        base = stream->position;
    else if (whence == SEEK_END)
        base = stream->length;
    ogg_int64_t target = base + offset;
    if (target < 0 || target > stream->length)
        return -1;
    stream->position = static_cast<long>(target);
    return 0;
}

long memTell(void* source)
{
    return static_cast<MemoryStream*>(source)->position;
}

} // namespace

int sndDecodeOgg(const uint8_t* data, long length, SndSound* sound)
{
    MemoryStream stream{data, length, 0};
    ov_callbacks callbacks;
    callbacks.read_func = memRead;
    callbacks.seek_func = memSeek;
    callbacks.close_func = nullptr;
    callbacks.tell_func = memTell;

    OggVorbis_File file;
    if (ov_open_callbacks(&stream, &file, nullptr, 0, callbacks) != 0)
        return SND_ERR_DECODE;

    vorbis_info* info = ov_info(&file, -1);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0 || info->rate > SND_MAX_SOUND_RATE) {
        ov_clear(&file);
        return SND_ERR_FORMAT;
    }
    sound->channels = info->channels;
    sound->rate = static_cast<int>(info->rate);
    sound->pcm.clear();

    const size_t maxSamples = static_cast<size_t>(sound->rate) * SND_MAX_SOUND_SECONDS * sound->channels;
    char buffer[8192];
    int section = 0;
    int result = SND_OK;
    for (;;) {
        long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == 0)
            break;
        if (got == OV_HOLE)
            continue;  // a gap in the stream: decoding resumes after it
        if (got < 0) {
            result = SND_ERR_DECODE;
            break;
        }
        // A chained stream whose later links change the layout is not ours.
        vorbis_info* now = ov_info(&file, section);
        if (!now || now->channels != sound->channels) {
            result = SND_ERR_DECODE;
            break;
        }
        size_t samples = static_cast<size_t>(got) / 2;
        size_t old = sound->pcm.size();
        if (old + samples > maxSamples) {
            result = SND_ERR_TOO_LONG;
            break;
        }
        sound->pcm.resize(old + samples);
        memcpy(sound->pcm.data() + old, buffer, samples * 2);
    }
    ov_clear(&file);

    sound->frames = static_cast<int64_t>(sound->pcm.size()) / sound->channels;
    if (result == SND_OK && sound->frames == 0)
        result = SND_ERR_DECODE;
    if (result != SND_OK) {
        sound->pcm.clear();
        sound->pcm.shrink_to_fit();
        sound->frames = 0;
    }
    return result;
}

int sndCheckModule(const uint8_t* data, long length, SndSound* sound)
{
    if (xmp_test_module_from_memory(data, length, nullptr) != 0)
        return SND_ERR_FORMAT;
    // Load it once: a module whose header looks right may still be damaged.
    xmp_context context = xmp_create_context();
    if (!context)
        return SND_ERR_DECODE;
    int loaded = xmp_load_module_from_memory(context, data, length);
    if (loaded == 0)
        xmp_release_module(context);
    xmp_free_context(context);
    if (loaded != 0)
        return SND_ERR_DECODE;
    sound->isModule = true;
    sound->module.assign(data, data + length);
    sound->rate = SND_MIX_RATE;
    sound->channels = 2;
    return SND_OK;
}

xmp_context sndStartModulePlayer(const SndSound* sound)
{
    xmp_context context = xmp_create_context();
    if (!context)
        return nullptr;
    if (xmp_load_module_from_memory(context, sound->module.data(),
                                    static_cast<long>(sound->module.size())) != 0) {
        xmp_free_context(context);
        return nullptr;
    }
    if (xmp_start_player(context, SND_MIX_RATE, 0) != 0) {
        xmp_release_module(context);
        xmp_free_context(context);
        return nullptr;
    }
    xmp_set_player(context, XMP_PLAYER_INTERP, XMP_INTERP_LINEAR);
    return context;
}

void sndFreeModulePlayer(xmp_context player)
{
    if (!player)
        return;
    xmp_end_player(player);
    xmp_release_module(player);
    xmp_free_context(player);
}
