// The level rules check. The planted levels of tests/tools/data/rules each
// break rules on purpose (their sources say which), are analysed for real
// and checked: every broken rule is found and names its level. The bounds
// of the rules are tested on each side with figures made up for the case.
#include <cstdio>
#include <fstream>
#include <set>

#include "Analysis.h"
#include "LevelRules.h"
#include "LevelToolsSupport.h"
#include "PackJobs.h"
#include "RuleLevels.h"

using levelpack::ItemFigure;
using levelpack::LevelFigures;
using levelrules::Finding;
using levelrules::RuleLevel;

namespace {

const std::string kPlanted = std::string(BRAMBLECOT_SOURCE_DIR) + "/tests/tools/data/rules";

std::set<std::string> named(const std::vector<Finding>& findings)
{
    std::set<std::string> out;
    for (const Finding& f : findings)
        out.insert(f.level + " " + f.rule);
    return out;
}

class LevelRules : public leveltest::HeadlessTest {
protected:
    // The planted levels as the check reads them, and their figures as the
    // analysis writes them.
    void gather(const std::string& folder = kPlanted)
    {
        std::vector<std::string> errors;
        m_levels = levelrules::gatherLevels(folder, false, true, 2, errors);
        ASSERT_TRUE(errors.empty()) << errors.front();
        ASSERT_EQ(m_levels.size(), 9u);
        for (const RuleLevel& l : m_levels) {
            solve::AnalysisLimits limits;
            limits.graph.maxBoards = 5000;
            limits.bypass.maxBoards = 5000;
            solve::Analysis a;
            ASSERT_TRUE(solve::analyseSource(folder + "/" + l.name + ".txt", limits, a, errors));
            m_figures[l.name] = a.figures;
        }
    }

    std::vector<RuleLevel> m_levels;
    std::map<std::string, LevelFigures> m_figures;
};

} // namespace

TEST_F(LevelRules, EveryPlantedBreakIsFoundWithItsLevelAndRule)
{
    gather();
    const std::set<std::string> expected = {
        // reg001: a walk to the exit.
        "reg001 one-key", "reg001 dead-end", "reg001 losing-move",
        // Both non-tutorial regular levels are won walking one way; the
        // planted sets are far below the last third's medians.
        "regular one-way", "regular last-third", "advanced one-way", "advanced last-third",
        // adv001: a pickup never needed, and no decoy line; walks right.
        "adv001 decoy", "adv001 one-key", "adv001 losing-move",
        // adv002: its decoy line covers the pickup; the second line does not read.
        "adv002 decoy-line", "adv002 one-key", "adv002 losing-move",
        // adv003: the idea names crates, and the level is won without each.
        "adv003 idea-object", "adv003 one-key",
        // kid001 has reg003's heading; kid002 is kid001 but for one cell;
        // two of three kids levels are won by one key; kid003 has adv003's room.
        "kid001 title", "kid002 likeness", "kids kids-one-key", "kid003 room",
        // The maps are short slabs with the two tubes: moved or mirrored,
        // each of these is alike an earlier one, and adv003's tubes and
        // pickup are reg002's room but for two cells.
        "reg002 likeness", "adv001 likeness", "adv002 likeness", "kid001 likeness", "adv003 room"};
    std::vector<Finding> findings = levelrules::checkRules(m_levels, m_figures);
    std::set<std::string> found = named(findings);
    EXPECT_EQ(found, expected);
    // The tutorial level (but for its likeness) and the level that keeps
    // the rules are not named.
    for (const Finding& f : findings) {
        if (f.rule != "likeness")
            EXPECT_NE(f.level, "reg002") << f.rule << ": " << f.detail;
        EXPECT_NE(f.level, "reg003") << f.rule << ": " << f.detail;
    }
    // adv003 is won without each of its crates: the room's two and the one by the wall.
    int crates = 0;
    for (const Finding& f : findings)
        crates += f.level == "adv003" && f.rule == "idea-object";
    EXPECT_EQ(crates, 3);
}

