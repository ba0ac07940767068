#include "engine/StringTable.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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
// are skipped, anything after the digits is ignored. Values beyond 32 bits
// are held at the nearest limit.
int32_t parseNumber(const std::string& narrow)
{
    long long value = strtoll(narrow.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t parseNumber(const TextString& field)
{
    return parseNumber(toNarrowString(field.c_str()));
}

bool hasDigits(const std::string& narrow)
{
    size_t i = 0;
    while (i < narrow.size() && isspace(static_cast<unsigned char>(narrow[i])))
        ++i;
    if (i < narrow.size() && (narrow[i] == '-' || narrow[i] == '+'))
        ++i;
    return i < narrow.size() && isdigit(static_cast<unsigned char>(narrow[i]));
}

struct FontSettings {
    std::string fontFile;
    int32_t size = 0;
    Uint8 red = 0, green = 0, blue = 0;
    int32_t lineSpacing = 0;
};

// Takes a checked field into the font settings.
void closeFontField(int field, const std::string& value, FontSettings& font)
{
    switch (field) {
    case 1: font.fontFile = value; break;
    case 2: font.size = parseNumber(value); break;
    case 3: font.red = static_cast<Uint8>(parseNumber(value)); break;
    case 4: font.green = static_cast<Uint8>(parseNumber(value)); break;
    case 5: font.blue = static_cast<Uint8>(parseNumber(value)); break;
    case 6: font.lineSpacing = parseNumber(value); break;
    default: break;
    }
}

// Ends the program over line lineNumber of the string file.
[[noreturn]] void refuseLine(const char* fileName, int lineNumber, const std::string& reason)
{
    if (!reason.empty())
        logResourceFailure(fileName, ("line " + std::to_string(lineNumber) + ": " + reason).c_str());
    logError(false, "FONTSYSTEM: Unable to parse line number %i\n", lineNumber);
    exitFatal();
}

} // namespace

void loadStringFile(const char* fileName, StringTable& table)
{
    std::vector<Uint16> units;
    if (!readUnits(fileName, units)) {
        logResourceFailure(fileName, (std::string("cannot be opened: ") + strerror(errno)).c_str());
        logError(false, "FONTSYSTEM: Cannot load string data file.\n");
        exitFatal();
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
                refuseLine(fileName, lineNumber, "a line must begin with '#', '!' or '@'");
            }
            continue;
        }

        if (kind == LINE_FONT || kind == LINE_STRING) {
            // Every line break closes a field, so a CR LF pair closes one
            // more, empty field after the last one of its line.
            if (unit == UNIT_BAR || lineBreak || atEnd) {
                if (kind == LINE_FONT) {
                    std::string value = toNarrowString(buffer.c_str());
                    std::string refused = checkFontField(field, value);
                    if (!refused.empty())
                        refuseLine(fileName, lineNumber, refused);
                    closeFontField(field, value, font);
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

std::string checkFontField(int field, const std::string& value)
{
    if (field == 1) {
        if (value.empty())
            return "the font file name is empty";
        if (value.find('/') != std::string::npos || value.find('\\') != std::string::npos ||
            value.find("..") != std::string::npos)
            return "the font file name '" + value + "' leaves the font folder";
        return std::string();
    }
    struct Range {
        const char* what;
        int32_t low, high;
    };
    static const Range ranges[] = {{"point size", FONT_POINT_SIZE_MIN, FONT_POINT_SIZE_MAX},
                                   {"red", 0, FONT_COLOUR_MAX},
                                   {"green", 0, FONT_COLOUR_MAX},
                                   {"blue", 0, FONT_COLOUR_MAX},
                                   {"line spacing", FONT_LINE_SPACING_MIN, FONT_LINE_SPACING_MAX}};
    if (field < 2 || field > 6)
        return std::string();
    const Range& range = ranges[field - 2];
    if (!hasDigits(value))
        return std::string("the ") + range.what + " is not a number";
    int32_t number = parseNumber(value);
    if (number < range.low || number > range.high)
        return std::string("the ") + range.what + " " + std::to_string(number) + " is outside " +
               std::to_string(range.low) + " to " + std::to_string(range.high);
    return std::string();
}
