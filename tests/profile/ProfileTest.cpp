#include <gtest/gtest.h>

#include <SDL.h>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/CDraw.h"
#include "engine/DrawTestSupport.h"
#include "engine/FileAccess.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "profile/ProfileServices.h"
#include "profile/ProfileTestSupport.h"
#include "profile/ScoreClient.h"
#include "test_support.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Each test gets fresh user folders under the test process's private home.
class ProfileTest : public ProfileFolderTest {
protected:
    void SetUp() override
    {
        ProfileFolderTest::SetUp();
        logCategoryOn(LOG_WARNING);
        logCategoryOn(LOG_ERROR);
    }

    std::string profileFile() { return CProfileBase::ProfileFileName(1); }
};

std::vector<SDL_GrabMode> g_grabs;
SDL_GrabMode recordGrab(SDL_GrabMode mode)
{
    g_grabs.push_back(mode);
    return mode;
}

} // namespace

TEST_F(ProfileTest, FileNamesInTheProfileFolder)
{
    std::string dir = GetProfileDirectory();
    EXPECT_EQ(CProfileBase::HeaderFileName(), dir + "INFOv3.DAT");
    EXPECT_EQ(CProfileBase::ProfileFileName(2), dir + "PROFILE2v3.DAT");
}

TEST_F(ProfileTest, FreshProfileHasDefaultsAndWritesNothing)
{
    CProfile p;
    EXPECT_EQ(p.GetSoundVolume(), 6);
    EXPECT_EQ(p.GetMusicVolume(), 6);
    EXPECT_EQ(p.GetGameSpeed(), 6);
    EXPECT_EQ(p.GetKey(0), SDLK_r);
    EXPECT_EQ(p.GetKey(1), SDLK_u);
    EXPECT_EQ(p.GetKey(2), SDLK_LEFT);
    EXPECT_EQ(p.GetKey(5), SDLK_DOWN);
    EXPECT_EQ(p.GetKey(6), SDLK_SPACE);
    EXPECT_EQ(p.GetKey(7), SDLK_1);
    EXPECT_EQ(p.GetKey(15), SDLK_9);
    EXPECT_FALSE(p.HasPassword());
    EXPECT_EQ(p.GetProfileNumber(), 1);
    EXPECT_FALSE(testsupport::fileExists(profileFile()));
    EXPECT_FALSE(testsupport::fileExists(CProfileBase::HeaderFileName()));
}

TEST_F(ProfileTest, SaveAndLoadRoundTrip)
{
    {
        CProfile p;
        p.SetFullscreen(true);
        p.SetMouseFree(0);
        p.SetMouseSpeed(1.75f);
        p.SetSoundVolume(3);
        p.SetMusicVolume(11);
        p.SetGameSpeed(9);
        p.SetShowStepCounter(false);
        p.SetShowStory(false);
        p.SetKey(6, SDLK_f);
        p.SetCurrentSet(2);
        p.SetCurrentLevel(80);
        p.SetSteps(40);
        p.RecordSteps("My Level");
        p.SetSetFlag(1, -1);
        p.SetPassword("secret");
        p.RecordSetResult(); // saves
        ASSERT_TRUE(p.SaveHeader());
    }
    CProfile q;
    EXPECT_EQ(q.GetFullscreen(), 1);
    EXPECT_EQ(q.GetMouseFree(), 0);
    EXPECT_FLOAT_EQ(q.GetMouseSpeed(), 1.75f);
    EXPECT_EQ(q.GetSoundVolume(), 3);
    EXPECT_EQ(q.GetMusicVolume(), 11);
    EXPECT_EQ(q.GetGameSpeed(), 9);
    EXPECT_FALSE(q.GetShowStepCounter());
    EXPECT_FALSE(q.GetShowStory());
    EXPECT_EQ(q.GetKey(6), SDLK_f);
    EXPECT_EQ(q.GetCurrentSet(), 2);
    EXPECT_EQ(q.GetCurrentLevel(), 80);
    EXPECT_EQ(q.GetTotal(1), 40);
    EXPECT_EQ(q.GetLevelRecord("My Level"), 40);
    EXPECT_EQ(q.GetSetResult(2, 80), 40);
    EXPECT_EQ(q.GetSetResult(0, 0), PROFILE_NO_RESULT);
    EXPECT_EQ(q.GetSetFlag(2), 1);
    EXPECT_TRUE(q.HasPassword());
    EXPECT_STREQ(q.GetPassword(), "secret");
    EXPECT_FALSE(testsupport::fileExists(profileFile() + ".tmp"));
}