TEST_F(LevelRules, FiguresThatNoLongerMatchTheirLevelAreStale)
{
    // A copy of the planted levels, one of them changed after the analysis.
    testsupport::TempDir temp;
    const std::string folder = temp.path();
    std::vector<std::string> errors;
    for (const auto& packed : levelpack::readLevelSources(kPlanted, false, errors, false)) {
        for (const char* ext : {".txt", ".moves"}) {
            std::string text;
            if (levelpack::readTextFile(kPlanted + "/" + packed->name + ext, text))
                std::ofstream(folder + "/" + packed->name + ext) << text;
        }
    }
    gather(folder);
    EXPECT_TRUE(levelrules::checkStale(m_levels, m_figures).empty());

    // A cell of reg003's map changes: its source fingerprint no longer matches.
    std::string text;
    ASSERT_TRUE(levelpack::readTextFile(folder + "/reg003.txt", text));
    size_t pit = text.find("####.#####");
    ASSERT_NE(pit, std::string::npos);
    text[pit + 4] = '#';
    std::ofstream(folder + "/reg003.txt") << text;
    // kid001's moves change.
    std::ofstream(folder + "/kid001.moves") << "R8\n";
    std::vector<RuleLevel> now = levelrules::gatherLevels(folder, false, false, 2, errors);
    std::vector<Finding> stale = levelrules::checkStale(now, m_figures);
    EXPECT_EQ(named(stale), (std::set<std::string>{"reg003 stale", "kid001 stale"}));

    // The rules act differently on adv001; adv002 has no figures at all.
    m_figures["adv001"].rules = "0123456789abcdef";
    m_figures.erase("adv002");
    stale = levelrules::checkStale(m_levels, m_figures);
    ASSERT_EQ(stale.size(), 2u);
    EXPECT_EQ(stale[0].level, "adv001");
    EXPECT_NE(stale[0].detail.find("rules"), std::string::npos) << stale[0].detail;
    EXPECT_EQ(stale[1].level, "adv002");
    // A stale level fails the whole check too.
    EXPECT_EQ(named(levelrules::checkRules(m_levels, m_figures)).count("adv001 stale"), 1u);
}

// ---------------------------------------------------------------- bounds, with made-up figures

namespace {

RuleLevel ruleLevel(const std::string& name, int set, int index, std::vector<std::string> grid = {})
{
    RuleLevel l;
    l.name = name;
    l.set = set;
    l.index = index;
    l.heading = "Heading of " + name;
    l.grid = grid.empty() ? std::vector<std::string>(24, std::string(32, '.')) : grid;
    l.source = "s";
    l.rules = "r";
    return l;
}

LevelFigures figures(const std::string& name)
{
    LevelFigures f;
    f.name = name;
    f.source = "s";
    f.rules = "r";
    f.boards = 5000;
    f.stop = "complete";
    f.solution = 30;
    f.dead = 2500;
    f.losing = 3;
    f.oneWay = "no";
    return f;
}

// The i-th of 24 maps not alike however moved or mirrored: one cell each,
// of a tile of its own.
std::vector<std::string> unlikeMap(int i)
{
    std::vector<std::string> grid(24, std::string(32, '.'));
    grid[static_cast<size_t>(i % 24)][static_cast<size_t>(i % 32)] = "#:~=cCoO^BYRbyrv12345678"[i % 24];
    return grid;
}

// A set of `count` advanced levels that keep every rule.
void goodSet(int count, std::vector<RuleLevel>& levels, std::map<std::string, LevelFigures>& all)
{
    for (int i = 0; i < count; ++i) {
        char name[16];
        snprintf(name, sizeof name, "adv%03d", i + 1);
        levels.push_back(ruleLevel(name, 1, i, unlikeMap(i)));
        all[name] = figures(name);
    }
}

} // namespace

TEST(LevelRulesBounds, AGoodSetHasNoFinding)
{
    std::vector<RuleLevel> levels;
    std::map<std::string, LevelFigures> all;
    goodSet(20, levels, all);
    std::vector<Finding> findings = levelrules::checkRules(levels, all);
    EXPECT_TRUE(findings.empty()) << findings.front().level << " " << findings.front().rule;
}

TEST(LevelRulesBounds, OneInTenWonWalkingOneWayIsTheMost)
{
    std::vector<RuleLevel> levels;
    std::map<std::string, LevelFigures> all;
    goodSet(20, levels, all);
    all["adv003"].oneWay = "right";
    all["adv007"].oneWay = "left";
    EXPECT_TRUE(named(levelrules::checkRules(levels, all)).empty()); // 2 of 20
    all["adv011"].oneWay = "right";
    EXPECT_EQ(named(levelrules::checkRules(levels, all)), std::set<std::string>{"advanced one-way"}); // 3 of 20
    // "?" (a bound stopped the search) is not counted.
    all["adv011"].oneWay = "?";
    EXPECT_TRUE(named(levelrules::checkRules(levels, all)).empty());
}

