// Inputs kept from fuzzing the level reader (tools/levelpack/fuzz): the
// seeds ("seed-*") and, for every way a read can end, the smallest input the
// fuzzer found for it ("fuzz-<where reading stopped>-*", or "complete").
// Every one must read without harm; a complete read must write back and
// read again unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>

#include "test_support.h"
#include "level/Level.h"
#include "level/LevelBytes.h"

using namespace leveltest;

TEST(LevelCorpus, FuzzInputsReadSafely)
{
    const std::string folder = testsupport::sourceDir() + "/tests/level/data/level_corpus";
    std::vector<std::string> files;
    DIR* dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr) << folder;
    while (struct dirent* e = readdir(dir))
        if (e->d_name[0] != '.')
            files.push_back(e->d_name);
    closedir(dir);
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 10u);

    int complete = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string bytes = testsupport::readFile(folder + "/" + file);
        CLevel level;
        bool read = loadBytes(level, bytes, "corpus");
        bool shouldRead = file.find("complete") != std::string::npos ||
                          (file.compare(0, 5, "seed-") == 0 && file != "seed-legacy.lvl");
        EXPECT_EQ(read, shouldRead);
        if (!read)
            continue;
        ++complete;
        std::string first = encode(level);
        CLevel again;
        ASSERT_TRUE(loadBytes(again, first, "corpus"));
        EXPECT_EQ(encode(again), first);
    }
    EXPECT_GT(complete, 0);
}
