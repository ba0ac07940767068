#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {
const double kPi = 3.14159265358979323846;

float waveAt(Wave wave, double phase)
{
    double p = phase - std::floor(phase);
    switch (wave) {
    case Wave::Sine:
        return static_cast<float>(std::sin(2.0 * kPi * p));
    case Wave::Square:
        return p < 0.5 ? 0.8f : -0.8f;
    case Wave::Saw:
        return static_cast<float>(2.0 * p - 1.0) * 0.8f;
    case Wave::Triangle:
        return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
    }
    return 0.0f;
}
} // namespace

double Env::at(double t) const
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return attack > 0.0 ? t / attack : 1.0;
    t -= attack;
    if (t < hold)
        return 1.0;
    t -= hold;
    if (t >= release || release <= 0.0)
        return 0.0;
    double x = 1.0 - t / release;  // 1 .. 0
    return std::pow(x, curve);
}

void Svf::set(double cutoff, double resonance)
{
    double c = std::min(cutoff, kRate * 0.45);
    m_f = static_cast<float>(2.0 * std::sin(kPi * c / (kRate * 2.0)));
    m_q = static_cast<float>(std::max(0.05, 1.0 - resonance));
}

float Svf::process(float in)
{
    m_low += m_f * m_band;
    m_high = in - m_low - m_q * m_band;
    m_band += m_f * m_high;
    // Keep a runaway resonance bounded.
    m_low = std::clamp(m_low, -8.0f, 8.0f);
    m_band = std::clamp(m_band, -8.0f, 8.0f);
    return m_low;
}

Signal::Signal(double seconds) : m_samples(static_cast<size_t>(seconds * kRate + 0.5), 0.0f) {}

void Signal::tone(double start, Wave wave, double f0, double f1, double amp, const Env& env,
                  double vibratoHz, double vibratoDepth)
{
    int first = static_cast<int>(start * kRate);
    int count = static_cast<int>(env.length() * kRate);
    double phase = 0.0;
    double length = env.length();
    for (int i = 0; i < count && first + i < size(); ++i) {
        if (first + i < 0)
            continue;
        double t = static_cast<double>(i) / kRate;
        double f = f0 * std::pow(f1 / f0, length > 0 ? t / length : 0.0);
        if (vibratoHz > 0.0)
            f *= 1.0 + vibratoDepth * std::sin(2.0 * kPi * vibratoHz * t);
        phase += f / kRate;
        m_samples[first + i] += static_cast<float>(amp * env.at(t)) * waveAt(wave, phase);
    }
}

void Signal::noise(double start, Rng& rng, NoiseShape shape, double c0, double c1,
                   double resonance, double amp, const Env& env)
{
    int first = static_cast<int>(start * kRate);
    int count = static_cast<int>(env.length() * kRate);
    double length = env.length();
    Svf filter;
    for (int i = 0; i < count && first + i < size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        if ((i & 15) == 0)
            filter.set(c0 * std::pow(c1 / c0, length > 0 ? t / length : 0.0), resonance);
        float low = filter.process(rng.bipolar());
        float out = shape == NoiseShape::Low ? low : shape == NoiseShape::Band ? filter.band()
                                                                                : filter.high();
        if (first + i >= 0)
            m_samples[first + i] += static_cast<float>(amp * env.at(t)) * out;
    }
}

void Signal::knock(double start, Rng& rng, double pitch, double brightness, double amp,
                   double decay)
{
    noise(start, rng, NoiseShape::Band, brightness, brightness * 0.5, 0.5, amp * 0.8,
          Env{0.001, 0.0, decay * 0.6, 4.0});
    tone(start, Wave::Sine, pitch * 1.6, pitch, amp, Env{0.001, 0.0, decay, 3.0});
}

void Signal::crackle(double start, double duration, Rng& rng, double density, double amp,
                     double brightness)
{
    int events = static_cast<int>(duration * density);
    for (int i = 0; i < events; ++i) {
        double at = start + rng.unit() * duration;
        double level = amp * (0.3 + 0.7 * rng.unit());
        noise(at, rng, NoiseShape::High, brightness, brightness, 0.2, level,
              Env{0.0005, 0.0, 0.004 + 0.012 * rng.unit(), 3.0});
    }
}

void Signal::normalize(double peak)
{
    float top = 0.0f;
    for (float s : m_samples)
        top = std::max(top, std::fabs(s));
    if (top <= 0.0f)
        return;
    float scale = static_cast<float>(peak) / top;
    for (float& s : m_samples)
        s *= scale;
}

void Signal::makeLoop(double crossfade)
{
    int fade = static_cast<int>(crossfade * kRate);
    if (fade <= 0 || fade * 2 >= size())
        return;
    int keep = size() - fade;
    for (int i = 0; i < fade; ++i) {
        float w = static_cast<float>(i) / static_cast<float>(fade);
        m_samples[i] = m_samples[i] * w + m_samples[keep + i] * (1.0f - w);
    }
    m_samples.resize(static_cast<size_t>(keep));
}

void Signal::smoothEdges(double seconds)
{
    int n = std::min(static_cast<int>(seconds * kRate), size() / 2);
    for (int i = 0; i < n; ++i) {
        float w = static_cast<float>(i) / static_cast<float>(n);
        m_samples[i] *= w;
        m_samples[size() - 1 - i] *= w;
    }
}

} // namespace synth