TEST(LevelRulesBounds, AThirdOfTheKidsLevelsWonByOneKeyIsTheMost)
{
    std::vector<RuleLevel> levels;
    std::map<std::string, LevelFigures> all;
    for (int i = 0; i < 6; ++i) {
        std::string name = "kid00" + std::to_string(i + 1);
        levels.push_back(ruleLevel(name, 2, i, unlikeMap(i)));
        all[name] = figures(name);
    }
    levels[0].oneKey = 'R';
    levels[3].oneKey = 'L';
    EXPECT_TRUE(levelrules::checkRules(levels, all).empty()); // 2 of 6
    levels[5].oneKey = 'U';
    EXPECT_EQ(named(levelrules::checkRules(levels, all)), std::set<std::string>{"kids kids-one-key"});
}

// A level with no board from which the exit is lost is named only when its
// analysis went through every board: a bound that stopped it early may have
// left the dead ends unseen.
TEST(LevelRulesBounds, NoDeadEndIsJudgedOnlyOnAFinishedAnalysis)
{
    std::vector<RuleLevel> levels;
    std::map<std::string, LevelFigures> all;
    goodSet(20, levels, all);
    all["adv005"].dead = 1;
    EXPECT_TRUE(levelrules::checkRules(levels, all).empty());
    all["adv005"].dead = 0;
    EXPECT_EQ(named(levelrules::checkRules(levels, all)), std::set<std::string>{"adv005 dead-end"});
    for (const char* stop : {"boards", "time", "depth"}) {
        all["adv005"].stop = stop;
        EXPECT_TRUE(levelrules::checkRules(levels, all).empty()) << stop;
    }
}

TEST(LevelRulesBounds, TheLastThirdNeedsItsMedians)
{
    std::vector<RuleLevel> levels;
    std::map<std::string, LevelFigures> all;
    goodSet(9, levels, all); // the last third: adv007 to adv009
    double boards = 0, dead = 0;
    int count = 0;
    levelrules::lastThirdMedians(levels, all, 1, boards, dead, count);
    EXPECT_EQ(count, 3);
    // The first two thirds do not count.
    for (const char* early : {"adv001", "adv002", "adv003", "adv004", "adv005", "adv006"}) {
        all[early].boards = 10;
        all[early].dead = 1;
    }
    all["adv007"].boards = 1999;
    all["adv008"].boards = 2000;
    EXPECT_TRUE(levelrules::checkRules(levels, all).empty());
    all["adv009"].boards = 1000; // median 1999
    EXPECT_EQ(named(levelrules::checkRules(levels, all)), std::set<std::string>{"advanced last-third"});
    all["adv009"].boards = 5000;
    // Dead-end shares 0.40, 0.39, 0.50: the median is 0.40.
    all["adv007"].dead = 800;  // of 1999
    all["adv008"].dead = 780;  // of 2000
    all["adv009"].dead = 2500; // of 5000
    EXPECT_TRUE(levelrules::checkRules(levels, all).empty());
    all["adv009"].dead = 1900; // 0.38: the median is 0.39
    EXPECT_EQ(named(levelrules::checkRules(levels, all)), std::set<std::string>{"advanced last-third"});
}

TEST(LevelRulesBounds, LikenessAboveSixtyPercentIsACopy)
{
    // Ten cells in a, and b shares six of them and has none of its own:
    // 6 of 10 alike is allowed, 7 of 10 is not.
    std::vector<std::string> a(24, std::string(32, '.')), b = a;
    for (int x = 0; x < 10; ++x)
        a[20][static_cast<size_t>(x)] = '#';
    for (int x = 0; x < 6; ++x)
        b[20][static_cast<size_t>(x)] = '#';
    EXPECT_DOUBLE_EQ(levelrules::likeness(a, b), 0.6);
    std::vector<RuleLevel> levels = {ruleLevel("adv001", 1, 0, a), ruleLevel("adv002", 1, 1, b)};
    std::map<std::string, LevelFigures> all = {{"adv001", figures("adv001")}, {"adv002", figures("adv002")}};
    EXPECT_TRUE(levelrules::checkRules(levels, all).empty());
    levels[1].grid[20][6] = '#';
    EXPECT_DOUBLE_EQ(levelrules::likeness(levels[0].grid, levels[1].grid), 0.7);
    EXPECT_EQ(named(levelrules::checkRules(levels, all)), std::set<std::string>{"adv002 likeness"});
    // A different tile in the same cell is not alike.
    levels[1].grid[20][6] = ':';
    EXPECT_DOUBLE_EQ(levelrules::likeness(levels[0].grid, levels[1].grid), 0.6);
}

