// Test entry: every test process runs headless (unless BRAMBLECOT_TEST_VIDEO
// names a real video driver, for the checks in a real window) and with a
// private home folder, so no test can touch the real user's files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

int main(int argc, char** argv)
{
    testsupport::PrivateHome home;
    // Headless, unless a real-window run asks for SDL's X11 driver.
    const char* video = getenv("BRAMBLECOT_TEST_VIDEO");
    setenv("SDL_VIDEODRIVER", video && *video ? video : "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests fork ("fast" style), so a child sees the parent's
    // temporary folders. A test that runs SDL threads before a death test
    // should switch to the "threadsafe" style itself.
    return RUN_ALL_TESTS();
}
