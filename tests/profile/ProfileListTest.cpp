// The list of profiles: names, adding, choosing and deleting, the header and
// the profile files kept in step, and folders that cannot be written.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "profile/ProfileTestSupport.h"
#include "test_support.h"

namespace {

class ProfileList : public ProfileFolderTest {
protected:

    // Turns the profile folder into a plain file: nothing can be written
    // into it any more (even by the superuser).
    void breakFolder()
    {
        std::string folder = m_dir.substr(0, m_dir.size() - 1);
        ASSERT_EQ(rename(folder.c_str(), (folder + ".saved").c_str()), 0);
        testsupport::writeFile(folder, "not a folder");
    }
    void mendFolder()
    {
        std::string folder = m_dir.substr(0, m_dir.size() - 1);
        remove(folder.c_str());
        ASSERT_EQ(rename((folder + ".saved").c_str(), folder.c_str()), 0);
    }

};

} // namespace

TEST_F(ProfileList, NamesAreCheckedOnBothSidesOfEveryLimit)
{
    CProfile p;
    EXPECT_EQ(p.CheckProfileName("Ada"), PROFILE_NAME_OK);
    EXPECT_EQ(p.CheckProfileName(""), PROFILE_NAME_EMPTY);
    EXPECT_EQ(p.CheckProfileName(nullptr), PROFILE_NAME_EMPTY);
    EXPECT_EQ(p.CheckProfileName("   "), PROFILE_NAME_EMPTY);
    EXPECT_EQ(p.CheckProfileName(" a"), PROFILE_NAME_OK);
    EXPECT_EQ(p.CheckProfileName(std::string(15, 'x').c_str()), PROFILE_NAME_OK);
    EXPECT_EQ(p.CheckProfileName(std::string(16, 'x').c_str()), PROFILE_NAME_TOO_LONG);
    EXPECT_EQ(p.CheckProfileName("a/b"), PROFILE_NAME_BAD_CHARACTER);
    EXPECT_EQ(p.CheckProfileName("a\\b"), PROFILE_NAME_BAD_CHARACTER);
    EXPECT_EQ(p.CheckProfileName(".."), PROFILE_NAME_BAD_CHARACTER);
    EXPECT_EQ(p.CheckProfileName("a..b"), PROFILE_NAME_BAD_CHARACTER);
    EXPECT_EQ(p.CheckProfileName("a.b"), PROFILE_NAME_OK);
    EXPECT_EQ(p.CheckProfileName("tab\there"), PROFILE_NAME_BAD_CHARACTER);
    EXPECT_EQ(p.CheckProfileName("player"), PROFILE_NAME_TAKEN); // the default "Player", ignoring case
}

TEST_F(ProfileList, AddingChoosingAndDeletingKeepHeaderAndFilesInStep)
{
    {
        CProfile p;
        p.SetSoundVolume(2);
        ASSERT_EQ(p.AddProfile("Ada"), 2);
        EXPECT_EQ(p.GetProfileNumber(), 2);
        EXPECT_EQ(p.GetProfileName(), "Ada");
        EXPECT_EQ(p.GetSoundVolume(), 6); // a fresh profile
        // The first profile was saved before the switch.
        EXPECT_TRUE(testsupport::fileExists(CProfileBase::ProfileFileName(1)));
        EXPECT_TRUE(testsupport::fileExists(CProfileBase::ProfileFileName(2)));
        p.SetSoundVolume(5);
        ASSERT_EQ(p.AddProfile("Bert"), 3);
        p.SetSoundVolume(9);
        EXPECT_EQ(p.AddProfile("ada"), 0); // taken
        EXPECT_EQ(p.AddProfile("x/y"), 0);
        EXPECT_EQ(p.GetProfileCount(), 3);
        ASSERT_TRUE(p.SelectProfile(1));
        EXPECT_EQ(p.GetSoundVolume(), 2);
        EXPECT_FALSE(p.SelectProfile(0));
        EXPECT_FALSE(p.SelectProfile(4));
        EXPECT_EQ(p.GetProfileNumber(), 1);
    }
    // A restart finds the list and the current profile again.
    CProfile again;
    EXPECT_EQ(again.GetProfileCount(), 3);
    EXPECT_EQ(again.GetProfileNumber(), 1);
    EXPECT_EQ(again.GetProfileNameAt(2), "Ada");
    EXPECT_EQ(again.GetProfileNameAt(3), "Bert");
    EXPECT_EQ(again.GetProfileNameAt(4), "");
    EXPECT_EQ(again.GetProfileNameAt(0), "");

    // Deleting Ada moves Bert's file down to number 2 with his settings.
    ASSERT_TRUE(again.DeleteProfile(2));
    EXPECT_EQ(again.GetProfileCount(), 2);
    EXPECT_EQ(again.GetProfileNameAt(2), "Bert");
    EXPECT_FALSE(testsupport::fileExists(CProfileBase::ProfileFileName(3)));
    ASSERT_TRUE(again.SelectProfile(2));
    EXPECT_EQ(again.GetSoundVolume(), 9);

    // Deleting the current profile makes the first one current.
    ASSERT_TRUE(again.DeleteProfile(2));
    EXPECT_EQ(again.GetProfileNumber(), 1);
    EXPECT_EQ(again.GetSoundVolume(), 2);
    // The last one stays.
    EXPECT_FALSE(again.DeleteProfile(1));
    EXPECT_EQ(again.GetProfileCount(), 1);
}

