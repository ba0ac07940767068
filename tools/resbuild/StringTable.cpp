#include "StringTable.h"

#include "engine/StringTable.h"

#include <cctype>
#include <set>
#include <sstream>

namespace resbuild {

namespace {

// UTF-8 to 16-bit units; false on malformed input or a code point above
// U+FFFF (the game's text has no surrogate handling).
bool utf8ToUnits(const std::string& s, std::vector<uint16_t>& out)
{
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        uint32_t cp;
        int more;
        if (c < 0x80) {
            cp = c;
            more = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            more = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            more = 2;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= s.size())
                return false;
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(static_cast<uint16_t>(cp));
        i += more + 1;
    }
    return true;
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 1;  // after the marker
    while (true) {
        const size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return fields;
}

bool isNumber(const std::string& s, bool allowSign)
{
    if (s.empty())
        return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i == 0 && allowSign && s[i] == '-' && s.size() > 1)
            continue;
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    }
    return true;
}

} // namespace

bool compileStringTable(const std::string& source, std::vector<uint8_t>& out, std::string& error)
{
    std::vector<uint16_t> units;
    units.push_back(0xFEFF);
    bool haveFont = false;
    bool firstLine = true;
    std::set<long> ids;
    std::istringstream in(source);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> fields = splitFields(line);
        if (line[0] == '!') {
            if (fields.size() != 6) {
                error = where + "a font line needs six fields";
                return false;
            }
            for (int k = 1; k < 6; ++k)
                if (!isNumber(fields[k], k == 5)) {
                    error = where + "font field " + std::to_string(k + 1) + " is not a number";
                    return false;
                }
            // The game refuses the same fields when it reads the file.
            for (int k = 0; k < 6; ++k) {
                const std::string refused = checkFontField(k + 1, fields[k]);
                if (!refused.empty()) {
                    error = where + refused;
                    return false;
                }
            }
            haveFont = true;
        } else if (line[0] == '@') {
            if (!haveFont) {
                error = where + "string before any font line";
                return false;
            }
            if (fields.size() != 2) {
                error = where + "a string line needs an id and one text (a text cannot hold '|')";
                return false;
            }
            if (!isNumber(fields[0], true) || fields[0].size() > 9) {
                error = where + "bad string id";
                return false;
            }
            if (!ids.insert(std::stol(fields[0])).second) {
                error = where + "string id " + fields[0] + " defined twice";
                return false;
            }
            if (fields[1].empty()) {
                error = where + "empty text";
                return false;
            }
        } else {
            error = where + "a line must start with '#', '!' or '@'";
            return false;
        }
        std::vector<uint16_t> lineUnits;
        if (!utf8ToUnits(line, lineUnits)) {
            error = where + "not UTF-8 text of the 16-bit range";
            return false;
        }
        for (uint16_t u : lineUnits) {
            if (u < 0x20) {
                error = where + "control character in the line";
                return false;
            }
            // The text renderer would take these for byte-order marks.
            if (u == 0xFEFF || u == 0xFFFE) {
                error = where + "byte-order mark inside the line";
                return false;
            }
        }
        for (const std::string& f : fields) {
            std::vector<uint16_t> fu;
            utf8ToUnits(f, fu);
            if (fu.size() > 1023) {
                error = where + "field longer than 1023 units";
                return false;
            }
        }
        if (!firstLine)
            units.push_back(0x000A);
        firstLine = false;
        units.insert(units.end(), lineUnits.begin(), lineUnits.end());
    }
    out.clear();
    out.reserve(units.size() * 2);
    for (uint16_t u : units) {
        out.push_back(static_cast<uint8_t>(u & 0xFF));
        out.push_back(static_cast<uint8_t>(u >> 8));
    }
    return true;
}

} // namespace resbuild
