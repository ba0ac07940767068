#include "engine/Parameters.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Log.h"
#include "engine/Utils.h"

namespace {

std::string g_moreGamesUrl;
bool g_haveMoreGamesUrl = false;
std::string g_vendorId;
bool g_haveVendorId = false;
bool g_useTwBlink = true;
bool g_useMoreGames = true;
bool g_useMoreLevels = true;

// Reads one line of any length without its line break (and without a
// carriage return before it). False at the end of the file.
bool readLine(FILE* file, std::string& line)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = fgetc(file)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

// The longest report of a bad line, in printed characters.
const size_t kReportMaxChars = 300;

// A line as it may be printed: control bytes, bytes above 127 and the
// backslash as "\xNN" escapes, cut after kReportMaxChars characters with
// the line's full length added.
std::string printableLine(const std::string& line)
{
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        char piece[8];
        if (c < 0x20 || c >= 0x7F || c == '\\')
            snprintf(piece, sizeof piece, "\\x%02X", c);
        else
            snprintf(piece, sizeof piece, "%c", c);
        if (out.size() + strlen(piece) > kReportMaxChars) {
            out += "... (" + std::to_string(line.size()) + " bytes)";
            break;
        }
        out += piece;
    }
    return out;
}

void reportLine(const std::string& line)
{
    logError(false, "Invalid parameter specified:  '%s'\n", printableLine(line).c_str());
}

bool setSwitch(const char* format, const std::string& value, bool& flag)
{
    flag = (value == "1");
    logPrint(LOG_DEBUG, format, flag ? 1 : 0);
    return true;
}

bool applyParameter(const std::string& key, const std::string& value)
{
    if (key == "MOREGAMES_URL") {
        g_moreGamesUrl = value;
        g_haveMoreGamesUrl = true;
        logPrint(LOG_DEBUG, "PARAMETER DEFINITION:  MOREGAMES_URL = '%s'\n", value.c_str());
        return true;
    }
    if (key == "VENDOR_ID") {
        g_vendorId = value;
        g_haveVendorId = true;
        logPrint(LOG_DEBUG, "PARAMETER DEFINITION:  VENDOR_ID SET:  '%s'\n", value.c_str());
        return true;
    }
    if (key == "USE_TW_BLINK")
        return setSwitch("PARAMETER DEFINITION:  USE_TW_BLINK SET:  '%i'\n", value, g_useTwBlink);
    if (key == "USE_MOREGAMES")
        return setSwitch("PARAMETER DEFINITION:  USE_MOREGAMES SET:  '%i'\n", value, g_useMoreGames);
    if (key == "USE_MORELEVELS")
        return setSwitch("PARAMETER DEFINITION:  USE_MORELEVELS SET:  '%i'\n", value, g_useMoreLevels);
    return false;
}

} // namespace

void loadParameters(const char* fileName)
{
    g_moreGamesUrl.clear();
    g_haveMoreGamesUrl = false;
    g_vendorId.clear();
    g_haveVendorId = false;
    g_useTwBlink = g_useMoreGames = g_useMoreLevels = true;

    if (FILE* file = fopen(fileName, "rb")) {
        std::string line;
        while (readLine(file, line)) {
            std::vector<std::string> tokens;
            SplitString(line, tokens, " ");
            if (tokens.size() != 2 || !applyParameter(tokens[0], tokens[1]))
                reportLine(line);
        }
        fclose(file);
    } else {
        logResourceFailure(fileName, (std::string("cannot be opened: ") + strerror(errno)).c_str());
    }

    if (!g_haveMoreGamesUrl)
        logError(true, "'MoreGames' URL has not been defined.\n");
}

const char* getMoreGamesUrl() { return g_haveMoreGamesUrl ? g_moreGamesUrl.c_str() : nullptr; }
const char* getVendorId() { return g_haveVendorId ? g_vendorId.c_str() : nullptr; }
bool getUseTwBlink() { return g_useTwBlink; }
bool getUseMoreGames() { return g_useMoreGames; }
bool getUseMoreLevels() { return g_useMoreLevels; }
