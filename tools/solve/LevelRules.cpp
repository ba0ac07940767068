#include "LevelRules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

namespace levelrules {

using levelpack::ItemFigure;
using levelpack::LevelFigures;

namespace {

const char* const kSetNames[] = {"regular", "advanced", "kids"};

std::string trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    size_t b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::string cell(int x, int y)
{
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

std::string at(char tile, int x, int y)
{
    return std::string(1, tile) + " at " + cell(x, y);
}

// The non-tutorial levels of a set, by index.
std::vector<const RuleLevel*> puzzles(const std::vector<RuleLevel>& levels, int set)
{
    std::vector<const RuleLevel*> out;
    for (const RuleLevel& l : levels)
        if (l.set == set && !l.tutorial)
            out.push_back(&l);
    std::sort(out.begin(), out.end(), [](const RuleLevel* a, const RuleLevel* b) { return a->index < b->index; });
    return out;
}

std::string percent(double share)
{
    char buf[16];
    snprintf(buf, sizeof buf, "%.1f%%", share * 100);
    return buf;
}

// How the later level's map lies over the earlier one at their best likeness.
std::string moveText(const Likeness& like)
{
    if (like.dx == 0 && like.dy == 0)
        return "";
    return ", moved by " + cell(like.dx, like.dy);
}

// How the room differs from its copy.
std::string roomText(const RoomCopy& room)
{
    std::string text = room.mirrored ? " mirrored" : "";
    if (room.changed > 0)
        text += " but for " + std::to_string(room.changed) + (room.changed == 1 ? " cell" : " cells");
    return text;
}

bool hasDecoy(const RuleLevel& l, const ItemFigure& item)
{
    for (const Decoy& d : l.decoys)
        if (d.tile == item.tile && d.x == item.x && d.y == item.y)
            return true;
    return false;
}

} // namespace

std::vector<Decoy> parseDecoys(const std::string& sourceText, std::vector<std::string>& errors)
{
    std::vector<Decoy> decoys;
    std::istringstream in(sourceText);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        std::string t = trim(line);
        if (t.compare(0, 1, "#") != 0)
            continue;
        t = trim(t.substr(1));
        if (t.compare(0, 6, "decoy:") != 0)
            continue;
        t = trim(t.substr(6));
        Decoy d;
        char tile = 0;
        int used = 0;
        if (sscanf(t.c_str(), "%c at (%d,%d) -%n", &tile, &d.x, &d.y, &used) < 3 || used == 0 ||
            trim(t.substr(static_cast<size_t>(used))).empty()) {
            errors.push_back("line " + std::to_string(lineNo) + ": a decoy line reads \"# decoy: C at (X,Y) - why\"");
            continue;
        }
        d.tile = tile;
        d.why = trim(t.substr(static_cast<size_t>(used)));
        decoys.push_back(d);
    }
    return decoys;
}

std::string namedObjects(const std::string& idea)
{
    struct Kind {
        const char* word;
        const char* tiles;
    };
    const Kind kinds[] = {{"crate", "cC"},  {"barrel", "oO"},     {"magnet", "<>"},   {"bot", "vqp"},
                          {"button", "byr"}, {"trampoline", "^"}, {"teleport", "T"}, {"portal", "T"}};
    std::string tiles;
    std::string word;
    std::string text = idea + " ";
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            continue;
        }
        if (!word.empty() && word.back() == 's' && word.size() > 3)
            word.pop_back();
        for (const Kind& k : kinds)
            if (word == k.word && tiles.find(k.tiles[0]) == std::string::npos)
                tiles += k.tiles;
        word.clear();
    }
    return tiles;
}

std::vector<Waiting> parseWaiting(const std::string& text, std::vector<std::string>& errors)
{
    std::vector<Waiting> out;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line.substr(0, line.find('#')));
        Waiting w;
        std::string more;
        if (!(words >> w.level))
            continue;
        if (!(words >> w.other >> w.rule) || (words >> more) || (w.rule != "likeness" && w.rule != "room"))
            errors.push_back("line " + std::to_string(number) + ": " + line);
        else
            out.push_back(w);
    }
    return out;
}

std::vector<Finding> setAsideWaiting(std::vector<Finding>& findings, const std::vector<Waiting>& waiting)
{
    std::vector<Finding> aside;
    for (const Waiting& w : waiting) {
        auto found = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.level == w.level && f.other == w.other && f.rule == w.rule;
        });
        if (found == findings.end()) {
            findings.push_back({w.level, "waiting-list",
                                "listed as a " + w.rule + " of " + w.other + " to redesign, but no longer found: "
                                "take its line out of the waiting list"});
            continue;
        }
        aside.push_back(*found);
        findings.erase(found);
    }
    return aside;
}

std::vector<Finding> checkStale(const std::vector<RuleLevel>& levels, const std::map<std::string, LevelFigures>& figures)
{
    std::vector<Finding> out;
    for (const RuleLevel& l : levels) {
        auto found = figures.find(l.name);
        if (found == figures.end()) {
            out.push_back({l.name, "stale", "the level has no analysis figures"});
            continue;
        }
        const LevelFigures& f = found->second;
        if (f.source != l.source)
            out.push_back({l.name, "stale", "its map or its moves changed since the analysis (source " + f.source +
                                                 ", now " + l.source + ")"});
        else if (f.rules != l.rules)
            out.push_back({l.name, "stale", "the game's rules act on it differently since the analysis (rules " +
                                                 f.rules + ", now " + l.rules + ")"});
    }
    return out;
}

