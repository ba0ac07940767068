#include "Music.h"

#include <algorithm>
#include <cmath>

#include "Synth.h"
#include "XmWriter.h"

namespace {

const double kPi = 3.14159265358979323846;

// Channels of every track.
enum { CH_MELODY, CH_COUNTER, CH_BASS, CH_PAD, CH_DRUM, CH_HAT, CHANNELS };
// Instruments (1-based in the module).
enum { INS_LEAD = 1, INS_FLUTE, INS_BASS, INS_ORGAN, INS_KICK, INS_SNARE, INS_HAT, INS_BELL };

const int kRows = 64;        // four bars of sixteen rows
const int kRowsPerBar = 16;

// One looped cycle of 128 samples: played at C-4 with relative note +24 it
// sounds at (almost exactly) C-4.
std::vector<int16_t> cycle(double (*shape)(double))
{
    std::vector<int16_t> out(128);
    for (int i = 0; i < 128; ++i)
        out[i] = static_cast<int16_t>(std::lrint(shape(i / 128.0) * 28000.0));
    return out;
}

double leadShape(double p)
{
    // A rounded pulse: the first few odd and even harmonics of a 30 % pulse.
    double v = 0.0;
    for (int h = 1; h <= 9; ++h)
        v += std::sin(kPi * h * 0.3) / h * std::cos(2 * kPi * h * p) * (1.0 - h / 11.0);
    return v * 0.75;
}

double fluteShape(double p)
{
    return std::sin(2 * kPi * p) * 0.85 + std::sin(4 * kPi * p) * 0.12 + std::sin(6 * kPi * p) * 0.04;
}

double bassShape(double p)
{
    double v = 0.0;
    for (int h = 1; h <= 8; ++h)
        v += std::sin(2 * kPi * h * p) / h;
    return v * 0.55;
}

double organShape(double p)
{
    return (std::sin(2 * kPi * p) + 0.5 * std::sin(4 * kPi * p) + 0.3 * std::sin(6 * kPi * p) +
            0.15 * std::sin(8 * kPi * p)) * 0.5;
}

xm::Instrument tonal(const std::string& name, double (*shape)(double),
                     std::vector<std::pair<uint16_t, uint16_t>> envelope)
{
    xm::Instrument ins;
    ins.name = name;
    ins.sample = cycle(shape);
    ins.loop = true;
    ins.loopStart = 0;
    ins.loopLength = 128;
    ins.relativeNote = 24;
    ins.envelope = std::move(envelope);
    ins.fadeout = 2048;
    return ins;
}

// Drum and bell samples are made at 16726 Hz and played at C-4 with
// relative note +12, which is that rate.
const double kDrumRate = 16726.0;

xm::Instrument oneShot(const std::string& name, const std::vector<float>& samples, int relativeNote)
{
    xm::Instrument ins;
    ins.name = name;
    ins.sample.resize(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        ins.sample[i] = static_cast<int16_t>(std::lrint(std::clamp(samples[i], -1.0f, 1.0f) * 30000.0f));
    ins.relativeNote = static_cast<int8_t>(relativeNote);
    return ins;
}

std::vector<float> kick()
{
    std::vector<float> s(static_cast<size_t>(0.25 * kDrumRate));
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / kDrumRate;
        double f = 45.0 + 110.0 * std::exp(-t * 30.0);
        phase += f / kDrumRate;
        s[i] = static_cast<float>(std::sin(2 * kPi * phase) * std::exp(-t * 12.0));
    }
    return s;
}

std::vector<float> snare()
{
    synth::Rng rng(7);
    std::vector<float> s(static_cast<size_t>(0.2 * kDrumRate));
    float low = 0.0f;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / kDrumRate;
        float n = rng.bipolar();
        low += 0.5f * (n - low);
        double body = std::sin(2 * kPi * 185.0 * t) * std::exp(-t * 30.0);
        s[i] = static_cast<float>(((n - low) * 0.7 * std::exp(-t * 18.0) + body * 0.5));
    }
    return s;
}

