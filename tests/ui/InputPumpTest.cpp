#include <gtest/gtest.h>

#include <dirent.h>

#include "engine/DrawTestSupport.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "UiTestSupport.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using uitest::TestController;

namespace {

void pushKey(bool down, int sym, int mod = KMOD_NONE)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = static_cast<SDLKey>(sym);
    e.key.keysym.mod = static_cast<SDLMod>(mod);
    SDL_PushEvent(&e);
}

void pushMotion(int x, int y, int xrel, int yrel)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    e.motion.xrel = static_cast<Sint16>(xrel);
    e.motion.yrel = static_cast<Sint16>(yrel);
    SDL_PushEvent(&e);
}

void pushButton(bool down, int button)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
}

void pushQuit()
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

// A screen, an empty event queue and a root controller with one child.
class InputPump : public drawtest::DrawTest {
protected:
    void SetUp() override
    {
        drawtest::DrawTest::SetUp();
        uitest::resetUi();
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        root.Activate(nullptr);
        CController::PumpCurrent();
        child = new TestController(CONTROLLER_OPTIONS);
        root.launch(child);
        CController::PumpCurrent(); // the child's first frame
    }
    void TearDown() override
    {
        setInputProfile(nullptr);
        CDraw::SetScreenUpdatesSuspended(0);
        drawtest::DrawTest::TearDown();
    }

    TestController root{CONTROLLER_INTRO};
    TestController* child = nullptr;
};

} // namespace

TEST_F(InputPump, KeysAndMouseReachTheCurrentControllerOnly)
{
    pushKey(true, 'a');
    pushKey(false, 'a');
    pushMotion(120, 80, 0, 0);
    pushButton(true, SDL_BUTTON_LEFT);
    pushButton(false, SDL_BUTTON_LEFT);
    pushButton(true, SDL_BUTTON_RIGHT);
    pushButton(false, SDL_BUTTON_RIGHT);
    pushButton(true, SDL_BUTTON_WHEELUP);
    pushButton(false, SDL_BUTTON_WHEELUP);
    pushButton(true, SDL_BUTTON_WHEELDOWN);
    pushButton(true, SDL_BUTTON_MIDDLE);
    CController::PumpCurrent();

    ASSERT_EQ(child->keys.size(), 2u);
    EXPECT_EQ(child->keys[0], std::make_pair(false, static_cast<int>('a')));
    EXPECT_EQ(child->keys[1], std::make_pair(true, static_cast<int>('a')));
    EXPECT_EQ(child->motions, (std::vector<std::pair<int, int>>{{120, 80}}));
    EXPECT_EQ(getMouseX(), 120);
    EXPECT_EQ(getMouseY(), 80);
    EXPECT_EQ(child->buttons, (std::vector<std::string>{"down left", "up left", "down right", "up right",
                                                         "down wheelup", "down wheeldown"}));
    EXPECT_TRUE(root.keys.empty());
    EXPECT_TRUE(root.motions.empty());
    EXPECT_TRUE(root.buttons.empty());
}

TEST_F(InputPump, ALaunchStopsThePumpAndTheRestWaitsForTheChild)
{
    TestController* grandchild = nullptr;
    child->onKey = [&](bool released, int key) {
        if (!released && key == 'x') {
            grandchild = new TestController(CONTROLLER_MESSAGE);
            child->launch(grandchild);
        }
        return false;
    };
    pushKey(true, 'x');
    pushKey(true, 'y'); // taken after the launch: dropped
    pushKey(true, 'z');
    CController::PumpCurrent();
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(child->keys.size(), 1u);
    CController::PumpCurrent(); // the new screen's first frame polls nothing
    EXPECT_TRUE(grandchild->keys.empty());
    CController::PumpCurrent();
    ASSERT_EQ(grandchild->keys.size(), 1u);
    EXPECT_EQ(grandchild->keys[0].second, 'z');
}

