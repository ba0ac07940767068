#include <gtest/gtest.h>

#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/DrawTestSupport.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "platform/SoundTestData.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiCheckbox.h"
#include "ui/CGuiCounter.h"
#include "ui/CGuiSlider.h"
#include "UiTestSupport.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using uitest::TestController;

namespace {

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

void pushKey(int sym)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = static_cast<SDLKey>(sym);
    SDL_PushEvent(&e);
}

void pushButton(bool down)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&e);
}

// A screen with the widget pictures preloaded, sound started on the dummy
// device (so plays are logged) and a current test controller that updates
// the widgets on every ordinary frame, as screens do.
class Widgets : public drawtest::DrawTest {
protected:
    void SetUp() override
    {
        drawtest::DrawTest::SetUp();
        preload({{"base.png", drawtest::png(40, 20, 200, 0, 0, 255)},
                 {"roll.png", drawtest::png(40, 20, 0, 200, 0, 255)},
                 {"click.png", drawtest::png(40, 20, 0, 0, 200, 255)},
                 {"shadow.png", drawtest::png(40, 20, 0, 0, 0, 128)},
                 {"text.png", drawtest::png(30, 10, 255, 255, 255, 255)},
                 {"disable.png", drawtest::png(40, 20, 90, 90, 90, 200)},
                 {"checkbox_base.png", drawtest::png(16, 16, 10, 10, 10, 255)},
                 {"checkbox_rollover.png", drawtest::png(16, 16, 20, 20, 20, 255)},
                 {"checkbox_basecheck.png", drawtest::png(16, 16, 30, 30, 30, 255)},
                 {"checkbox_rollovercheck.png", drawtest::png(16, 16, 40, 40, 40, 255)},
                 {"slider_shadow.png", drawtest::png(120, 12, 0, 0, 0, 100)},
                 {"slider_frame.png", drawtest::png(120, 12, 50, 50, 50, 255)},
                 {"slider_value.png", drawtest::png(114, 12, 0, 150, 0, 255)},
                 {"slider_greyout.png", drawtest::png(150, 12, 90, 90, 90, 200)},
                 {"counterdigitsA_faded.png", drawtest::png(13, 240, 255, 255, 255, 200)},
                 {"counterframe.png", drawtest::png(80, 30, 0, 0, 0, 255)}});
        uitest::resetUi();
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        // The three interface sounds, short tones.
        ResourceArchiveWriter sounds;
        for (const char* name : {"rollover_v1-2.ogg", "click_v1-2.ogg", "click_v1-3.ogg"})
            sounds.Add(name, soundtest::oggTone(880, 0.05, 0.3));
        ASSERT_TRUE(sounds.Write(m_dir.file("resource3.dat")));
        CSound::setLoadFromDirectory(false);
        CSound::init(true);
        CSound::loadSound();
        CSound::setEffectsVolume(0.5f);
        CController::LoadSounds();
        screen.onFrame = [] { CGuiButtonBase::UpdateAll(); };
        screen.Activate(nullptr);
        CController::PumpCurrent();
    }
    void TearDown() override
    {
        CController::UnloadSounds();
        CSound::shutdown();
        logInit(false);
        drawtest::DrawTest::TearDown();
    }

    void moveMouse(int x, int y)
    {
        setMouseX(x);
        setMouseY(y);
    }

    // Counts the rollover sounds played while f runs.
    template <typename F>
    int rolloverSounds(F f)
    {
        logCategoryOn(LOG_SOUND);
        CaptureStdout();
        f();
        std::string out = GetCapturedStdout();
        logCategoryOff(LOG_SOUND);
        return occurrences(out, "Attempting to play sound 'rollover_v1-2.ogg'");
    }

    CGuiButton* button(int x, int y, int widgetId, bool withClick = false, bool isDefault = false)
    {
        return new CGuiButton(x, y, widgetId, &screen, "base.png", "shadow.png", "roll.png",
                              withClick ? "click.png" : nullptr, isDefault, 3, 4);
    }

    TestController screen{CONTROLLER_OPTIONS};
};

} // namespace

