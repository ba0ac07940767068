// A working folder with the built pictures, texts and levels, a screen, the
// renderer, the pointer and a profile in private folders, and a holder
// controller at the bottom of the stack that launches the screen under test
// and records what the screen left when it closed.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <memory>
#include <string>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "profile/CProfile.h"
#include "test_support.h"
#include "ui/CController.h"

class CGuiButtonBase;

namespace screentest {

// The bottom of the stack: launches a screen, deletes it when it returns
// and keeps its id, result and the exit code passed on (its own code minus
// one). It never leaves itself.
class Holder : public CController {
public:
    Holder() { id = 90; }
    ~Holder() override { delete child; }
    void Pump() override;
    void InputKey(bool released, int key) override { InputNavigationKey(released, key, false, true); }
    void launch(CController* c)
    {
        child = c;
        returned = false;
        LaunchController(c);
    }

    CController* child = nullptr;
    bool returned = false;
    int childId = 0;
    int childResult = -999;
    int passedCode = -999;
};

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a profile for the private folders (after a test changed them).
    void makeProfile();
    // Launches screen over the holder and runs its first frame.
    template <class T>
    T* open(T* screen)
    {
        holder->launch(screen);
        frame();
        return screen;
    }

    // One frame: pump, render, present.
    void frame(int count = 1);
    // A key press and release, then a frame.
    void press(int key);
    // Moves the pointer to (x, y) and lets the widgets see it.
    void pointAt(int x, int y);
    // A left click at (x, y) (press and release), then a frame.
    void clickAt(int x, int y);
    // A left click in the middle of a widget's picture.
    void click(CGuiButtonBase* widget);
    // The screen under test has closed and was deleted by the holder.
    bool closed() const { return holder->returned; }

    testsupport::TempDir dir;
    std::string levelsDir;
    std::string profileDir;
    std::unique_ptr<testsupport::ScopedChdir> chdir;
    std::unique_ptr<CDraw> draw;
    std::unique_ptr<CProfile> profile;
    Holder* holder = nullptr;
};

// Saves a small playable level (grass, an entrance and an exit tube) into
// the levels folder under name.
void saveTestLevel(const char* name, const char* heading);

// A one-frame key event pushed onto the SDL queue.
void pushKey(int key, bool released);
void pushMouseButton(int button, bool released);
void pushMotion(int x, int y);

} // namespace screentest
