// No player loses progress to the profile files: a damaged or unreadable
// list or profile file, a file the list does not name, and a kill at any
// point of a save, an addition or a deletion. A kill is a child process
// that ends at once, without any clean-up, just before its n-th change of
// the profile folder; start-up then runs in this process.
#include <gtest/gtest.h>

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileFolderLock.h"
#include "profile/ProfileTestSupport.h"
#include "test_support.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

int g_stopAt = 0;
int g_steps = 0;
std::vector<std::string> g_recorded;

void stopAtStep(const char*, const std::string&)
{
    if (++g_steps == g_stopAt)
        _exit(0);
}

void recordStep(const char* step, const std::string& path)
{
    g_recorded.push_back(std::string(step) + " " + path.substr(path.find_last_of('/') + 1));
}

// Runs f in a child process killed just before its step-th change of the
// profile folder. True when f finished before that step.
bool runKilledAtStep(int step, const std::function<void()>& f)
{
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        g_stopAt = step;
        g_steps = 0;
        profileSetStepHook(stopAtStep);
        f();
        _exit(3);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 3;
}

// Runs f in a child process as a user without special rights (the
// superuser reads and writes any file whatever its permissions); the
// child's exit code, which f returns.
int runUnprivileged(const std::function<int()>& f)
{
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(90);
        _exit(f());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

class ProfileRecovery : public ProfileFolderTest {
protected:
    void TearDown() override { profileSetStepHook(nullptr); }

    // Profiles with these names (the first is the default "Player"), each
    // with a progress of its own: game speed and steps n, and a best record
    // under its own name. The last one stays current.
    void makeProfiles(const std::vector<std::string>& names)
    {
        CProfile p;
        for (size_t i = 1; i < names.size(); ++i)
            ASSERT_EQ(p.AddProfile(names[i].c_str()), static_cast<int>(i + 1));
        for (size_t i = 0; i < names.size(); ++i) {
            ASSERT_TRUE(p.SelectProfile(static_cast<int>(i + 1)));
            p.SetGameSpeed(static_cast<int>(i + 1));
            p.SetSteps(static_cast<int>(i + 1));
            p.RecordSteps(names[i].c_str());
            ASSERT_TRUE(p.Save());
            m_marks[names[i]] = static_cast<int>(i + 1);
        }
    }

    static std::vector<std::string> namesOf(const CProfile& p)
    {
        std::vector<std::string> names;
        for (int n = 1; n <= p.GetProfileCount(); ++n)
            names.push_back(p.GetProfileNameAt(n));
        return names;
    }

    // Every profile of the list finds its own progress in its file.
    void expectOwnProgress(const CProfile& p)
    {
        for (int n = 1; n <= p.GetProfileCount(); ++n) {
            std::string name = p.GetProfileNameAt(n);
            std::unique_ptr<CProfile> file = CProfile::ReadOther(n);
            ASSERT_NE(file, nullptr) << name;
            EXPECT_EQ(file->GetLevelRecord(name.c_str()), m_marks[name]) << name;
            EXPECT_EQ(file->GetGameSpeed(), m_marks[name]) << name;
        }
    }

    // Nothing of an unfinished change is left in the folder.
    void expectNoLeftovers()
    {
        EXPECT_FALSE(testsupport::fileExists(CProfileBase::DeleteNoteFileName()));
        for (int n = 1; n <= 8; ++n)
            EXPECT_FALSE(testsupport::fileExists(CProfileBase::MovingFileName(n))) << n;
    }

    std::string log() { return testsupport::readFile(m_dir + "LOG.TXT"); }

    // The note a deletion of profile number (of count) writes first.
    static void writeDeleteNote(int32_t number, int32_t count)
    {
        const int32_t note[] = {0x4C445042, number, count}; // "BPDL"
        testsupport::writeFile(CProfileBase::DeleteNoteFileName(),
                               std::string(reinterpret_cast<const char*>(note), sizeof note));
    }

    // Every entry of the profile folder but the log, with its contents.
    std::map<std::string, std::string> folderContents()
    {
        std::map<std::string, std::string> contents;
        if (DIR* dir = opendir(m_dir.c_str())) {
            while (struct dirent* entry = readdir(dir)) {
                std::string name = entry->d_name;
                if (name != "." && name != ".." && name != "LOG.TXT")
                    contents[name] = testsupport::readFile(m_dir + name);
            }
            closedir(dir);
        }
        return contents;
    }

    std::map<std::string, int> m_marks;
};

} // namespace