TEST_F(Widgets, ButtonLooksAndRolloverSoundOncePerEntry)
{
    std::unique_ptr<CGuiButton> b(button(100, 100, 1));
    EXPECT_FALSE(b->GetBaseSprite()->IsHidden());
    EXPECT_FALSE(b->GetShadowSprite()->IsHidden());
    EXPECT_EQ(b->GetShadowSprite()->GetX(true), 103);
    EXPECT_TRUE(b->GetRolloverSprite()->IsHidden());
    EXPECT_EQ(b->GetCenterX(), 120);
    EXPECT_EQ(b->GetCenterY(), 110);

    int sounds = rolloverSounds([&] {
        moveMouse(10, 10);
        CGuiButtonBase::UpdateAll();
        moveMouse(110, 105); // enters
        CGuiButtonBase::UpdateAll();
        CGuiButtonBase::UpdateAll();
        moveMouse(139, 119); // still over it
        CGuiButtonBase::UpdateAll();
    });
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(CGuiButtonBase::GetFocusIndex(), b->GetIndex());
    EXPECT_TRUE(b->GetBaseSprite()->IsHidden());
    EXPECT_FALSE(b->GetRolloverSprite()->IsHidden());

    sounds = rolloverSounds([&] {
        moveMouse(300, 300); // leaves
        CGuiButtonBase::UpdateAll();
        moveMouse(101, 101); // enters again
        CGuiButtonBase::UpdateAll();
    });
    EXPECT_EQ(sounds, 1);
    moveMouse(300, 300);
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetFocusIndex(), -1);
    EXPECT_FALSE(b->GetBaseSprite()->IsHidden());
    EXPECT_TRUE(b->GetRolloverSprite()->IsHidden());
}

TEST_F(Widgets, OverlappingButtonsTheFirstRegisteredTakesTheFocus)
{
    std::unique_ptr<CGuiButton> first(button(100, 100, 1));
    std::unique_ptr<CGuiButton> second(button(120, 100, 2));
    moveMouse(130, 110);
    int sounds = rolloverSounds([] { CGuiButtonBase::UpdateAll(); });
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), first.get());
    EXPECT_FALSE(second->GetBaseSprite()->IsHidden());
    EXPECT_TRUE(second->GetRolloverSprite()->IsHidden());
}

TEST_F(Widgets, KeyboardFocusWarpsTheMouseOntoTheButton)
{
    std::unique_ptr<CGuiButton> a(button(100, 100, 1));
    std::unique_ptr<CGuiButton> b(button(300, 200, 2));
    moveMouse(5, 5);
    pushKey(SDLK_TAB);
    CController::PumpCurrent(); // Tab, then the motion of the warp
    EXPECT_EQ(getMouseX(), 120);
    EXPECT_EQ(getMouseY(), 110);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), a.get());
    pushKey(SDLK_DOWN);
    CController::PumpCurrent();
    EXPECT_EQ(getMouseX(), 320);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), b.get());

    // With relative motion the position is set at once and the pushed
    // motion moves it one speed step further.
    setMouseCaptured(0);
    setMouseSpeed(1.0f);
    pushKey(SDLK_UP);
    CController::PumpCurrent();
    EXPECT_EQ(getMouseX(), 121);
    EXPECT_EQ(getMouseY(), 111);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), a.get());
}

TEST_F(Widgets, SpaceAndReturnActivateTheFocusedOrTheDefaultButton)
{
    std::unique_ptr<CGuiButton> a(button(100, 100, 11));
    std::unique_ptr<CGuiButton> def(button(300, 100, 12, false, true));
    moveMouse(500, 500);
    pushKey(SDLK_RETURN);
    CController::PumpCurrent();
    ASSERT_EQ(screen.callbacks.size(), 1u);
    EXPECT_EQ(screen.callbacks[0].index, 12);

    moveMouse(110, 110);
    CGuiButtonBase::UpdateAll();
    pushKey(SDLK_SPACE);
    CController::PumpCurrent();
    ASSERT_EQ(screen.callbacks.size(), 2u);
    EXPECT_EQ(screen.callbacks[1].index, 11);

    // A hidden default is no default.
    def->Hide();
    moveMouse(500, 500);
    CGuiButtonBase::UpdateAll();
    pushKey(SDLK_RETURN);
    CController::PumpCurrent();
    EXPECT_EQ(screen.callbacks.size(), 2u);
}

