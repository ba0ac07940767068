#include "world/FuzzedLevel.h"

#include <cstdio>

#include "walkers/CElementAIProfessor.h"
#include "level/Level.h"
#include "world/BoardHarness.h"

namespace boardtest {

namespace {

enum {
    ACTION_CLICK = 0,
    ACTION_LEFT = 1,
    ACTION_DOWN = 4,
    ACTION_TURN = 5,
    ACTION_SLOT1 = 6,
    ACTION_SLOT9 = 14,
    ACTION_UNDO = 15,
    ENTRANCE_STEPS = 150
};

CElementAIProfessor* professor()
{
    return static_cast<CElementAIProfessor*>(CElement::theProfessor);
}

// Presses (or releases) direction key 0 left, 1 right, 2 up, 3 down.
void directionKey(int direction, bool released)
{
    CElementAIProfessor* p = professor();
    if (!p)
        return;
    switch (direction) {
    case 0: p->setKeyLeft(released); break;
    case 1: p->setKeyRight(released); break;
    case 2: p->setKeyUp(released); break;
    default: p->setKeyDown(released); break;
    }
}

// Plays the script; returns the steps taken.
int playScript(Board& board, const uint8_t* script, size_t length, int steps)
{
    int taken = 0;
    for (size_t i = 0; i < length && taken < steps; ++i) {
        int action = script[i] & 15;
        int frames = 1 + (script[i] >> 4) * 2;
        CElementAIProfessor* p = professor();
        bool pressed = false;
        if (action == ACTION_CLICK) {
            // The middle of a board cell in screen pixels (the board's
            // origin lies at (29, 20), cells are 24 pixels).
            int column = i + 1 < length ? script[i + 1] % CElement::GRID_WIDTH : 0;
            int row = i + 2 < length ? script[i + 2] % CElement::GRID_HEIGHT : 0;
            i += 2;
            int x = 29 + column * 24 + 12, y = 20 + row * 24 + 12;
            if (p) {
                p->mouseMove(x, y);
                p->mouseButton(x, y, false);
                p->mouseButton(x, y, true);
            }
        } else if (action <= ACTION_DOWN) {
            directionKey(action - ACTION_LEFT, false);
            pressed = true;
        } else if (action == ACTION_TURN) {
            if (p)
                p->setKeyTurn(false);
            pressed = true;
        } else if (action <= ACTION_SLOT9) {
            if (p)
                p->usePowerup(action - ACTION_SLOT1);
        } else {
            CElement::UndoLoad(false);
        }
        for (int f = 0; f < frames && taken < steps; ++f, ++taken)
            board.step();
        if (pressed && professor()) {
            if (action == ACTION_TURN)
                professor()->setKeyTurn(true);
            else
                directionKey(action - ACTION_LEFT, true);
        }
    }
    return taken;
}

} // namespace

bool stepFuzzedLevel(const uint8_t* data, size_t size, int steps)
{
    if (size == 0)
        return false;
    size_t scriptLength = data[size - 1];
    if (scriptLength > size - 1)
        scriptLength = size - 1;
    size_t levelLength = size - 1 - scriptLength;
    CLevel level;
    level.Clear();
    if (levelLength > 0) {
        FILE* stream = fmemopen(const_cast<uint8_t*>(data), levelLength, "rb");
        if (!stream)
            return false;
        // A level that stops half-way still has layers worth building.
        level.Load(stream, "fuzz");
        fclose(stream);
    }
    Board board;
    board.build(level);
    for (int i = 0; i < ENTRANCE_STEPS && professor() && professor()->isEnteringTube(); ++i)
        board.step();
    int taken = playScript(board, data + levelLength, scriptLength, steps);
    board.step(steps - taken);
    return true;
}

} // namespace boardtest
