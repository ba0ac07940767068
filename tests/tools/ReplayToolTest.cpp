// The replay tool run as a program: the resource folder it chooses and says
// it chose, and its exit status for level files it cannot read.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "test_support.h"

using testsupport::TempDir;

namespace {

std::string tool()
{
    return testsupport::runDir() + "/../tools/bramblecot_replay";
}

std::string solvedLevel()
{
    return testsupport::sourceDir() + "/tests/play/data/walk-right.lvl";
}

typedef testsupport::CommandResult ToolRun;

ToolRun runTool(const std::string& program, const std::string& args)
{
    return testsupport::runCommand("'" + program + "' " + args + " 2>&1 </dev/null");
}

std::string realFolder(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : path;
}

} // namespace

TEST(ReplayTool, TakesTheGivenFolderElseItsOwnWhenItHoldsTheResourcesElseTheBuilds)
{
    TempDir dir;
    std::string own = realFolder(dir.path());
    std::string copy = own + "/bramblecot_replay";
    ASSERT_EQ(system(("cp '" + tool() + "' '" + copy + "'").c_str()), 0);

    // Nothing beside the copy: the build's resources, and it says so.
    ToolRun alone = runTool(copy, "'" + solvedLevel() + "'");
    EXPECT_EQ(alone.exitCode, 0) << alone.output;
    EXPECT_NE(alone.output.find("Resources: " + testsupport::runDir() + " (the build's run folder)\n"),
              std::string::npos)
        << alone.output;

    // Resource files beside the copy are the ones it reads: their level
    // archive here is damaged, so the built-in levels cannot be loaded.
    for (int n = 0; n <= 11; ++n) {
        std::string name = "resource" + std::to_string(n) + ".dat";
        if (n != 4 && testsupport::fileExists(testsupport::runDir() + "/" + name))
            ASSERT_EQ(symlink((testsupport::runDir() + "/" + name).c_str(), (own + "/" + name).c_str()), 0) << name;
    }
    testsupport::writeFile(own + "/resource4.dat", std::string("\x05\0\0\0", 4));
    ToolRun beside = runTool(copy, "--builtin");
    EXPECT_NE(beside.output.find("Resources: " + own + " (the program's own folder)\n"), std::string::npos)
        << beside.output;
    EXPECT_NE(beside.exitCode, 0);
    EXPECT_NE(beside.output.find("Cannot load level resource file!"), std::string::npos) << beside.output;

    // A folder given wins over the program's own.
    ToolRun given = runTool(copy, "--run '" + testsupport::runDir() + "' '" + solvedLevel() + "'");
    EXPECT_EQ(given.exitCode, 0) << given.output;
    EXPECT_NE(given.output.find("Resources: " + testsupport::runDir() + " (given with --run)\n"), std::string::npos)
        << given.output;
}

TEST(ReplayTool, ALevelFileMissingOrUnreadableEndsWithStatusOne)
{
    TempDir dir;
    testsupport::writeFile(dir.file("damaged.lvl"), std::string("not a level at all"));
    const struct {
        std::string file;
        int exitCode;
    } cases[] = {{solvedLevel(), 0}, {dir.file("missing.lvl"), 1}, {dir.file("damaged.lvl"), 1}};
    for (const auto& c : cases) {
        ToolRun r = runTool(tool(), "'" + c.file + "'");
        EXPECT_EQ(r.exitCode, c.exitCode) << c.file << "\n" << r.output;
        if (c.exitCode)
            EXPECT_NE(r.output.find("cannot be read"), std::string::npos) << r.output;
    }
}
