// A level played on the play screen as a player plays it: not a replay,
// which opens no screen on the way, but the level's recorded solution typed
// in as the player's own keys. The screens a player meets on the way open
// (the tutorial bubbles); the keys are fed by the board's steps rather than
// by frames, so the pauses of those screens do not shift them. A
// HeadlessGame must exist while a PlayerRun lives.
#pragma once

#include <cstddef>
#include <set>

class CControllerGame;
class CLevel;

namespace replay {

class ReplayRoot;

class PlayerRun {
public:
    enum {
        // Steps to go on after the last key, for the professor to walk into
        // the exit tube.
        GRACE_STEPS = 600
    };

    // draw: render and present each frame as the game does (for pictures);
    // without it the sprites still move, nothing is drawn.
    PlayerRun(CLevel& level, bool draw);
    ~PlayerRun();
    PlayerRun(const PlayerRun&) = delete;
    PlayerRun& operator=(const PlayerRun&) = delete;

    CControllerGame* game() const { return m_game; }
    // One frame as the main loop runs it; the solution's keys that are due
    // at this step are pressed or released first. False once the level has
    // ended, the solution and its grace steps have run out, or the screen
    // has no board.
    bool frame();
    // Board steps run so far (a solution's frame numbers count these).
    int steps() const { return m_steps; }
    // The keys of the solution pressed or released so far.
    size_t keysUsed() const { return m_next; }

private:
    CLevel& m_level;
    ReplayRoot* m_root;
    CControllerGame* m_game;
    bool m_draw;
    int m_steps;
    size_t m_next;
    // The player's keys held down now; a screen that opened let go of them.
    std::set<int> m_held;
    bool m_interrupted;
};

} // namespace replay