TEST_F(ProfileTest, PasswordsOfUpToTenCharactersAreKeptWhole)
{
    const struct {
        const char* given;
        const char* kept;
    } cases[] = {{"abcdefghi", "abcdefghi"}, {"abcdefghij", "abcdefghij"}, {"abcdefghijk", "abcdefghij"}};
    size_t fileSize = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        {
            CProfile p;
            p.SetPassword(c.given);
            EXPECT_STREQ(p.GetPassword(), c.kept);
            ASSERT_TRUE(p.Save());
            ASSERT_TRUE(p.SaveHeader());
        }
        // The file keeps its 10-byte field whatever the length.
        size_t size = testsupport::readFile(profileFile()).size();
        if (fileSize) {
            EXPECT_EQ(size, fileSize);
        }
        fileSize = size;
        CProfile q;
        EXPECT_STREQ(q.GetPassword(), c.kept);
        EXPECT_EQ(strcmp(q.GetPassword(), c.given) == 0, strlen(c.given) <= 10);
    }
}

TEST_F(ProfileTest, ADamagedFileIsKeptAsideAndToldAndTheProfileStartsAfresh)
{
    {
        CProfile p;
        p.SetGameSpeed(2);
        p.SetSteps(10);
        p.RecordSetResult();
    }
    std::string good = testsupport::readFile(profileFile());
    ASSERT_GT(good.size(), 100u);

    std::vector<std::string> damaged = {
        good.substr(0, good.size() / 2),              // truncated
        good.substr(0, 3),                            // shorter than a word
        std::string(good.size(), '\x7f'),             // garbage
        good + "x",                                   // trailing bytes
        std::string(),                                // empty
    };
    std::string bad = good;
    // magic, version, two switch bytes, mouse speed, two volumes: game speed.
    bad[4 + 4 + 1 + 1 + 4 + 4 + 4] = 99;
    damaged.push_back(bad);

    std::string log = GetProfileDirectory() + std::string("LOG.TXT");
    for (size_t i = 0; i < damaged.size(); ++i) {
        const std::string& bytes = damaged[i];
        SCOPED_TRACE(i);
        testsupport::writeFile(profileFile(), bytes);
        {
            CaptureStdout();
            CProfile p;
            GetCapturedStdout();
            EXPECT_EQ(p.GetGameSpeed(), 6);
            EXPECT_EQ(p.GetSetResult(0, 0), PROFILE_NO_RESULT);
            EXPECT_FALSE(p.IsSaveBlocked());
            ProfileNotice notice;
            EXPECT_TRUE(p.TakeNotice(notice) && notice.kind == ProfileNotice::PROFILE_SET_ASIDE &&
                        notice.parameter == "Player");
            // Before anything is written in its place, the damaged file
            // has gone aside under a name of its own.
            EXPECT_FALSE(testsupport::fileExists(profileFile()));
            p.SetGameSpeed(4);
            EXPECT_TRUE(p.Save());
        }
        std::string aside = profileFile() + ".damaged" + (i ? "-" + std::to_string(i + 1) : "");
        EXPECT_EQ(testsupport::readFile(aside), bytes);
        EXPECT_NE(testsupport::readFile(log).find("is damaged; it was kept as '" + aside + "'"),
                  std::string::npos);
        CProfile again;
        EXPECT_EQ(again.GetGameSpeed(), 4);
        EXPECT_FALSE(again.HasNotice());
    }
}

TEST_F(ProfileTest, ADamagedHeaderIsKeptAsideAndTold)
{
    testsupport::writeFile(CProfileBase::HeaderFileName(), "garbage!");
    CaptureStdout();
    CProfile p;
    EXPECT_NE(GetCapturedStdout().find("The profile list '"), std::string::npos);
    EXPECT_EQ(p.GetProfileCount(), 1);
    EXPECT_EQ(p.GetProfileNumber(), 1);
    EXPECT_FALSE(testsupport::fileExists(CProfileBase::HeaderFileName()));
    EXPECT_EQ(testsupport::readFile(CProfileBase::HeaderFileName() + ".damaged"), "garbage!");
    ProfileNotice notice;
    ASSERT_TRUE(p.TakeNotice(notice));
    EXPECT_EQ(notice.kind, ProfileNotice::LIST_SET_ASIDE);
    EXPECT_EQ(notice.parameter, "INFOv3.DAT.damaged");
    EXPECT_NE(testsupport::readFile(GetProfileDirectory() + std::string("LOG.TXT")).find("kept as"),
              std::string::npos);
}

