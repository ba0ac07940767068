#include <gtest/gtest.h>

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "UiTestSupport.h"

using uitest::TestController;
using uitest::TestWidget;

namespace {

class ControllerStack : public ::testing::Test {
protected:
    void SetUp() override
    {
        logInit(false);
        uitest::resetUi();
        CDraw::SetGameSpeed(-1);
        root.Activate(nullptr);
        CController::PumpCurrent(); // the root's first frame
    }
    void TearDown() override { CDraw::SetScreenUpdatesSuspended(0); }

    // Launches c from the current test controller and runs c's first frame.
    TestController* push(TestController* c)
    {
        static_cast<TestController*>(CController::GetCurrentController())->launch(c);
        CController::PumpCurrent();
        return c;
    }

    std::vector<int> destroyed;
    TestController root{CONTROLLER_INTRO, &destroyed};
};

} // namespace

TEST_F(ControllerStack, RootFirstFrameSeesNoPreviousController)
{
    ASSERT_EQ(root.firstFramePreviousIds.size(), 1u);
    EXPECT_EQ(root.firstFramePreviousIds[0], 0);
    EXPECT_EQ(root.ordinaryFrames, 0);
    CController::PumpCurrent();
    EXPECT_EQ(root.ordinaryFrames, 1);
    EXPECT_TRUE(root.IsActive());
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_INTRO);
    EXPECT_TRUE(CController::IsRunning());
}

TEST_F(ControllerStack, ExitCodeThreeClosesThreeLevelsOverThreeFrames)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN, &destroyed));
    TestController* b = push(new TestController(CONTROLLER_MAP, &destroyed));
    TestController* c = push(new TestController(CONTROLLER_GAME, &destroyed));
    EXPECT_EQ(c->firstFramePreviousIds, std::vector<int>{CONTROLLER_MAP});
    EXPECT_FALSE(a->IsActive());
    EXPECT_FALSE(b->IsActive());

    c->SetExitCode(3);
    CController::PumpCurrent(); // c leaves, b receives 2
    EXPECT_EQ(CController::GetCurrentController(), b);
    EXPECT_EQ(b->GetExitCode(), 2);
    EXPECT_TRUE(destroyed.empty());

    CController::PumpCurrent(); // b deletes c on its first frame back and leaves
    EXPECT_EQ(destroyed, std::vector<int>{CONTROLLER_GAME});
    EXPECT_EQ(b->firstFramePreviousIds.back(), CONTROLLER_GAME);
    EXPECT_EQ(CController::GetCurrentController(), a);
    EXPECT_EQ(a->GetExitCode(), 1);

    CController::PumpCurrent(); // a deletes b and leaves
    EXPECT_EQ(destroyed, (std::vector<int>{CONTROLLER_GAME, CONTROLLER_MAP}));
    EXPECT_EQ(CController::GetCurrentController(), &root);
    EXPECT_EQ(root.GetExitCode(), 0);

    CController::PumpCurrent(); // the root deletes a and stays
    EXPECT_EQ(destroyed, (std::vector<int>{CONTROLLER_GAME, CONTROLLER_MAP, CONTROLLER_MAIN}));
    EXPECT_EQ(root.child, nullptr);
    EXPECT_EQ(root.firstFramePreviousIds.back(), CONTROLLER_MAIN);
    EXPECT_TRUE(root.IsActive());
    EXPECT_TRUE(CController::IsRunning());
    CController::PumpCurrent();
    EXPECT_EQ(root.ordinaryFrames, 1);
}

TEST_F(ControllerStack, ResultReachesTheParentAndNegativeCodesPropagate)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN));
    TestController* b = push(new TestController(CONTROLLER_OPTIONS));
    b->setResult(CONTROLLER_MANAGER);
    b->SetExitCode(1);
    CController::PumpCurrent();
    CController::PumpCurrent();
    EXPECT_EQ(a->childResult, CONTROLLER_MANAGER);
    EXPECT_EQ(CController::GetCurrentController(), a);

    // A code below -2 ends only its own controller.
    b = push(new TestController(CONTROLLER_OPTIONS));
    b->SetExitCode(-7);
    CController::PumpCurrent();
    EXPECT_EQ(a->GetExitCode(), 0);
    CController::PumpCurrent();
    EXPECT_EQ(CController::GetCurrentController(), a);
    EXPECT_TRUE(CController::IsRunning());

    // -2 passes unchanged to the root, whose exit ends the program.
    b = push(new TestController(CONTROLLER_OPTIONS));
    b->SetExitCode(-2);
    CController::PumpCurrent();
    EXPECT_EQ(a->GetExitCode(), -2);
    CController::PumpCurrent();
    EXPECT_EQ(root.GetExitCode(), -2);
    CController::PumpCurrent();
    EXPECT_FALSE(CController::IsRunning());
    EXPECT_EQ(CController::GetCurrentController(), &root);
    EXPECT_FALSE(root.IsActive());
}

