// The level manager: the files of the levels folder in the list box, a
// damaged file, a folder that cannot be read, deleting after a
// confirmation, and the way to the map.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "screens/CControllerManager.h"
#include "screens/CControllerScoreboard.h"
#include "screens/ScreenTestSupport.h"
#include "test_support.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiListbox.h"
#include "play/CControllerGame.h"
#include "level/Level.h"
#include "level/TileCodes.h"

using namespace screentest;

namespace {

class Manager : public ScreenTest {
protected:
    void saveLevel(const char* name, const char* heading) { saveTestLevel(name, heading); }
    std::string path(const char* name) { return CLevel::GetPath(name); }
    // Opens the manager over one level and plays it.
    CControllerManager* openAndPlay(const char* name, const char* heading)
    {
        saveLevel(name, heading);
        CControllerManager* m = open(new CControllerManager());
        frame(2);
        click(m->FindButton(CControllerManager::BUTTON_PLAY));
        frame();
        return m;
    }
    void clickOk() { clickAt(CControllerMessage::OK_X + 40, CControllerMessage::BUTTON_Y + 16); }
    void clickLoneOk() { clickAt(CControllerMessage::LONE_OK_X + 40, CControllerMessage::BUTTON_Y + 16); }
};

} // namespace

TEST_F(Manager, ListsTheLevelFilesWithTheirHeadingsAndMarksADamagedOne)
{
    saveLevel("beta", "The Second");
    saveLevel("alpha", "The First");
    testsupport::writeFile(levelsDir + "broken.lvl", std::string("\x04\x20\x20\x08 short", 9));
    testsupport::writeFile(levelsDir + "notes.txt", "not a level");
    CControllerManager* m = open(new CControllerManager());
    const std::vector<CControllerManager::Entry>& e = m->GetEntries();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].name, "alpha");
    EXPECT_EQ(e[0].heading, "The First");
    EXPECT_FALSE(e[0].damaged);
    EXPECT_EQ(e[1].name, "beta");
    EXPECT_EQ(e[2].name, "broken");
    EXPECT_TRUE(e[2].damaged);
    EXPECT_EQ(m->GetList()->GetRowCount(), 3);
    EXPECT_EQ(m->GetList()->GetCell(0, 1), "The First");
    EXPECT_TRUE(m->IsFolderReadable());
}

TEST_F(Manager, ADamagedFileIsNotPlayedTouchedOrDropped)
{
    std::string bytes("\x04\x20\x20\x08 short", 9);
    testsupport::writeFile(levelsDir + "broken.lvl", bytes);
    CControllerManager* m = open(new CControllerManager());
    frame(2);
    press(SDLK_RETURN);
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    EXPECT_EQ(m->GetGame(), nullptr);
    frame();
    clickLoneOk();
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
    ASSERT_EQ(m->GetEntries().size(), 1u);
    EXPECT_TRUE(m->GetEntries()[0].damaged);
    EXPECT_EQ(testsupport::readFile(path("broken")), bytes);
}

TEST_F(Manager, AnUnreadableFolderIsToldAndTheScreenStillWorks)
{
    // The levels folder becomes a plain file: it cannot be listed.
    std::string folder = levelsDir.substr(0, levelsDir.size() - 1);
    ASSERT_EQ(rename(folder.c_str(), (folder + ".saved").c_str()), 0);
    testsupport::writeFile(folder, "not a folder");
    CControllerManager* m = open(new CControllerManager());
    EXPECT_FALSE(m->IsFolderReadable());
    EXPECT_EQ(m->GetList()->GetRowCount(), 0);
    frame(2);
    press(SDLK_RETURN); // nothing to play
    press(SDLK_DELETE); // nothing to delete
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
    press(SDLK_ESCAPE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
    EXPECT_EQ(testsupport::readFile(folder), "not a folder");
}

TEST_F(Manager, DeletingAsksFirstAndCancelKeepsTheFile)
{
    saveLevel("alpha", "The First");
    saveLevel("beta", "The Second");
    CControllerManager* m = open(new CControllerManager());
    frame(2);
    press(SDLK_DOWN);
    EXPECT_EQ(m->GetSelectedEntry(), 1);
    press(SDLK_DELETE);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame();
    press(SDLK_ESCAPE); // cancel
    frame(2);
    EXPECT_TRUE(testsupport::fileExists(path("beta")));
    EXPECT_EQ(m->GetEntries().size(), 2u);

    press(SDLK_DELETE);
    frame(2);
    clickOk();
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
    EXPECT_FALSE(testsupport::fileExists(path("beta")));
    EXPECT_TRUE(testsupport::fileExists(path("alpha")));
    ASSERT_EQ(m->GetEntries().size(), 1u);
    EXPECT_EQ(m->GetList()->GetRowCount(), 1);
    EXPECT_EQ(m->GetSelectedEntry(), 0);
}

TEST_F(Manager, TheListMovesByKeysAndWheelWithinItsRows)
{
    for (int i = 0; i < 30; ++i) {
        char name[16];
        snprintf(name, sizeof name, "level%02i", i);
        saveLevel(name, name);
    }
    CControllerManager* m = open(new CControllerManager());
    frame(2);
    EXPECT_EQ(m->GetSelectedEntry(), 0);
    press(SDLK_UP); // already at the top
    EXPECT_EQ(m->GetSelectedEntry(), 0);
    press(SDLK_END);
    EXPECT_EQ(m->GetSelectedEntry(), 29);
    EXPECT_EQ(m->GetList()->GetScrollTop(), 30 - CControllerManager::VISIBLE_ROWS);
    press(SDLK_DOWN); // already at the bottom
    EXPECT_EQ(m->GetSelectedEntry(), 29);
    press(SDLK_HOME);
    EXPECT_EQ(m->GetSelectedEntry(), 0);
    pushMouseButton(SDL_BUTTON_WHEELDOWN, false);
    pushMouseButton(SDL_BUTTON_WHEELDOWN, true);
    frame();
    EXPECT_EQ(m->GetSelectedEntry(), 1);
}

TEST_F(Manager, TheMapButtonAsksForTheMap)
{
    CControllerManager* m = open(new CControllerManager());
    frame(2);
    click(m->FindButton(CControllerManager::BUTTON_MAP));
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, CONTROLLER_MAP);
    EXPECT_EQ(holder->passedCode, 0);
}