TEST_F(ProfileList, DeletingAProfileBeforeTheCurrentOneKeepsTheCurrentOne)
{
    CProfile p;
    p.AddProfile("Ada");
    p.AddProfile("Bert");
    p.SetGameSpeed(3);
    ASSERT_TRUE(p.DeleteProfile(1));
    EXPECT_EQ(p.GetProfileNumber(), 2);
    EXPECT_EQ(p.GetProfileName(), "Bert");
    EXPECT_EQ(p.GetGameSpeed(), 3);
}

TEST_F(ProfileList, TheListHoldsSixtyFourProfilesAndNoMore)
{
    CProfile p;
    for (int i = 2; i <= PROFILE_COUNT_MAX; ++i)
        ASSERT_EQ(p.AddProfile(("P" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(p.CheckProfileName("One more"), PROFILE_NAME_LIST_FULL);
    EXPECT_EQ(p.AddProfile("One more"), 0);
    EXPECT_EQ(p.GetProfileCount(), PROFILE_COUNT_MAX);
    // All 64 come back after a restart.
    CProfile again;
    EXPECT_EQ(again.GetProfileCount(), PROFILE_COUNT_MAX);
    ASSERT_TRUE(again.DeleteProfile(5));
    EXPECT_EQ(again.CheckProfileName("One more"), PROFILE_NAME_OK);
}

TEST_F(ProfileList, AnUnwritableFolderRefusesChangesAndLosesNothing)
{
    {
        CProfile p;
        p.SetMusicVolume(4);
        ASSERT_EQ(p.AddProfile("Ada"), 2);
        ASSERT_TRUE(p.SelectProfile(1));
    }
    std::string header = testsupport::readFile(CProfileBase::HeaderFileName());
    CProfile p;
    breakFolder();
    EXPECT_EQ(p.AddProfile("Bert"), 0);
    EXPECT_EQ(p.GetProfileCount(), 2);
    EXPECT_EQ(p.GetProfileNumber(), 1);
    EXPECT_FALSE(p.DeleteProfile(2));
    EXPECT_EQ(p.GetProfileCount(), 2);
    EXPECT_FALSE(p.Save());
    EXPECT_EQ(p.GetMusicVolume(), 4);
    mendFolder();
    EXPECT_EQ(testsupport::readFile(CProfileBase::HeaderFileName()), header);
    EXPECT_TRUE(testsupport::fileExists(CProfileBase::ProfileFileName(2)));
}

TEST_F(ProfileList, PasswordsOfOtherProfilesAreReadFromTheirFiles)
{
    CProfile p;
    // The whole 10-byte field is read: a password that fills it comes back
    // whole, one that does not fit was cut when it was set.
    const struct {
        const char* given;
        const char* read;
    } cases[] = {{"abcdefghi", "abcdefghi"}, {"abcdefghij", "abcdefghij"}, {"abcdefghijk", "abcdefghij"}};
    int number = 1;
    for (const auto& c : cases) {
        p.SetPassword(c.given);
        ASSERT_TRUE(p.Save());
        ASSERT_EQ(p.AddProfile(("Other" + std::to_string(number)).c_str()), number + 1);
        EXPECT_EQ(p.GetPasswordOf(number), c.read) << c.given;
        ++number;
    }
    ASSERT_TRUE(p.SelectProfile(1));
    p.SetPassword("secret");
    ASSERT_TRUE(p.Save());
    ASSERT_TRUE(p.SelectProfile(number));
    EXPECT_FALSE(p.HasPassword());
    EXPECT_EQ(p.GetPasswordOf(1), "secret");
    EXPECT_EQ(p.GetPasswordOf(number), "");
    EXPECT_EQ(p.GetPasswordOf(number + 1), "");
    // A damaged file answers no password rather than garbage.
    testsupport::writeFile(CProfileBase::ProfileFileName(1), "BPPR");
    EXPECT_EQ(p.GetPasswordOf(1), "");
}

TEST_F(ProfileList, ReadingAnotherProfileLeavesTheCurrentOneAlone)
{
    CProfile p;
    p.SetCurrentSet(0);
    p.SetCurrentLevel(4);
    p.SetSteps(30);
    p.RecordSetResult();
    p.SetCurrentLevel(5);
    p.SetSteps(12);
    p.RecordSetResult();
    ASSERT_EQ(p.AddProfile("Ada"), 2);
    p.SetSoundVolume(1);
    std::unique_ptr<CProfile> first = CProfile::ReadOther(1);
    ASSERT_NE(first, nullptr);
    CProfile::Progress progress = first->GetProgress();
    EXPECT_EQ(progress.finished[0], 2);
    EXPECT_EQ(progress.finished[1], 0);
    EXPECT_EQ(progress.steps, 42);
    EXPECT_EQ(p.GetSoundVolume(), 1);
    EXPECT_EQ(p.GetProfileNumber(), 2);
    EXPECT_EQ(CProfile::ReadOther(7), nullptr);
}

TEST_F(ProfileList, ADamagedHeaderKeepsEveryProfileFileInTheList)
{
    {
        CProfile p;
        p.SetGameSpeed(2);
        ASSERT_EQ(p.AddProfile("Ada"), 2);
        p.SetGameSpeed(9);
        ASSERT_TRUE(p.Save());
    }
    testsupport::writeFile(CProfileBase::HeaderFileName(), "BPIN\x03");
    CProfile p;
    // The names are lost with the header; the progress is not.
    ASSERT_EQ(p.GetProfileCount(), 2);
    EXPECT_EQ(p.GetProfileName(), "Player");
    EXPECT_EQ(p.GetProfileNameAt(2), "Player 2");
    EXPECT_EQ(p.GetGameSpeed(), 2);
    ASSERT_TRUE(p.SelectProfile(2));
    EXPECT_EQ(p.GetGameSpeed(), 9);
    EXPECT_EQ(testsupport::readFile(CProfileBase::HeaderFileName() + ".damaged"), std::string("BPIN\x03"));
}

TEST_F(ProfileList, KeysGoBackToTheirDefaults)
{
    CProfile p;
    p.SetKey(0, SDLK_q);
    p.SetKey(15, SDLK_F1);
    p.ResetKeys();
    EXPECT_EQ(p.GetKey(0), SDLK_r);
    EXPECT_EQ(p.GetKey(15), SDLK_9);
    EXPECT_EQ(CProfile::GetDefaultKey(6), SDLK_SPACE);
    EXPECT_EQ(CProfile::GetDefaultKey(16), 0);
    EXPECT_EQ(CProfile::GetDefaultKey(-1), 0);
}

TEST_F(ProfileList, AnUnreadableFolderGivesTheDefaultProfileAndTouchesNothing)
{
    {
        CProfile p;
        p.SetGameSpeed(2);
        ASSERT_EQ(p.AddProfile("Ada"), 2);
    }
    breakFolder();
    CProfile p;
    EXPECT_EQ(p.GetProfileCount(), 1);
    EXPECT_EQ(p.GetProfileName(), "Player");
    EXPECT_EQ(p.GetGameSpeed(), 6);
    EXPECT_FALSE(p.Save());
    mendFolder();
    // The real files are all still there.
    CProfile again;
    EXPECT_EQ(again.GetProfileCount(), 2);
    EXPECT_EQ(again.GetProfileName(), "Ada");
}
