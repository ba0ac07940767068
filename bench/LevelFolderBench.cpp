// The levels folder with many files: listing it sorted by name (GetFiles,
// as the level manager lists it) and the level manager's whole reading of
// it (every file listed and read for its heading).
//
//   build/bench/level_folder_bench
//
// Files are made once per size in a temporary folder; their names arrive
// from the folder in no particular order and differ in case.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "screens/CControllerManager.h"
#include "test_support.h"
#include "level/Level.h"
#include "level/TileCodes.h"

namespace {

// One folder of `count` level files per size, kept for the whole run.
const std::string& folderOf(int count)
{
    static std::map<int, std::unique_ptr<testsupport::TempDir>> folders;
    static std::map<int, std::string> paths;
    auto it = paths.find(count);
    if (it != paths.end())
        return it->second;
    std::unique_ptr<testsupport::TempDir> dir(new testsupport::TempDir());
    // A small real level, written by the game.
    setenv("XDG_DOCUMENTS_DIR", dir->path().c_str(), 1);
    InitUserDirectories();
    CLevel level;
    for (int x = 0; x < 16; ++x)
        level.SetTile(TERRAIN_GRASS, x, 23);
    level.SetTile(DEVICE_TUBE_START, 0, 22);
    level.SetTile(DEVICE_TUBE_END, 15, 22);
    level.SaveAs("first", "A level");
    std::string bytes = testsupport::readFile(CLevel::GetPath("first"));
    std::string levels = GetLevelsDirectory();
    for (int i = 0; i < count; ++i) {
        // Scrambled numbers, every third name in capitals.
        char name[64];
        snprintf(name, sizeof name, "%s%06d.lvl", i % 3 ? "level" : "LEVEL", (i * 7919) % 1000003);
        testsupport::writeFile(levels + name, bytes);
    }
    paths[count] = levels;
    folders[count] = std::move(dir);
    return paths[count];
}

void BM_ListLevelsFolderSorted(benchmark::State& state)
{
    int count = static_cast<int>(state.range(0));
    const std::string& folder = folderOf(count);
    for (auto _ : state) {
        std::list<char*> names;
        GetFiles(names, folder.c_str(), ".lvl", true);
        state.PauseTiming();
        if (static_cast<int>(names.size()) != count + 1)
            state.SkipWithError("wrong number of names");
        for (char* n : names)
            delete[] n;
        state.ResumeTiming();
    }
    state.counters["files"] = count;
}
BENCHMARK(BM_ListLevelsFolderSorted)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LevelManagerReadsTheFolder(benchmark::State& state)
{
    int count = static_cast<int>(state.range(0));
    const std::string& folder = folderOf(count);
    setenv("XDG_DOCUMENTS_DIR", folder.substr(0, folder.size() - std::string("ZOBK Levels/").size()).c_str(), 1);
    InitUserDirectories();
    for (auto _ : state) {
        std::vector<CControllerManager::Entry> entries;
        CControllerManager::ReadEntries(entries);
        if (static_cast<int>(entries.size()) != count + 1)
            state.SkipWithError("wrong number of entries");
    }
    state.counters["files"] = count;
}
BENCHMARK(BM_LevelManagerReadsTheFolder)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    testsupport::PrivateHome home;
    logInit(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
