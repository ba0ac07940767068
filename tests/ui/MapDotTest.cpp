#include "DialogTestSupport.h"

#include "ui/CGuiButtonMapDot.h"

using Dot = CGuiButtonMapDot;

namespace {

// The root screen stands in for the map: it updates the widgets every frame
// and records what the dots report.
class MapDot : public dialogtest::DialogTest {
protected:
    void SetUp() override
    {
        dialogtest::DialogTest::SetUp();
        Dot::ResetSelection();
        root.onFrame = [] { CGuiButtonBase::UpdateAll(); };
    }
    void TearDown() override
    {
        dots.clear();
        dialogtest::DialogTest::TearDown();
    }
    Dot* add(int x, int y, int widgetId, int state, int mode = Dot::MODE_IDLE, int delay = 0, int tutorial = 0)
    {
        dots.emplace_back(new Dot(x, y, widgetId, &root, tutorial, state, mode, delay, false));
        return dots.back().get();
    }
    void press(int x, int y)
    {
        hover(x, y);
        dialogtest::pushButton(SDL_BUTTON_LEFT, true);
        dialogtest::pushButton(SDL_BUTTON_LEFT, false);
        frame();
    }
    std::string lastCall()
    {
        if (root.callbacks.empty())
            return "none";
        const auto& c = root.callbacks.back();
        return std::to_string(c.index) + "," + std::to_string(c.value) + "," + std::to_string(c.dclick);
    }

    std::vector<std::unique_ptr<Dot>> dots;
};

// A 17 x 17 dot at (100, 100) has its centre at (108, 108).
const int CX = 108, CY = 108;

} // namespace

TEST_F(MapDot, LockedDotReportsMinusOneAndIsNeverSelected)
{
    Dot* locked = add(100, 100, 40, Dot::STATE_LOCKED);
    EXPECT_TRUE(locked->IsDisabled());
    EXPECT_EQ(locked->GetPulseSprite(), nullptr);
    EXPECT_EQ(locked->GetRolloverSprite(), nullptr);
    press(CX, CY);
    EXPECT_EQ(lastCall(), "40,-1,0");
    EXPECT_EQ(Dot::GetSelectedId(), -1);
    EXPECT_EQ(locked->GetMode(), Dot::MODE_IDLE);
    press(CX, CY); // a second press is no double click either
    EXPECT_EQ(lastCall(), "40,-1,0");

    // Any state other than 2 and 3 is a locked, ghosted dot.
    Dot* ghosted = add(200, 100, 41, 7);
    EXPECT_EQ(ghosted->GetBaseSprite()->GetFrameImage(0), CDraw::FindImageId("mapdotregularlockedghosted.png"));
    press(208, CY);
    EXPECT_EQ(lastCall(), "41,-1,0");
}

TEST_F(MapDot, ClickSelectsAndASecondPressWithinFifteenFramesIsADoubleClick)
{
    Dot* incomplete = add(100, 100, 5, Dot::STATE_INCOMPLETE);
    Dot* completed = add(200, 100, 6, Dot::STATE_COMPLETED);
    press(CX, CY);
    EXPECT_EQ(lastCall(), "5,0,0");
    EXPECT_EQ(Dot::GetSelectedId(), 5);
    EXPECT_EQ(incomplete->GetMode(), Dot::MODE_SELECTED);
    EXPECT_EQ(incomplete->GetCurrentSprite(), incomplete->GetPulseSprite());
    EXPECT_FALSE(incomplete->GetPulseSprite()->IsHidden());
    EXPECT_TRUE(incomplete->GetBaseSprite()->IsHidden());
    frames(12);
    press(CX, CY); // 14 frames after the first
    EXPECT_EQ(lastCall(), "5,0,1");

    // Past the window a press is a single click again.
    frames(16);
    press(CX, CY);
    EXPECT_EQ(lastCall(), "5,0,0");

    // A completed level reports 1; the other dot leaves its pulse.
    frames(16);
    press(208, CY);
    EXPECT_EQ(lastCall(), "6,1,0");
    EXPECT_EQ(Dot::GetSelectedId(), 6);
    EXPECT_EQ(completed->GetMode(), Dot::MODE_SELECTED);
    EXPECT_EQ(incomplete->GetMode(), Dot::MODE_IDLE);
    EXPECT_FALSE(incomplete->GetBaseSprite()->IsHidden());
    EXPECT_TRUE(incomplete->GetPulseSprite()->IsHidden());

    // Notify reports a double click only when forced or while the button
    // is held.
    size_t calls = root.callbacks.size();
    completed->Notify(false);
    EXPECT_EQ(root.callbacks.size(), calls);
    completed->Notify(true);
    EXPECT_EQ(lastCall(), "6,1,1");
}

