// The play screen under test: the program's services started headless in
// the run folder (the generated images, strings and levels), a host screen
// that launches the play screen the way the map and the editor do, levels
// drawn as small pictures, and key presses pushed through SDL's event queue
// so they take the same road as the player's.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ReplayRunner.h"
#include "test_support.h"
#include "ui/CController.h"
#include "level/Level.h"

class CControllerGame;
class CElement;

namespace gametest {

// The screen beneath the play screen. It keeps the play screen after it
// returned, so a test can look at what the play screen left.
class Host : public CController {
public:
    Host() { id = CONTROLLER_MAP; }
    void Pump() override;
    void InputKey(bool, int) override {}
    int returns = 0;       // how often a child returned to it
    int receivedExit = 0;  // the exit code passed on to it by its child
};

// A picture of the bottom rows of a board, one character per cell with the
// characters of the built-in level sources (data/levels/README.md), plus 'H'
// for a ladder cell ('_' is a ladder cell with a platform). Rows are placed so
// that the last one is row 23; a row shorter than 32 is padded with empty
// cells.
void drawLevel(CLevel& level, const char* picture);

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Whether the built-in level sets are loaded.
    virtual bool wantLevelSets() const { return false; }

    // Launches a play screen of one level (the user-level manager's or the
    // editor's way) or of the current level of a set (the map's way).
    CControllerGame* play(CLevel& level, bool record = false, bool replayFlag = false, bool test = false);
    CControllerGame* playSet(int set, int index);

    // One frame as the main loop runs it; n frames.
    void frame();
    void frames(int n);
    void press(int key);
    void release(int key);
    // A press in one frame and its release in the next.
    void tap(int key);
    // The window's close button (SDL_QUIT) into the event queue.
    void closeWindow();

    // The element (other than the null element) standing at the cell, by
    // its current cell, in creation order; null when none.
    static CElement* elementAt(int x, int y, int type = -1);

    CProfile& profile() { return m_game->profile(); }

    CLevel m_level;
    Host m_host;
    CControllerGame* m_screen = nullptr;

private:
    std::unique_ptr<testsupport::ScopedChdir> m_chdir;
    std::unique_ptr<replay::HeadlessGame> m_game;
};

class GameSetTest : public GameTest {
protected:
    bool wantLevelSets() const override { return true; }
};

// A board a professor can walk on: the entrance at the left, a floor of
// grass and the exit further right.
extern const char* const kWalkFloor;

// A walk along that floor with a tutorial marker holding hint in its fourth
// cell, (3, 22).
void drawMarkerWalk(CLevel& level, const char* hint);

} // namespace gametest
