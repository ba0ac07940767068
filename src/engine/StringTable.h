// The string table: every text the interface shows by number, read from a
// UTF-16 string file ("resource5.dat") of font lines and string lines.
//
// File layout: 16-bit units, least significant byte first; a first unit
// 0xFEFF is a byte-order mark. Lines are separated by any run of CR and LF
// units. The first unit of a line is its marker: "#" comment, "!" font line
// (font file|size|red|green|blue|line spacing), "@" string line (id|text).
// Fields are separated by "|" and hold at most 1023 units; longer fields are
// cut to that length. The file must end without a line break.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>

#include "engine/TextString.h"

struct StringTableEntry {
    TextString text;
    std::string fontFile;
    int32_t size = 0;
    Uint8 red = 0;
    Uint8 green = 0;
    Uint8 blue = 0;
    int32_t lineSpacing = 0;
};

typedef std::map<int32_t, StringTableEntry> StringTable;

enum {
    STRING_FIELD_MAX_UNITS = 1023,
    // What a font line may set: the text renderer adds sizes and spacings
    // into pixel positions, so far-off values are refused, not used.
    FONT_POINT_SIZE_MIN = 1,
    FONT_POINT_SIZE_MAX = 200,
    FONT_COLOUR_MAX = 255,
    FONT_LINE_SPACING_MIN = -100,
    FONT_LINE_SPACING_MAX = 100
};

// Checks field (1 to 6) of a font line, narrowed to its low bytes: the font
// file name must be a plain name inside the font folder (no "/", "\\" or
// ".."), the numbers must have digits and lie in the ranges above. Gives
// the reason for refusing it, or an empty text. Fields past 6 are ignored.
// The string compiler applies the same rules.
std::string checkFontField(int field, const std::string& value);

// Reads fileName (opened relative to the working folder) into table; an id
// defined again replaces the earlier entry. A file that cannot be opened, a
// line with an unknown marker or a font line with a refused field ends the
// program with exit code 1, after a log line that names the file and why.
void loadStringFile(const char* fileName, StringTable& table);
