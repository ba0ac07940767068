#include "LevelSource.h"

#include <cstring>
#include <sstream>

#include "level/Level.h"

namespace levelpack {

namespace {

struct CharCode {
    char c;
    int code;
};

const CharCode kMapChars[] = {
    {'.', NONE},
    {'?', TUTORIAL},
    {'@', DEVICE_TUBE_START},
    {'$', DEVICE_TUBE_END},
    {'#', TERRAIN_GRASS},
    {':', TERRAIN_SAND},
    {'~', TERRAIN_ICE},
    {'=', TERRAIN_BRIDGE},
    {'c', OBJECT_WCRATE},
    {'C', OBJECT_MCRATE},
    {'o', OBJECT_WBARREL},
    {'O', OBJECT_MBARREL},
    {'<', OBJECT_LMAGNET},
    {'>', OBJECT_RMAGNET},
    {'B', DEVICE_GATE_B},
    {'Y', DEVICE_GATE_Y},
    {'R', DEVICE_GATE_R},
    {'b', DEVICE_BUTTON_B},
    {'y', DEVICE_BUTTON_Y},
    {'r', DEVICE_BUTTON_R},
    {'^', DEVICE_TRAMPOLINE},
    {'_', PLATFORM},
    {'v', BOT_HANG},
    {'q', BOT_LEFT},
    {'p', BOT_RIGHT},
    // Power-ups by their inventory type number.
    {'1', POWERUP_CRATE},
    {'2', POWERUP_BARREL},
    {'3', POWERUP_MAGNET},
    {'4', POWERUP_EMP},
    {'5', POWERUP_FROSTGUN},
    {'6', POWERUP_HEATGUN},
    {'7', POWERUP_BRIDGE},
    {'8', POWERUP_WHISTLE},
    {'9', POWERUP_TELEPORT},
};

std::string where(const std::string& path, int line)
{
    return path + ":" + std::to_string(line) + ": ";
}

bool parseInt(const std::string& word, int& value)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    long v = strtol(word.c_str(), &end, 10);
    if (*end != '\0' || v < -1000000 || v > 1000000)
        return false;
    value = static_cast<int>(v);
    return true;
}

// The rest of a line after its first `count` words.
std::string restAfterWords(const std::string& line, int count)
{
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        pos = line.find_first_not_of(" \t", pos);
        pos = line.find_first_of(" \t", pos);
        if (pos == std::string::npos)
            return std::string();
    }
    pos = line.find_first_not_of(" \t", pos);
    return pos == std::string::npos ? std::string() : line.substr(pos);
}

int teleportTileOfColour(const std::string& colour)
{
    if (colour == "blue")
        return DEVICE_LTELEPORT_B;
    if (colour == "yellow")
        return DEVICE_LTELEPORT_Y;
    if (colour == "red")
        return DEVICE_LTELEPORT_R;
    return -1;
}

} // namespace

int tileCodeOfChar(char c)
{
    for (const CharCode& entry : kMapChars)
        if (entry.c == c)
            return entry.code;
    return -1;
}

char charOfTileCode(int code)
{
    for (const CharCode& entry : kMapChars)
        if (entry.code == code)
            return entry.c;
    return '?';
}

std::vector<std::string> mapRows(const CLevel& level)
{
    std::vector<std::string> rows;
    for (int y = 0; y < CLevel::HEIGHT; ++y) {
        std::string row;
        for (int x = 0; x < CLevel::WIDTH; ++x) {
            char c = charOfTileCode(level.GetTile(x, y));
            row += c == '.' && level.HasLadder(x, y) ? 'H' : c;
        }
        rows.push_back(row);
    }
    return rows;
}