TEST_F(ControllerStack, ExitNowSwitchesAtOnce)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN));
    TestController* b = push(new TestController(CONTROLLER_OPTIONS));
    b->ExitNow(2);
    EXPECT_EQ(CController::GetCurrentController(), a);
    EXPECT_FALSE(b->IsActive());
    EXPECT_EQ(b->GetExitCode(), 0);
    EXPECT_EQ(a->GetExitCode(), 1);
    EXPECT_EQ(CController::GetPreviousId(), CONTROLLER_OPTIONS);
}

TEST_F(ControllerStack, ExitNowFromInsideAPumpMakesOneSwitchPerFrame)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN, &destroyed));
    TestController* b = push(new TestController(CONTROLLER_MAP, &destroyed));
    TestController* c = push(new TestController(CONTROLLER_GAME, &destroyed));
    c->onFrame = [c] { c->ExitNow(3); };

    CController::PumpCurrent(); // c leaves at once; b receives 2 and waits
    EXPECT_EQ(CController::GetCurrentController(), b);
    EXPECT_EQ(b->GetExitCode(), 2);
    EXPECT_EQ(CController::GetPreviousId(), CONTROLLER_GAME);
    EXPECT_TRUE(destroyed.empty());
    EXPECT_EQ(b->firstFramePreviousIds.size(), 1u);

    CController::PumpCurrent(); // b deletes c on its first frame back, leaves
    EXPECT_EQ(destroyed, std::vector<int>{CONTROLLER_GAME});
    EXPECT_EQ(b->firstFramePreviousIds.back(), CONTROLLER_GAME);
    EXPECT_EQ(CController::GetCurrentController(), a);
    EXPECT_EQ(a->GetExitCode(), 1);

    CController::PumpCurrent(); // a deletes b, leaves
    EXPECT_EQ(destroyed, (std::vector<int>{CONTROLLER_GAME, CONTROLLER_MAP}));
    CController::PumpCurrent(); // the root deletes a and stays
    EXPECT_EQ(destroyed, (std::vector<int>{CONTROLLER_GAME, CONTROLLER_MAP, CONTROLLER_MAIN}));
    EXPECT_EQ(root.child, nullptr);
    EXPECT_TRUE(CController::IsRunning());
}

TEST_F(ControllerStack, ExitNowWithAClosedWindowCodeDeletesEveryScreenBeforeTheLoopEnds)
{
    for (int code : {-1, -2}) {
        push(new TestController(CONTROLLER_MAIN, &destroyed));
        TestController* b = push(new TestController(CONTROLLER_OPTIONS, &destroyed));
        b->onFrame = [b, code] { b->ExitNow(code); };
        int frames = 0;
        while (CController::IsRunning() && frames < 10) {
            CController::PumpCurrent();
            ++frames;
        }
        // b leaves, a deletes b and leaves, the root deletes a and leaves.
        EXPECT_EQ(frames, 3) << code;
        EXPECT_EQ(destroyed, (std::vector<int>{CONTROLLER_OPTIONS, CONTROLLER_MAIN})) << code;
        EXPECT_EQ(root.child, nullptr);
        EXPECT_EQ(root.GetExitCode(), 0);
        // Start again for the next code.
        destroyed.clear();
        uitest::resetUi();
        root.Activate(nullptr);
        CController::PumpCurrent();
    }
}

TEST_F(ControllerStack, LaunchFromAConstructorIsOverriddenByTheParentsLaunch)
{
    // A screen that opens a child from its constructor: that child becomes
    // current for a moment, then the parent's launch takes over.
    struct Eager : TestController {
        explicit Eager(std::vector<int>* destroyed) : TestController(CONTROLLER_MAP, destroyed)
        {
            launch(new TestController(CONTROLLER_MESSAGE, destroyed));
        }
    };
    Eager* eager = new Eager(&destroyed);
    TestController* early = eager->child;
    EXPECT_EQ(CController::GetCurrentController(), early);

    root.launch(eager);
    EXPECT_EQ(CController::GetCurrentController(), eager);
    EXPECT_EQ(CController::GetPreviousId(), CONTROLLER_INTRO);
    CController::PumpCurrent();
    EXPECT_EQ(eager->firstFramePreviousIds, std::vector<int>{CONTROLLER_INTRO});
    EXPECT_EQ(early->firstFramePreviousIds.size(), 0u);
    EXPECT_EQ(early->ordinaryFrames, 0);
    CController::PumpCurrent();
    EXPECT_EQ(eager->ordinaryFrames, 1);
}

