// Encodes a mono signal as an Ogg Vorbis file in memory (libvorbisenc).
#pragma once

#include <cstdint>
#include <vector>

namespace synth {
class Signal;
}

// quality: Vorbis VBR quality, -0.1 (smallest) to 1.0.
std::vector<uint8_t> encodeOgg(const synth::Signal& signal, float quality, uint32_t serial);
