// The game's sound effects, each synthesised from oscillators, noise and
// envelopes.
#pragma once

#include <string>
#include <vector>

#include "Synth.h"

struct Effect {
    std::string name;       // archive entry name, e.g. "click_v1-2.ogg"
    bool loops;             // made to repeat seamlessly
    synth::Signal (*make)(int variant);
    int variant;            // for numbered series (footsteps, climbing)
};

const std::vector<Effect>& allEffects();