TEST_F(ProfileRecovery, ADamagedOrUnreadableListThenTwoNewProfilesKeepEveryOtherProfile)
{
    // The list emptied, and the list standing as something that cannot be
    // read at all.
    for (int unreadable = 0; unreadable < 2; ++unreadable) {
        SCOPED_TRACE(unreadable ? "unreadable" : "emptied");
        testsupport::TempDir home;
        useFolders(home);
        makeProfiles({"Player", "Ada", "Bert"});
        std::string ada = testsupport::readFile(CProfileBase::ProfileFileName(2));
        std::string bert = testsupport::readFile(CProfileBase::ProfileFileName(3));
        std::string header = CProfileBase::HeaderFileName();
        if (unreadable) {
            ASSERT_EQ(remove(header.c_str()), 0);
            ASSERT_EQ(mkdir(header.c_str(), 0755), 0);
        } else {
            testsupport::writeFile(header, "");
        }

        CaptureStdout();
        CProfile p;
        ASSERT_NE(p.AddProfile("Cleo"), 0);
        ASSERT_NE(p.AddProfile("Dan"), 0);
        GetCapturedStdout();
        EXPECT_EQ(testsupport::readFile(CProfileBase::ProfileFileName(2)), ada);
        EXPECT_EQ(testsupport::readFile(CProfileBase::ProfileFileName(3)), bert);
        // The files the lost list named are back in the list, under plain
        // names; the new profiles come after them.
        EXPECT_EQ(namesOf(p), (std::vector<std::string>{"Player", "Player 2", "Player 3", "Cleo", "Dan"}));
        ASSERT_TRUE(p.SelectProfile(2));
        EXPECT_EQ(p.GetGameSpeed(), 2);
        EXPECT_EQ(p.GetLevelRecord("Ada"), 2);
        EXPECT_TRUE(testsupport::fileExists(header + (unreadable ? ".unreadable" : ".damaged")));
        EXPECT_NE(log().find("The profile list '" + header + "' is "), std::string::npos);
        ProfileNotice notice;
        ASSERT_TRUE(p.TakeNotice(notice));
        EXPECT_EQ(notice.kind, ProfileNotice::LIST_SET_ASIDE);
        ASSERT_TRUE(p.TakeNotice(notice));
        EXPECT_EQ(notice.kind, ProfileNotice::PROFILES_FOUND);
        EXPECT_EQ(notice.parameter, "Player 2, Player 3");
    }
}

TEST_F(ProfileRecovery, AFileTheListDoesNotNameIsPutBackAndANewProfileNeverTakesIt)
{
    makeProfiles({"Player", "Ada"});
    std::string stray = testsupport::readFile(CProfileBase::ProfileFileName(2));
    testsupport::writeFile(CProfileBase::ProfileFileName(5), stray);
    testsupport::writeFile(m_dir + "PROFILE07v3.DAT", "not ours");
    CaptureStdout();
    CProfile p;
    GetCapturedStdout();
    EXPECT_EQ(namesOf(p), (std::vector<std::string>{"Player", "Ada", "Player 3"}));
    EXPECT_EQ(testsupport::readFile(CProfileBase::ProfileFileName(3)), stray);
    EXPECT_FALSE(testsupport::fileExists(CProfileBase::ProfileFileName(5)));
    EXPECT_EQ(testsupport::readFile(m_dir + "PROFILE07v3.DAT"), "not ours");
    EXPECT_NE(log().find("was put back as profile 3 'Player 3'"), std::string::npos);
    ProfileNotice notice;
    ASSERT_TRUE(p.TakeNotice(notice));
    EXPECT_EQ(notice.kind, ProfileNotice::PROFILES_FOUND);
    EXPECT_EQ(notice.parameter, "Player 3");

    // A file that appears under the next number while the game runs is
    // put back too before a new profile is made.
    testsupport::writeFile(CProfileBase::ProfileFileName(4), stray);
    EXPECT_EQ(p.AddProfile("Cleo"), 5);
    EXPECT_EQ(p.GetProfileNameAt(4), "Player 4");
    EXPECT_EQ(testsupport::readFile(CProfileBase::ProfileFileName(4)), stray);
}