void lastThirdMedians(const std::vector<RuleLevel>& levels, const std::map<std::string, LevelFigures>& figures,
                      int set, double& boards, double& deadShare, int& count)
{
    std::vector<const LevelFigures*> found;
    for (const RuleLevel* l : puzzles(levels, set)) {
        auto f = figures.find(l->name);
        if (f != figures.end())
            found.push_back(&f->second);
    }
    levelpack::SetSummary s = levelpack::summarise(found);
    boards = s.lastThirdBoards;
    deadShare = s.lastThirdDeadShare;
    count = s.lastThird;
}

std::vector<Finding> checkRules(const std::vector<RuleLevel>& levels, const std::map<std::string, LevelFigures>& figures)
{
    std::vector<Finding> out = checkStale(levels, figures);

    // Titles, likeness and copied rooms over all sets, one finding of each
    // per pair, named on the later level.
    std::vector<std::vector<std::string>> grids;
    for (const RuleLevel& l : levels)
        grids.push_back(l.grid);
    const MapSet maps(grids);
    for (size_t i = 0; i < levels.size(); ++i) {
        const RuleLevel& a = levels[i];
        for (const std::string& e : a.decoyErrors)
            out.push_back({a.name, "decoy-line", e});
        for (size_t j = i + 1; j < levels.size(); ++j) {
            const RuleLevel& b = levels[j];
            if (a.heading == b.heading)
                out.push_back({b.name, "title", "the heading \"" + b.heading + "\" is also " + a.name + "'s"});
            Likeness like = maps.bestLikeness(i, j, LIKENESS_BOUND);
            if (like.share > LIKENESS_BOUND)
                out.push_back({b.name, "likeness", "shares " + percent(like.share) + " of its cells with " + a.name +
                                                       moveText(like),
                               a.name});
            RoomCopy room;
            if (maps.copiedRoom(j, i, room))
                out.push_back({b.name, "room", "the room at " + cell(room.ax, room.ay) + " is " + a.name +
                                                   "'s room at " + cell(room.bx, room.by) + roomText(room),
                               a.name});
        }
    }

    // Per level: the regular and advanced puzzles, the pickups and named objects.
    for (const RuleLevel& l : levels) {
        auto found = figures.find(l.name);
        if (found == figures.end())
            continue;
        const LevelFigures& f = found->second;
        if (l.set != 2 && !l.tutorial) {
            if (l.oneKey != '-')
                out.push_back({l.name, "one-key", std::string("won by pressing ") + l.oneKey + " alone"});
            if (f.dead < 1 && f.complete())
                out.push_back({l.name, "dead-end", "no board from which the exit is lost"});
            if (f.losing < 1 && f.solution >= 0 && f.complete())
                out.push_back({l.name, "losing-move", "no move beside the shortest solution loses the level"});
        }
        for (const ItemFigure& p : f.pickups)
            if (p.verdict == "decoy" && !hasDecoy(l, p))
                out.push_back({l.name, "decoy", "the pickup " + at(p.tile, p.x, p.y) +
                                                    " is never needed (a \"# decoy:\" line says why it is there)"});
        const std::string named = namedObjects(l.idea);
        for (const ItemFigure& o : f.objects)
            if (o.verdict == "bypassed" && named.find(o.tile) != std::string::npos && !hasDecoy(l, o))
                out.push_back({l.name, "idea-object", "the idea names it, but the level is won without " +
                                                          at(o.tile, o.x, o.y)});
    }

    // Over a set.
    for (int set = 0; set < 2; ++set) {
        std::vector<const RuleLevel*> all = puzzles(levels, set);
        int oneWay = 0;
        std::string names;
        for (const RuleLevel* l : all) {
            auto found = figures.find(l->name);
            if (found != figures.end() && (found->second.oneWay == "right" || found->second.oneWay == "left")) {
                ++oneWay;
                names += (names.empty() ? "" : " ") + l->name;
            }
        }
        if (oneWay > static_cast<int>(all.size()) / 10)
            out.push_back({kSetNames[set], "one-way", std::to_string(oneWay) + " of " + std::to_string(all.size()) +
                                                          " levels are won walking one way (at most one in ten): " +
                                                          names});
        double boards = 0, dead = 0;
        int count = 0;
        lastThirdMedians(levels, figures, set, boards, dead, count);
        if (count > 0 && (boards < LAST_THIRD_BOARDS || dead < LAST_THIRD_DEAD_SHARE)) {
            char detail[200];
            snprintf(detail, sizeof detail,
                     "the last third (%d levels) has a median of %.0f boards (at least %d) and a median dead-end "
                     "share of %.2f (at least %.2f)",
                     count, boards, LAST_THIRD_BOARDS, dead, LAST_THIRD_DEAD_SHARE);
            out.push_back({kSetNames[set], "last-third", detail});
        }
    }
    std::vector<const RuleLevel*> kids = puzzles(levels, 2);
    int oneKey = 0;
    for (const RuleLevel* l : kids)
        oneKey += l->oneKey != '-';
    if (oneKey * 3 > static_cast<int>(kids.size()))
        out.push_back({"kids", "kids-one-key", std::to_string(oneKey) + " of " + std::to_string(kids.size()) +
                                                   " levels are won by one key alone (at most a third)"});
    return out;
}

} // namespace levelrules
