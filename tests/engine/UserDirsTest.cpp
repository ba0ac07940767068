#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <list>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "test_support.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using testsupport::ScopedChdir;
using testsupport::TempDir;

namespace {

std::vector<std::string> names(std::list<char*>& list)
{
    std::vector<std::string> out(list.begin(), list.end());
    for (char* n : list)
        delete[] n;
    list.clear();
    return out;
}

bool isDir(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Restores the environment variables a test changes.
class EnvGuard {
public:
    explicit EnvGuard(std::vector<std::string> keys) : m_keys(std::move(keys))
    {
        for (const std::string& k : m_keys) {
            const char* v = getenv(k.c_str());
            m_values.push_back(v ? std::make_pair(true, std::string(v)) : std::make_pair(false, std::string()));
        }
    }
    ~EnvGuard()
    {
        for (size_t i = 0; i < m_keys.size(); ++i) {
            if (m_values[i].first)
                setenv(m_keys[i].c_str(), m_values[i].second.c_str(), 1);
            else
                unsetenv(m_keys[i].c_str());
        }
    }

private:
    std::vector<std::string> m_keys;
    std::vector<std::pair<bool, std::string>> m_values;
};

const std::vector<std::string> kFolderVars = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                                              "XDG_DOCUMENTS_DIR"};

} // namespace

TEST(GetFiles, KeepsOnlyRegularFilesEndingInTheExtension)
{
    TempDir dir;
    for (const char* n : {"a.lvl", "b.LVL", "c.lvl.lvl", "d.lvl.bak", "notes.txt", ".lvl", "e.lvlx", "f.lvlx.lvl"})
        testsupport::writeFile(dir.file(n), "x");
    ASSERT_EQ(mkdir(dir.file("folder.lvl").c_str(), 0755), 0);
    // Neither a named pipe nor a link to one is anything to read.
    ASSERT_EQ(mkfifo(dir.file("pipe.lvl").c_str(), 0644), 0);
    ASSERT_EQ(symlink(dir.file("pipe.lvl").c_str(), dir.file("link.lvl").c_str()), 0);
    ASSERT_EQ(symlink(dir.file("a.lvl").c_str(), dir.file("alias.lvl").c_str()), 0);
    std::list<char*> result;
    GetFiles(result, dir.path().c_str(), ".lvl", true);
    // A name is kept only when the first ".lvl" in it ends it: "c.lvl.lvl"
    // and "f.lvlx.lvl" are not listed.
    EXPECT_EQ(names(result), (std::vector<std::string>{"a", "alias"}));
}

TEST(GetFiles, SortedListingIgnoresCaseAndTakesOnlyAnEmptyList)
{
    TempDir dir;
    for (const char* n : {"Zeta.lvl", "alpha.lvl", "Beta.lvl"})
        testsupport::writeFile(dir.file(n), "x");
    std::list<char*> result;
    GetFiles(result, dir.path().c_str(), ".lvl", true);
    EXPECT_EQ(names(result), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));

    // A list that already holds a name is refused and left as it is.
    char* existing = new char[256];
    strcpy(existing, "zz");
    result.push_back(existing);
    logInit(false);
    logCategoryOn(LOG_ERROR);
    CaptureStdout();
    GetFiles(result, dir.path().c_str(), ".lvl", true);
    std::string out = GetCapturedStdout();
    EXPECT_EQ(names(result), std::vector<std::string>{"zz"});
    EXPECT_NE(out.find("GetFiles()   A sorted listing needs an empty list"), std::string::npos) << out;
}

TEST(GetFiles, ASortedListingOfManyNamesIsInOrder)
{
    TempDir dir;
    // Every arrival order the folder may give: names that differ in case
    // only, names that are prefixes of others, digits and punctuation.
    std::vector<std::string> made;
    for (int i = 0; i < 300; ++i) {
        std::string name = (i % 3 == 0 ? "Level" : "level") + std::to_string((i * 7919) % 1000);
        if (i % 5 == 0)
            name += "_b";
        testsupport::writeFile(dir.file(name + ".lvl"), "x");
        made.push_back(name);
    }
    std::list<char*> result;
    GetFiles(result, dir.path().c_str(), ".lvl", true);
    std::vector<std::string> got = names(result);
    ASSERT_EQ(got.size(), made.size());
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (size_t i = 1; i < got.size(); ++i)
        EXPECT_LE(lower(got[i - 1]), lower(got[i])) << got[i - 1] << " before " << got[i];
    std::sort(made.begin(), made.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, made);
}

