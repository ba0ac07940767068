// Test entry: every test process runs headless (unless BRAMBLECOT_TEST_VIDEO
// names a real video driver, for the checks in a real window) and with a
// private home folder, so no test can touch the real user's files. Each test
// finds the process as the first one did, so tests may run in any order in
// one process (--gtest_shuffle, --gtest_repeat).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/UserDirs.h"
#include "engine/Input.h"
#include "test_support.h"

namespace {

// The variables that tests point elsewhere for a while.
const char* const kEnvironment[] = {"HOME",           "XDG_DATA_HOME",     "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR",
                                    "XDG_CACHE_HOME", "SDL_VIDEODRIVER",   "SDL_AUDIODRIVER"};

// After each test: tears down what helpers brought up for it alone
// (testsupport::atTestEnd), then puts back the working folder, the
// environment above, the unset user folders and the use of the mouse.
class ProcessState : public ::testing::EmptyTestEventListener {
public:
    ProcessState()
    {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd))
            m_cwd = cwd;
        for (const char* name : kEnvironment) {
            const char* value = getenv(name);
            m_values.push_back(value ? value : "");
            m_set.push_back(value != nullptr);
        }
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        testsupport::runTestEndHooks();
        if (!m_cwd.empty() && chdir(m_cwd.c_str()) != 0)
            perror("chdir");
        for (size_t i = 0; i < m_values.size(); ++i) {
            if (m_set[i])
                setenv(kEnvironment[i], m_values[i].c_str(), 1);
            else
                unsetenv(kEnvironment[i]);
        }
        ResetUserDirectories();
        // The player is back on the mouse; a test on the keys says so.
        noteMouseUse();
    }

private:
    std::string m_cwd;
    std::vector<std::string> m_values;
    std::vector<bool> m_set;
};

} // namespace

int main(int argc, char** argv)
{
    testsupport::PrivateHome home;
    // Headless, unless a real-window run asks for SDL's X11 driver.
    const char* video = getenv("BRAMBLECOT_TEST_VIDEO");
    setenv("SDL_VIDEODRIVER", video && *video ? video : "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProcessState);
    // Death tests fork ("fast" style), so a child sees the parent's
    // temporary folders. A test that runs SDL threads before a death test
    // should switch to the "threadsafe" style itself.
    return RUN_ALL_TESTS();
}