TEST_F(ProfileRecovery, AnUnreadableProfileIsLeftUntouchedAndThePlayerTold)
{
    makeProfiles({"Player", "Ada"});
    std::string file = CProfileBase::ProfileFileName(2);
    std::string bytes = testsupport::readFile(file);
    // The folder and its files belong to the unprivileged user; Ada's file
    // may not be read by anyone.
    for (std::string path = m_dir; path.size() > m_home.path().size(); path = path.substr(0, path.rfind('/', path.size() - 2) + 1))
        chmod(path.c_str(), 0755);
    chmod(m_home.path().c_str(), 0755);
    ASSERT_EQ(chown(m_dir.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chmod(file.c_str(), 0), 0);

    int code = runUnprivileged([] {
        CProfile p; // Ada is current
        ProfileNotice notice;
        if (!p.IsSaveBlocked() || !p.TakeNotice(notice) || notice.kind != ProfileNotice::PROFILE_UNREADABLE ||
            notice.parameter != "Ada")
            return 1;
        p.SetGameSpeed(11);
        if (p.Save())
            return 2;
        // Playing as another profile and coming back writes nothing either.
        if (!p.SelectProfile(1) || !p.SelectProfile(2) || !p.IsSaveBlocked())
            return 3;
        return p.DeleteProfile(1) && p.GetProfileNumber() == 1 ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
    // Ada's file, now the first profile's, is as it was.
    EXPECT_EQ(testsupport::readFile(CProfileBase::ProfileFileName(1)), bytes);
    EXPECT_NE(log().find("of 'Ada' cannot be read; it is left as it is"), std::string::npos);
}

TEST_F(ProfileRecovery, AListThatCanBeNeitherReadNorMovedIsNeverWrittenOver)
{
    makeProfiles({"Player", "Ada"});
    std::string header = CProfileBase::HeaderFileName();
    std::string bytes = testsupport::readFile(header);
    for (std::string path = m_dir; path.size() > m_home.path().size(); path = path.substr(0, path.rfind('/', path.size() - 2) + 1))
        chmod(path.c_str(), 0755);
    chmod(m_home.path().c_str(), 0755);
    // Nobody may write into the folder, nor read the list.
    ASSERT_EQ(chmod(header.c_str(), 0), 0);
    int code = runUnprivileged([] {
        CProfile p;
        ProfileNotice notice;
        if (!p.TakeNotice(notice) || notice.kind != ProfileNotice::LIST_STUCK)
            return 1;
        return p.AddProfile("Cleo") == 0 && !p.SaveHeader() && p.GetProfileCount() == 1 ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    chmod(header.c_str(), 0644);
    EXPECT_EQ(testsupport::readFile(header), bytes);
}

TEST_F(ProfileRecovery, ANamedPipeForAProfileFileIsToldAndNeverWaitedOn)
{
    makeProfiles({"Player", "Ada"});
    std::string file = CProfileBase::ProfileFileName(2);
    ASSERT_EQ(remove(file.c_str()), 0);
    ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
    CaptureStdout();
    CProfile p;
    EXPECT_EQ(p.GetPasswordOf(2), "");
    EXPECT_EQ(CProfile::ReadOther(2), nullptr);
    EXPECT_TRUE(p.IsSaveBlocked());
    EXPECT_FALSE(p.Save());
    GetCapturedStdout();
    struct stat st;
    ASSERT_EQ(lstat(file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(ProfileRecovery, ASaveReachesTheDiskBeforeItReplacesTheOldFile)
{
    CProfile p;
    profileSetStepHook(recordStep);
    ASSERT_TRUE(p.Save());
    profileSetStepHook(nullptr);
    EXPECT_EQ(g_recorded, (std::vector<std::string>{"write PROFILE1v3.DAT.tmp", "sync PROFILE1v3.DAT.tmp",
                                                    "rename PROFILE1v3.DAT.tmp", "sync folder PROFILE1v3.DAT"}));
}

TEST_F(ProfileRecovery, AKillAtAnyStepOfASaveLeavesTheOldFileOrTheNewOne)
{
    makeProfiles({"Player"});
    CProfile p;
    std::string before = testsupport::readFile(CProfileBase::ProfileFileName(1));
    bool finished = false;
    for (int step = 1; !finished && step < 20; ++step) {
        SCOPED_TRACE(step);
        finished = runKilledAtStep(step, [&] {
            p.SetGameSpeed(9);
            p.Save();
        });
        CProfile after;
        EXPECT_TRUE(after.GetGameSpeed() == 1 || after.GetGameSpeed() == 9) << after.GetGameSpeed();
        EXPECT_EQ(after.GetGameSpeed() == 1, testsupport::readFile(CProfileBase::ProfileFileName(1)) == before);
        EXPECT_FALSE(after.HasNotice());
        EXPECT_EQ(after.GetLevelRecord("Player"), 1);
        // The next run starts from the old file again.
        testsupport::writeFile(CProfileBase::ProfileFileName(1), before);
    }
    EXPECT_TRUE(finished);
}

TEST_F(ProfileRecovery, AKillAtAnyStepOfAnAdditionLeavesTheOldListOrTheNewOne)
{
    const std::vector<std::string> names = {"Player", "Ada"};
    bool finished = false;
    for (int step = 1; !finished && step < 40; ++step) {
        SCOPED_TRACE(step);
        testsupport::TempDir home;
        useFolders(home);
        makeProfiles(names);
        {
            CProfile p;
            finished = runKilledAtStep(step, [&] { p.AddProfile("Bert"); });
        }
        CaptureStdout();
        CProfile after;
        GetCapturedStdout();
        std::vector<std::string> found = namesOf(after);
        EXPECT_TRUE(found == names || found == (std::vector<std::string>{"Player", "Ada", "Bert"}));
        EXPECT_FALSE(after.HasNotice());
        for (int n = 1; n <= 2; ++n) {
            std::unique_ptr<CProfile> file = CProfile::ReadOther(n);
            ASSERT_NE(file, nullptr);
            EXPECT_EQ(file->GetLevelRecord(names[static_cast<size_t>(n - 1)].c_str()), n);
        }
    }
    EXPECT_TRUE(finished);
}

TEST_F(ProfileRecovery, AKillAtAnyStepOfADeletionLeavesTheOldListOrTheNewOneWithEveryProfile)
{
    const std::vector<std::string> names = {"Player", "Ada", "Bert", "Cleo"};
    const struct {
        int current;
        int deleted;
    } cases[] = {{4, 2}, {2, 2}, {1, 4}, {3, 1}};
    for (const auto& c : cases) {
        bool finished = false;
        int step = 1;
        for (; !finished && step < 80; ++step) {
            SCOPED_TRACE("current " + std::to_string(c.current) + ", deleting " + std::to_string(c.deleted) +
                         ", killed before step " + std::to_string(step));
            testsupport::TempDir home;
            useFolders(home);
            makeProfiles(names);
            {
                CProfile p;
                ASSERT_TRUE(p.SelectProfile(c.current));
                finished = runKilledAtStep(step, [&] { p.DeleteProfile(c.deleted); });
            }
            CaptureStdout();
            CProfile after;
            GetCapturedStdout();
            std::vector<std::string> remaining = names;
            remaining.erase(remaining.begin() + (c.deleted - 1));
            std::vector<std::string> found = namesOf(after);
            EXPECT_TRUE(found == names || found == remaining) << testing::PrintToString(found);
            expectOwnProgress(after);
            expectNoLeftovers();
            EXPECT_FALSE(after.HasNotice());
            // The profile that was current is still current, unless it went.
            if (c.current != c.deleted || found == names) {
                EXPECT_EQ(after.GetProfileName(), names[static_cast<size_t>(c.current - 1)]);
            }
            // A new profile takes nobody's file.
            ASSERT_NE(after.AddProfile("Dan"), 0);
            m_marks["Dan"] = 6; // the defaults
            after.SetGameSpeed(6);
            after.SetSteps(6);
            after.RecordSteps("Dan");
            ASSERT_TRUE(after.Save());
            expectOwnProgress(after);
        }
        EXPECT_TRUE(finished);
        EXPECT_GT(step, 8) << "every step of the deletion was tried";
    }
}

TEST_F(ProfileRecovery, ASecondCopyOnTheFolderIsToldAndChangesNothing)
{
    makeProfiles({"Player", "Ada", "Bert"});
    // What the first copy is in the middle of: deleting Ada (its note is
    // written and her file moved aside), and a file beyond its list. The
    // first profile's file is damaged.
    writeDeleteNote(2, 3);
    ASSERT_EQ(rename(CProfileBase::ProfileFileName(2).c_str(), CProfileBase::MovingFileName(2).c_str()), 0);
    testsupport::writeFile(CProfileBase::ProfileFileName(4), testsupport::readFile(CProfileBase::ProfileFileName(3)));
    testsupport::writeFile(CProfileBase::ProfileFileName(1), "BPPR");
    std::map<std::string, std::string> before = folderContents();
    {
        ProfileFolderLock first(m_dir);
        ProfileFolderLock second(m_dir);
        EXPECT_FALSE(first.InUseElsewhere());
        ASSERT_TRUE(second.InUseElsewhere());

        CaptureStdout();
        CProfile copy(second.InUseElsewhere());
        EXPECT_EQ(namesOf(copy), (std::vector<std::string>{"Player", "Ada", "Bert"}));
        EXPECT_EQ(copy.GetGameSpeed(), 3);
        ProfileNotice notice;
        ASSERT_TRUE(copy.TakeNotice(notice));
        EXPECT_EQ(notice.kind, ProfileNotice::FOLDER_IN_USE);
        copy.SetGameSpeed(11);
        EXPECT_FALSE(copy.Save());
        EXPECT_EQ(copy.AddProfile("Cleo"), 0);
        EXPECT_FALSE(copy.DeleteProfile(2));
        EXPECT_TRUE(copy.SelectProfile(1));
        EXPECT_TRUE(copy.IsSaveBlocked());
        GetCapturedStdout();
        EXPECT_EQ(folderContents(), before);
    }
    // Once the first copy has ended, the folder is free again.
    ProfileFolderLock next(m_dir);
    EXPECT_FALSE(next.InUseElsewhere());
}

TEST_F(ProfileRecovery, ASaveIsRefusedWhenTheListOnDiskGaveItsNumberToAnotherProfile)
{
    // A copy of the game chose a profile; another one (which did not meet
    // the lock) deleted that profile, or the one before it.
    const struct {
        int chosen;
        int deleted;
        bool saved;
    } cases[] = {{2, 2, false}, {3, 2, false}, {3, 3, false}, {2, 3, true}, {1, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("chosen " + std::to_string(c.chosen) + ", deleted " + std::to_string(c.deleted));
        testsupport::TempDir home;
        useFolders(home);
        makeProfiles({"Player", "Alice", "Bob"});
        CProfile b;
        ASSERT_TRUE(b.SelectProfile(c.chosen));
        {
            CProfile a;
            ASSERT_TRUE(a.DeleteProfile(c.deleted));
        }
        std::map<std::string, std::string> before = folderContents();
        b.SetGameSpeed(11);
        CaptureStdout();
        EXPECT_EQ(b.Save(), c.saved);
        GetCapturedStdout();
        ProfileNotice notice;
        if (c.saved) {
            EXPECT_FALSE(b.HasNotice());
            continue;
        }
        EXPECT_EQ(folderContents(), before);
        ASSERT_TRUE(b.TakeNotice(notice));
        EXPECT_EQ(notice.kind, ProfileNotice::LIST_CHANGED);
        EXPECT_NE(log().find("is not saved: the profile list on disk gives its number to another profile"),
                  std::string::npos);
        CProfile after;
        expectOwnProgress(after);
    }
}

namespace {

// The profile list opens as a file whose reading fails with an error of the
// disk after its first 8 bytes, or its opening fails with g_openError; any
// other file opens as usual.
int g_openError = 0;

struct FailingRead {
    std::string bytes;
    size_t at;
};

ssize_t readThenFail(void* cookie, char* buffer, size_t size)
{
    FailingRead* r = static_cast<FailingRead*>(cookie);
    if (r->at >= r->bytes.size()) {
        errno = EIO;
        return -1;
    }
    size_t n = std::min(size, r->bytes.size() - r->at);
    memcpy(buffer, r->bytes.data() + r->at, n);
    r->at += n;
    return static_cast<ssize_t>(n);
}

int closeFailingRead(void* cookie)
{
    delete static_cast<FailingRead*>(cookie);
    return 0;
}

FILE* openListFailing(const char* path, FileOpenResult* result)
{
    if (std::string(path) != CProfileBase::HeaderFileName())
        return openRegularFile(path, result);
    if (g_openError) {
        *result = FILE_UNREADABLE;
        errno = g_openError;
        return nullptr;
    }
    cookie_io_functions_t io = {readThenFail, nullptr, nullptr, closeFailingRead};
    *result = FILE_OPENED;
    return fopencookie(new FailingRead{testsupport::readFile(path).substr(0, 8), 0}, "rb", io);
}

} // namespace

TEST_F(ProfileRecovery, AListThatCannotBeReadJustNowIsLeftAloneAndNoListIsWritten)
{
    const struct {
        const char* what;
        int openError;
        bool forNow;
    } cases[] = {{"read fails", 0, true},
                 {"EIO", EIO, true},
                 {"EMFILE", EMFILE, true},
                 {"ENFILE", ENFILE, true},
                 {"EACCES", EACCES, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDir home;
        useFolders(home);
        makeProfiles({"Player", "Ada", "Bert"});
        // A deletion of Ada had written its new list when the game was
        // killed: Bert's file still waits aside for number 2.
        std::string ada = testsupport::readFile(CProfileBase::ProfileFileName(2));
        {
            CaptureStdout();
            CProfile p;
            GetCapturedStdout();
            ASSERT_TRUE(p.DeleteProfile(2));
        }
        ASSERT_EQ(rename(CProfileBase::ProfileFileName(2).c_str(), CProfileBase::MovingFileName(3).c_str()), 0);
        testsupport::writeFile(CProfileBase::MovingFileName(2), ada);
        writeDeleteNote(2, 3);
        std::string header = testsupport::readFile(CProfileBase::HeaderFileName());
        g_openError = c.openError;
        profileSetOpenFunction(openListFailing);
        CaptureStdout();
        {
            CProfile p;
            ProfileNotice notice;
            ASSERT_TRUE(p.TakeNotice(notice));
            if (!c.forNow) {
                // Refused for good: the list goes aside, its files are kept.
                EXPECT_EQ(notice.kind, ProfileNotice::LIST_SET_ASIDE);
                EXPECT_EQ(p.GetProfileCount(), 3);
                profileSetOpenFunction(nullptr);
                GetCapturedStdout();
                continue;
            }
            EXPECT_EQ(notice.kind, ProfileNotice::LIST_NOT_READ);
            EXPECT_TRUE(testsupport::fileExists(CProfileBase::DeleteNoteFileName()));
            EXPECT_EQ(p.AddProfile("Cleo"), 0);
            EXPECT_FALSE(p.DeleteProfile(1));
            EXPECT_FALSE(p.SaveHeader());
        }
        profileSetOpenFunction(nullptr);
        GetCapturedStdout();
        EXPECT_EQ(testsupport::readFile(CProfileBase::HeaderFileName()), header);
        EXPECT_FALSE(testsupport::fileExists(CProfileBase::HeaderFileName() + ".unreadable"));
        EXPECT_FALSE(testsupport::fileExists(CProfileBase::HeaderFileName() + ".damaged"));
        // The next run reads it again, every name with it, and finishes the
        // deletion.
        CaptureStdout();
        CProfile again;
        GetCapturedStdout();
        EXPECT_EQ(namesOf(again), (std::vector<std::string>{"Player", "Bert"}));
        EXPECT_FALSE(again.HasNotice());
        expectOwnProgress(again);
        expectNoLeftovers();
    }
    g_openError = 0;
}

TEST_F(ProfileRecovery, OneFieldOutOfRangeInAReadableListIsMendedKeepingEveryName)
{
    // The list holds magic, version, current profile and count, then the
    // names; Bert (3 of 3) is current.
    const struct {
        uint32_t offset;
        int32_t value;
        bool mended;
    } cases[] = {{8, 0, true},  {8, 1, false}, {8, -1, true}, {8, 3, false},
                 {8, 4, true},  {12, 0, true}, {12, 65, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("offset " + std::to_string(c.offset) + " value " + std::to_string(c.value));
        testsupport::TempDir home;
        useFolders(home);
        makeProfiles({"Player", "Ada", "Bert"});
        std::string header = testsupport::readFile(CProfileBase::HeaderFileName());
        memcpy(&header[c.offset], &c.value, 4);
        testsupport::writeFile(CProfileBase::HeaderFileName(), header);
        CaptureStdout();
        CProfile p;
        GetCapturedStdout();
        if (c.offset == 12 && c.value > 0) {
            // A count beyond any list is damage, not one bad field.
            EXPECT_TRUE(testsupport::fileExists(CProfileBase::HeaderFileName() + ".damaged"));
            continue;
        }
        EXPECT_FALSE(testsupport::fileExists(CProfileBase::HeaderFileName() + ".damaged"));
        if (c.offset == 12) {
            // No names at all: the files are all back, under plain names.
            EXPECT_EQ(namesOf(p), (std::vector<std::string>{"Player", "Player 2", "Player 3"}));
            ProfileNotice notice;
            ASSERT_TRUE(p.TakeNotice(notice));
            EXPECT_EQ(notice.kind, ProfileNotice::PROFILES_FOUND);
        } else {
            EXPECT_FALSE(p.HasNotice());
            EXPECT_EQ(namesOf(p), (std::vector<std::string>{"Player", "Ada", "Bert"}));
            expectOwnProgress(p);
        }
        EXPECT_EQ(p.GetProfileNumber(), c.mended ? 1 : c.value);
        // A mended list is written back at once.
        EXPECT_EQ(testsupport::readFile(CProfileBase::HeaderFileName()) == header, !c.mended);
    }
}

namespace {

// Before the rename of a given file, an empty folder appears under the name
// the file is to take: that rename fails.
std::string g_blockedFrom;
std::string g_blockedTo;

void blockRename(const char* step, const std::string& path)
{
    if (std::string(step) == "rename" && path == g_blockedFrom)
        mkdir(g_blockedTo.c_str(), 0755);
}

} // namespace

TEST_F(ProfileRecovery, ADeletionWhoseMovesFailedIsFinishedByTheNextChangeOfTheList)
{
    for (bool add : {false, true}) {
        SCOPED_TRACE(add ? "then an addition" : "then a deletion");
        testsupport::TempDir home;
        useFolders(home);
        makeProfiles({"Player", "Ada", "Bert", "Cleo"});
        CProfile p;
        // Deleting Ada: Cleo's file cannot take number 3.
        g_blockedFrom = CProfileBase::MovingFileName(4);
        g_blockedTo = CProfileBase::ProfileFileName(3);
        profileSetStepHook(blockRename);
        CaptureStdout();
        bool deleted = p.DeleteProfile(2);
        profileSetStepHook(nullptr);
        std::string current = p.GetProfileName();
        ASSERT_EQ(rmdir(g_blockedTo.c_str()), 0);
        // Cleo's file is still aside: a save of hers would stand in its way.
        bool saved = p.Save();
        bool changed = add ? p.AddProfile("Dan") == 4 : p.DeleteProfile(1);
        GetCapturedStdout();
        EXPECT_TRUE(deleted);
        EXPECT_EQ(current, "Cleo");
        EXPECT_FALSE(saved);
        // The next change of the list finished the deletion first.
        EXPECT_TRUE(changed);
        EXPECT_EQ(namesOf(p), add ? (std::vector<std::string>{"Player", "Bert", "Cleo", "Dan"})
                                  : (std::vector<std::string>{"Bert", "Cleo"}));
        if (add) {
            // Dan's own progress, as every other profile has one.
            m_marks["Dan"] = 6;
            p.SetSteps(6);
            p.RecordSteps("Dan");
            ASSERT_TRUE(p.Save());
        }
        expectOwnProgress(p);
        expectNoLeftovers();
    }
}

TEST_F(ProfileRecovery, AnUndoneDeletionKeepsItsNoteUntilEveryFileIsBack)
{
    makeProfiles({"Player", "Ada", "Bert", "Cleo"});
    {
        CProfile p;
        // The new list cannot be written, and Bert's file cannot go back.
        std::string listTemp = CProfileBase::HeaderFileName() + ".tmp";
        ASSERT_EQ(mkdir(listTemp.c_str(), 0755), 0);
        testsupport::writeFile(listTemp + "/in the way", "");
        g_blockedFrom = CProfileBase::MovingFileName(3);
        g_blockedTo = CProfileBase::ProfileFileName(3);
        CaptureStdout();
        // The hook blocks only the move back (the move aside renames
        // Bert's own file, not his moved one).
        profileSetStepHook(blockRename);
        EXPECT_FALSE(p.DeleteProfile(2));
        profileSetStepHook(nullptr);
        GetCapturedStdout();
        EXPECT_TRUE(testsupport::fileExists(CProfileBase::DeleteNoteFileName()));
        EXPECT_TRUE(testsupport::fileExists(CProfileBase::MovingFileName(3)));
        ASSERT_EQ(rmdir(g_blockedTo.c_str()), 0);
        ASSERT_EQ(remove((listTemp + "/in the way").c_str()), 0);
        // Bert's file is still aside: he plays afresh, and nothing of that
        // is saved in its way.
        CaptureStdout();
        ASSERT_TRUE(p.SelectProfile(3));
        EXPECT_FALSE(p.Save());
        GetCapturedStdout();
    }
    CaptureStdout();
    CProfile after;
    GetCapturedStdout();
    EXPECT_EQ(namesOf(after), (std::vector<std::string>{"Player", "Ada", "Bert", "Cleo"}));
    expectOwnProgress(after);
    expectNoLeftovers();
}

TEST_F(ProfileRecovery, AFileMovedAsideWithoutItsNoteIsPutBack)
{
    makeProfiles({"Player", "Ada", "Bert"});
    ASSERT_EQ(rename(CProfileBase::ProfileFileName(2).c_str(), CProfileBase::MovingFileName(2).c_str()), 0);
    // One beyond the list comes back as a profile of its own.
    testsupport::writeFile(CProfileBase::MovingFileName(4), testsupport::readFile(CProfileBase::ProfileFileName(3)));
    CaptureStdout();
    CProfile p;
    GetCapturedStdout();
    EXPECT_EQ(namesOf(p), (std::vector<std::string>{"Player", "Ada", "Bert", "Player 4"}));
    expectNoLeftovers();
    m_marks["Player 4"] = 3;
    std::unique_ptr<CProfile> ada = CProfile::ReadOther(2);
    ASSERT_NE(ada, nullptr);
    EXPECT_EQ(ada->GetLevelRecord("Ada"), 2);
    std::unique_ptr<CProfile> copy = CProfile::ReadOther(4);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetLevelRecord("Bert"), 3);
}

TEST_F(ProfileRecovery, ADamagedProfileThatCannotBeMovedAsideIsNeverSavedOver)
{
    makeProfiles({"Player", "Ada"});
    std::string file = CProfileBase::ProfileFileName(2);
    testsupport::writeFile(file, "BPPR damaged");
    // Every name the damaged file could be kept under is taken.
    testsupport::writeFile(file + ".damaged", "");
    for (int n = 2; n < 1000; ++n)
        testsupport::writeFile(file + ".damaged-" + std::to_string(n), "");
    CaptureStdout();
    CProfile p; // Ada is current
    ProfileNotice notice;
    ASSERT_TRUE(p.TakeNotice(notice));
    EXPECT_EQ(notice.kind, ProfileNotice::PROFILE_UNREADABLE);
    EXPECT_EQ(notice.parameter, "Ada");
    EXPECT_TRUE(p.IsSaveBlocked());
    p.SetGameSpeed(11);
    EXPECT_FALSE(p.Save());
    // Leaving the profile saves it on the way: not this one.
    ASSERT_TRUE(p.SelectProfile(1));
    EXPECT_NE(p.AddProfile("Bert"), 0);
    GetCapturedStdout();
    EXPECT_EQ(testsupport::readFile(file), "BPPR damaged");
}
