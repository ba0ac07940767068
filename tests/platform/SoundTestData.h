// Sound data for the sound tests: Ogg Vorbis tones made on the spot and
// deliberately damaged files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundtest {

// A mono sine tone as Ogg Vorbis.
std::vector<uint8_t> oggTone(double frequency, double seconds, double amplitude, int rate = 44100);
// Starts like Ogg Vorbis, then garbage.
std::vector<uint8_t> damagedOgg();
// Starts like an XM module, then garbage.
std::vector<uint8_t> damagedModule();
// The entry of the generated sound archive with that name (empty if absent).
std::vector<uint8_t> generatedSound(const std::string& name);

} // namespace soundtest