TEST_F(MapDot, PreviousDotReturnsToItsBaseAtThePulsesFrame)
{
    // Tutorial stars: base and pulse strips of 60 frames each.
    Dot* a = add(100, 100, 1, Dot::STATE_INCOMPLETE, Dot::MODE_IDLE, 0, 1);
    Dot* b = add(300, 100, 2, Dot::STATE_COMPLETED, Dot::MODE_IDLE, 0, 1);
    press(111, 80); // inside a's star
    ASSERT_EQ(a->GetMode(), Dot::MODE_SELECTED);
    frames(9);
    press(311, 80);
    ASSERT_EQ(Dot::GetSelectedId(), 2);
    // a notices in its next update.
    int pulseFrame = a->GetPulseSprite()->GetFrame();
    CController::PumpCurrent();
    EXPECT_EQ(a->GetMode(), Dot::MODE_IDLE);
    EXPECT_EQ(a->GetCurrentSprite(), a->GetBaseSprite());
    EXPECT_EQ(a->GetBaseSprite()->GetFrame(), pulseFrame);
    EXPECT_TRUE(a->GetPulseSprite()->IsHidden());
    (void)b;
}

TEST_F(MapDot, PendingDotWaitsDelayPlusOneFramesBeforeGrowing)
{
    Dot* dot = add(100, 100, 3, Dot::STATE_INCOMPLETE, Dot::MODE_APPEAR_PENDING, 3);
    EXPECT_EQ(dot->GetCurrentSprite(), dot->GetGrowSprite());
    EXPECT_TRUE(dot->GetBaseSprite()->IsHidden());
    // Not under the pointer while it waits.
    setMouseX(CX);
    setMouseY(CY);
    EXPECT_FALSE(dot->IsMouseOver());
    frames(4);
    EXPECT_TRUE(dot->GetGrowSprite()->IsStopped());
    EXPECT_EQ(dot->GetGrowSprite()->GetFrame(), 0);
    frame();
    EXPECT_FALSE(dot->GetGrowSprite()->IsStopped());
    // Three frames at a delay of 2, then the base (rolled over, as the
    // pointer stands on it).
    hover(10, 10);
    int f = 0;
    while (dot->GetMode() != Dot::MODE_IDLE && f < 20) {
        frame();

        ++f;
    }
    EXPECT_EQ(dot->GetMode(), Dot::MODE_IDLE);
    EXPECT_TRUE(dot->GetGrowSprite()->IsHidden());
    EXPECT_FALSE(dot->GetBaseSprite()->IsHidden());
    EXPECT_LT(f, 10);
}

TEST_F(MapDot, AppearingDotSoundsOnceOnTheThirdFrameAndGrowsOneFrameAfter)
{
    Dot* dot = add(100, 100, 3, Dot::STATE_COMPLETED, Dot::MODE_APPEARING);
    EXPECT_EQ(dot->GetCurrentSprite(), dot->GetShrinkSprite());
    int sounds = 0;
    int soundFrame = -1, endFrame = -1;
    for (int f = 1; f <= 30 && endFrame < 0; ++f) {
        int played = soundsPlayed("map_dot.ogg", [&] { frame(); });
        if (played && soundFrame < 0)
            soundFrame = f;
        sounds += played;
        if (dot->GetMode() == Dot::MODE_APPEAR_PENDING)
            endFrame = f;
    }
    EXPECT_EQ(sounds, 1);
    ASSERT_GT(endFrame, 0);
    EXPECT_LT(soundFrame, endFrame);
    EXPECT_TRUE(dot->GetShrinkSprite()->IsHidden());
    EXPECT_EQ(dot->GetCurrentSprite(), dot->GetGrowSprite());
    EXPECT_TRUE(dot->GetGrowSprite()->IsStopped());
    frame();
    EXPECT_FALSE(dot->GetGrowSprite()->IsStopped());
    EXPECT_EQ(soundsPlayed("map_dot.ogg", [&] { frames(10); }), 0);
}

