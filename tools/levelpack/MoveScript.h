// Move scripts: the readable form of a level's solution, one token per
// player action, kept beside the level source as NAME.moves. The packer
// plays a script through the play screen and stores the keys it recorded.
//
//   L R     walk one cell left / right (or push, or roll the barrel ridden)
//   U D     climb one cell up / down
//   A       the action key (turn round)
//   P1..P9  use the power-up in slot 1..9
//   W       wait until the board is at rest
//   W<n>    wait n frames (1..9999)
//
// A walk or climb letter may carry a repeat count: "R5" is five R tokens.
// Tokens are separated by white space; '#' starts a comment to the end of
// the line. The format is described in data/levels/README.md.
#pragma once

#include <string>
#include <vector>

namespace levelpack {

enum class MoveKind { Left, Right, Up, Down, Action, Powerup, WaitRest, WaitFrames };

struct Move {
    MoveKind kind;
    int value;  // slot 1..9 for Powerup, frames for WaitFrames, else 0
    int line;   // where the token stands in the script, for messages
};

// The largest repeat count of one walk or climb token and the longest wait.
enum { MAX_REPEAT = 99, MAX_WAIT_FRAMES = 9999 };

// Parses a script into single moves (repeats expanded). Problems are
// appended to errors as "path:line: text"; the moves are usable only when
// none were added.
std::vector<Move> parseMoveScript(const std::string& path, const std::string& text, std::vector<std::string>& errors);

// The token of one move ("L", "P3", "W", "W20").
std::string moveToken(const Move& move);

// A script of the moves, runs of one walk or climb letter merged ("R5"),
// at most `perLine` tokens per line, ending in a newline.
std::string formatMoveScript(const std::vector<Move>& moves, int perLine = 16);

// How many of the moves are player actions (waits are not).
int countActions(const std::vector<Move>& moves);

} // namespace levelpack
