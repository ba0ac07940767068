#include "platform/SoundTestData.h"

#include <cmath>
#include <cstring>

#include <vorbis/vorbisenc.h>

#include "engine/ResourceArchive.h"
#include "test_support.h"

namespace soundtest {

namespace {

void appendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<uint8_t> oggTone(double frequency, double seconds, double amplitude, int rate)
{
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, rate, 0.4f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::vector<uint8_t> out;
    ogg_packet h1, h2, h3;
    vorbis_analysis_headerout(&dsp, &comment, &h1, &h2, &h3);
    ogg_stream_packetin(&stream, &h1);
    ogg_stream_packetin(&stream, &h2);
    ogg_stream_packetin(&stream, &h3);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page))
        appendPage(out, page);

    int total = static_cast<int>(seconds * rate);
    float** buffer = vorbis_analysis_buffer(&dsp, total);
    for (int i = 0; i < total; ++i)
        buffer[0][i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * frequency * i / rate));
    vorbis_analysis_wrote(&dsp, total);
    vorbis_analysis_wrote(&dsp, 0);
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page))
                appendPage(out, page);
        }
    }
    while (ogg_stream_flush(&stream, &page))
        appendPage(out, page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::vector<uint8_t> damagedOgg()
{
    std::vector<uint8_t> data = oggTone(440, 0.2, 0.5);
    // Keep the capture pattern, scramble everything after the first page
    // header.
    for (size_t i = 10; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 37 + 11);
    return data;
}

std::vector<uint8_t> damagedModule()
{
    std::vector<uint8_t> data = generatedSound("main.oxm");
    if (data.size() > 400)
        data.resize(400);  // the header survives, patterns and samples are gone
    for (size_t i = 336; i < data.size(); ++i)
        data[i] = 0xFF;
    return data;
}

std::vector<uint8_t> generatedSound(const std::string& name)
{
    ResourceArchiveReader reader;
    std::string path = testsupport::runDir() + "/resource3.dat";
    if (!reader.Open(path.c_str()))
        return {};
    std::string entry;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < reader.Count(); ++i)
        if (reader.ReadEntry(i, entry, data) && entry == name)
            return data;
    return {};
}

} // namespace soundtest