TEST_F(ProfileTest, AFolderInPlaceOfATemporaryFileBlocksNoSaveAndOneThatHoldsSomethingIsNamed)
{
    CProfile p;
    p.SetSteps(5);
    p.RecordSetResult();
    // An empty folder under either temporary name is cleared away.
    std::string profileTemp = profileFile() + ".tmp";
    ASSERT_EQ(mkdir(profileTemp.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((CProfileBase::HeaderFileName() + ".tmp").c_str(), 0755), 0);
    p.SetGameSpeed(3);
    EXPECT_TRUE(p.Save());
    EXPECT_EQ(p.AddProfile("Ada"), 2);
    EXPECT_FALSE(p.HasNotice());
    ASSERT_TRUE(p.SelectProfile(1));
    EXPECT_EQ(p.GetGameSpeed(), 3);

    // A folder that holds something is left alone: the old file stays and
    // the player is told what is in the way.
    std::string before = testsupport::readFile(profileFile());
    ASSERT_EQ(mkdir(profileTemp.c_str(), 0755), 0);
    testsupport::writeFile(profileTemp + "/keep", "x");
    p.SetSteps(3);
    CaptureStdout();
    EXPECT_FALSE(p.Save());
    GetCapturedStdout();
    EXPECT_EQ(testsupport::readFile(profileFile()), before);
    EXPECT_EQ(testsupport::readFile(profileTemp + "/keep"), "x");
    ProfileNotice notice;
    ASSERT_TRUE(p.TakeNotice(notice));
    EXPECT_EQ(notice.kind, ProfileNotice::SAVE_IN_THE_WAY);
    EXPECT_EQ(notice.parameter, "PROFILE1v3.DAT.tmp");
    EXPECT_FALSE(p.HasNotice());
    // The same for the list.
    ASSERT_EQ(remove((profileTemp + "/keep").c_str()), 0);
    std::string listTemp = CProfileBase::HeaderFileName() + ".tmp";
    ASSERT_EQ(mkdir(listTemp.c_str(), 0755), 0);
    testsupport::writeFile(listTemp + "/keep", "x");
    CaptureStdout();
    EXPECT_EQ(p.AddProfile("Bert"), 0);
    GetCapturedStdout();
    ASSERT_TRUE(p.TakeNotice(notice));
    EXPECT_EQ(notice.kind, ProfileNotice::SAVE_IN_THE_WAY);
    EXPECT_EQ(notice.parameter, "INFOv3.DAT.tmp");
}

TEST_F(ProfileTest, AFileSizeLimitFailsTheSaveInsteadOfEndingTheGame)
{
    CProfile p;
    ASSERT_TRUE(p.Save());
    std::string before = testsupport::readFile(profileFile());
    // The limit is reached while the file is written (a profile file is
    // over a kilobyte), not before.
    ASSERT_GT(before.size(), 1000u);
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        ignoreFileSizeSignal();
        struct rlimit limit = {512, 512};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(2);
        p.SetGameSpeed(9);
        ProfileNotice notice;
        _exit(!p.Save() && p.TakeNotice(notice) && notice.kind == ProfileNotice::SAVE_FAILED ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(testsupport::readFile(profileFile()), before);
}

namespace {
// A header of one profile with the given name, as the game writes it.
std::string headerWithName(const std::string& name)
{
    std::string h = "BPIN";
    for (uint32_t v : {3u, 1u, 1u})
        h += std::string(reinterpret_cast<const char*>(&v), 4);
    h += static_cast<char>(name.size());
    return h + name;
}
} // namespace

TEST_F(ProfileTest, TextsOfTheirFullLengthReadBackAndLongerOnesDoNot)
{
    // A name in the header: 32 characters at most.
    std::string name32(32, 'n');
    testsupport::writeFile(CProfileBase::HeaderFileName(), headerWithName(name32));
    {
        CProfile p;
        EXPECT_EQ(p.GetProfileName(), name32);
        EXPECT_FALSE(p.HasNotice());
    }
    testsupport::writeFile(CProfileBase::HeaderFileName(), headerWithName(name32 + "n"));
    {
        CaptureStdout();
        CProfile p;
        GetCapturedStdout();
        EXPECT_EQ(p.GetProfileName(), "Player");
        ProfileNotice notice;
        ASSERT_TRUE(p.TakeNotice(notice));
        EXPECT_EQ(notice.kind, ProfileNotice::LIST_SET_ASIDE);
    }
    // A level's name in the best records: 255 characters at most; a longer
    // one is kept under its first 255.
    std::string level255(255, 'l');
    {
        CProfile p;
        p.SetSteps(7);
        p.RecordSteps(level255.c_str());
        p.SetSteps(8);
        p.RecordSteps((std::string(255, 'm') + "m").c_str());
        ASSERT_TRUE(p.Save());
    }
    CProfile q;
    EXPECT_EQ(q.GetLevelRecord(level255.c_str()), 7);
    EXPECT_EQ(q.GetLevelRecord(std::string(255, 'm').c_str()), 8);
    EXPECT_EQ(q.GetLevelRecord((std::string(255, 'm') + "m").c_str()), PROFILE_NO_RESULT);
    EXPECT_FALSE(q.HasNotice());
}

TEST_F(ProfileTest, StepCounterAndBestResults)
{
    CProfile p;
    p.SetSteps(99998);
    p.IncrementSteps();
    p.IncrementSteps();
    EXPECT_EQ(p.GetTotal(1), 99999);
    p.SetSteps(1000000);
    EXPECT_EQ(p.GetTotal(1), 99999);
    p.SetSteps(-4);
    EXPECT_EQ(p.GetTotal(1), 0);

    p.SetSteps(30);
    p.RecordSteps("lvl");
    p.SetSteps(50);
    p.RecordSteps("lvl");
    EXPECT_EQ(p.GetLevelRecord("lvl"), 30);
    p.SetSteps(20);
    p.RecordSteps("lvl");
    EXPECT_EQ(p.GetLevelRecord("lvl"), 20);
    EXPECT_EQ(p.GetLevelRecord("other"), PROFILE_NO_RESULT);

    // A worse set result neither replaces the best nor saves.
    p.SetCurrentSet(1);
    p.SetCurrentLevel(4);
    p.SetSteps(12);
    p.RecordSetResult();
    EXPECT_EQ(p.GetSetResult(1, 4), 12);
    std::string saved = testsupport::readFile(profileFile());
    remove(profileFile().c_str());
    p.SetSteps(13);
    p.RecordSetResult();
    EXPECT_EQ(p.GetSetResult(1, 4), 12);
    EXPECT_FALSE(testsupport::fileExists(profileFile()));
    EXPECT_FALSE(saved.empty());

    p.SetSetFlag(7, 0);
    p.SetSetFlag(1, -1);
    EXPECT_EQ(p.GetSetFlag(0), 7);
    EXPECT_EQ(p.GetSetFlag(1), 1);
}

TEST_F(ProfileTest, SettingsStayInRange)
{
    CProfile p;
    p.SetSoundVolume(40);
    p.SetMusicVolume(-3);
    p.SetGameSpeed(12);
    EXPECT_EQ(p.GetSoundVolume(), 11);
    EXPECT_EQ(p.GetMusicVolume(), 0);
    EXPECT_EQ(p.GetGameSpeed(), 11);
    p.FlipFullscreen();
    EXPECT_EQ(p.GetFullscreen(), 1);
    p.FlipFullscreen();
    EXPECT_EQ(p.GetFullscreen(), 0);
    p.SetPassword("0123456789ABCDEF");
    EXPECT_STREQ(p.GetPassword(), "0123456789");
    EXPECT_EQ(p.GetKey(16), 0);
    EXPECT_EQ(p.GetKey(-1), 0);
}

TEST(ScoreClient, AddressAndEmptyTables)
{
    SetScoreServerUrl("http://scores.example/zobk/");
    EXPECT_EQ(GetScoreScriptUrl(), "http://scores.example/zobk/twscores.php");
    InitScoreTables();
    for (int s = 0; s < SCORE_TABLE_COUNT; ++s)
        EXPECT_TRUE(GetScoreTable(s).empty());
    EXPECT_TRUE(GetScoreTable(9).empty());
}

TEST_F(ProfileTest, MouseGrabIsAppliedOnceTheWindowIsOpen)
{
    profileSetGrabFunction(recordGrab);
    g_grabs.clear();
    testsupport::TempDir dir;
    drawtest::writeBmp(dir.file("resource0.dat"), 800, 600, 0, 0, 0);
    testsupport::ScopedChdir in(dir.path());
    for (unsigned char free : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(free));
        CProfile p;
        p.SetFullscreen(false);
        p.SetMouseFree(free); // no window yet: nothing to grab
        EXPECT_TRUE(g_grabs.empty());
        CDraw::SetConfig(&p);
        {
            CDraw draw;
            ASSERT_EQ(g_grabs.size(), 1u);
            EXPECT_EQ(g_grabs[0], free ? SDL_GRAB_OFF : SDL_GRAB_ON);
            // With the window open a change applies at once.
            p.SetMouseFree(!free);
            ASSERT_EQ(g_grabs.size(), 2u);
            EXPECT_EQ(g_grabs[1], free ? SDL_GRAB_ON : SDL_GRAB_OFF);
        }
        CDraw::SetConfig(nullptr);
        g_grabs.clear();
    }
    profileSetGrabFunction(nullptr);
}
