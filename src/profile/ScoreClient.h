// The high-score client's state that start-up prepares: the score server's
// base address and the tables that downloaded scores are kept in.
#pragma once

#include <string>
#include <vector>

// One row of a downloaded score table.
struct ScoreEntry {
    int rank;
    char name[16];
    int score;
    std::string text;
};

enum { SCORE_TABLE_COUNT = 3 }; // one per built-in level set

// Keeps a copy of the base address; requests go to it + "twscores.php".
void SetScoreServerUrl(const char* url);
const char* GetScoreServerUrl();
// The full address of the score script.
std::string GetScoreScriptUrl();

// Builds the empty score tables.
void InitScoreTables();
const std::vector<ScoreEntry>& GetScoreTable(int set);
