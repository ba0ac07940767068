#include "profile/ScoreClient.h"

namespace {
std::string g_serverUrl;
std::vector<ScoreEntry> g_tables[SCORE_TABLE_COUNT];
const std::vector<ScoreEntry> kNoTable;
} // namespace

void SetScoreServerUrl(const char* url)
{
    g_serverUrl = url ? url : "";
}

const char* GetScoreServerUrl()
{
    return g_serverUrl.c_str();
}

std::string GetScoreScriptUrl()
{
    return g_serverUrl + "twscores.php";
}

void InitScoreTables()
{
    for (std::vector<ScoreEntry>& table : g_tables)
        table.clear();
}

const std::vector<ScoreEntry>& GetScoreTable(int set)
{
    return (set >= 0 && set < SCORE_TABLE_COUNT) ? g_tables[set] : kNoTable;
}