TEST_F(Widgets, ClickActivatesOnReleaseOverTheButtonOnly)
{
    std::unique_ptr<CGuiButton> b(button(100, 100, 5));
    b->SetText("text.png", 5, 5, 1, 0, 2, 2);
    moveMouse(110, 110);
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(b->GetTextSprite()->GetX(false), 106); // rollover offset

    pushButton(true);
    CController::PumpCurrent();
    // Held without a click image: the rollover shifted by 2, the text at
    // its pressed offset.
    EXPECT_EQ(b->GetRolloverSprite()->GetX(false), 102);
    EXPECT_EQ(b->GetRolloverSprite()->GetY(false), 102);
    EXPECT_EQ(b->GetTextSprite()->GetX(false), 107);
    EXPECT_EQ(b->GetTextSprite()->GetY(false), 107);
    EXPECT_TRUE(screen.callbacks.empty());
    pushButton(false);
    CController::PumpCurrent();
    ASSERT_EQ(screen.callbacks.size(), 1u);
    EXPECT_EQ(screen.callbacks[0].index, 5);
    EXPECT_EQ(b->GetTextSprite()->GetX(false), 106);

    // Pressed over it, released elsewhere.
    pushButton(true);
    CController::PumpCurrent();
    moveMouse(400, 400);
    CGuiButtonBase::UpdateAll();
    pushButton(false);
    CController::PumpCurrent();
    EXPECT_EQ(screen.callbacks.size(), 1u);
    EXPECT_EQ(b->GetTextSprite()->GetX(false), 105); // normal offset
}

TEST_F(Widgets, ClickImageReplacesTheRolloverWhileHeld)
{
    std::unique_ptr<CGuiButton> b(button(100, 100, 5, true));
    moveMouse(110, 110);
    CGuiButtonBase::UpdateAll();
    pushButton(true);
    CController::PumpCurrent();
    EXPECT_TRUE(b->GetRolloverSprite()->IsHidden());
    EXPECT_FALSE(b->GetClickSprite()->IsHidden());
    // No new rollover sound while the click picture is up.
    EXPECT_EQ(rolloverSounds([] { CGuiButtonBase::UpdateAll(); }), 0);
    pushButton(false);
    CController::PumpCurrent();
    EXPECT_TRUE(b->GetClickSprite()->IsHidden());
    EXPECT_FALSE(b->GetRolloverSprite()->IsHidden());
}

TEST_F(Widgets, DisabledButtonStaysVisibleAndIgnoresThePointer)
{
    std::unique_ptr<CGuiButton> b(button(100, 100, 5, false, true));
    b->SetText("text.png", 5, 5, 0, 0, 0, 0);
    b->SetDisableImage("disable.png", 0, 0);
    EXPECT_TRUE(b->GetDisableSprite()->IsHidden());
    b->Disable();
    EXPECT_FALSE(b->GetBaseSprite()->IsHidden());
    EXPECT_FALSE(b->GetShadowSprite()->IsHidden());
    EXPECT_FALSE(b->GetTextSprite()->IsHidden());
    EXPECT_FALSE(b->GetDisableSprite()->IsHidden());
    EXPECT_TRUE(b->IsHidden());

    moveMouse(110, 110);
    EXPECT_EQ(rolloverSounds([] { CGuiButtonBase::UpdateAll(); }), 0);
    EXPECT_EQ(CGuiButtonBase::GetFocusIndex(), -1);
    pushKey(SDLK_RETURN); // not a default while disabled
    pushButton(true);
    pushButton(false);
    CController::PumpCurrent();
    EXPECT_TRUE(screen.callbacks.empty());
    b->Show(); // stays disabled
    EXPECT_TRUE(b->IsHidden());

    b->Enable();
    EXPECT_FALSE(b->IsHidden());
    EXPECT_TRUE(b->GetDisableSprite()->IsHidden());
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), b.get());
}

