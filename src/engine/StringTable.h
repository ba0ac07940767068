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

enum { STRING_FIELD_MAX_UNITS = 1023 };

// Reads fileName (opened relative to the working folder) into table; an id
// defined again replaces the earlier entry. A file that cannot be opened or
// a line with an unknown marker ends the program with exit code 1.
void loadStringFile(const char* fileName, StringTable& table);
