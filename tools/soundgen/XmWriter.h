// Writes an Extended Module (XM) tracker file: patterns of note cells,
// instruments with one 16-bit sample each and a volume envelope.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xm {

enum { kNoteOff = 97 };

// Note numbers count semitones from 1 = C-0; 49 is C-4.
inline int note(int octave, int semitone) { return 1 + octave * 12 + semitone; }

struct Cell {
    uint8_t note = 0;        // 0 none, 1..96, 97 key off
    uint8_t instrument = 0;  // 1-based, 0 none
    uint8_t volume = 0;      // volume column: 0 none, 0x10..0x50 set volume 0..64
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct Pattern {
    int rows = 64;
    std::vector<Cell> cells;  // rows * channels, row by row
    Pattern(int rowCount, int channels) : rows(rowCount), cells(static_cast<size_t>(rowCount * channels)) {}
    Cell& at(int row, int channel, int channels) { return cells[static_cast<size_t>(row * channels + channel)]; }
};

struct Instrument {
    std::string name;
    std::vector<int16_t> sample;
    bool loop = false;
    uint32_t loopStart = 0;   // in samples
    uint32_t loopLength = 0;  // in samples
    uint8_t volume = 64;
    int8_t relativeNote = 0;
    int8_t finetune = 0;
    uint8_t panning = 128;
    // Volume envelope as (tick, level 0..64) points; empty for none.
    std::vector<std::pair<uint16_t, uint16_t>> envelope;
    uint16_t fadeout = 0;
};

struct Module {
    std::string name;
    int channels = 6;
    int speed = 6;   // ticks per row
    int bpm = 125;
    std::vector<uint8_t> orders;
    int restart = 0;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

std::vector<uint8_t> write(const Module& module);

} // namespace xm