std::vector<float> hat()
{
    synth::Rng rng(9);
    std::vector<float> s(static_cast<size_t>(0.06 * kDrumRate));
    float previous = 0.0f;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / kDrumRate;
        float n = rng.bipolar();
        s[i] = static_cast<float>((n - previous) * 0.5 * std::exp(-t * 70.0));
        previous = n;
    }
    return s;
}

// A soft bell at C-4, made at four times C-4's cycle rate like the cycles.
std::vector<float> bell()
{
    const double rate = 33452.0;
    std::vector<float> s(static_cast<size_t>(0.7 * rate));
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / rate;
        double f = 261.63;
        s[i] = static_cast<float>((std::sin(2 * kPi * f * t) * 0.7 + std::sin(2 * kPi * f * 2.76 * t) * 0.2 * std::exp(-t * 6.0) +
                                   std::sin(2 * kPi * f * 5.4 * t) * 0.08 * std::exp(-t * 12.0)) *
                                  std::exp(-t * 4.5) * std::min(1.0, t * 400.0));
    }
    return s;
}

std::vector<xm::Instrument> instruments()
{
    std::vector<xm::Instrument> list;
    list.push_back(tonal("lead", leadShape, {{0, 64}, {6, 50}, {30, 38}, {90, 20}, {160, 0}}));
    list.push_back(tonal("flute", fluteShape, {{0, 0}, {5, 56}, {20, 48}, {120, 30}, {220, 0}}));
    list.push_back(tonal("bass", bassShape, {{0, 64}, {8, 52}, {40, 36}, {120, 0}}));
    list.push_back(tonal("organ", organShape, {{0, 0}, {12, 36}, {40, 32}, {96, 24}, {150, 0}}));
    list.push_back(oneShot("kick", kick(), 12));
    list.push_back(oneShot("snare", snare(), 12));
    list.push_back(oneShot("hat", hat(), 12));
    list.push_back(oneShot("bell", bell(), 24));
    return list;
}

// Music theory --------------------------------------------------------------

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
const int kDorian[7] = {0, 2, 3, 5, 7, 9, 10};

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int floorMod(int a, int b) { return a - floorDiv(a, b) * b; }

struct Style {
    std::string name;
    int root;                  // pitch class of the key
    const int* scale;
    int bpm;
    std::vector<int> progressionA;  // chord degrees, one per bar (8 bars)
    std::vector<int> progressionB;
    int leadInstrument;
    std::vector<std::vector<int>> rhythms;  // onset rows within a bar
    bool snareOn;
    bool hatsOn;
    bool walkingBass;
    uint32_t seed;
};

class Composer {
public:
    explicit Composer(const Style& style) : m_style(style) {}

    xm::Module compose(double minimumSeconds)
    {
        xm::Module module;
        module.name = m_style.name;
        module.channels = CHANNELS;
        module.speed = 6;
        module.bpm = m_style.bpm;
        module.instruments = instruments();

        double patternSeconds = kRows * module.speed * 2.5 / module.bpm;
        int count = static_cast<int>(std::ceil(minimumSeconds / patternSeconds));
        // Sections: A A' B A'' C B' A ... the tune returns to its theme.
        const int sectionOf[] = {0, 0, 1, 0, 2, 1, 0, 2, 1, 0, 0, 1, 2, 0};
        for (int p = 0; p < count; ++p) {
            int section = sectionOf[p % 14];
            module.patterns.push_back(pattern(section, p));
            module.orders.push_back(static_cast<uint8_t>(p));
        }
        module.restart = 0;
        return module;
    }

private:
    int semis(int degree) const
    {
        return 12 * floorDiv(degree, 7) + m_style.scale[floorMod(degree, 7)];
    }
    int noteOf(int degree, int octave) const
    {
        return xm::note(octave, m_style.root) + semis(degree);
    }
    bool isChordTone(int degree, int chord) const
    {
        int d = floorMod(degree - chord, 7);
        return d == 0 || d == 2 || d == 4;
    }

