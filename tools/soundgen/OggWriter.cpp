#include "OggWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include "Synth.h"

namespace {

void appendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

struct Reader {
    const std::vector<uint8_t>* data;
    size_t position;
};

size_t readMemory(void* buffer, size_t size, size_t count, void* source)
{
    Reader* r = static_cast<Reader*>(source);
    if (size == 0)
        return 0;
    size_t items = std::min(count, (r->data->size() - r->position) / size);
    memcpy(buffer, r->data->data() + r->position, items * size);
    r->position += items * size;
    return items;
}

} // namespace

std::vector<uint8_t> encodeOgg(const synth::Signal& signal, float quality, uint32_t serial)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, synth::kRate, quality) != 0)
        throw std::runtime_error("vorbis encoder set-up failed");

    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "bramblecot soundgen");

    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);

    ogg_stream_state stream;
    ogg_stream_init(&stream, static_cast<int>(serial));

    std::vector<uint8_t> out;
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        appendPage(out, page);

    const std::vector<float>& samples = signal.samples();
    size_t done = 0;
    bool finished = false;
    while (!finished) {
        size_t chunk = std::min<size_t>(4096, samples.size() - done);
        if (chunk == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(chunk));
            for (size_t i = 0; i < chunk; ++i)
                buffer[0][i] = std::clamp(samples[done + i], -1.0f, 1.0f);
            vorbis_analysis_wrote(&dsp, static_cast<int>(chunk));
            done += chunk;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    appendPage(out, page);
                    if (ogg_page_eos(&page))
                        finished = true;
                }
            }
        }
        if (chunk == 0)
            finished = true;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        appendPage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

double decodedPeak(const std::vector<uint8_t>& ogg)
{
    Reader reader{&ogg, 0};
    ov_callbacks callbacks = {readMemory, nullptr, nullptr, nullptr};
    OggVorbis_File file;
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0)
        throw std::runtime_error("vorbis decoder refused our own data");
    double peak = 0.0;
    float** pcm = nullptr;
    int section = 0;
    long got;
    while ((got = ov_read_float(&file, &pcm, 4096, &section)) > 0)
        for (long i = 0; i < got; ++i)
            peak = std::max(peak, static_cast<double>(std::fabs(pcm[0][i])));
    ov_clear(&file);
    if (got < 0)
        throw std::runtime_error("vorbis decoder refused our own data");
    return peak;
}

std::vector<uint8_t> encodeOggWithHeadroom(const synth::Signal& signal, float quality, uint32_t serial,
                                           double maxPeak)
{
    synth::Signal scaled = signal;
    for (int pass = 0; pass < 8; ++pass) {
        std::vector<uint8_t> data = encodeOgg(scaled, quality, serial);
        double peak = decodedPeak(data);
        if (peak <= maxPeak)
            return data;
        // A little below the exact ratio: the overshoot moves with the level.
        float factor = static_cast<float>(maxPeak / peak * 0.98);
        for (float& sample : scaled.samples())
            sample *= factor;
    }
    throw std::runtime_error("cannot bring a sound below its peak limit");
}
