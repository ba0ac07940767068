// The level table of data/levels/README.md: every built-in level with its
// label, heading, idea (the source's "# idea:" line) and the size of its
// recorded solution (moves of its script, steps on the step counter), from
// the level sources and the packer's manifest, and the figures of the level
// analysis (FOLDER/analysis.txt unless --figures), with a summary per set and
// what the figures mean. The table stands between two marker lines of the
// README.
//
//   leveltable --manifest FILE [--figures FILE] <source folder> <README> [--check]
//
// Without --check it rewrites the table in the README. With --check it
// compares: a stale table fails in a strict build and is only reported
// before.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "LevelFigures.h"
#include "PackJobs.h"
#include "level/LevelSet.h"

namespace {

using levelpack::ItemFigure;
using levelpack::LevelFigures;

const char kBegin[] = "<!-- level table: written by the level_table build target -->";
const char kEnd[] = "<!-- end of level table -->";

const char kLegend[] =
    "The figures come from the level analysis (data/levels/analysis.txt, see \"Analysing a level\" above), over "
    "every board at rest a level reaches with the moves of the move scripts:\n\n"
    "- **boards**: boards at rest reached from the start; \"+\" when a bound stopped the search first.\n"
    "- **dead**: the share of those boards from which the exit can no longer be reached.\n"
    "- **losing**: moves beside the shortest solution that lose the level: from a board on the solution, a move "
    "that ends the level lost (caught, singed, fallen, exit tube destroyed, stuck) or leads to a dead board.\n"
    "- **one way**: the level is won walking one way: some solution's walking moves (L and R) all go one way, "
    "right or left; climbing and power-ups are free. \"?\" when a bound stopped the search before one was found.\n"
    "- **one key**: the arrow key that wins the level pressed alone, again and again at every rest; \"-\" for none.\n"
    "- **decoys**: pickups some solution never collects, of all the level's pickups.\n"
    "- **bypassed**: objects and devices (crates, barrels, magnets, bots, gates, buttons, trampolines, teleport "
    "pairs) the level is won without, of all of them.\n";

std::string cell(std::string text)
{
    for (char& c : text)
        if (c == '|')
            c = '/';
    return text.empty() ? "-" : text;
}

// The figures of one level for the table: boards at rest ("+" when a bound
// stopped the search), dead-end share, losing moves, walking one way, one
// key, decoy pickups of all pickups, objects the level is won without of all
// objects.
std::string figureCells(const LevelFigures* f)
{
    if (!f)
        return "- | - | - | - | - | - | -";
    char dead[16];
    snprintf(dead, sizeof dead, "%.2f", f->deadShare());
    int decoys = 0, bypassed = 0;
    for (const ItemFigure& p : f->pickups)
        decoys += p.verdict == "decoy";
    for (const ItemFigure& o : f->objects)
        bypassed += o.verdict == "bypassed";
    const char* way = f->oneWay == "right" ? "right" : f->oneWay == "left" ? "left" : f->oneWay == "?" ? "?" : "-";
    return std::to_string(f->boards) + (f->complete() ? "" : "+") + " | " + dead + " | " + std::to_string(f->losing) +
           " | " + way + " | " + std::string(1, f->oneKey) + " | " +
           (f->pickups.empty() ? std::string("-") : std::to_string(decoys) + "/" + std::to_string(f->pickups.size())) +
           " | " +
           (f->objects.empty() ? std::string("-") : std::to_string(bypassed) + "/" + std::to_string(f->objects.size()));
}

// The set's summary line: its non-tutorial levels won by one key, won
// walking one way, without a dead end, the decoy pickups, and the medians of
// its last third.
std::string summary(const std::vector<const levelpack::PackedLevel*>& set,
                    const std::map<std::string, LevelFigures>& figures)
{
    std::vector<const LevelFigures*> puzzles;
    int missing = 0;
    for (const levelpack::PackedLevel* packed : set) {
        if (CLevelSet::isTutorialLevel(packed->set, packed->index))
            continue;
        auto found = figures.find(packed->name);
        if (found == figures.end())
            ++missing;
        else
            puzzles.push_back(&found->second);
    }
    levelpack::SetSummary s = levelpack::summarise(puzzles);
    char line[400];
    snprintf(line, sizeof line,
             "%d levels besides the tutorials: %d won by one key alone, %d won walking one way, %d without a dead "
             "end; %d of %d pickups are decoys. The last third (%d levels): a median of %.0f boards and a median "
             "dead-end share of %.2f.",
             s.levels + missing, s.oneKey, s.oneWay, s.noDeadEnd, s.decoys, s.pickups, s.lastThird, s.lastThirdBoards,
             s.lastThirdDeadShare);
    return line + (missing ? " " + std::to_string(missing) + " levels have no figures." : std::string()) + "\n";
}

std::string table(const std::vector<std::unique_ptr<levelpack::PackedLevel>>& levels,
                  const std::map<std::string, levelpack::ManifestEntry>& manifest,
                  const std::map<std::string, LevelFigures>& figures)
{
    const char* const setNames[] = {"Regular", "Advanced", "Kids"};
    std::string out;
    std::vector<const levelpack::PackedLevel*> set;
    for (size_t i = 0; i <= levels.size(); ++i) {
        const levelpack::PackedLevel* packed = i < levels.size() ? levels[i].get() : nullptr;
        if (!set.empty() && (!packed || packed->set != set.back()->set)) {
            out += "\n" + summary(set, figures);
            set.clear();
        }
        if (!packed)
            break;
        if (set.empty()) {
            out += std::string("\n### ") + setNames[packed->set] + "\n\n";
            out += "| label | level | heading | idea | moves | steps | boards | dead | losing | one way | one key | decoys "
                   "| bypassed |\n|---|---|---|---|---|---|---|---|---|---|---|---|---|\n";
        }
        set.push_back(packed);
        auto found = manifest.find(packed->name);
        bool solved = found != manifest.end() && found->second.moves >= 0;
        auto f = figures.find(packed->name);
        out += "| " + levelpack::levelLabel(packed->set, packed->index) + " | " + packed->name + " | " +
               cell(packed->level.GetHeadingText()) + " | " + cell(packed->idea) + " | " +
               (solved ? std::to_string(found->second.moves) : "-") + " | " +
               (solved ? std::to_string(found->second.steps) : "-") + " | " +
               figureCells(f == figures.end() ? nullptr : &f->second) + " |\n";
    }
    return out + "\n" + kLegend;
}

} // namespace

