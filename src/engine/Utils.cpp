#include "engine/Utils.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void OscillationInit(Oscillation& osc, int base, int range, float exponent, float amplitude, int start)
{
    osc.base = static_cast<float>(base);
    osc.range = range;
    osc.exponent = exponent;
    osc.amplitude = amplitude;
    osc.offset = 0.0f;
    if (range == 0) {
        // A swing of no steps cannot move; keep the motion at rest.
        osc.position = 0;
        osc.direction = 1;
        return;
    }
    int q = start / range;
    int r = start % range;
    switch (q % 4) {
    case 0:
        osc.position = r;
        osc.direction = 1;
        break;
    case 1:
        osc.position = range - r;
        osc.direction = -1;
        break;
    case 2:
        osc.position = -r;
        osc.direction = -1;
        break;
    default:
        osc.position = r - range;
        osc.direction = 1;
        break;
    }
}

void OscillationStep(Oscillation& osc)
{
    osc.position += osc.direction;
    if (osc.position >= osc.range)
        osc.direction = -1;
    if (osc.position <= -osc.range)
        osc.direction = 1;
    if (osc.range == 0) {
        osc.offset = 0.0f;
        return;
    }
    double ratio = std::fabs(static_cast<double>(osc.position) / osc.range);
    double offset = (1.0 - std::pow(ratio, static_cast<double>(osc.exponent))) * osc.amplitude;
    osc.offset = static_cast<float>(osc.direction == -1 ? -offset : offset);
}

int OscillationValue(const Oscillation& osc)
{
    return static_cast<int>(osc.base + osc.offset);
}

void DriftInit(Drift& drift, float x, float y, float vx, float vy, int period)
{
    drift.x = x;
    drift.y = y;
    drift.vx = vx;
    drift.vy = vy;
    drift.period = period;
    drift.counter = 0;
}

void DriftStep(Drift& drift)
{
    if (drift.counter == 0) {
        drift.x += drift.vx;
        drift.y += drift.vy;
    }
    drift.counter = drift.period > 0 ? (drift.counter + 1) % drift.period : 0;
}

float DriftGetX(const Drift& drift) { return drift.x; }
float DriftGetY(const Drift& drift) { return drift.y; }

float RandomFloat(float min, float max)
{
    int r = rand() % 32768;
    return static_cast<float>(r) / 32767.0f * (max - min) + min;
}

int RandomInt(float min, float max)
{
    return static_cast<int>(RandomFloat(min, max));
}

namespace {
char* caseCopy(const char* text, int (*convert)(int))
{
    char* out = new char[CASE_COPY_SIZE];
    size_t i = 0;
    for (; text && text[i] && i < CASE_COPY_SIZE - 1; ++i)
        out[i] = static_cast<char>(convert(static_cast<unsigned char>(text[i])));
    out[i] = '\0';
    return out;
}
} // namespace

char* ToUpperCopy(const char* text) { return caseCopy(text, toupper); }
char* ToLowerCopy(const char* text) { return caseCopy(text, tolower); }

void FormatThousands(int value, char* out)
{
    out[0] = '\0';
    if (value < 1) {
        sprintf(out, "%i", 0);
        return;
    }
    char buffer[32];
    while (value > 0) {
        int group = value % 1000;
        if (value <= 999)
            snprintf(buffer, sizeof buffer, "%i%s", group, out);
        else
            snprintf(buffer, sizeof buffer, ",%03i%s", group, out);
        strcpy(out, buffer);
        value /= 1000;
    }
}

void SplitString(const std::string& text, std::vector<std::string>& tokens, const char* separators)
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t start = text.find_first_not_of(separators, pos);
        if (start == std::string::npos)
            break;
        size_t end = text.find_first_of(separators, start);
        if (end == std::string::npos)
            end = text.size();
        tokens.push_back(text.substr(start, end - start));
        pos = end;
    }
}
