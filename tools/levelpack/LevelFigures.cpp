#include "LevelFigures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace levelpack {

namespace {

const char kHeader[] =
    "# The level analysis: one line per built-in level, written by tools/solve/analyse\n"
    "# (cmake --build build --target level_analysis). Do not edit by hand: the level\n"
    "# rules check compares every line with its level (see README.md).\n";

std::string formatItems(const std::vector<ItemFigure>& items)
{
    if (items.empty())
        return "-";
    std::string out;
    for (const ItemFigure& item : items) {
        if (!out.empty())
            out += ';';
        out += item.tile;
        out += "@" + std::to_string(item.x) + "," + std::to_string(item.y) + ":" + item.verdict;
    }
    return out;
}

bool parseItems(const std::string& text, std::vector<ItemFigure>& items)
{
    items.clear();
    if (text == "-")
        return true;
    std::istringstream in(text);
    for (std::string word; std::getline(in, word, ';');) {
        ItemFigure item;
        char verdict[32] = {0};
        if (word.size() < 3 || word[1] != '@' ||
            sscanf(word.c_str() + 2, "%d,%d:%31s", &item.x, &item.y, verdict) != 3)
            return false;
        item.tile = word[0];
        item.verdict = verdict;
        items.push_back(item);
    }
    return true;
}

bool parseLong(const std::string& text, long& value)
{
    char* end = nullptr;
    value = strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0';
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

SetSummary summarise(const std::vector<const LevelFigures*>& puzzles)
{
    SetSummary s;
    s.levels = static_cast<int>(puzzles.size());
    std::vector<double> boards, dead;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const LevelFigures& f = *puzzles[i];
        s.oneKey += f.oneKey != '-';
        s.oneWay += f.oneWay == "right" || f.oneWay == "left";
        s.noDeadEnd += f.dead == 0;
        for (const ItemFigure& p : f.pickups) {
            ++s.pickups;
            s.decoys += p.verdict == "decoy";
        }
        if (i >= puzzles.size() * 2 / 3) {
            boards.push_back(static_cast<double>(f.boards));
            dead.push_back(f.deadShare());
        }
    }
    s.lastThird = static_cast<int>(boards.size());
    s.lastThirdBoards = median(boards);
    s.lastThirdDeadShare = median(dead);
    return s;
}

std::string formatFigures(const LevelFigures& f)
{
    std::string out = f.name + " source=" + f.source + " rules=" + f.rules + " boards=" + std::to_string(f.boards) +
                      " stop=" + f.stop + " solution=" + std::to_string(f.solution) + " dead=" + std::to_string(f.dead) +
                      " losing=" + std::to_string(f.losing) + " oneway=" + f.oneWay + " onekey=" + f.oneKey +
                      " pickups=" + formatItems(f.pickups) + " objects=" + formatItems(f.objects);
    return out;
}

bool parseFigures(const std::string& line, LevelFigures& f, std::string& error)
{
    std::istringstream in(line);
    f = LevelFigures();
    if (!(in >> f.name)) {
        error = "no level name";
        return false;
    }
    std::map<std::string, std::string> values;
    for (std::string word; in >> word;) {
        size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "'" + word + "' is not key=value";
            return false;
        }
        values[word.substr(0, eq)] = word.substr(eq + 1);
    }
    for (const char* key : {"source", "rules", "boards", "stop", "solution", "dead", "losing", "oneway", "onekey",
                            "pickups", "objects"}) {
        if (!values.count(key)) {
            error = std::string("no ") + key + "=";
            return false;
        }
    }
    long boards = 0, solution = 0, dead = 0, losing = 0;
    if (!parseLong(values["boards"], boards) || !parseLong(values["solution"], solution) ||
        !parseLong(values["dead"], dead) || !parseLong(values["losing"], losing) || values["onekey"].size() != 1) {
        error = "a number or the one key does not read";
        return false;
    }
    if (!parseItems(values["pickups"], f.pickups) || !parseItems(values["objects"], f.objects)) {
        error = "the pickups or objects do not read";
        return false;
    }
    f.source = values["source"];
    f.rules = values["rules"];
    f.boards = boards;
    f.stop = values["stop"];
    f.solution = static_cast<int>(solution);
    f.dead = dead;
    f.losing = static_cast<int>(losing);
    f.oneWay = values["oneway"];
    f.oneKey = values["onekey"][0];
    return true;
}

std::map<std::string, LevelFigures> readFiguresFile(const std::string& path, std::vector<std::string>& errors)
{
    std::map<std::string, LevelFigures> figures;
    std::ifstream in(path);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        LevelFigures f;
        std::string error;
        if (!parseFigures(line, f, error))
            errors.push_back(path + ":" + std::to_string(lineNo) + ": " + error);
        else
            figures[f.name] = f;
    }
    return figures;
}

bool writeFiguresFile(const std::string& path, const std::map<std::string, LevelFigures>& figures)
{
    std::string text = kHeader;
    for (const auto& entry : figures)
        text += formatFigures(entry.second) + "\n";
    FILE* out = fopen(path.c_str(), "w");
    if (!out)
        return false;
    bool ok = fputs(text.c_str(), out) >= 0;
    return fclose(out) == 0 && ok;
}

} // namespace levelpack
