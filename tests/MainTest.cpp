#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

using testsupport::TempDir;

namespace {

typedef testsupport::CommandResult RunResult;

// Runs the built game in folder with the given arguments, headless and
// without sound, and collects what it prints.
RunResult runGame(const std::string& folder, const std::string& args)
{
    return testsupport::runCommand("cd '" + folder + "' && '" + testsupport::runDir() + "/bramblecot' " + args +
                                   " 2>&1");
}

// Starts the built game in folder with one argument, headless and with the
// dummy sound device, lets its frame loop run for the given time, then sends
// SIGINT (which SDL turns into a window close) and collects what it printed.
RunResult runGameUntilInterrupted(const std::string& folder, const std::string& arg, unsigned seconds)
{
    RunResult r{-1, ""};
    testsupport::TempDir outDir;
    std::string outFile = outDir.file("out.txt");
    pid_t pid = fork();
    if (pid < 0)
        return r;
    if (pid == 0) {
        int fd = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || chdir(folder.c_str()) != 0)
            _exit(127);
        dup2(fd, 1);
        dup2(fd, 2);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        signal(SIGINT, SIG_DFL);
        std::string program = testsupport::runDir() + "/bramblecot";
        execl(program.c_str(), program.c_str(), arg.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    sleep(seconds);
    kill(pid, SIGINT);
    // A loop that does not end on its own is killed after a while.
    int status = 0;
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            break;
        usleep(100000);
        if (i == 99) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
    }
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.output = testsupport::readFile(outFile);
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
    RunResult r = runGameUntilInterrupted(testsupport::runDir(), "3", 2);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("ID_"), std::string::npos);
    EXPECT_EQ(r.output.find("properly unloaded"), std::string::npos);
    EXPECT_EQ(r.output.find("Unable to find preloaded image"), std::string::npos);
}

TEST(Main, FrameLoopRunsUntilTheWindowIsClosedAndEndsWithCodeZero)
{
    // Windowed with sound on the dummy device: the intro runs its frames
    // until SIGINT arrives as a window close.
    RunResult r = runGameUntilInterrupted(testsupport::runDir(), "1", 2);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("ERROR"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("Unable to"), std::string::npos) << r.output;
}