TEST_F(InputPump, ModifierKeysNeverReachInputKey)
{
    pushKey(true, SDLK_LSHIFT);
    pushKey(true, SDLK_RSHIFT);
    pushKey(false, SDLK_LSHIFT);
    CController::PumpCurrent();
    EXPECT_TRUE(child->keys.empty());
    EXPECT_EQ(CController::GetModKey(MOD_SHIFT), 1);
    EXPECT_EQ(CController::GetModKey(MOD_LSHIFT), 0);
    EXPECT_EQ(CController::GetModKey(MOD_RSHIFT), 1);
    pushKey(false, SDLK_RSHIFT);
    pushKey(true, SDLK_RALT);
    CController::PumpCurrent();
    EXPECT_EQ(CController::GetModKey(MOD_SHIFT), 0);
    EXPECT_EQ(CController::GetModKey(MOD_ALT), 1);
    EXPECT_TRUE(child->keys.empty());
}

TEST_F(InputPump, AltReturnFlipsFullscreenThroughTheProfile)
{
    setenv("XDG_DATA_HOME", m_dir.file("data").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", m_dir.file("docs").c_str(), 1);
    InitUserDirectories();
    CProfile profile;
    profile.SetFullscreen(false);
    setInputProfile(&profile);
    ASSERT_EQ(CDraw::IsFullscreen(), 0);

    pushKey(true, SDLK_RETURN, KMOD_LALT);
    pushKey(false, SDLK_RETURN, KMOD_LALT);
    CController::PumpCurrent();
    EXPECT_EQ(profile.GetFullscreen(), 1);
    EXPECT_EQ(CDraw::IsFullscreen(), 1);
    // The press went to the switch; the release reaches the screen.
    ASSERT_EQ(child->keys.size(), 1u);
    EXPECT_EQ(child->keys[0], std::make_pair(true, static_cast<int>(SDLK_RETURN)));
    EXPECT_EQ(child->GetExitCode(), 0);

    pushKey(true, SDLK_RETURN, KMOD_RALT);
    CController::PumpCurrent();
    EXPECT_EQ(profile.GetFullscreen(), 0);
    EXPECT_EQ(CDraw::IsFullscreen(), 0);

    // Return alone is an ordinary key.
    pushKey(true, SDLK_RETURN);
    CController::PumpCurrent();
    EXPECT_EQ(profile.GetFullscreen(), 0);
    EXPECT_EQ(child->keys.size(), 2u);
}

TEST_F(InputPump, ClosingTheWindowEndsTheProgram)
{
    pushQuit();
    CController::PumpCurrent();
    EXPECT_EQ(CController::GetCurrentController(), &root);
    EXPECT_EQ(root.GetExitCode(), -1);
    EXPECT_TRUE(CController::IsRunning());
    CController::PumpCurrent(); // the root deletes the child and leaves
    EXPECT_EQ(root.child, nullptr);
    EXPECT_FALSE(CController::IsRunning());
}

TEST_F(InputPump, Keypad0SavesAScreenshotInTheWorkingFolder)
{
    CaptureStdout();
    pushKey(true, SDLK_KP0);
    pushKey(false, SDLK_KP0);
    CController::PumpCurrent();
    std::string out = GetCapturedStdout();

    std::vector<std::string> captures;
    DIR* d = opendir(m_dir.path().c_str());
    ASSERT_NE(d, nullptr);
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.rfind("capture_", 0) == 0)
            captures.push_back(name);
    }
    closedir(d);
    ASSERT_EQ(captures.size(), 1u);
    const std::string& name = captures[0];
    // "capture_" yymmdd "_" hhmmss ".bmp"
    ASSERT_EQ(name.size(), 8u + 13u + 4u);
    EXPECT_EQ(name[14], '_');
    EXPECT_EQ(name.substr(21), ".bmp");
    EXPECT_NE(out.find("Screen captured:  " + name + "\n"), std::string::npos);

    SDL_Surface* shot = SDL_LoadBMP(m_dir.file(name).c_str());
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, 800);
    EXPECT_EQ(shot->h, 600);
    SDL_FreeSurface(shot);

    // The screen still receives the key.
    EXPECT_EQ(child->keys.size(), 2u);
    TestController probe(99);
    EXPECT_FALSE(probe.InputScreenCapture(false, SDLK_KP1));
    EXPECT_TRUE(probe.InputScreenCapture(true, SDLK_KP0));
}