TEST_F(ControllerStack, EscapeClosesOnlyWhereAllowed)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN));
    a->allowEscape = false;
    a->InputNavigationKey(false, KEY_ESCAPE, false, true);
    EXPECT_EQ(a->GetExitCode(), 0);
    a->InputNavigationKey(true, KEY_ESCAPE, true, true); // releases do nothing
    EXPECT_EQ(a->GetExitCode(), 0);
    a->InputNavigationKey(false, KEY_ESCAPE, true, true);
    EXPECT_EQ(a->GetExitCode(), 1);
}

TEST_F(ControllerStack, TabWithShiftStepsBackwardsAndArrowsIgnoreShift)
{
    TestController* a = push(new TestController(CONTROLLER_OPTIONS));
    TestWidget w0(0, 0, 10, 10, 100, a);
    TestWidget w1(20, 0, 10, 10, 101, a);
    TestWidget w2(40, 0, 10, 10, 102, a);

    a->InputModKey(false, KEY_LSHIFT);
    a->InputNavigationKey(false, KEY_TAB, true, true); // from no focus backwards: the last
    EXPECT_EQ(w2.centred, 1);
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetFocusIndex(), w2.GetIndex());
    a->InputNavigationKey(false, KEY_TAB, true, true);
    EXPECT_EQ(w1.centred, 1);
    CGuiButtonBase::UpdateAll();

    // Arrows: down and right forwards, up and left backwards, SHIFT or not.
    a->InputNavigationKey(false, KEY_DOWN, true, true);
    EXPECT_EQ(w2.centred, 2);
    CGuiButtonBase::UpdateAll();
    a->InputNavigationKey(false, KEY_RIGHT, true, true); // wraps to the first
    EXPECT_EQ(w0.centred, 1);
    CGuiButtonBase::UpdateAll();
    a->InputNavigationKey(false, KEY_UP, true, true); // wraps to the last
    EXPECT_EQ(w2.centred, 3);

    // Tab without SHIFT, and not at all where Tab is not allowed.
    a->InputModKey(true, KEY_LSHIFT);
    CGuiButtonBase::UpdateAll();
    a->InputNavigationKey(false, KEY_TAB, true, false);
    EXPECT_EQ(w0.centred, 1);
    a->InputNavigationKey(false, KEY_TAB, true, true);
    EXPECT_EQ(w0.centred, 2);
}

TEST_F(ControllerStack, FocusSteppingSkipsHiddenAndDisabledAndEnds)
{
    TestController* a = push(new TestController(CONTROLLER_OPTIONS));
    TestWidget w0(0, 0, 10, 10, 100, a);
    TestWidget w1(20, 0, 10, 10, 101, a);
    TestWidget w2(40, 0, 10, 10, 102, a);
    w0.Hide();
    w1.setDisabled(true);
    CGuiButtonBase::StepFocus(false);
    EXPECT_EQ(w2.centred, 1);
    w2.Hide();
    CGuiButtonBase::StepFocus(false); // nothing can take the focus: it ends
    CGuiButtonBase::StepFocus(true);
    EXPECT_EQ(w0.centred + w1.centred + w2.centred, 1);
}

TEST_F(ControllerStack, ASwitchForgetsModifiersAndTheHeldButton)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN));
    a->InputModKey(false, KEY_LSHIFT);
    a->InputModKey(false, KEY_RCTRL);
    a->InputModKey(false, KEY_LALT);
    EXPECT_EQ(CController::GetModKey(MOD_SHIFT), 1);
    EXPECT_EQ(CController::GetModKey(MOD_CTRL), 1);
    EXPECT_EQ(CController::GetModKey(MOD_ALT), 1);
    CGuiButtonBase::ChangeMouseHeld(0, true); // left button down
    EXPECT_EQ(CGuiButtonBase::IsMouseHeld(), 1);

    TestController* b = new TestController(CONTROLLER_OPTIONS);
    TestWidget w(0, 0, 10, 10, 7, b);
    a->launch(b);
    for (int m = 0; m < MOD_COUNT; ++m)
        EXPECT_EQ(CController::GetModKey(m), 0) << m;
    EXPECT_EQ(CGuiButtonBase::IsMouseHeld(), 0);

    // The release over the new screen's widget activates nothing.
    CGuiButtonBase::UpdateAll();
    ASSERT_EQ(CGuiButtonBase::GetFocusIndex(), w.GetIndex());
    CGuiButtonBase::ChangeMouseHeld(1, true);
    EXPECT_TRUE(b->callbacks.empty());
    // The next press and release do.
    CGuiButtonBase::ChangeMouseHeld(0, true);
    CGuiButtonBase::ChangeMouseHeld(1, true);
    ASSERT_EQ(b->callbacks.size(), 1u);
    EXPECT_EQ(b->callbacks[0].index, 7);
}