void parseLevelSource(const std::string& path, const std::string& text, const std::string& name, CLevel& level,
                      std::vector<std::string>& errors)
{
    level.Clear();
    level.SetName(name.c_str());

    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }

    bool haveMap = false, haveHeading = false, haveBackground = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        int lineNo = static_cast<int>(i) + 1;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword.empty() || keyword[0] == '#')
            continue;

        if (keyword == "heading") {
            std::string heading = restAfterWords(line, 1);
            if (heading.empty() || heading.size() > CLevel::HEADING_SIZE - 1)
                errors.push_back(where(path, lineNo) + "the heading needs 1 to 32 characters");
            level.SetHeadingText(heading.c_str());
            haveHeading = true;
        } else if (keyword == "background") {
            std::string word;
            words >> word;
            int number = 0;
            if (!parseInt(word, number))
                errors.push_back(where(path, lineNo) + "background needs a number");
            level.SetBackground(number);
            haveBackground = true;
        } else if (keyword == "map") {
            if (haveMap)
                errors.push_back(where(path, lineNo) + "a second map");
            haveMap = true;
            if (i + CLevel::HEIGHT >= lines.size()) {
                errors.push_back(where(path, lineNo) + "the map needs 24 rows");
                return;
            }
            for (int y = 0; y < CLevel::HEIGHT; ++y) {
                const std::string& row = lines[i + 1 + y];
                if (row.size() != static_cast<size_t>(CLevel::WIDTH)) {
                    errors.push_back(where(path, lineNo + 1 + y) + "a map row needs 32 characters");
                    continue;
                }
                for (int x = 0; x < CLevel::WIDTH; ++x) {
                    int code = tileCodeOfChar(row[x]);
                    if (code < 0)
                        errors.push_back(where(path, lineNo + 1 + y) + "unknown map character '" + row[x] + "'");
                    else if (code != NONE)
                        level.SetTile(code, x, y);
                }
            }
            i += CLevel::HEIGHT;
        } else if (keyword == "ladder") {
            std::string a, b, c;
            words >> a >> b >> c;
            int x = 0, top = 0, height = 0;
            if (!parseInt(a, x) || !parseInt(b, top) || !parseInt(c, height) || height < 1 || x < 0 ||
                x >= CLevel::WIDTH || top < 0 || top + height > CLevel::HEIGHT) {
                errors.push_back(where(path, lineNo) + "ladder needs a column, a top row and a height on the board");
                continue;
            }
            for (int y = top; y < top + height; ++y)
                level.SetLadder(LADDER, x, y);
        } else if (keyword == "teleport") {
            std::string colour, a, b;
            words >> colour >> a >> b;
            int tile = teleportTileOfColour(colour);
            int x = 0, y = 0;
            if (tile < 0 || !parseInt(a, x) || !parseInt(b, y) || x < -1 || x > CLevel::WIDTH - 1 || y < 0 ||
                y > CLevel::HEIGHT - 1) {
                errors.push_back(where(path, lineNo) + "teleport needs blue, yellow or red and a cell (x -1..31)");
                continue;
            }
            level.SetTeleport(tile, x, y);
        } else if (keyword == "frozen" || keyword == "heated") {
            std::string a, b;
            words >> a >> b;
            int x = 0, y = 0;
            if (!parseInt(a, x) || !parseInt(b, y) || x < 0 || x >= CLevel::WIDTH || y < 0 ||
                y >= CLevel::HEIGHT) {
                errors.push_back(where(path, lineNo) + keyword + " needs a cell on the board");
                continue;
            }
            level.SetCellFlags(keyword == "frozen" ? CELL_FROZEN : CELL_HEATED, x, y);
        } else if (keyword == "tutorial") {
            std::string a, b;
            words >> a >> b;
            int x = 0, y = 0;
            std::string message = restAfterWords(line, 3);
            if (!parseInt(a, x) || !parseInt(b, y) || x < 0 || x >= CLevel::WIDTH || y < 0 ||
                y >= CLevel::HEIGHT || message.empty() || message.size() > 250) {
                errors.push_back(where(path, lineNo) + "tutorial needs a cell and a text of 1 to 250 characters");
                continue;
            }
            char* copy = new char[message.size() + 1];
            memcpy(copy, message.c_str(), message.size() + 1);
            level.SetTutorialText(x, y, copy);
        } else {
            errors.push_back(where(path, lineNo) + "unknown keyword '" + keyword + "'");
        }
    }
    if (!haveMap)
        errors.push_back(path + ": no map");
    if (!haveHeading)
        errors.push_back(path + ": no heading");
    if (!haveBackground)
        errors.push_back(path + ": no background");
}

void checkPlayable(const std::string& path, const CLevel& level, bool tutorialLevel,
                   std::vector<std::string>& errors)
{
    int entrances = 0, exits = 0, markers = 0;
    for (int x = 0; x < CLevel::WIDTH; ++x) {
        for (int y = 0; y < CLevel::HEIGHT; ++y) {
            int code = level.GetTile(x, y);
            if (code == DEVICE_TUBE_START)
                ++entrances;
            else if (code == DEVICE_TUBE_END)
                ++exits;
            else if (code == TUTORIAL) {
                ++markers;
                if (!level.GetTutorialText(x, y))
                    errors.push_back(path + ": the tutorial marker at (" + std::to_string(x) + "," +
                                     std::to_string(y) + ") has no text");
            } else if (code == PLATFORM && !level.HasLadder(x, y)) {
                errors.push_back(path + ": a platform off a ladder at (" + std::to_string(x) + "," +
                                 std::to_string(y) + ")");
            }
            if (level.GetTutorialText(x, y) && code != TUTORIAL)
                errors.push_back(path + ": a tutorial text without a marker at (" + std::to_string(x) + "," +
                                 std::to_string(y) + ")");
        }
    }
    if (entrances != 1)
        errors.push_back(path + ": needs exactly one entrance, has " + std::to_string(entrances));
    if (exits != 1)
        errors.push_back(path + ": needs exactly one exit, has " + std::to_string(exits));
    if (tutorialLevel && markers == 0)
        errors.push_back(path + ": a tutorial level without tutorial markers");
    if (level.GetBackground() < 0 || level.GetBackground() >= CLevel::BACKGROUND_COUNT)
        errors.push_back(path + ": background must be 0 to 7");
    if (level.GetHeadingText()[0] == '\0')
        errors.push_back(path + ": empty heading");
    int freeColours = 0;
    for (int c = 0; c < CLevel::TELEPORT_COLOURS; ++c) {
        size_t ends = level.GetTeleportTypeRecord(c).size();
        if (ends != 0 && ends != 2)
            errors.push_back(path + ": a teleport colour needs 0 or 2 ends");
        if (ends == 0)
            ++freeColours;
    }
    if (level.GetTeleportPowerupCount() > freeColours)
        errors.push_back(path + ": more teleport power-ups than free teleport colours");
}

} // namespace levelpack
