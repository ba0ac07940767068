// Test entry: every test process runs headless and with a private home
// folder, so no test can touch the real user's files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

int main(int argc, char** argv)
{
    testsupport::PrivateHome home;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests fork; the threadsafe style re-executes the binary, which
    // keeps SDL state of the parent out of the child.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
