#include "MoveScript.h"

#include <cctype>
#include <cstdlib>

namespace levelpack {

namespace {

bool letterKind(char c, MoveKind& kind)
{
    switch (c) {
    case 'L': kind = MoveKind::Left; return true;
    case 'R': kind = MoveKind::Right; return true;
    case 'U': kind = MoveKind::Up; return true;
    case 'D': kind = MoveKind::Down; return true;
    default: return false;
    }
}

// The number that follows a token's letter: -1 when there is none, -2 when
// the rest is not all digits or too long to be sensible.
int numberAfter(const std::string& token)
{
    if (token.size() == 1)
        return -1;
    if (token.size() > 5)
        return -2;
    for (size_t i = 1; i < token.size(); ++i)
        if (!isdigit(static_cast<unsigned char>(token[i])))
            return -2;
    return atoi(token.c_str() + 1);
}

void parseToken(const std::string& path, int line, const std::string& token, std::vector<Move>& moves,
                std::vector<std::string>& errors)
{
    std::string where = path + ":" + std::to_string(line) + ": ";
    int number = numberAfter(token);
    MoveKind kind;
    if (letterKind(token[0], kind)) {
        int count = number == -1 ? 1 : number;
        if (number == -2 || count < 1 || count > MAX_REPEAT) {
            errors.push_back(where + "'" + token + "': a walk or climb repeats 1 to " + std::to_string(MAX_REPEAT) +
                             " times");
            return;
        }
        for (int i = 0; i < count; ++i)
            moves.push_back(Move{kind, 0, line});
        return;
    }
    switch (token[0]) {
    case 'A':
        if (number != -1)
            break;
        moves.push_back(Move{MoveKind::Action, 0, line});
        return;
    case 'P':
        if (number < 1 || number > 9) {
            errors.push_back(where + "'" + token + "': a power-up slot is P1 to P9");
            return;
        }
        moves.push_back(Move{MoveKind::Powerup, number, line});
        return;
    case 'W':
        if (number == -1) {
            moves.push_back(Move{MoveKind::WaitRest, 0, line});
            return;
        }
        if (number < 1 || number > MAX_WAIT_FRAMES) {
            errors.push_back(where + "'" + token + "': a wait is W or W1 to W" + std::to_string(MAX_WAIT_FRAMES));
            return;
        }
        moves.push_back(Move{MoveKind::WaitFrames, number, line});
        return;
    default:
        break;
    }
    errors.push_back(where + "unknown token '" + token + "'");
}

} // namespace

std::vector<Move> parseMoveScript(const std::string& path, const std::string& text, std::vector<std::string>& errors)
{
    std::vector<Move> moves;
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\n') {
            ++line;
            ++i;
        } else if (c == '#') {
            while (i < text.size() && text[i] != '\n')
                ++i;
        } else if (isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else {
            size_t start = i;
            while (i < text.size() && !isspace(static_cast<unsigned char>(text[i])) && text[i] != '#')
                ++i;
            parseToken(path, line, text.substr(start, i - start), moves, errors);
        }
    }
    return moves;
}

std::string moveToken(const Move& move)
{
    switch (move.kind) {
    case MoveKind::Left: return "L";
    case MoveKind::Right: return "R";
    case MoveKind::Up: return "U";
    case MoveKind::Down: return "D";
    case MoveKind::Action: return "A";
    case MoveKind::Powerup: return "P" + std::to_string(move.value);
    case MoveKind::WaitRest: return "W";
    case MoveKind::WaitFrames: return "W" + std::to_string(move.value);
    }
    return "?";
}

std::string formatMoveScript(const std::vector<Move>& moves, int perLine)
{
    std::string out;
    int onLine = 0;
    size_t i = 0;
    while (i < moves.size()) {
        std::string token = moveToken(moves[i]);
        size_t run = 1;
        bool repeatable = moves[i].kind == MoveKind::Left || moves[i].kind == MoveKind::Right ||
                          moves[i].kind == MoveKind::Up || moves[i].kind == MoveKind::Down;
        while (repeatable && i + run < moves.size() && moves[i + run].kind == moves[i].kind && run < MAX_REPEAT)
            ++run;
        if (run > 1)
            token += std::to_string(run);
        i += run;
        if (onLine == perLine) {
            out += '\n';
            onLine = 0;
        }
        if (onLine > 0)
            out += ' ';
        out += token;
        ++onLine;
    }
    if (!out.empty())
        out += '\n';
    return out;
}

int countActions(const std::vector<Move>& moves)
{
    int count = 0;
    for (const Move& m : moves)
        if (m.kind != MoveKind::WaitRest && m.kind != MoveKind::WaitFrames)
            ++count;
    return count;
}

} // namespace levelpack