int main(int argc, char** argv)
{
    std::string manifestPath;
    std::string figuresPath;
    bool check = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--manifest") && i + 1 < argc)
            manifestPath = argv[++i];
        else if (!strcmp(argv[i], "--check"))
            check = true;
        else if (!strcmp(argv[i], "--figures") && i + 1 < argc)
            figuresPath = argv[++i];
        else
            positional.push_back(argv[i]);
    }
    std::vector<levelpack::ManifestEntry> entries;
    bool strict = false;
    if (positional.size() != 2 || !levelpack::readManifest(manifestPath, entries, strict)) {
        fprintf(stderr, "usage: %s --manifest FILE [--figures FILE] <source folder> <README> [--check]\n", argv[0]);
        return 2;
    }
    std::map<std::string, levelpack::ManifestEntry> manifest;
    for (const auto& e : entries)
        manifest[e.name] = e;
    std::vector<std::string> errors;
    auto levels = levelpack::readLevelSources(positional[0], false, errors);
    std::string readme;
    if (!levelpack::readTextFile(positional[1], readme)) {
        fprintf(stderr, "leveltable: cannot read %s\n", positional[1].c_str());
        return 2;
    }
    size_t begin = readme.find(kBegin);
    size_t end = readme.find(kEnd);
    if (figuresPath.empty())
        figuresPath = positional[0] + "/analysis.txt";
    std::map<std::string, LevelFigures> figures = levelpack::readFiguresFile(figuresPath, errors);
    std::string fresh = table(levels, manifest, figures);
    std::string updated;
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        updated = readme + "\n## The levels\n\n" + kBegin + "\n" + fresh + kEnd + "\n";
    else
        updated = readme.substr(0, begin + strlen(kBegin)) + "\n" + fresh + readme.substr(end);

    if (check) {
        if (updated == readme) {
            printf("leveltable: the level table of %s is up to date\n", positional[1].c_str());
            return 0;
        }
        printf("leveltable: the level table of %s is out of date (cmake --build BUILD --target level_table)%s\n",
               positional[1].c_str(), strict ? "" : "; not a failure until the level set is strict");
        return strict ? 1 : 0;
    }
    FILE* out = fopen(positional[1].c_str(), "w");
    if (!out || fputs(updated.c_str(), out) < 0) {
        fprintf(stderr, "leveltable: cannot write %s\n", positional[1].c_str());
        if (out)
            fclose(out);
        return 1;
    }
    fclose(out);
    printf("leveltable: %zu levels listed in %s\n", levels.size(), positional[1].c_str());
    return 0;
}