TEST_F(MapDot, HitBoxAndRolloverOfARegularAndATutorialDot)
{
    Dot* dot = add(100, 100, 3, Dot::STATE_COMPLETED);
    auto over = [&](int x, int y) {
        setMouseX(x);
        setMouseY(y);
        return dot->IsMouseOver();
    };
    EXPECT_TRUE(over(CX - 9, CY));
    EXPECT_FALSE(over(CX - 10, CY));
    EXPECT_TRUE(over(CX + 7, CY));
    EXPECT_FALSE(over(CX + 8, CY));
    EXPECT_TRUE(over(CX, CY - 8));
    EXPECT_FALSE(over(CX, CY - 9));
    EXPECT_TRUE(over(CX, CY + 8));
    EXPECT_FALSE(over(CX, CY + 9));

    int rolls = soundsPlayed("rollover_v1-2.ogg", [&] {
        hover(CX, CY);
        hover(CX + 1, CY);
        frames(3);
    });
    EXPECT_EQ(rolls, 1);
    EXPECT_EQ(dot->GetMode(), Dot::MODE_ROLLED_OVER);
    EXPECT_EQ(dot->GetCurrentSprite(), dot->GetRolloverSprite());
    hover(10, 10);
    EXPECT_EQ(dot->GetMode(), Dot::MODE_IDLE);
    EXPECT_EQ(dot->GetCurrentSprite(), dot->GetBaseSprite());
    // A locked dot sounds once on arrival too, not every frame.
    add(300, 100, 4, Dot::STATE_LOCKED);
    rolls = soundsPlayed("rollover_v1-2.ogg", [&] {
        hover(308, CY);
        frames(5);
    });
    EXPECT_EQ(rolls, 1);

    // The star's box: 24 x 24 at (x - 1, y - 28), centre (111, 84); the box
    // runs from 13 to 1 pixels above it.
    dots.clear();
    Dot* star = add(100, 100, 5, Dot::STATE_INCOMPLETE, Dot::MODE_IDLE, 0, 1);
    dot = star;
    EXPECT_EQ(star->GetSpriteX(), 99);
    EXPECT_EQ(star->GetSpriteY(), 72);
    EXPECT_TRUE(over(111, 71));
    EXPECT_FALSE(over(111, 70));
    EXPECT_TRUE(over(111, 83));
    EXPECT_FALSE(over(111, 84));
    EXPECT_TRUE(over(102, 80));
    EXPECT_FALSE(over(101, 80));
    star->Hide();
    EXPECT_FALSE(over(111, 80));
}

TEST_F(MapDot, TutorialModesFollowTheirState)
{
    Dot* lockedAppearing = add(100, 100, 1, Dot::STATE_LOCKED, Dot::MODE_STAR_APPEARING, 0, 1);
    EXPECT_EQ(lockedAppearing->GetMode(), Dot::MODE_APPEAR_PENDING);
    EXPECT_TRUE(lockedAppearing->IsWaiting());
    Dot* lockedSelected = add(150, 100, 2, Dot::STATE_LOCKED, Dot::MODE_SELECTED, 0, 1);
    EXPECT_EQ(lockedSelected->GetMode(), Dot::MODE_IDLE);
    EXPECT_FALSE(lockedSelected->IsWaiting());
    Dot* shrinking = add(200, 100, 3, Dot::STATE_COMPLETED, Dot::MODE_APPEARING, 0, 1);
    EXPECT_EQ(shrinking->GetMode(), Dot::MODE_IDLE);
    EXPECT_EQ(Dot::GetSelectedId(), -1);

    // A star that appears is the selected dot, and pulses when it is done.
    Dot* appearing = add(250, 100, 4, Dot::STATE_INCOMPLETE, Dot::MODE_STAR_APPEARING, 2, 1);
    EXPECT_EQ(Dot::GetSelectedId(), 4);
    EXPECT_EQ(appearing->GetCurrentSprite(), appearing->GetSecondStarSprite());
    int f = 0;
    while (appearing->GetMode() != Dot::MODE_SELECTED && f < 60) {
        frame();
        ++f;
    }
    EXPECT_EQ(appearing->GetMode(), Dot::MODE_SELECTED);
    EXPECT_EQ(appearing->GetCurrentSprite(), appearing->GetPulseSprite());
    EXPECT_TRUE(appearing->GetSecondStarSprite()->IsHidden());
    // Its wait ends within thirty frames of pulsing; the stars then turn.
    frames(31);
    EXPECT_FALSE(appearing->IsWaiting());
    EXPECT_FALSE(appearing->GetPulseSprite()->IsStopped());
}

