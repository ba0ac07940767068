#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "test_support.h"

using testsupport::TempDir;

namespace {

struct RunResult {
    int exitCode;
    std::string output;
};

// Runs the built game in folder with the given arguments, headless and
// without sound, and collects what it prints.
RunResult runGame(const std::string& folder, const std::string& args)
{
    std::string cmd = "cd '" + folder + "' && '" + testsupport::runDir() + "/bramblecot' " + args +
                      " 2>&1";
    RunResult r{-1, ""};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace

TEST(Main, MissingParameterFileEndsWithCodeOneAndLogsInWorkingFolder)
{
    TempDir work;
    RunResult r = runGame(work.path(), "3");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("'MoreGames' URL has not been defined.\n"), std::string::npos);
    EXPECT_NE(testsupport::readFile(work.file("LOG.TXT")).find("'MoreGames' URL has not been defined."),
              std::string::npos);
}

TEST(Main, FullStartAndShutdownWithTheDefaultLogPrintsNoMilestonesAndNoSpriteReport)
{
    // The generated resources hold the pointer pictures the start-up needs.
    RunResult r = runGame(testsupport::runDir(), "3");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("ID_"), std::string::npos);
    EXPECT_EQ(r.output.find("properly unloaded"), std::string::npos);
    EXPECT_EQ(r.output.find("Unable to find preloaded image"), std::string::npos);
}