    xm::Pattern pattern(int section, int index)
    {
        xm::Pattern p(kRows, CHANNELS);
        const std::vector<int>& progression = section == 1 ? m_style.progressionB : m_style.progressionA;
        int half = (index % 2) * 4;  // which half of the 8-bar progression
        // The theme's motif comes from the section; its answer varies.
        synth::Rng motif(m_style.seed + 1000u * static_cast<uint32_t>(section));
        synth::Rng variation(m_style.seed + 77u * static_cast<uint32_t>(index) + 5u);
        int degree = 7;  // melody starts on the tonic an octave up

        for (int bar = 0; bar < 4; ++bar) {
            int chord = progression[static_cast<size_t>((half + bar) % progression.size())];
            int row0 = bar * kRowsPerBar;
            synth::Rng& rng = bar < 2 ? motif : variation;
            const std::vector<int>& rhythm =
                m_style.rhythms[static_cast<size_t>(rng.below(static_cast<int>(m_style.rhythms.size())))];

            // Melody: chord tones on strong beats, steps in between.
            bool rest = section == 2 && bar == 3;
            for (size_t k = 0; k < rhythm.size() && !rest; ++k) {
                int row = rhythm[k];
                if (row % 8 == 0) {
                    int best = degree, bestDistance = 100;
                    for (int d = degree - 3; d <= degree + 3; ++d) {
                        if (isChordTone(d, chord) && std::abs(d - degree) < bestDistance) {
                            best = d;
                            bestDistance = std::abs(d - degree);
                        }
                    }
                    degree = best;
                } else {
                    int step = rng.below(5) - 2;
                    degree += step == 0 ? 1 : step;
                }
                degree = std::clamp(degree, 2, 13);
                xm::Cell& c = p.at(row0 + row, CH_MELODY, CHANNELS);
                c.note = static_cast<uint8_t>(noteOf(degree, 4));
                c.instrument = static_cast<uint8_t>(m_style.leadInstrument);
                c.volume = 0x10 + 44;
            }

            // Counter-melody: a bell arpeggio in the B and C sections.
            if (section != 0) {
                for (int r = 0; r < kRowsPerBar; r += 4) {
                    int tone = chord + 2 * ((r / 4) % 3);
                    xm::Cell& c = p.at(row0 + r + 2, CH_COUNTER, CHANNELS);
                    c.note = static_cast<uint8_t>(noteOf(tone, 5));
                    c.instrument = INS_BELL;
                    c.volume = 0x10 + 22;
                }
            }

            // Bass: root and fifth, or a walk through the chord.
            const int bassRows[] = {0, 4, 8, 12};
            for (int b = 0; b < 4; ++b) {
                if (!m_style.walkingBass && (b == 1 || b == 3))
                    continue;
                int tone = m_style.walkingBass ? chord + (b == 3 ? 5 : 2 * b) : chord + (b == 2 ? 4 : 0);
                xm::Cell& c = p.at(row0 + bassRows[b], CH_BASS, CHANNELS);
                c.note = static_cast<uint8_t>(noteOf(tone, 2));
                c.instrument = INS_BASS;
                c.volume = 0x10 + 48;
            }

            // Pad: the chord as an arpeggio effect on its root.
            xm::Cell& pad = p.at(row0, CH_PAD, CHANNELS);
            pad.note = static_cast<uint8_t>(noteOf(chord, 4));
            pad.instrument = INS_ORGAN;
            pad.volume = 0x10 + 22;
            for (int r = 0; r < kRowsPerBar; ++r) {
                xm::Cell& c = p.at(row0 + r, CH_PAD, CHANNELS);
                c.effect = 0x0;
                c.param = static_cast<uint8_t>(((semis(chord + 2) - semis(chord)) << 4) |
                                               (semis(chord + 4) - semis(chord)));
            }

            // Drums.
            for (int r = 0; r < kRowsPerBar; ++r) {
                int row = row0 + r;
                bool fill = (index % 4 == 3) && bar == 3 && r >= 12;
                if (r == 0 || r == 8 || (section == 1 && r == 10)) {
                    xm::Cell& c = p.at(row, CH_DRUM, CHANNELS);
                    c.note = static_cast<uint8_t>(xm::note(4, 0));
                    c.instrument = INS_KICK;
                    c.volume = 0x10 + 60;
                } else if (m_style.snareOn && (r == 4 || r == 12 || (fill && r % 2 == 0))) {
                    xm::Cell& c = p.at(row, CH_DRUM, CHANNELS);
                    c.note = static_cast<uint8_t>(xm::note(4, 0));
                    c.instrument = INS_SNARE;
                    c.volume = 0x10 + (fill && r != 12 ? 34 : 46);
                }
                if (m_style.hatsOn && r % 2 == 0) {
                    xm::Cell& c = p.at(row, CH_HAT, CHANNELS);
                    c.note = static_cast<uint8_t>(xm::note(4, 0));
                    c.instrument = INS_HAT;
                    c.volume = 0x10 + (r % 4 == 0 ? 30 : 18);
                }
            }
        }
        return p;
    }

