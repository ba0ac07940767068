#include "engine/StringTable.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/Log.h"

namespace {

const Uint16 UNIT_CR = 0x000D;
const Uint16 UNIT_LF = 0x000A;
const Uint16 UNIT_BAR = 0x007C;
const Uint16 UNIT_BOM = 0xFEFF;
const Uint16 MARK_COMMENT = 0x0023;
const Uint16 MARK_FONT = 0x0021;
const Uint16 MARK_STRING = 0x0040;

enum LineKind { LINE_NONE, LINE_COMMENT, LINE_FONT, LINE_STRING };

// The whole file as host-order units; a final odd byte is dropped.
bool readUnits(const char* fileName, std::vector<Uint16>& units)
{
    FILE* file = fopen(fileName, "rb");
    if (!file)
        return false;
    std::vector<unsigned char> bytes;
    unsigned char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    fclose(file);

    units.resize(bytes.size() / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<Uint16>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return true;
}

// A decimal number after narrowing each unit to its low byte: leading blanks
// are skipped, anything after the digits is ignored, no digits give 0.
int32_t parseNumber(const TextString& field)
{
    std::string narrow = toNarrowString(field.c_str());
    long value = strtol(narrow.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    return static_cast<int32_t>(value);
}

struct FontSettings {
    std::string fontFile;
    int32_t size = 0;
    Uint8 red = 0, green = 0, blue = 0;
    int32_t lineSpacing = 0;
};

void closeFontField(int field, const TextString& value, FontSettings& font)
{
    switch (field) {
    case 1: font.fontFile = toNarrowString(value.c_str()); break;
    case 2: font.size = parseNumber(value); break;
    case 3: font.red = static_cast<Uint8>(parseNumber(value)); break;
    case 4: font.green = static_cast<Uint8>(parseNumber(value)); break;
    case 5: font.blue = static_cast<Uint8>(parseNumber(value)); break;
    case 6: font.lineSpacing = parseNumber(value); break;
    default: break;
    }
}

} // namespace

void loadStringFile(const char* fileName, StringTable& table)
{
    std::vector<Uint16> units;
    if (!readUnits(fileName, units)) {
        logError(false, "FONTSYSTEM: Cannot load string data file.\n");
        exit(1);
    }

    size_t start = (!units.empty() && units[0] == UNIT_BOM) ? 1 : 0;
    FontSettings font;
    bool lineStart = true;
    int lineNumber = 0;
    LineKind kind = LINE_NONE;
    int field = 0;
    TextString buffer;
    bool bufferCut = false;
    int32_t id = 0;

    // Every unit, then one end marker (0) after the last.
    for (size_t i = start; i <= units.size(); ++i) {
        bool atEnd = (i == units.size());
        Uint16 unit = atEnd ? 0 : units[i];
        bool lineBreak = (unit == UNIT_CR || unit == UNIT_LF);

        if (lineStart && !lineBreak) {
            // A new line: its first unit is the marker. The end marker
            // after a final line break lands here and is never valid,
            // which is why the file must end without a line break.
            ++lineNumber;
            lineStart = false;
            field = 1;
            buffer = TextString();
            bufferCut = false;
            if (unit == MARK_COMMENT) {
                kind = LINE_COMMENT;
            } else if (unit == MARK_FONT) {
                kind = LINE_FONT;
            } else if (unit == MARK_STRING) {
                kind = LINE_STRING;
            } else {
                logError(false, "FONTSYSTEM: Unable to parse line number %i\n", lineNumber);
                exit(1);
            }
            continue;
        }

        if (kind == LINE_FONT || kind == LINE_STRING) {
            // Every line break closes a field, so a CR LF pair closes one
            // more, empty field after the last one of its line.
            if (unit == UNIT_BAR || lineBreak || atEnd) {
                if (kind == LINE_FONT) {
                    closeFontField(field, buffer, font);
                } else if (field == 1) {
                    id = parseNumber(buffer);
                } else if (field == 2) {
                    StringTableEntry& entry = table[id];
                    entry.text = buffer;
                    entry.fontFile = font.fontFile;
                    entry.size = font.size;
                    entry.red = font.red;
                    entry.green = font.green;
                    entry.blue = font.blue;
                    entry.lineSpacing = font.lineSpacing;
                }
                ++field;
                buffer = TextString();
                bufferCut = false;
            } else if (buffer.length() < STRING_FIELD_MAX_UNITS) {
                buffer.push_back(unit);
            } else if (!bufferCut) {
                bufferCut = true;
                logPrint(LOG_WARNING, "FONTSYSTEM: Field %i of line number %i cut to %i units\n",
                         field, lineNumber, static_cast<int>(STRING_FIELD_MAX_UNITS));
            }
        }

        if (lineBreak)
            lineStart = true;
    }
}
