// Every kept input of the board fuzz target (and of the level reader's) builds
// a board that plays the input's script of actions and steps 200 world steps.
#include <gtest/gtest.h>

#include <dirent.h>
#include <string>
#include <vector>

#include "test_support.h"
#include "world/FuzzedLevel.h"

namespace {

std::vector<std::string> filesIn(const std::string& dir)
{
    std::vector<std::string> files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d))
            if (entry->d_name[0] != '.')
                files.push_back(dir + "/" + entry->d_name);
        closedir(d);
    }
    return files;
}

} // namespace

TEST(BoardCorpus, EveryKeptInputBuildsAndSteps)
{
    std::vector<std::string> files = filesIn(testsupport::sourceDir() + "/tests/world/data/board_corpus");
    std::vector<std::string> levels = filesIn(testsupport::sourceDir() + "/tests/level/data/level_corpus");
    files.insert(files.end(), levels.begin(), levels.end());
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        std::string bytes = testsupport::readFile(file);
        EXPECT_EQ(boardtest::stepFuzzedLevel(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 200),
                  !bytes.empty())
            << file;
    }
}
