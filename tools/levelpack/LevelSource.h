// The readable text form of a built-in level (data/levels/*.txt) and its
// conversion into a CLevel. The format is described in data/levels/README.md.
#pragma once

#include <string>
#include <vector>

class CLevel;

namespace levelpack {

// Tile code of a map character, or -1 for a character that has none.
int tileCodeOfChar(char c);
// Map character of a tile code, '?' for a code that has none.
char charOfTileCode(int code);

// The level's map as 24 rows of 32 map characters, with 'H' for a ladder
// cell whose tile is empty.
std::vector<std::string> mapRows(const CLevel& level);

// Reads one source file into a cleared level named `name`. Problems are
// appended to errors as "file:line: text"; the level is usable only when
// none were added.
void parseLevelSource(const std::string& path, const std::string& text, const std::string& name, CLevel& level,
                      std::vector<std::string>& errors);

// Checks what a built-in level needs to be playable: one entrance, one exit,
// a heading, a known background, paired teleports on the board, tutorial
// texts on every marker, platforms only on ladders, and tutorial markers in
// a tutorial level.
void checkPlayable(const std::string& path, const CLevel& level, bool tutorialLevel,
                   std::vector<std::string>& errors);

} // namespace levelpack
