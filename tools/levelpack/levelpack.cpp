// Level packer: turns the level sources of data/levels into the level
// archive. Each source becomes a CLevel, which writes its own ".lvl" bytes;
// the entries are stored in set order (regular, advanced, kids) and in name
// order within a set, so an entry's position among its prefix is the
// level's index in its set.
//
// A level with a move script (NAME.moves beside NAME.txt) is played through
// the real play screen, recording, in child processes that run side by
// side; the recorded keys become the level's solution. A script that does
// not end with the professor through the exit tube stops the build. Without
// --strict a level without a script is packed without a solution.
//
//   levelpack [--strict] [--jobs N] [--run DIR] [--manifest FILE] <source folder> <archive>
//
// The manifest lists every level with its move and step counts, for the
// replay check and the level table.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "LevelSource.h"
#include "PackJobs.h"
#include "engine/ResourceArchive.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace {

void usage(const char* program)
{
    fprintf(stderr, "usage: %s [--strict] [--jobs N] [--run DIR] [--manifest FILE] <source folder> <archive>\n",
            program);
}

} // namespace

int main(int argc, char** argv)
{
    bool strict = false;
    int jobs = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    std::string runDir;
    std::string manifest;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--strict"))
            strict = true;
        else if (!strcmp(argv[i], "--jobs") && i + 1 < argc)
            jobs = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--run") && i + 1 < argc)
            runDir = argv[++i];
        else if (!strcmp(argv[i], "--manifest") && i + 1 < argc)
            manifest = argv[++i];
        else if (argv[i][0] == '-') {
            usage(argv[0]);
            return 2;
        } else
            positional.push_back(argv[i]);
    }
    if (positional.size() != 2) {
        usage(argv[0]);
        return 2;
    }
    const std::string folder = positional[0];
    const std::string output = positional[1];

    std::vector<std::string> errors;
    std::vector<std::unique_ptr<levelpack::PackedLevel>> levels = levelpack::readLevelSources(folder, strict, errors);
    if (errors.empty())
        levelpack::recordSolutions(levels, runDir, jobs < 1 ? 1 : jobs, errors);

    ResourceArchiveWriter archive;
    for (auto& packed : levels) {
        if (!errors.empty())
            break;
        std::vector<uint8_t> bytes = packed->level.Encode(CLevel::GAME_LEVEL_ID);
        // The archive must hold what the game reads back.
        CLevel check;
        FILE* stream = bytes.empty() ? nullptr : fmemopen(bytes.data(), bytes.size(), "rb");
        bool readable = stream && check.Load(stream, packed->name.c_str());
        if (stream)
            fclose(stream);
        if (!readable || check.Encode(CLevel::GAME_LEVEL_ID) != bytes) {
            errors.push_back(packed->path + ": does not read back as written");
            continue;
        }
        archive.Add(packed->name + ".lvl", bytes);
    }

    if (!errors.empty()) {
        for (const std::string& e : errors)
            fprintf(stderr, "levelpack: %s\n", e.c_str());
        return 1;
    }
    if (!archive.Write(output)) {
        fprintf(stderr, "levelpack: cannot write %s\n", output.c_str());
        return 1;
    }
    if (!manifest.empty() && !levelpack::writeManifest(manifest, levels, strict)) {
        fprintf(stderr, "levelpack: cannot write %s\n", manifest.c_str());
        return 1;
    }
    int solved = 0;
    for (auto& packed : levels)
        solved += packed->solved ? 1 : 0;
    printf("levelpack: %zu levels written to %s, %d with a recorded solution\n", archive.Count(), output.c_str(),
           solved);
    return 0;
}
