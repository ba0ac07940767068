// The level table of data/levels/README.md: every built-in level with its
// label, heading, idea (the source's "# idea:" line) and the size of its
// recorded solution (moves of its script, steps on the step counter), from
// the level sources and the packer's manifest. The table stands between
// two marker lines of the README.
//
//   leveltable --manifest FILE <source folder> <README> [--check]
//
// Without --check it rewrites the table in the README. With --check it
// compares: a stale table fails in a strict build and is only reported
// before.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "PackJobs.h"
#include "world/LevelSet.h"

namespace {

const char kBegin[] = "<!-- level table: written by the level_table build target -->";
const char kEnd[] = "<!-- end of level table -->";

std::string cell(std::string text)
{
    for (char& c : text)
        if (c == '|')
            c = '/';
    return text.empty() ? "-" : text;
}

std::string table(const std::vector<std::unique_ptr<levelpack::PackedLevel>>& levels,
                  const std::map<std::string, levelpack::ManifestEntry>& manifest)
{
    const char* const setNames[] = {"Regular", "Advanced", "Kids"};
    std::string out;
    int set = -1;
    for (const auto& packed : levels) {
        if (packed->set != set) {
            set = packed->set;
            out += std::string("\n### ") + setNames[set] + "\n\n";
            out += "| label | level | heading | idea | moves | steps |\n|---|---|---|---|---|---|\n";
        }
        auto found = manifest.find(packed->name);
        bool solved = found != manifest.end() && found->second.moves >= 0;
        out += "| " + levelpack::levelLabel(packed->set, packed->index) + " | " + packed->name + " | " +
               cell(packed->level.GetHeadingText()) + " | " + cell(packed->idea) + " | " +
               (solved ? std::to_string(found->second.moves) : "-") + " | " +
               (solved ? std::to_string(found->second.steps) : "-") + " |\n";
    }
    return out + "\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::string manifestPath;
    bool check = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--manifest") && i + 1 < argc)
            manifestPath = argv[++i];
        else if (!strcmp(argv[i], "--check"))
            check = true;
        else
            positional.push_back(argv[i]);
    }
    std::vector<levelpack::ManifestEntry> entries;
    bool strict = false;
    if (positional.size() != 2 || !levelpack::readManifest(manifestPath, entries, strict)) {
        fprintf(stderr, "usage: %s --manifest FILE <source folder> <README> [--check]\n", argv[0]);
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
    std::string fresh = table(levels, manifest);
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
