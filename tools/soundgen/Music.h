// The six music tracks, composed as tracker modules (XM): melody, counter-
// melody, bass, chords and drums, each running at least a minute before it
// returns to its start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Track {
    std::string name;  // archive entry name, e.g. "main.oxm"
    int style;
};

const std::vector<Track>& allTracks();
std::vector<uint8_t> composeTrack(int style, double minimumSeconds);
