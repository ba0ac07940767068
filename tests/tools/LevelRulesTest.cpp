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
        "kid001 title", "kid002 likeness", "kids kids-one-key", "kid003 room"};
    std::vector<Finding> findings = levelrules::checkRules(m_levels, m_figures);
    std::set<std::string> found = named(findings);
    EXPECT_EQ(found, expected);
    // The tutorial level and the level that keeps the rules are not named.
    for (const Finding& f : findings) {
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

// A set of `count` advanced levels that keep every rule.
void goodSet(int count, std::vector<RuleLevel>& levels, std::map<std::string, LevelFigures>& all)
{
    for (int i = 0; i < count; ++i) {
        char name[16];
        snprintf(name, sizeof name, "adv%03d", i + 1);
        std::vector<std::string> grid(24, std::string(32, '.'));
        grid[static_cast<size_t>(i % 24)][static_cast<size_t>(i / 24)] = '#'; // maps that differ
        levels.push_back(ruleLevel(name, 1, i, grid));
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
        std::vector<std::string> grid(24, std::string(32, '.'));
        grid[static_cast<size_t>(i)][0] = '#';
        levels.push_back(ruleLevel(name, 2, i, grid));
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

TEST(LevelRulesBounds, ARoomNeedsThreeThingsAndMatchesCellForCell)
{
    std::vector<std::string> a(24, std::string(32, '.')), b = a;
    a[5].replace(2, 16, "..c..o..........");
    a[6].replace(2, 16, "################");
    b[15].replace(10, 16, "..c..o..........");
    b[16].replace(10, 16, "################");
    int ax, ay, bx, by;
    EXPECT_FALSE(levelrules::copiedRoom(a, b, ax, ay, bx, by)); // two things
    a[5][12] = 'r';
    b[15][20] = 'r';
    ASSERT_TRUE(levelrules::copiedRoom(a, b, ax, ay, bx, by)); // three
    EXPECT_EQ(by - ay, 10);
    EXPECT_EQ(bx - ax, 8);
    b[15][14] = ':'; // a cell between the things differs: no longer the same room
    EXPECT_FALSE(levelrules::copiedRoom(a, b, ax, ay, bx, by));
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
