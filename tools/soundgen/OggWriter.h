// Encodes a mono signal as an Ogg Vorbis file in memory (libvorbisenc).
#pragma once

#include <cstdint>
#include <vector>

namespace synth {
class Signal;
}

// quality: Vorbis VBR quality, -0.1 (smallest) to 1.0.
std::vector<uint8_t> encodeOgg(const synth::Signal& signal, float quality, uint32_t serial);

// The largest absolute sample value of the decoded Ogg Vorbis data, full
// scale being 1.0 (values above it would clip when played).
double decodedPeak(const std::vector<uint8_t>& ogg);

// Encodes the signal so that once decoded its peak stays at or below
// maxPeak: lossy coding overshoots the synthesised peak, so the signal is
// scaled down and encoded again until it fits.
std::vector<uint8_t> encodeOggWithHeadroom(const synth::Signal& signal, float quality, uint32_t serial,
                                           double maxPeak);
