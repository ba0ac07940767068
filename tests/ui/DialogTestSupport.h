// A headless screen with the dialog and widget pictures (plain colours of
// the right sizes), the text system, the interface sounds on the dummy
// device, and a root screen under which the tests launch dialogs. Input
// reaches the dialogs as pushed SDL events through the controller stack.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/DrawTestSupport.h"
#include "engine/Log.h"
#include "UiTestSupport.h"

namespace dialogtest {

// Colours of the pictures, to find them again in composed images.
constexpr uint8_t PARCH_R = 235, PARCH_G = 220, PARCH_B = 180;
constexpr uint8_t INNER_R = 200, INNER_G = 230, INNER_B = 200;
constexpr uint8_t SELECTOR_R = 90, SELECTOR_G = 200, SELECTOR_B = 250;

void pushKey(int sym, bool down = true);
// A press and a release.
void tapKey(int sym);
void pushMotion(int x, int y);
void pushButton(int button, bool down);

// Dark (ink) pixels of an image inside a rectangle.
int inkIn(int imageId, int x0, int y0, int w, int h);
// Rows of the rectangle that hold ink.
int inkedRows(int imageId, int x0, int y0, int w, int h);

class DialogTest : public drawtest::DrawTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes child current above the root screen.
    void launch(CController* child) { root.LaunchController(child); }
    // One frame: the pump of the current controller, then the sprites.
    void frame();
    void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            frame();
    }
    // The pointer to (x, y) for one frame, then a left press and release.
    void click(int x, int y);
    // The pointer to (x, y) for one frame.
    void hover(int x, int y);
    // Counts the plays of a sound (by file name) while f runs.
    template <typename F>
    int soundsPlayed(const char* name, F f)
    {
        logCategoryOn(LOG_SOUND);
        testing::internal::CaptureStdout();
        f();
        std::string out = testing::internal::GetCapturedStdout();
        logCategoryOff(LOG_SOUND);
        std::string what = std::string("Attempting to play sound '") + name + "'";
        int count = 0;
        for (size_t at = out.find(what); at != std::string::npos; at = out.find(what, at + 1))
            ++count;
        return count;
    }
    int plainClicks(std::function<void()> f) { return soundsPlayed("click_v1-3.ogg", f); }

    uitest::TestController root{CONTROLLER_MAIN};
};

} // namespace dialogtest