TEST(GetFiles, UnsortedReplacesTheListAndMissingFolderGivesNothing)
{
    TempDir dir;
    testsupport::writeFile(dir.file("one.lvl"), "x");
    std::list<char*> result;
    char* old = new char[256];
    strcpy(old, "old");
    result.push_back(old);
    GetFiles(result, dir.path().c_str(), ".lvl", false);
    EXPECT_EQ(names(result), std::vector<std::string>{"one"});

    logInit(false);
    logCategoryOn(LOG_DEBUG);
    CaptureStdout();
    GetFiles(result, dir.file("nowhere").c_str(), ".lvl", false);
    std::string out = GetCapturedStdout();
    EXPECT_TRUE(result.empty());
    EXPECT_NE(out.find("GetFiles()   Unable to open directory '"), std::string::npos);
}

TEST(GetFiles, WorkingFolderIsUnchanged)
{
    TempDir dir;
    testsupport::writeFile(dir.file("x.lvl"), "x");
    char before[4096], after[4096];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    std::list<char*> result;
    GetFiles(result, dir.path().c_str(), ".lvl", false);
    names(result);
    ASSERT_NE(getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after);
}

TEST(UserDirectories, BuiltUnderTheDataAndDocumentsFolders)
{
    EnvGuard guard(kFolderVars);
    TempDir home;
    setenv("HOME", home.path().c_str(), 1);
    // Neither folder exists yet: they and their parents are created.
    setenv("XDG_DATA_HOME", home.file("data/deeper").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", home.file("Docs/more").c_str(), 1);
    logInit(false);
    logCategoryOn(LOG_DEBUG);
    CaptureStdout();
    InitUserDirectories();
    std::string out = GetCapturedStdout();

    std::string profile = home.file("data/deeper/Tolvey Games/ZOBK Data/");
    std::string levels = home.file("Docs/more/ZOBK Levels/");
    EXPECT_EQ(GetProfileDirectory(), profile);
    EXPECT_EQ(GetLevelsDirectory(), levels);
    EXPECT_TRUE(isDir(profile));
    EXPECT_TRUE(isDir(levels));
    EXPECT_NE(out.find("DEBUG:   PROFILE DIRECTORY:  '" + profile + "'\n"), std::string::npos);
    EXPECT_NE(out.find("DEBUG:   LEVELS DIRECTORY:   '" + levels + "'\n"), std::string::npos);
}

TEST(UserDirectories, DocumentsFromUserDirsFileThenHomeDefaults)
{
    EnvGuard guard(kFolderVars);
    TempDir home;
    setenv("HOME", home.path().c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    setenv("XDG_CONFIG_HOME", home.file("cfg").c_str(), 1);
    mkdir(home.file("cfg").c_str(), 0755);
    testsupport::writeFile(home.file("cfg/user-dirs.dirs"),
                           "# written by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    InitUserDirectories();
    EXPECT_EQ(GetProfileDirectory(), home.file(".local/share/Tolvey Games/ZOBK Data/"));
    EXPECT_EQ(GetLevelsDirectory(), home.file("Papers/ZOBK Levels/"));
    EXPECT_TRUE(isDir(GetLevelsDirectory()));

    unsetenv("XDG_CONFIG_HOME");
    InitUserDirectories();
    EXPECT_EQ(GetLevelsDirectory(), home.file("Documents/ZOBK Levels/"));
}

TEST(UserDirectories, WithoutAnyFolderFallsBackToResourceAndWorkingFolder)
{
    EnvGuard guard(kFolderVars);
    for (const std::string& k : kFolderVars)
        unsetenv(k.c_str());
    TempDir work;
    ScopedChdir in(work.path());
    InitUserDirectories();
    EXPECT_STREQ(GetProfileDirectory(), "resource/");
    EXPECT_STREQ(GetLevelsDirectory(), "ZOBK Levels/");
    EXPECT_TRUE(isDir(work.file("resource")));
    EXPECT_TRUE(isDir(work.file("ZOBK Levels")));
    // The error log then lies in "resource/".
    logError(false, "kept\n");
    EXPECT_NE(testsupport::readFile(work.file("resource/LOG.TXT")).find("kept"), std::string::npos);
}

TEST(UserDirectories, AFolderPathThatDoesNotFitFallsBackAndIsNeverCut)
{
    EnvGuard guard(kFolderVars);
    TempDir home;
    TempDir work;
    ScopedChdir in(work.path());
    setenv("HOME", home.path().c_str(), 1);
    // A folder under home whose path is exactly length bytes long, in
    // components short enough for the file system.
    auto folderOfLength = [&](char fill, size_t length) {
        std::string path = home.path();
        while (path.size() < length) {
            size_t part = std::min<size_t>(100, length - path.size() - 1);
            path += "/" + std::string(part ? part : 1, fill);
        }
        return path;
    };
    const size_t profileTail = strlen("/Tolvey Games/ZOBK Data/");
    const size_t levelsTail = strlen("/ZOBK Levels/");
    logInit(false);
    logCategoryOn(LOG_WARNING);

    // 259 bytes with the subfolders: used as they are.
    std::string local = folderOfLength('a', USER_DIR_SIZE - 1 - profileTail);
    std::string documents = folderOfLength('b', USER_DIR_SIZE - 1 - levelsTail);
    setenv("XDG_DATA_HOME", local.c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
    CaptureStdout();
    InitUserDirectories();
    std::string out = GetCapturedStdout();
    EXPECT_EQ(GetProfileDirectory(), local + "/Tolvey Games/ZOBK Data/");
    EXPECT_EQ(strlen(GetProfileDirectory()), static_cast<size_t>(USER_DIR_SIZE - 1));
    EXPECT_EQ(GetLevelsDirectory(), documents + "/ZOBK Levels/");
    EXPECT_EQ(strlen(GetLevelsDirectory()), static_cast<size_t>(USER_DIR_SIZE - 1));
    EXPECT_TRUE(isDir(GetProfileDirectory()));
    EXPECT_TRUE(isDir(GetLevelsDirectory()));
    EXPECT_EQ(out.find("folder path"), std::string::npos) << out;

    // One byte more: the fallbacks of an unknown folder, one line each, and
    // nothing is created under the long paths.
    local = folderOfLength('c', USER_DIR_SIZE - profileTail);
    documents = folderOfLength('d', USER_DIR_SIZE - levelsTail);
    setenv("XDG_DATA_HOME", local.c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
    CaptureStdout();
    InitUserDirectories();
    out = GetCapturedStdout();
    EXPECT_STREQ(GetProfileDirectory(), "resource/");
    EXPECT_STREQ(GetLevelsDirectory(), "ZOBK Levels/");
    EXPECT_FALSE(isDir(local));
    EXPECT_FALSE(isDir(documents));
    EXPECT_NE(out.find("The profile folder path is 260 bytes long, more than 259"), std::string::npos) << out;
    EXPECT_NE(out.find("The levels folder path is 260 bytes long, more than 259"), std::string::npos) << out;
    // The error log lands in the fallback folder, not in a cut path.
    logError(false, "kept\n");
    EXPECT_NE(testsupport::readFile(work.file("resource/LOG.TXT")).find("kept"), std::string::npos);

    // Far longer still: the same.
    setenv("XDG_DATA_HOME", folderOfLength('e', 1000).c_str(), 1);
    InitUserDirectories();
    EXPECT_STREQ(GetProfileDirectory(), "resource/");
}

TEST(PlatformHelpers, VersionTestsOnThisSystem)
{
    // Frames are brought to the display by rectangles here.
    EXPECT_FALSE(IsVistaOrLater());
    EXPECT_TRUE(IsWindowsNT() != IsWindows9x());
}
