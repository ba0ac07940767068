#include <gtest/gtest.h>

#include "engine/CSprite.h"
#include "engine/DrawTestSupport.h"
#include "engine/Log.h"
#include "screens/CControllerIntro.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

Uint32 g_ticks = 0;
Uint32 fakeTicks() { return g_ticks; }

// Stands in for the main menu, which needs the built pictures.
class FakeMenu : public CController {
public:
    FakeMenu() { id = CONTROLLER_MAIN; }
    void Pump() override
    {
        if (GetPreviousId() != id) {
            SetPreviousId(id);
            return;
        }
        PollInput();
    }
    void InputKey(bool released, int key) override { InputNavigationKey(released, key, true, true); }
};
int g_menusMade = 0;
CController* makeFakeMenu()
{
    ++g_menusMade;
    return new FakeMenu();
}

void pushEvent(Uint8 type, int value = 0)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        e.key.keysym.sym = static_cast<SDLKey>(value);
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
        e.button.button = static_cast<Uint8>(value);
    SDL_PushEvent(&e);
}

// A screen in a folder that holds the built splash screens, and the intro
// as the root controller on a clock of the test's own.
class Intro : public drawtest::DrawTest {
protected:
    void SetUp() override
    {
        for (const char* name : {"resource9.dat", "resource10.dat", "resource11.dat"})
            testsupport::writeFile(m_dir.file(name), testsupport::readFile(testsupport::runDir() + "/" + name));
        drawtest::DrawTest::SetUp();
        CController::ResetStack();
        CGuiButtonBase::ChangeMouseHeld(1, false);
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        g_ticks = 1000;
        CControllerIntro::SetTickSource(fakeTicks);
        CControllerIntro::SetMenuFactory(makeFakeMenu);
        g_menusMade = 0;
        CSprite::SetTickSource(fakeTicks);
        spritesBefore = CSprite::GetAllSprites().size();
        intro.reset(new CControllerIntro());
        intro->Activate(nullptr);
    }
    void TearDown() override
    {
        intro.reset();
        CControllerIntro::SetTickSource(nullptr);
        CControllerIntro::SetMenuFactory(nullptr);
        CSprite::SetTickSource(nullptr);
        CDraw::SetScreenUpdatesSuspended(0);
        drawtest::DrawTest::TearDown();
    }

    // One frame at the given time.
    void frameAt(Uint32 t)
    {
        g_ticks = t;
        CController::PumpCurrent();
        CSprite::UpdateAll();
    }

    bool logoVisible(int i) { return !intro->GetLogoSprite(i)->IsHidden(); }

    size_t spritesBefore = 0;
    std::unique_ptr<CControllerIntro> intro;
};

} // namespace

TEST_F(Intro, ShowsTheSplashesOneAfterAnotherFromItsFirstFrame)
{
    EXPECT_EQ(intro->GetId(), CONTROLLER_INTRO);
    EXPECT_EQ(intro->GetShownLogo(), -1);
    for (int i = 0; i < CControllerIntro::LOGO_COUNT; ++i) {
        ASSERT_NE(intro->GetLogoSprite(i), nullptr);
        EXPECT_TRUE(intro->GetLogoSprite(i)->IsHidden());
        EXPECT_EQ(intro->GetLogoSprite(i)->GetWidth(true), 800);
        EXPECT_EQ(intro->GetLogoSprite(i)->GetHeight(true), 600);
    }

    frameAt(5000); // the first frame takes the start time
    EXPECT_TRUE(intro->HasStarted());
    EXPECT_EQ(intro->GetStartTime(), 5000u);
    EXPECT_EQ(intro->GetShownLogo(), 0);
    EXPECT_TRUE(logoVisible(0));
    EXPECT_TRUE(intro->GetLogoSprite(0)->IsFading());

    const Uint32 hold = CControllerIntro::FADE_MS + CControllerIntro::HOLD_MS;
    frameAt(5000 + CControllerIntro::FADE_MS);
    EXPECT_FALSE(intro->GetLogoSprite(0)->IsFading());
    frameAt(5000 + hold - 1);
    EXPECT_EQ(intro->GetShownLogo(), 0);
    EXPECT_FALSE(intro->GetLogoSprite(0)->IsFading());
    frameAt(5000 + hold);
    EXPECT_TRUE(intro->GetLogoSprite(0)->IsFading()); // fading out
    frameAt(5000 + hold + CControllerIntro::FADE_MS);
    EXPECT_EQ(intro->GetShownLogo(), 1);
    EXPECT_FALSE(logoVisible(0));
    EXPECT_TRUE(logoVisible(1));

    Uint32 second = 5000 + hold + CControllerIntro::FADE_MS;
    frameAt(second + hold);
    frameAt(second + hold + CControllerIntro::FADE_MS);
    EXPECT_EQ(intro->GetShownLogo(), 2);
    // The last one holds, then the main menu opens over it.
    Uint32 third = second + hold + CControllerIntro::FADE_MS;
    frameAt(third + hold - 1);
    EXPECT_EQ(intro->GetMenu(), nullptr);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_INTRO);
    frameAt(third + hold);
    ASSERT_NE(intro->GetMenu(), nullptr);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    EXPECT_TRUE(intro->GetLogoSprite(2)->IsHidden());
    EXPECT_EQ(g_menusMade, 1);
    EXPECT_TRUE(CController::IsRunning());
}