    Style m_style;
};

} // namespace

const std::vector<Track>& allTracks()
{
    static const std::vector<Track> tracks = {
        {"main.oxm", 0}, {"map.oxm", 1}, {"story.oxm", 2},
        {"stage1.oxm", 3}, {"stage2.oxm", 4}, {"stage3.oxm", 5},
    };
    return tracks;
}

std::vector<uint8_t> composeTrack(int which, double minimumSeconds)
{
    const std::vector<std::vector<int>> lively = {
        {0, 4, 8, 12}, {0, 6, 8, 12, 14}, {0, 2, 4, 8, 10, 12}, {0, 3, 6, 8, 12}, {0, 4, 6, 8, 10, 12, 14}};
    const std::vector<std::vector<int>> calm = {{0, 8}, {0, 4, 8, 12}, {0, 6, 8}, {0, 8, 12}};
    const Style styles[] = {
        {"Copper Lantern", 0, kMajor, 125, {0, 4, 5, 3, 0, 3, 4, 0}, {5, 3, 0, 4, 5, 3, 1, 4},
         INS_LEAD, lively, true, true, false, 101},
        {"Over the Hills", 7, kMajor, 112, {0, 3, 0, 4, 5, 3, 4, 0}, {3, 4, 2, 5, 3, 4, 0, 0},
         INS_FLUTE, calm, false, true, false, 202},
        {"The Professor's Tale", 9, kMinor, 84, {0, 5, 2, 6, 0, 3, 4, 0}, {5, 2, 3, 0, 5, 6, 4, 4},
         INS_FLUTE, calm, false, false, false, 303},
        {"Clockwork Caves", 2, kDorian, 128, {0, 3, 0, 6, 0, 3, 4, 0}, {2, 3, 0, 0, 6, 3, 4, 4},
         INS_LEAD, lively, true, true, true, 404},
        {"Brass and Steam", 4, kMinor, 120, {0, 5, 6, 4, 0, 3, 6, 4}, {3, 4, 0, 5, 3, 6, 4, 4},
         INS_BELL, lively, true, true, false, 505},
        {"Lantern Light", 5, kMajor, 136, {0, 1, 4, 0, 3, 4, 0, 0}, {5, 1, 4, 0, 3, 2, 1, 4},
         INS_LEAD, lively, true, true, true, 606},
    };
    Composer composer(styles[which]);
    return xm::write(composer.compose(minimumSeconds));
}