TEST_F(InputPump, RelativeMotionIsScaledAndClamped)
{
    setMouseCaptured(0);
    setMouseSpeed(2.0f);
    setMouseFloatX(100.5f);
    setMouseFloatY(100.5f);
    pushMotion(0, 0, 3, -2);
    CController::PumpCurrent();
    EXPECT_FLOAT_EQ(getMouseFloatX(), 106.5f);
    EXPECT_FLOAT_EQ(getMouseFloatY(), 96.5f);
    EXPECT_EQ(getMouseX(), 106);
    EXPECT_EQ(getMouseY(), 96);
    EXPECT_EQ(child->motions, (std::vector<std::pair<int, int>>{{106, 96}}));

    // No relative motion: nothing happens.
    pushMotion(300, 300, 0, 0);
    CController::PumpCurrent();
    EXPECT_EQ(child->motions.size(), 1u);

    // Far beyond the edges: 800 and 0 themselves.
    pushMotion(0, 0, 1000, -1000);
    CController::PumpCurrent();
    EXPECT_EQ(getMouseX(), 800);
    EXPECT_EQ(getMouseY(), 0);
    pushMotion(0, 0, -30000, 30000);
    CController::PumpCurrent();
    EXPECT_EQ(getMouseX(), 0);
    EXPECT_EQ(getMouseY(), 600);

    // A fraction that does not change the integer position still counts.
    setMouseSpeed(0.25f);
    pushMotion(0, 0, 1, 0);
    CController::PumpCurrent();
    EXPECT_EQ(getMouseX(), 0);
    EXPECT_EQ(child->motions.size(), 4u);
}

TEST_F(InputPump, AbsoluteMotionAtTheStoredPositionIsIgnored)
{
    setMouseCaptured(1);
    setMouseFloatX(5.0f);
    pushMotion(40, 50, 7, 7);
    pushMotion(40, 50, 3, 3);
    pushMotion(41, 50, 1, 0);
    CController::PumpCurrent();
    EXPECT_EQ(child->motions, (std::vector<std::pair<int, int>>{{40, 50}, {41, 50}}));
    EXPECT_FLOAT_EQ(getMouseFloatX(), 5.0f);
}

TEST_F(InputPump, LeftButtonDrivesTheWidgets)
{
    uitest::TestWidget w(100, 100, 20, 20, 5, child);
    pushMotion(110, 110, 0, 0);
    CController::PumpCurrent();
    CGuiButtonBase::UpdateAll();
    ASSERT_EQ(CGuiButtonBase::GetFocusIndex(), w.GetIndex());

    // Release over the widget activates it; the widget sees it before the
    // screen's own button handler.
    pushButton(true, SDL_BUTTON_LEFT);
    CController::PumpCurrent();
    EXPECT_EQ(CGuiButtonBase::IsMouseHeld(), 1);
    EXPECT_TRUE(child->callbacks.empty());
    pushButton(false, SDL_BUTTON_LEFT);
    CController::PumpCurrent();
    ASSERT_EQ(child->callbacks.size(), 1u);
    EXPECT_EQ(child->callbacks[0].index, 5);

    // Pressed over it, released elsewhere: nothing.
    pushButton(true, SDL_BUTTON_LEFT);
    pushMotion(300, 300, 0, 0);
    CController::PumpCurrent();
    CGuiButtonBase::UpdateAll();
    pushButton(false, SDL_BUTTON_LEFT);
    CController::PumpCurrent();
    EXPECT_EQ(child->callbacks.size(), 1u);
}
