// The level rules check (see LevelRules.h and data/levels/README.md).
//
//   levelrules [--stale] [--partial] [--figures FILE] [--jobs N] [--run DIR] <source folder>
//
// It reads the level sources and the committed analysis figures
// (FOLDER/analysis.txt unless --figures), recomputes with the game what is
// cheap (the fingerprints of every level and the key that wins alone) and
// prints one line per broken rule, "LEVEL: RULE: what". With --stale it
// checks only that every level's figures are current. The status is 0 when
// no rule is broken, 1 when one is, 2 when the check could not run.
// --partial takes a folder with only some levels of each set. Pairs of
// levels listed in FOLDER/alike-waiting.txt (found alike, waiting for a
// redesign) are printed apart and break no rule while they are still found.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "LevelRules.h"
#include "PackJobs.h"
#include "RuleLevels.h"
#include "ReplayRunner.h"

namespace {

using levelrules::Finding;
using levelrules::RuleLevel;

} // namespace

int main(int argc, char** argv)
{
    std::string runDir = BRAMBLECOT_RUN_DIR;
    std::string figuresPath;
    bool staleOnly = false;
    bool partial = false;
    int jobs = std::max(1, static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)));
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--stale"))
            staleOnly = true;
        else if (!strcmp(argv[i], "--partial"))
            partial = true;
        else if (!strcmp(argv[i], "--figures") && i + 1 < argc)
            figuresPath = argv[++i];
        else if (!strcmp(argv[i], "--jobs") && i + 1 < argc)
            jobs = std::max(1, atoi(argv[++i]));
        else if (!strcmp(argv[i], "--run") && i + 1 < argc)
            runDir = argv[++i];
        else
            positional.push_back(argv[i]);
    }
    if (positional.size() != 1) {
        fprintf(stderr, "usage: %s [--stale] [--partial] [--figures FILE] [--jobs N] [--run DIR] <source folder>\n", argv[0]);
        return 2;
    }
    // The headless game works in the run folder: paths are taken from here.
    const std::string folder = levelpack::absolutePath(positional[0]);
    figuresPath = figuresPath.empty() ? folder + "/analysis.txt" : levelpack::absolutePath(figuresPath);

    std::vector<std::string> errors;
    std::map<std::string, levelpack::LevelFigures> figures = levelpack::readFiguresFile(figuresPath, errors);
    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;
    std::vector<RuleLevel> ruleLevels;
    {
        replay::HeadlessGame game(false);
        ruleLevels = levelrules::gatherLevels(folder, !partial, !staleOnly, jobs, errors);
    }
    if (!errors.empty()) {
        for (const std::string& e : errors)
            fprintf(stderr, "%s\n", e.c_str());
        return 2;
    }

    std::vector<Finding> findings =
        staleOnly ? levelrules::checkStale(ruleLevels, figures) : levelrules::checkRules(ruleLevels, figures);
    std::vector<Finding> waiting;
    const std::string waitingPath = folder + "/alike-waiting.txt";
    std::ifstream waitingFile(waitingPath);
    if (!staleOnly && waitingFile) {
        std::string text((std::istreambuf_iterator<char>(waitingFile)), std::istreambuf_iterator<char>());
        std::vector<levelrules::Waiting> listed = levelrules::parseWaiting(text, errors);
        for (const std::string& e : errors)
            fprintf(stderr, "%s: %s\n", waitingPath.c_str(), e.c_str());
        if (!errors.empty())
            return 2;
        waiting = levelrules::setAsideWaiting(findings, listed);
    }
    for (const Finding& f : waiting)
        printf("waiting for a redesign: %s: %s: %s\n", f.level.c_str(), f.rule.c_str(), f.detail.c_str());
    for (const Finding& f : findings)
        printf("%s: %s: %s\n", f.level.c_str(), f.rule.c_str(), f.detail.c_str());
    if (staleOnly) {
        if (!findings.empty())
            printf("levelrules: %zu of %zu levels have stale or missing figures in %s; run the analysis again "
                   "(cmake --build build --target level_analysis)\n",
                   findings.size(), ruleLevels.size(), figuresPath.c_str());
        else
            printf("levelrules: the analysis figures of all %zu levels are current\n", ruleLevels.size());
    } else {
        printf("levelrules: %zu levels, %zu rules broken, %zu pairs alike waiting for a redesign\n",
               ruleLevels.size(), findings.size(), waiting.size());
    }
    return findings.empty() ? 0 : 1;
}
