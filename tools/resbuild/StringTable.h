// Compiles the UTF-8 string source (data/strings.txt) into the game's
// string table file: UTF-16LE with a byte-order mark, "!" font lines and
// "@" string lines, fields split at "|", lines ended by LF and no line
// break after the last line. Comments and blank lines of the source are
// left out. The compiler refuses what the game's reader would misread: an
// unknown line marker, a text holding "|", a string before any font line,
// an id defined twice, a field over 1023 units, control characters (a
// lone CR would split the line), characters outside the 16-bit range,
// byte-order marks (U+FEFF, U+FFFE) inside a line, and font lines whose
// fields the game refuses (see checkFontField).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resbuild {

bool compileStringTable(const std::string& source, std::vector<uint8_t>& out, std::string& error);

} // namespace resbuild