TEST_F(Widgets, ButtonMovesAndSwapsPictures)
{
    std::unique_ptr<CGuiButton> b(button(100, 100, 5));
    b->SetText("text.png", 5, 6, 0, 0, 0, 0);
    b->SetDisableImage("disable.png", -2, -3);
    b->SetPosition(200, 50);
    EXPECT_EQ(b->GetBaseSprite()->GetX(false), 200);
    EXPECT_EQ(b->GetRolloverSprite()->GetY(false), 50);
    EXPECT_EQ(b->GetShadowSprite()->GetX(false), 203);
    EXPECT_EQ(b->GetShadowSprite()->GetY(false), 54);
    EXPECT_EQ(b->GetTextSprite()->GetX(false), 205);
    EXPECT_EQ(b->GetDisableSprite()->GetY(false), 47);
    b->SetBaseImage("click.png");
    EXPECT_EQ(b->GetBaseSprite()->GetX(false), 200);
    EXPECT_FALSE(b->GetBaseSprite()->IsHidden());
    b->SetText(nullptr, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(b->GetTextSprite(), nullptr);
    size_t sprites = CSprite::GetAllSprites().size();
    b.reset();
    EXPECT_EQ(CSprite::GetAllSprites().size(), sprites - 4);
}

TEST_F(Widgets, CheckboxFlipsAndReportsItsState)
{
    CGuiCheckbox box(50, 50, 9, &screen);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_FALSE(box.GetBaseSprite(true)->IsHidden());
    EXPECT_TRUE(box.GetBaseSprite(false)->IsHidden());

    moveMouse(55, 55);
    EXPECT_EQ(rolloverSounds([] { CGuiButtonBase::UpdateAll(); }), 1);
    EXPECT_FALSE(box.GetRolloverSprite(true)->IsHidden());
    for (int i = 0; i < 2; ++i) {
        pushButton(true);
        pushButton(false);
        CController::PumpCurrent();
    }
    ASSERT_EQ(screen.callbacks.size(), 2u);
    EXPECT_EQ(screen.callbacks[0].index, 9);
    EXPECT_EQ(screen.callbacks[0].value, 0);
    EXPECT_EQ(screen.callbacks[1].value, 1);
    EXPECT_TRUE(box.IsChecked());

    box.SetChecked(false);
    EXPECT_FALSE(box.GetBaseSprite(false)->IsHidden());
    EXPECT_TRUE(box.GetBaseSprite(true)->IsHidden());
    EXPECT_TRUE(box.GetRolloverSprite(false)->IsHidden());
    box.Hide();
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetFocusIndex(), -1);
}

TEST_F(Widgets, SliderStepsFrom0To11)
{
    CGuiSlider slider(200, 300);
    int full = slider.GetValueSprite()->GetWidth(true);
    EXPECT_EQ(slider.GetValue(), 11);
    EXPECT_EQ(slider.GetValueSprite()->GetWidth(false), full);
    slider.Increment();
    EXPECT_EQ(slider.GetValue(), 11);
    slider.SetValue(10);
    EXPECT_EQ(slider.GetValueSprite()->GetWidth(false), 102);
    slider.SetValue(1);
    EXPECT_EQ(slider.GetValueSprite()->GetWidth(false), 12);
    slider.Decrement();
    EXPECT_EQ(slider.GetValue(), 0);
    EXPECT_EQ(slider.GetValueSprite()->GetWidth(false), 0);
    slider.Decrement();
    EXPECT_EQ(slider.GetValue(), 0);
    for (int v = 1; v <= 11; ++v) {
        slider.Increment();
        EXPECT_EQ(slider.GetValue(), v);
        EXPECT_EQ(slider.GetValueSprite()->GetWidth(false), CGuiSlider::BarWidth(v, full));
    }

    EXPECT_TRUE(slider.GetGreyOutSprite()->IsHidden());
    EXPECT_EQ(slider.GetGreyOutSprite()->GetX(false), 182);
    slider.SetDisabled(true);
    EXPECT_FALSE(slider.GetGreyOutSprite()->IsHidden());
    slider.Decrement();
    EXPECT_EQ(slider.GetValue(), 11);
    slider.SetDisabled(false);
    slider.Decrement();
    EXPECT_EQ(slider.GetValue(), 10);
}

namespace {
// Ticks the counter until it shows its target (at most 100 ticks); the
// change of the shown position at each tick.
std::vector<int> rollSteps(CGuiCounter& counter)
{
    std::vector<int> steps;
    int last = counter.GetValue(true);
    for (int ticks = 0; counter.GetValue(true) != counter.GetValue(false) * 20 && ticks < 100; ++ticks) {
        counter.Tick();
        steps.push_back(counter.GetValue(true) - last);
        last = counter.GetValue(true);
    }
    return steps;
}
} // namespace

