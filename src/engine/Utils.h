// Small value types and helpers used across screens and board objects:
// a bobbing motion, a drifting point, random numbers in a range, case
// conversion, thousands separators and splitting text into tokens.
#pragma once

#include <string>
#include <vector>

// A bobbing motion: the offset swings between -amplitude and +amplitude
// around base over a cycle of 4 x range steps.
struct Oscillation {
    float base;
    int position;
    int range;
    float exponent;
    float amplitude;
    int direction;
    float offset;
};

void OscillationInit(Oscillation& osc, int base, int range, float exponent, float amplitude, int start);
void OscillationStep(Oscillation& osc);
int OscillationValue(const Oscillation& osc);

// A point that moves by (vx, vy) on the first of every `period` steps.
struct Drift {
    float x, y;
    float vx, vy;
    int period;
    int counter;
};

void DriftInit(Drift& drift, float x, float y, float vx, float vy, int period);
void DriftStep(Drift& drift);
float DriftGetX(const Drift& drift);
float DriftGetY(const Drift& drift);

// Random values from the C generator's 15-bit range (0 to 32767), which
// main seeds once. Game logic never calls these.
float RandomFloat(float min, float max);
int RandomInt(float min, float max);

enum { CASE_COPY_SIZE = 259 };
// New buffers of CASE_COPY_SIZE characters (free with delete[]); longer
// texts are cut to fit.
char* ToUpperCopy(const char* text);
char* ToLowerCopy(const char* text);

// Writes value with a comma before every group of three digits; values
// below 1 give "0". out must hold at least 16 characters.
void FormatThousands(int value, char* out);

// Appends every maximal run of characters not in separators to tokens.
void SplitString(const std::string& text, std::vector<std::string>& tokens, const char* separators);