namespace {

// Two levels adv001 and adv002 with the maps a and b, and the findings of
// the check over them, each with its detail.
std::map<std::string, std::string> checkPair(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<RuleLevel> levels = {ruleLevel("adv001", 1, 0, a), ruleLevel("adv002", 1, 1, b)};
    std::map<std::string, LevelFigures> all = {{"adv001", figures("adv001")}, {"adv002", figures("adv002")}};
    std::map<std::string, std::string> out;
    for (const Finding& f : levelrules::checkRules(levels, all))
        out[f.level + " " + f.rule] = f.detail;
    return out;
}

// Writes the rows of a picture into a map with its top left at (x, y).
void put(std::vector<std::string>& grid, int x, int y, const std::vector<std::string>& rows)
{
    for (size_t j = 0; j < rows.size(); ++j)
        grid[static_cast<size_t>(y) + j].replace(static_cast<size_t>(x), rows[j].size(), rows[j]);
}

// Two empty maps with a frame of their own terrain around the place of a
// room (a's at (2,5), b's at (10,15)), so that a window moved off the room
// takes in frame cells that differ, and a floor of their own terrain, so
// that the maps are not alike as a whole.
void framed(std::vector<std::string>& a, std::vector<std::string>& b)
{
    a.assign(24, std::string(32, '.'));
    b = a;
    for (char tile : {'#', ':'}) {
        std::vector<std::string> frame(5, tile + std::string(16, '.') + tile);
        frame.front() = frame.back() = std::string(18, tile);
        std::vector<std::string>& grid = tile == '#' ? a : b;
        put(grid, tile == '#' ? 1 : 9, tile == '#' ? 4 : 14, frame);
        put(grid, 0, 20, std::vector<std::string>(4, std::string(32, tile)));
    }
}

} // namespace

TEST(LevelRulesBounds, ARoomIsFoundAnywhereMirroredAndWithTwoCellsChanged)
{
    // A room of four things.
    const std::vector<std::string> room = {"..c..o..r..<....", //
                                           "################", //
                                           "#..............#"};
    const std::vector<std::string> mirroredRoom = {"....>..r..o..c..", //
                                                   "################", //
                                                   "#..............#"};
    std::vector<std::string> a, b;
    framed(a, b);
    put(a, 2, 5, room);

    // Elsewhere in the other map.
    std::vector<std::string> moved = b;
    put(moved, 10, 15, room);
    std::map<std::string, std::string> found = checkPair(a, moved);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found["adv002 room"], "the room at (10,15) is adv001's room at (2,5)");

    // Mirrored: reversed, and the magnet faces the other way.
    std::vector<std::string> turned = b;
    put(turned, 10, 15, mirroredRoom);
    found = checkPair(a, turned);
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(found["adv002 room"], "the room at (10,15) is adv001's room at (2,5) mirrored");
    // Reversed with the magnet still facing left, it is one cell off.
    turned[15][14] = '<';
    EXPECT_EQ(checkPair(a, turned)["adv002 room"],
              "the room at (10,15) is adv001's room at (2,5) mirrored but for 1 cell");

    // Two cells changed is still a copy; three is not.
    moved[17][10] = '.';
    moved[17][20] = ':';
    EXPECT_EQ(checkPair(a, moved)["adv002 room"], "the room at (10,15) is adv001's room at (2,5) but for 2 cells");
    moved[16][15] = '.';
    EXPECT_TRUE(checkPair(a, moved).empty());
}

TEST(LevelRulesBounds, ARoomAndItsCopyHoldThreeThings)
{
    std::vector<std::string> a, b;
    framed(a, b);
    put(a, 2, 5, {"..c..o..........", "################"});
    put(b, 10, 15, {"..c..o..........", "#######:########"}); // one cell changed
    EXPECT_TRUE(checkPair(a, b).empty()); // two things: no room
    a[5][12] = 'r';
    b[15][20] = 'r';
    EXPECT_EQ(checkPair(a, b)["adv002 room"], "the room at (10,15) is adv001's room at (2,5) but for 1 cell");
    // One thing gone from the copy, a second cell changed: a's window is a
    // room, but the copy of two things is none.
    b[15][15] = '.';
    EXPECT_TRUE(checkPair(a, b).empty());
}