TEST_F(MapDot, KeyboardStepsOverLockedDotsAndSelects)
{
    Dot* first = add(100, 100, 1, Dot::STATE_COMPLETED);
    add(150, 100, 2, Dot::STATE_LOCKED);
    Dot* third = add(200, 100, 3, Dot::STATE_INCOMPLETE);
    hover(10, 10);
    dialogtest::tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(lastCall(), "1,1,0");
    EXPECT_EQ(Dot::GetSelectedId(), 1);
    dialogtest::tapKey(SDLK_RIGHT);
    frame();
    EXPECT_EQ(lastCall(), "3,0,0"); // the locked dot was skipped
    EXPECT_EQ(Dot::GetSelectedId(), 3);
    EXPECT_EQ(getMouseX(), 208);
    // Return through the map: the focused dot activated from the keyboard
    // reports a double click.
    ASSERT_EQ(CGuiButtonBase::GetFocused(), third);
    EXPECT_TRUE(third->Activate(true, false));
    EXPECT_EQ(lastCall(), "3,0,1");
    // Without the focus a dot does not activate.
    EXPECT_FALSE(first->Activate(true, true));
}

TEST_F(MapDot, AFullSetOf125Dots)
{
    for (int i = 0; i < 125; ++i)
        add(20 + (i % 25) * 30, 60 + (i / 25) * 60, 1000 + i, i % 10 == 9 ? Dot::STATE_LOCKED : Dot::STATE_INCOMPLETE,
            Dot::MODE_APPEAR_PENDING, i);
    // The last one waits 125 frames before it grows.
    frames(125);
    EXPECT_EQ(dots[124]->GetMode(), Dot::MODE_APPEAR_PENDING);
    EXPECT_TRUE(dots[124]->GetGrowSprite()->IsStopped());
    EXPECT_EQ(dots[0]->GetMode(), Dot::MODE_IDLE);
    frames(12);
    for (auto& d : dots)
        ASSERT_EQ(d->GetMode(), Dot::MODE_IDLE);

    // Each dot answers at its own place; only one is ever selected.
    press(20 + 24 * 30 + 8, 60 + 4 * 60 + 8);
    EXPECT_EQ(lastCall(), "1124,0,0");
    frames(16);
    press(20 + 3 * 30 + 8, 60 + 8);
    EXPECT_EQ(lastCall(), "1003,0,0");
    press(20 + 9 * 30 + 8, 60 + 8);
    EXPECT_EQ(lastCall(), "1009,-1,0");
    frame();
    int selected = 0;
    for (auto& d : dots)
        selected += d->GetMode() == Dot::MODE_SELECTED ? 1 : 0;
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(Dot::GetSelectedId(), 1003);
    // Tab backwards from the first wraps round to the last dot.
    dialogtest::pushKey(SDLK_LSHIFT, true);
    CGuiButtonBase::SetFocusIndex(dots[0]->GetIndex());
    CGuiButtonBase::StepFocus(true);
    frame();
    EXPECT_EQ(Dot::GetSelectedId(), 1124);
    dialogtest::pushKey(SDLK_LSHIFT, false);
    // The selection goes when the dots go.
    dots.clear();
    EXPECT_EQ(Dot::GetSelectedId(), -1);
}