TEST_F(Manager, PlayingALevelOpensThePlayScreenWithItAndTheManagerComesBack)
{
    CControllerManager* m = openAndPlay("alpha", "The First");
    ASSERT_NE(m->GetGame(), nullptr);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_GAME);
    // The play screen leaves (as after the pause menu's "level manager").
    frame(5);
    m->GetGame()->SetExitCode(1);
    frame(4);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
    EXPECT_EQ(m->GetGame(), nullptr);
    EXPECT_FALSE(closed());
}

TEST_F(Manager, OnlyRegularFilesAreListedAndANamedPipeIsNeverWaitedOn)
{
    saveLevel("alpha", "The First");
    // The first ".lvl" of "x.lvl.lvl" does not end its name: not listed.
    saveLevel("x.lvl", "Twice the extension");
    // A name and a heading holding markup are listed as they are.
    saveLevel("odd%n%1%b", "50%n%b off%1");
    ASSERT_EQ(mkfifo((levelsDir + "pipe.lvl").c_str(), 0644), 0);
    ASSERT_EQ(mkdir((levelsDir + "folder.lvl").c_str(), 0755), 0);
    // Waiting on the pipe would hang: end the process instead.
    signal(SIGALRM, SIG_DFL);
    alarm(30);
    CControllerManager* m = open(new CControllerManager());
    const std::vector<CControllerManager::Entry>& e = m->GetEntries();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].name, "alpha");
    EXPECT_EQ(e[1].name, "odd%n%1%b");
    EXPECT_EQ(e[1].heading, "50%n%b off%1");
    EXPECT_EQ(m->GetList()->GetCell(1, 0), "odd%n%1%b");
    // A pipe that takes a listed name later is refused when it is opened.
    CLevel level;
    EXPECT_FALSE(level.Load("pipe"));
    std::unique_ptr<char[]> heading(CLevel::GetHeading("pipe"));
    EXPECT_EQ(heading[0], '\0');
    alarm(0);
    frame(2);
    press(SDLK_END);
    click(m->FindButton(CControllerManager::BUTTON_PLAY));
    frame();
    EXPECT_NE(m->GetGame(), nullptr) << "odd%n%1%b.lvl plays";
}

TEST_F(Manager, ALevelPlayedFromTheManagerHasItsBestRecordSavedWhenThePlayScreenReturns)
{
    CControllerManager* m = openAndPlay("alpha", "The First");
    ASSERT_NE(m->GetGame(), nullptr);
    // The professor walks from the entrance tube to the exit tube.
    pushKey(profile->GetKey(3), false);
    for (int i = 0; i < 1500 && CController::GetCurrentId() == CONTROLLER_GAME; ++i)
        frame();
    pushKey(profile->GetKey(3), true);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_SCOREBOARD);
    int steps = profile->GetLevelRecord("alpha");
    EXPECT_EQ(steps, 15);
    // The post-level screen leaves the play screen for the manager.
    frame(2);
    auto* post = static_cast<CControllerScoreboard*>(CController::GetCurrentController());
    click(post->FindButton(CControllerScoreboard::BUTTON_LEAVE));
    for (int i = 0; i < 20 && m->GetGame(); ++i)
        frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
    EXPECT_EQ(m->GetGame(), nullptr);
    std::unique_ptr<CProfile> onDisk = CProfile::ReadOther(profile->GetProfileNumber());
    ASSERT_NE(onDisk, nullptr);
    EXPECT_EQ(onDisk->GetLevelRecord("alpha"), steps);
}

TEST_F(Manager, TheBestColumnFindsTheRecordOfALevelWhoseFileNameIsLongerThanSixteen)
{
    // The play screen keeps a level's record under the level's own name,
    // the file name cut to 16 characters. Names of 16 and 17 characters.
    const char* const names[] = {"sixteen-letters!", "seventeen-letters"};
    int steps = 20;
    for (const char* name : names) {
        saveLevel("short", "A Level");
        ASSERT_EQ(rename(path("short").c_str(), path(name).c_str()), 0);
        CLevel level;
        ASSERT_TRUE(level.Load(name));
        profile->SetSteps(++steps);
        profile->RecordSteps(level.GetName());
    }
    CControllerManager* m = open(new CControllerManager());
    ASSERT_EQ(m->GetEntries().size(), 2u);
    EXPECT_EQ(m->GetList()->GetCell(0, 0), "seventeen-letters");
    EXPECT_EQ(m->GetList()->GetCell(0, 2), "22");
    EXPECT_EQ(m->GetList()->GetCell(1, 0), "sixteen-letters!");
    EXPECT_EQ(m->GetList()->GetCell(1, 2), "21");
}
