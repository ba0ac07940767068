#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ShellServices.h"
#include "test_support.h"

using testsupport::TempDir;

// The opener is started without a shell: a target full of shell syntax is
// one argument, and nothing in it runs.
TEST(ShellOpen, TargetIsOneArgumentNeverAShellCommand)
{
    TempDir dir;
    // A stand-in opener that records its arguments.
    std::string opener = dir.file("xdg-open");
    testsupport::writeFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"" + dir.file("args") +
                                       "\"\n");
    chmod(opener.c_str(), 0755);
    std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (dir.path() + ":" + oldPath).c_str(), 1);

    std::string target = "http://x.example/a b; touch " + dir.file("pwned") + " $(id)";
    EXPECT_TRUE(platformShellOpen(target.c_str()));
    setenv("PATH", oldPath.c_str(), 1);

    // The opener runs detached: wait a little for its record.
    for (int i = 0; i < 200 && !testsupport::fileExists(dir.file("args")); ++i)
        usleep(10000);
    usleep(20000);
    EXPECT_EQ(testsupport::readFile(dir.file("args")), "1\n" + target + "\n");
    EXPECT_FALSE(testsupport::fileExists(dir.file("pwned")));
}

TEST(ShellOpen, EmptyTargetIsRefused)
{
    EXPECT_FALSE(platformShellOpen(""));
    EXPECT_FALSE(platformShellOpen(nullptr));
}