TEST_F(Intro, ASecondKeyOpensTheMenuAndClosingTheMenuEndsTheProgram)
{
    frameAt(1000);
    pushEvent(SDL_KEYDOWN, 'a');
    frameAt(1100);
    EXPECT_EQ(intro->GetShownLogo(), 2);
    EXPECT_EQ(intro->GetMenu(), nullptr);
    pushEvent(SDL_KEYDOWN, 'a');
    frameAt(1200);
    ASSERT_NE(intro->GetMenu(), nullptr);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    frameAt(1250); // the menu's first frame
    // Keys go to the menu now; Escape closes it (exit code 1).
    pushEvent(SDL_KEYDOWN, SDLK_ESCAPE);
    frameAt(1300);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_INTRO);
    EXPECT_TRUE(CController::IsRunning());
    frameAt(1400); // the intro deletes the menu and leaves
    EXPECT_EQ(intro->GetMenu(), nullptr);
    frameAt(1500);
    EXPECT_FALSE(CController::IsRunning());
    EXPECT_EQ(g_menusMade, 1);
}

TEST_F(Intro, AKeyOrAClickSkipsToTheLastSplash)
{
    frameAt(1000);
    frameAt(1100);
    pushEvent(SDL_KEYDOWN, SDLK_ESCAPE);
    frameAt(1200);
    EXPECT_EQ(intro->GetShownLogo(), 2);
    EXPECT_FALSE(logoVisible(0));
    EXPECT_TRUE(logoVisible(2));
    EXPECT_FALSE(intro->GetLogoSprite(2)->IsFading());
    EXPECT_TRUE(CController::IsRunning()); // Escape does not end the program
    EXPECT_EQ(intro->GetExitCode(), 0);
}

TEST_F(Intro, AClickSkipsToo)
{
    frameAt(1000);
    pushEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    frameAt(1100);
    EXPECT_EQ(intro->GetShownLogo(), 2);
    EXPECT_TRUE(logoVisible(2));
}

TEST_F(Intro, ClosingTheWindowEndsTheProgram)
{
    frameAt(1000);
    pushEvent(SDL_QUIT);
    frameAt(1100);
    EXPECT_FALSE(CController::IsRunning());
}

TEST_F(Intro, AWindowClosedAsTheLastSplashEndsStillEndsTheProgram)
{
    frameAt(1000);
    pushEvent(SDL_KEYDOWN, 'a'); // to the last splash
    frameAt(1100);
    ASSERT_EQ(intro->GetShownLogo(), 2);
    // The close comes in the frame in which the splash's time is up.
    pushEvent(SDL_QUIT);
    frameAt(100000);
    EXPECT_EQ(intro->GetMenu(), nullptr) << "no menu opened over the close";
    EXPECT_FALSE(CController::IsRunning());
}

TEST_F(Intro, DestructorLogsAndFreesItsSprites)
{
    frameAt(1000);
    EXPECT_GT(CSprite::GetAllSprites().size(), spritesBefore);
    EXPECT_GE(CDraw::FindImageId("resource9.dat"), 0);
    logCategoryOn(LOG_DESTRUCT);
    CaptureStdout();
    intro.reset();
    std::string out = GetCapturedStdout();
    logCategoryOff(LOG_DESTRUCT);
    EXPECT_NE(out.find("CControllerIntro:  Destroying CControllerIntro...\n"), std::string::npos);
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore);
    EXPECT_EQ(CDraw::FindImageId("resource9.dat"), -1);
    EXPECT_EQ(CDraw::FindImageId("resource11.dat"), -1);
}

TEST_F(Intro, MissingSplashFilesAreSkipped)
{
    intro.reset();
    CController::ResetStack();
    remove(m_dir.file("resource9.dat").c_str());
    remove(m_dir.file("resource11.dat").c_str());
    intro.reset(new CControllerIntro());
    intro->Activate(nullptr);
    EXPECT_EQ(intro->GetLogoSprite(0), nullptr);
    EXPECT_EQ(intro->GetLogoSprite(2), nullptr);
    frameAt(1000);
    EXPECT_EQ(intro->GetShownLogo(), 1);
    pushEvent(SDL_KEYDOWN, 'a');
    frameAt(1100);
    EXPECT_EQ(intro->GetShownLogo(), 1);
    EXPECT_TRUE(logoVisible(1));
}
