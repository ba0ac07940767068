// One level played headless through the real play screen with the record
// flag, driven by move-script tokens. It is shared by the packer (which
// turns a level's script into its recorded solution), the solver (which
// plays candidate moves) and the contact sheet (which draws the first
// frame). A HeadlessGame must exist while a LevelRun lives.
//
// "At rest" is the moment a token is played: the professor takes input (he
// is not in a tube, moving, falling, hot, frozen, on a trampoline fling or
// busy with a power-up) and nothing else on the board is moving, falling or
// sliding, no shot is in flight and no power-up is waiting to act. Bots are
// left out, so bots that keep chasing do not hold the board up; and when the
// rest of the board has not settled within SETTLE_FRAMES of the professor
// being ready, that moment counts as rest too.
#pragma once

#include <cstdint>
#include <string>

#include "MoveScript.h"

namespace replay {
class ReplayRoot;
}

class CControllerGame;
class CElementAIProfessor;
class CLevel;

namespace levelpack {

class LevelRun {
public:
    enum {
        SETTLE_FRAMES = 90,    // board still busy this long after the professor is ready: rest anyway
        READY_FRAMES = 1500,   // the professor does not take input this long: the run is stuck
        END_FRAMES = 600       // after the last move: frames to reach the end of the level
    };

    // Builds the board of `level` on a play screen that records into the
    // level's solution (the level's keys are replaced), or that only plays.
    // Without `draw` a frame updates the sprites' animations (which the
    // walkers' logic follows) but draws nothing: the world steps exactly
    // alike, several times faster.
    explicit LevelRun(CLevel& level, bool record = true, bool draw = true);
    ~LevelRun();
    LevelRun(const LevelRun&) = delete;
    LevelRun& operator=(const LevelRun&) = delete;

    bool hasBoard() const;
    const CElementAIProfessor* professor() const;
    // One frame as the game's main loop runs it: the screen's pump, the
    // renderer and presenting (without drawing when the run does not draw).
    void frame();
    int frames() const { return m_frames; }
    // Frames since the level started, as the play screen counts them.
    int elapsedFrames() const;

    bool ended() const;
    // "exited", "caught", "singed", "fallen", "exit tube destroyed" once
    // ended, "" before.
    std::string outcome() const;
    int steps() const;

    bool professorReady() const;
    bool boardSettled() const;

    // Runs frames until the board is at rest or the level has ended. False,
    // with the reason, when the professor never takes input again.
    bool waitForRest(std::string& why);

    // Plays one move from rest: presses its key for one frame, then waits
    // for rest again. False, with what happened, when the level ended
    // (`ended()` tells how) or the run got stuck.
    bool play(const Move& move, std::string& why);

    // The board at rest as a compact text: what every element is, where it
    // stands and its lasting condition (frozen, heated, burst, facing), the
    // professor's power-ups and the outcome. Timing and animation are left
    // out, so the same position reached at different times reads alike.
    std::string restKey() const;
    // The same values as restKey() as a 64-bit hash, computed from the
    // board's fields without writing the text.
    uint64_t restHash() const;
    // The whole board as boardHash() reads it, and the effects that play out
    // over several frames (a melt, a burn, a glow) and end with their
    // animation: an undo gives back the first and hides the others, so a
    // board restored by undo reads alike only when no effect was running.
    static uint64_t restoreCheckHash();

    // Where the professor stands, for messages: "professor at (3,17) facing right".
    std::string whereIsProfessor() const;

private:
    void keepBackgroundDecoded();
    void press(int binding, bool released);

    CLevel& m_level;
    CControllerGame* m_game;
    replay::ReplayRoot* m_root;
    int m_frames;
    bool m_draw;
};

// Plays a whole script from the level's start. Returns true when the level
// ends with the professor through the exit tube right after the last move;
// otherwise `failedMove` is the index of the move at fault (moves.size()
// when the script ran out) and `why` says what happened. The level's
// solution holds the recorded keys afterwards.
struct ScriptResult {
    bool exited = false;
    int failedMove = -1;
    std::string why;
    int frames = 0;
    int steps = 0;
};
ScriptResult playScript(CLevel& level, const std::vector<Move>& moves);

} // namespace levelpack
