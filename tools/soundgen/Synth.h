// Building blocks of the sound generator: a mono signal buffer and the
// oscillators, noise, filters and envelopes the effects are made of.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

enum { kRate = 22050 };

// A deterministic noise source (xorshift), so every build makes the same
// sounds.
class Rng {
public:
    explicit Rng(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in [-1, 1).
    float bipolar() { return static_cast<float>(next() >> 8) / 8388608.0f - 1.0f; }
    // Uniform in [0, 1).
    float unit() { return static_cast<float>(next() >> 8) / 16777216.0f; }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

private:
    uint32_t m_state;
};

enum class Wave { Sine, Square, Saw, Triangle };

// Attack to full level, hold, then release to silence. curve 1 is a linear
// release; larger values fall faster at first (exponential-like).
struct Env {
    double attack = 0.005;
    double hold = 0.0;
    double release = 0.2;
    double curve = 3.0;
    double at(double t) const;
    double length() const { return attack + hold + release; }
};

// A resonant state-variable filter; cutoff in Hz, resonance 0..1.
class Svf {
public:
    void set(double cutoff, double resonance);
    // Returns the low-pass output; band and high are kept for the caller.
    float process(float in);
    float band() const { return m_band; }
    float high() const { return m_high; }

private:
    float m_f = 0.1f, m_q = 1.0f, m_low = 0.0f, m_band = 0.0f, m_high = 0.0f;
};

enum class NoiseShape { Low, Band, High };

class Signal {
public:
    explicit Signal(double seconds);
    int size() const { return static_cast<int>(m_samples.size()); }
    double seconds() const { return static_cast<double>(m_samples.size()) / kRate; }
    std::vector<float>& samples() { return m_samples; }
    const std::vector<float>& samples() const { return m_samples; }

    // A tone gliding from f0 to f1 Hz (exponentially) under the envelope.
    void tone(double start, Wave wave, double f0, double f1, double amp, const Env& env,
              double vibratoHz = 0.0, double vibratoDepth = 0.0);
    // Filtered noise; the cutoff glides from c0 to c1 Hz.
    void noise(double start, Rng& rng, NoiseShape shape, double c0, double c1, double resonance,
               double amp, const Env& env);
    // A short decaying click of noise and a low tone: a knock on something.
    void knock(double start, Rng& rng, double pitch, double brightness, double amp, double decay);
    // Sparse random clicks: crackle of fire or electricity.
    void crackle(double start, double duration, Rng& rng, double density, double amp,
                 double brightness);

    // Scales the peak to the given level.
    void normalize(double peak);
    // Makes the end flow into the start for a seamless loop: the last
    // crossfade seconds are blended over the beginning and cut off.
    void makeLoop(double crossfade);
    // Short fade at both ends against clicks.
    void smoothEdges(double seconds);

private:
    std::vector<float> m_samples;
};

} // namespace synth