TEST_F(Widgets, CounterRollsToItsTarget)
{
    CGuiCounter counter(600, 10, 5, "counterframe.png", -4, -5);
    EXPECT_EQ(counter.GetFrameSprite()->GetX(false), 596);
    EXPECT_EQ(counter.GetDigitSprite(4)->GetX(false), 600 + 4 * 13);
    EXPECT_EQ(counter.GetDigitSprite(0)->GetHeight(false), 20);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(counter.GetDigitSprite(i)->GetClipY(), 0) << i;
    EXPECT_EQ(counter.GetDigitSprite(4)->GetClipY(), 200);

    counter.SetValue(3);
    EXPECT_EQ(counter.GetValue(false), 3);
    EXPECT_EQ(counter.GetValue(true), 0);
    std::vector<int> steps = rollSteps(counter);
    ASSERT_EQ(steps.size(), 49u);
    EXPECT_EQ(steps[0], 3);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(steps[i], 2) << i;
    for (int i = 10; i < 49; ++i)
        EXPECT_EQ(steps[i], 1) << i;
    EXPECT_EQ(counter.GetDigitSprite(4)->GetClipY(), 60);
    counter.Tick(); // at the target nothing moves
    EXPECT_EQ(counter.GetValue(true), 60);

    counter.SetValue(123456);
    EXPECT_EQ(counter.GetValue(false), 99999);

    // 10: the tens digit shows 1, the units digit the 0 at the strip's end.
    counter.SetValue(10);
    for (int i = 0; i < 200; ++i)
        counter.Tick();
    EXPECT_EQ(counter.GetValue(true), 200);
    EXPECT_EQ(counter.GetDigitSprite(3)->GetClipY(), 20);
    EXPECT_EQ(counter.GetDigitSprite(4)->GetClipY(), 200);
    EXPECT_EQ(counter.GetDigitSprite(2)->GetClipY(), 0);

    counter.Hide();
    EXPECT_TRUE(counter.GetFrameSprite()->IsHidden());
    EXPECT_TRUE(counter.GetDigitSprite(2)->IsHidden());
    counter.Show();
    EXPECT_FALSE(counter.GetDigitSprite(2)->IsHidden());
}

TEST_F(Widgets, CounterRollsBackDownToZeroAsAfterARestart)
{
    CGuiCounter counter(600, 10, 5, nullptr, 0, 0);
    counter.SetValue(3);
    for (int i = 0; i < 100; ++i)
        counter.Tick();
    ASSERT_EQ(counter.GetValue(true), 60);
    // Down the same way up went: one step of 3, nine of 2, then steps of 1.
    counter.SetValue(0);
    std::vector<int> steps = rollSteps(counter);
    ASSERT_EQ(steps.size(), 49u);
    EXPECT_EQ(steps[0], -3);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(steps[i], -2) << i;
    for (int i = 10; i < 49; ++i)
        EXPECT_EQ(steps[i], -1) << i;
    // Back at 0 the digits show what a new counter shows.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(counter.GetDigitSprite(i)->GetClipY(), 0) << i;
    EXPECT_EQ(counter.GetDigitSprite(4)->GetClipY(), 200);
    counter.Tick();
    EXPECT_EQ(counter.GetValue(true), 0);
}

TEST_F(Widgets, CounterDragsTheNextDigitWhileTheUnitsRollOver)
{
    CGuiCounter counter(0, 0, 2, nullptr, 0, 0);
    EXPECT_EQ(counter.GetFrameSprite(), nullptr);
    counter.SetValue(9);
    for (int i = 0; i < 300; ++i)
        counter.Tick();
    ASSERT_EQ(counter.GetValue(true), 180);
    EXPECT_EQ(counter.GetDigitSprite(0)->GetClipY(), 0);
    EXPECT_EQ(counter.GetDigitSprite(1)->GetClipY(), 180);
    // Halfway from 9 to 10 both digits are half-way through their roll.
    counter.SetValue(10);
    while (counter.GetValue(true) < 190)
        counter.Tick();
    int s = counter.GetValue(true);
    EXPECT_EQ(counter.GetDigitSprite(1)->GetClipY(), s);
    EXPECT_EQ(counter.GetDigitSprite(0)->GetClipY(), s - 180);
}