TEST_F(ControllerStack, ThePeriodReturnsTo33msOnPushAndPop)
{
    TestController* a = push(new TestController(CONTROLLER_MAIN));
    CDraw::SetGameSpeed(0);
    ASSERT_EQ(CDraw::GetFramePeriod(), 66u);
    TestController* b = push(new TestController(CONTROLLER_GAME));
    EXPECT_EQ(CDraw::GetFramePeriod(), 33u);
    CDraw::SetGameSpeed(11);
    b->SetExitCode(1);
    CController::PumpCurrent();
    EXPECT_EQ(CDraw::GetFramePeriod(), 33u);
    EXPECT_EQ(CController::GetCurrentController(), a);
}

namespace {
Uint32 g_fakeTicks = 0;
Uint32 fakeTicks() { return g_fakeTicks; }
void fakeDelay(Uint32 ms) { g_fakeTicks += ms ? ms : 1; }
} // namespace

TEST_F(ControllerStack, TheExitFrameIsNotPresented)
{
    CDraw::SetTimeSource(fakeTicks, fakeDelay);
    TestController* a = push(new TestController(CONTROLLER_MAIN));
    CController::PumpCurrent();
    Uint32 frames = CDraw::GetFrameCount();
    CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 1);

    a->onFrame = [a] { a->SetExitCode(1); };
    CController::PumpCurrent();
    Uint32 ticks = g_fakeTicks;
    CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 1);
    EXPECT_EQ(g_fakeTicks, ticks); // no wait either

    CController::PumpCurrent(); // the root's first frame back is presented
    CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 2);
    CDraw::SetTimeSource(nullptr, nullptr);
}

TEST_F(ControllerStack, WidgetActivationByKeyboardAndDefault)
{
    TestController* a = push(new TestController(CONTROLLER_OPTIONS));
    TestWidget plain(0, 0, 10, 10, 1, a);
    TestWidget hiddenDefault(20, 0, 10, 10, 2, a, true);
    TestWidget fallback(40, 0, 10, 10, 3, a, true);
    hiddenDefault.Hide();

    // No focus: Return activates the first visible default widget.
    setMouseX(500);
    CGuiButtonBase::UpdateAll();
    a->InputNavigationKey(false, KEY_RETURN, true, true);
    ASSERT_EQ(a->callbacks.size(), 1u);
    EXPECT_EQ(a->callbacks[0].index, 3);

    // With the pointer over a widget, Space activates that one.
    setMouseX(5);
    setMouseY(5);
    CGuiButtonBase::UpdateAll();
    a->InputNavigationKey(false, KEY_SPACE, true, true);
    ASSERT_EQ(a->callbacks.size(), 2u);
    EXPECT_EQ(a->callbacks[1].index, 1);
    a->InputNavigationKey(true, KEY_SPACE, true, true);
    EXPECT_EQ(a->callbacks.size(), 2u);
}

TEST_F(ControllerStack, WidgetIndexesStayUniqueAfterOneLeaves)
{
    TestController* a = push(new TestController(CONTROLLER_OPTIONS));
    TestWidget* first = new TestWidget(0, 0, 10, 10, 1, a);
    TestWidget second(20, 0, 10, 10, 2, a);
    TestWidget third(40, 0, 10, 10, 3, a);
    EXPECT_EQ(first->GetIndex(), 0);
    EXPECT_EQ(third.GetIndex(), 2);
    delete first;
    TestWidget fourth(60, 0, 10, 10, 4, a);
    EXPECT_NE(fourth.GetIndex(), third.GetIndex());

    // Clicking the third activates the third only.
    setMouseX(45);
    setMouseY(5);
    CGuiButtonBase::UpdateAll();
    CGuiButtonBase::ChangeMouseHeld(0, true);
    CGuiButtonBase::ChangeMouseHeld(1, true);
    ASSERT_EQ(a->callbacks.size(), 1u);
    EXPECT_EQ(a->callbacks[0].index, 3);

    // Focus stepping reaches every widget in registry order.
    CGuiButtonBase::StepFocus(false);
    EXPECT_EQ(fourth.centred, 1);
    CGuiButtonBase::UpdateAll();
    CGuiButtonBase::StepFocus(false);
    EXPECT_EQ(second.centred, 1);
}

TEST_F(ControllerStack, PressActivatedWidgetsFireOnThePress)
{
    TestController* a = push(new TestController(CONTROLLER_MAP));
    TestWidget onPress(0, 0, 10, 10, 1, a, false, false);
    TestWidget onRelease(0, 0, 10, 10, 2, a, false, true);
    setMouseX(5);
    setMouseY(5);
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetFocusIndex(), onPress.GetIndex()); // the first registered wins
    CGuiButtonBase::ChangeMouseHeld(0, true);
    ASSERT_EQ(a->callbacks.size(), 1u);
    EXPECT_EQ(a->callbacks[0].index, 1);
    CGuiButtonBase::ChangeMouseHeld(1, true);
    EXPECT_EQ(a->callbacks.size(), 1u);
}