TEST(LevelRulesBounds, LikenessAtTheBestOffset)
{
    // Ten cells of terrain in a; b holds the first six of them, six columns
    // further right and seventeen rows higher: 6 of 10 alike is allowed.
    const std::string cells = "#:~=:#~~:=";
    std::vector<std::string> a(24, std::string(32, '.')), b = a;
    a[20].replace(0, 10, cells);
    b[3].replace(6, 6, cells.substr(0, 6));
    EXPECT_DOUBLE_EQ(levelrules::likeness(a, b, -6, 17), 0.6);
    EXPECT_TRUE(checkPair(a, b).empty());
    // Seven of ten is a copy, found where it lies.
    b[3][12] = cells[6];
    EXPECT_DOUBLE_EQ(levelrules::likeness(a, b, -6, 17), 0.7);
    EXPECT_DOUBLE_EQ(levelrules::likeness(a, b), 0.0);
    EXPECT_EQ(checkPair(a, b)["adv002 likeness"], "shares 70.0% of its cells with adv001, moved by (-6,17)");
    // A cell of b off a's map counts as not alike.
    EXPECT_DOUBLE_EQ(levelrules::likeness(a, b, -12, 17), 0.0);
    EXPECT_NEAR(levelrules::likeness(a, b, 26, 17), 0.0, 1e-9);
}

TEST(LevelRulesBounds, DecoyLinesAndTheObjectsAnIdeaNames)
{
    std::vector<std::string> errors;
    std::vector<levelrules::Decoy> decoys = levelrules::parseDecoys(
        "# idea: x\n#decoy: 6 at (12,5) - a heat gun for show\n  # decoy: c at (3,20) -   it holds the shelf\n"
        "# decoy: 6 at (12,5)\n# decoy: 6 (12,5) - why\n# a decoy: not a marker\nheading x\n",
        errors);
    ASSERT_EQ(decoys.size(), 2u);
    EXPECT_EQ(decoys[0].tile, '6');
    EXPECT_EQ(decoys[0].x, 12);
    EXPECT_EQ(decoys[0].y, 5);
    EXPECT_EQ(decoys[0].why, "a heat gun for show");
    EXPECT_EQ(decoys[1].tile, 'c');
    EXPECT_EQ(decoys[1].why, "it holds the shelf");
    ASSERT_EQ(errors.size(), 2u); // no reason; no "at"
    EXPECT_EQ(errors[0].rfind("line 4:", 0), 0u) << errors[0];

    EXPECT_EQ(levelrules::namedObjects("Crates and a BARREL, then the portal"), "cCoOT");
    EXPECT_EQ(levelrules::namedObjects("the bots chase you past two buttons"), "vqpbyr");
    EXPECT_EQ(levelrules::namedObjects("the magnetic bottle"), ""); // whole words only
    EXPECT_EQ(levelrules::namedObjects("gates, ice and sand"), "");
}

TEST(LevelRulesWaiting, ListedPairsAreSetAsideUntilTheyAreNoLongerFound)
{
    std::vector<std::string> errors;
    std::vector<levelrules::Waiting> listed = levelrules::parseWaiting(
        "# pairs to redesign\nadv002 adv001 room\n\n  adv003 adv001 likeness  # moved a row\n", errors);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(listed.size(), 2u);

    // The listed room is set aside; the same pair's likeness, not listed,
    // and another level's room of adv001 still break the rules.
    std::vector<Finding> findings = {{"adv002", "room", "r", "adv001"},
                                     {"adv002", "likeness", "l", "adv001"},
                                     {"adv004", "room", "r", "adv001"}};
    std::vector<Finding> aside = levelrules::setAsideWaiting(findings, listed);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(aside[0].level + " " + aside[0].rule, "adv002 room");
    std::set<std::string> left;
    for (const Finding& f : findings)
        left.insert(f.level + " " + f.rule);
    // adv003's listed likeness is no longer found: the list must shrink.
    EXPECT_EQ(left, (std::set<std::string>{"adv002 likeness", "adv004 room", "adv003 waiting-list"}));
}

TEST(LevelRulesWaiting, AMalformedLineIsAnError)
{
    for (const char* text : {"adv002 adv001\n", "adv002 adv001 title\n", "adv002 adv001 room extra\n"}) {
        std::vector<std::string> errors;
        EXPECT_TRUE(levelrules::parseWaiting(text, errors).empty()) << text;
        EXPECT_EQ(errors.size(), 1u) << text;
    }
}
