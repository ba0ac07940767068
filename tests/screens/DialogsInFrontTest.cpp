// Every dialog that a screen opens is wholly in front of that screen: the
// dialog's own pixels on show are the very pixels of the same dialog drawn
// alone over a plain picture. A dialog's own pixels are those that come out
// the same over a black and over a white picture (its panel, texts and
// buttons; not the dimmed surroundings). Around the dialog the screen stays
// in view, dimmed, and when the dialog closes the screen comes back whole.
//
// The same checks run headless and in a real window under Xvfb (ctest
// DialogsInFrontInRealWindow), where the pixels are read back from the X
// server. With DIALOG_SHOTS set to a folder, each dialog over its screen is
// saved there as a BMP file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/stat.h>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "profile/CProfile.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerManager.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerOptionsControls.h"
#include "screens/CControllerOptionsPassword.h"
#include "screens/CControllerProfiles.h"
#include "screens/CControllerScoreboard.h"
#include "screens/ScreenTestSupport.h"
#include "screens/ShownPixels.h"
#include "test_support.h"
#include "ui/CControllerMessage.h"
#include "ui/CControllerPassword.h"
#include "ui/CControllerProfileName.h"
#include "ui/CGuiButton.h"
#include "engine/Input.h"
#include "play/CControllerGame.h"
#include "play/CControllerInGame.h"
#include "level/Level.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"

using namespace screentest;

namespace {

// Frames the dialog runs before it is looked at: its first frame puts the
// keyboard focus on its start widget, the next ones show it.
const int kDialogFrames = 4;
const char* const kBackdrop = "test_backdrop";

class DialogsInFront : public ScreenTest {
protected:
    void TearDown() override
    {
        delete backdrop;
        backdrop = nullptr;
        if (CDraw::FindImageRecord(kBackdrop))
            CDraw::ReleaseImageByName(kBackdrop);
        ScreenTest::TearDown();
    }

    // The dialog alone over a plain picture of one colour.
    Picture alone(const std::function<CController*()>& makeDialog, Uint8 grey)
    {
        delete backdrop;
        backdrop = nullptr;
        if (CDraw::FindImageRecord(kBackdrop))
            CDraw::ReleaseImageByName(kBackdrop);
        int image = CDraw::CreateImage(800, 600, kBackdrop);
        SDL_Surface* s = CDraw::GetImageSurface(image);
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, grey, grey, grey, 255));
        backdrop = makeWidgetSprite(kBackdrop, 1100, "Test Backdrop", 0, 0, true);
        frame();
        noteKeyboardUse();
        holder->launch(makeDialog());
        frame(kDialogFrames);
        Picture p = shownPicture();
        // Escape closes every dialog (Cancel, or OK where it is alone).
        press(SDLK_ESCAPE);
        frame(2);
        EXPECT_TRUE(closed());
        delete backdrop;
        backdrop = nullptr;
        frame();
        return p;
    }

    // Checks the dialog on show (opened over its screen) against the same
    // dialog alone. name names the case and the saved picture.
    void expectInFront(const std::string& name, int dialogId, const std::function<CController*()>& makeDialog)
    {
        ASSERT_EQ(CController::GetCurrentId(), dialogId) << name << ": the dialog did not open";
        const char* video = getenv("BRAMBLECOT_TEST_VIDEO");
        if (video && std::string(video) == "x11") {
            ASSERT_TRUE(inRealWindow()) << name << ": asked for a real window, but there is none";
        }
        frame(kDialogFrames);
        Picture over = shownPicture();
        if (const char* folder = getenv("DIALOG_SHOTS"))
            savePicture(over, std::string(folder) + "/" + name + ".bmp");
        // Close it and the screen beneath: the dialog alone needs the stack
        // to itself.
        closeAll();

        Picture black = alone(makeDialog, 0);
        Picture white = alone(makeDialog, 255);
        long own = 0;
        long wrong = 0;
        long screenShown = 0;
        for (size_t i = 0; i < over.pixels.size(); ++i) {
            if (black.pixels[i] == white.pixels[i]) {
                ++own;
                if (over.pixels[i] != black.pixels[i])
                    ++wrong;
            } else if (over.pixels[i] != black.pixels[i] && over.pixels[i] != white.pixels[i]) {
                ++screenShown;
            }
        }
        // A dialog panel is at least 200 x 100 pixels.
        EXPECT_GT(own, 20000) << name << ": the dialog drew too little of its own";
        EXPECT_EQ(wrong, 0) << name << ": " << wrong << " of the dialog's " << own
                            << " pixels are covered by something else";
        // Around the dialog the screen is in view, dimmed.
        EXPECT_GT(screenShown, 50000) << name << ": the screen is not in view behind the dialog";
    }

    // Closes whatever is open above the holder, a frame at a time.
    void closeAll()
    {
        for (int i = 0; i < 12 && CController::GetCurrentController() != holder; ++i) {
            CController* c = CController::GetCurrentController();
            c->SetExitCode(1);
            frame(2);
        }
        EXPECT_EQ(CController::GetCurrentController(), holder);
    }

    // The screen before the dialog opened and after it closed: the same.
    void expectScreenBackWhole(const Picture& before, const std::string& name)
    {
        Picture after = shownPicture();
        long differ = 0;
        for (size_t i = 0; i < before.pixels.size(); ++i)
            differ += before.pixels[i] != after.pixels[i] ? 1 : 0;
        // The focused button may light up differently; nothing more.
        EXPECT_LT(differ, 6000) << name << ": the screen did not come back as it was";
    }

    void saveLevel(const char* name, const char* heading) { saveTestLevel(name, heading); }

    // The profile folder becomes a plain file: nothing can be saved.
    void makeProfileFolderUnwritable()
    {
        std::string folder = profileDir;
        while (!folder.empty() && folder.back() == '/')
            folder.pop_back();
        ASSERT_EQ(rename(folder.c_str(), (folder + ".moved").c_str()), 0);
        testsupport::writeFile(folder, "not a folder");
    }

    CSprite* backdrop = nullptr;
};

CController* message(int title, int body, bool cancel, const char* parameter)
{
    return new CControllerMessage(title, body, cancel, parameter);
}

} // namespace

TEST_F(DialogsInFront, LevelManagerDeleteAndDamagedNotice)
{
    saveLevel("alpha", "The First");
    testsupport::writeFile(levelsDir + "broken.lvl", std::string("\x04\x20\x20\x08 short", 9));
    noteKeyboardUse();
    CControllerManager* m = open(new CControllerManager());
    frame(3);
    Picture before = shownPicture();
    press(127); // Delete: "alpha", the first row
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame(kDialogFrames);
    press(SDLK_ESCAPE); // Cancel
    frame(3);
    ASSERT_EQ(CController::GetCurrentController(), m);
    expectScreenBackWhole(before, "manager");

    press(127);
    expectInFront("manager-delete", CONTROLLER_MESSAGE, [] { return message(6031, 6051, true, "alpha"); });

    noteKeyboardUse();
    m = open(new CControllerManager());
    frame(2);
    press(SDLK_DOWN); // "broken"
    press(SDLK_RETURN);
    expectInFront("manager-damaged", CONTROLLER_MESSAGE, [] { return message(6030, 6050, false, "broken"); });
}

TEST_F(DialogsInFront, ProfileNoticesOverTheMainMenuTheProfilesAndTheLevelManager)
{
    // Each of these screens tells, as it comes up, what was found wrong with
    // the profile files: here the current profile's damaged file, kept aside.
    const struct {
        const char* name;
        std::function<CController*()> make;
    } screens[] = {{"main-menu-profile-notice", [] { return new CControllerMain(); }},
                   {"profiles-profile-notice", [] { return new CControllerProfiles(); }},
                   {"manager-profile-notice", [] { return new CControllerManager(); }}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.name);
        testsupport::writeFile(CProfileBase::ProfileFileName(1), "BPPR damaged");
        makeProfile();
        noteKeyboardUse();
        open(screen.make());
        frame();
        expectInFront(screen.name, CONTROLLER_MESSAGE, [] { return message(6030, 6063, false, "Player"); });
        EXPECT_FALSE(profile->HasNotice());
    }
}

TEST_F(DialogsInFront, ControlsKeyAlreadyInUse)
{
    noteKeyboardUse();
    CControllerOptionsControls* c = open(new CControllerOptionsControls());
    frame(2);
    c->GUICallback(CControllerOptionsControls::ACTION_RESTART, 0, false);
    frame();
    press(profile->GetKey(CControllerOptionsControls::ACTION_UNDO));
    expectInFront("controls-key-taken", CONTROLLER_MESSAGE, [] { return message(6030, 6054, false, "Undo"); });
}

TEST_F(DialogsInFront, SettingsThatCannotBeSaved)
{
    makeProfileFolderUnwritable();
    noteKeyboardUse();
    open(new CControllerOptions());
    frame(2);
    press(SDLK_ESCAPE); // leaving saves
    expectInFront("settings-not-saved", CONTROLLER_MESSAGE, [] { return message(6030, 6040, false, nullptr); });
}

TEST_F(DialogsInFront, PasswordScreenAsksAndTellsWhenItCannotSave)
{
    profile->SetPassword("pw");
    noteKeyboardUse();
    open(new CControllerOptionsPassword()); // asks at once
    expectInFront("password-locked", CONTROLLER_PASSWORD, [] { return new CControllerPassword("pw"); });

    profile->SetPassword("");
    makeProfileFolderUnwritable();
    noteKeyboardUse();
    open(new CControllerOptionsPassword());
    frame(2);
    press(SDLK_a);
    press(SDLK_RETURN);
    expectInFront("password-not-saved", CONTROLLER_MESSAGE, [] { return message(6030, 6040, false, nullptr); });
}

TEST_F(DialogsInFront, ProfilesNameDeletePasswordAndNotices)
{
    noteKeyboardUse();
    CControllerProfiles* p = open(new CControllerProfiles());
    frame(2);
    p->GUICallback(CControllerProfiles::BUTTON_DELETE, 0, false);
    frame();
    expectInFront("profiles-last-one", CONTROLLER_MESSAGE, [] { return message(6030, 6048, false, nullptr); });

    noteKeyboardUse();
    p = open(new CControllerProfiles());
    frame(2);
    p->GUICallback(CControllerProfiles::BUTTON_NEW, 0, false);
    frame();
    expectInFront("profiles-new-name", CONTROLLER_TEXT_ENTRY, [] { return new CControllerProfileName(); });

    // A second profile, locked.
    ASSERT_GT(profile->AddProfile("Bo"), 0);
    profile->SetPassword("pw");
    ASSERT_TRUE(profile->Save());
    ASSERT_TRUE(profile->SelectProfile(1));
    noteKeyboardUse();
    p = open(new CControllerProfiles());
    frame(2);
    p->Choose(2);
    frame();
    expectInFront("profiles-password", CONTROLLER_PASSWORD, [] { return new CControllerPassword("pw"); });

    noteKeyboardUse();
    p = open(new CControllerProfiles());
    frame(2);
    std::string name = profile->GetProfileName();
    p->GUICallback(CControllerProfiles::BUTTON_DELETE, 0, false);
    frame();
    expectInFront("profiles-delete", CONTROLLER_MESSAGE,
                  [name] { return message(6031, 6047, true, name.c_str()); });

    // A refused name: the notice opens once the name dialog is gone.
    noteKeyboardUse();
    p = open(new CControllerProfiles());
    frame(2);
    p->GUICallback(CControllerProfiles::BUTTON_NEW, 0, false);
    frame(2);
    for (int key : {SDLK_b, SDLK_o})
        press(key);
    press(SDLK_RETURN); // "bo": the name is taken
    frame();
    expectInFront("profiles-name-taken", CONTROLLER_MESSAGE, [] { return message(6030, 6044, false, nullptr); });
}

TEST_F(DialogsInFront, PostLevelAsksForThePassword)
{
    profile->SetPassword("pw");
    // A level that is no tutorial: those show their solution unasked.
    int level = 0;
    while (CLevelSet::isTutorialLevel(0, level))
        ++level;
    profile->SetCurrentSet(0);
    profile->SetCurrentLevel(level);
    noteKeyboardUse();
    CControllerScoreboard* s = open(new CControllerScoreboard(CControllerScoreboard::TYPE_FAILED, false));
    frame(2);
    s->GUICallback(CControllerScoreboard::BUTTON_SOLUTION, 0, false);
    frame();
    expectInFront("post-level-password", CONTROLLER_PASSWORD, [] { return new CControllerPassword("pw"); });
}

TEST_F(DialogsInFront, OverThePauseMenuAndTheScreensItOpens)
{
    // A level played from the level manager: its pause menu and the screens
    // it opens lie over the board's still picture, so a dialog they open
    // comes over a picture of their own.
    saveLevel("alpha", "The First");
    profile->SetShowStory(false);
    profile->SetPassword("pw");
    noteKeyboardUse();
    CControllerManager* m = open(new CControllerManager());
    frame(2);
    m->PlaySelected();
    frame(30);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_GAME);
    auto openMenu = [this] {
        press(SDLK_ESCAPE);
        frame(2);
        ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    };
    auto menu = [] { return static_cast<CControllerInGame*>(CController::GetCurrentController()); };
    auto backToTheLevel = [this] {
        while (CController::GetCurrentId() != CONTROLLER_GAME && CController::GetCurrentId() != 0) {
            CController::GetCurrentController()->SetExitCode(1);
            frame(2);
        }
        frame(3);
    };

    openMenu();
    menu()->GUICallback(CControllerInGame::BUTTON_QUIT, 0, false);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame(kDialogFrames);
    Picture quit = shownPicture();
    backToTheLevel();

    // Settings from the pause menu, the key bindings from there, and a key
    // that is taken.
    openMenu();
    menu()->GUICallback(CControllerInGame::BUTTON_SETTINGS, 0, false);
    frame(2);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS);
    static_cast<CControllerOptions*>(CController::GetCurrentController())
        ->GUICallback(CControllerOptions::BUTTON_CONTROLS, 0, false);
    frame(2);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS_CONTROLS);
    CController::GetCurrentController()->GUICallback(CControllerOptionsControls::ACTION_RESTART, 0, false);
    frame();
    press(profile->GetKey(CControllerOptionsControls::ACTION_UNDO));
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame(kDialogFrames);
    Picture keyTaken = shownPicture();
    if (const char* folder = getenv("DIALOG_SHOTS"))
        savePicture(keyTaken, std::string(folder) + "/pause-settings-controls-key-taken.bmp");
    backToTheLevel();

    // The solution asks for the password.
    openMenu();
    menu()->GUICallback(CControllerInGame::BUTTON_SOLUTION, 0, false);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    CController::GetCurrentController()->GUICallback(CControllerMessage::BUTTON_OK, 0, false);
    frame(2);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    frame(kDialogFrames);
    Picture password = shownPicture();
    backToTheLevel();
    closeAll();

    auto check = [this](const Picture& over, const std::string& name, const std::function<CController*()>& make) {
        if (const char* folder = getenv("DIALOG_SHOTS"))
            savePicture(over, std::string(folder) + "/" + name + ".bmp");
        Picture black = alone(make, 0);
        Picture white = alone(make, 255);
        long own = 0, wrong = 0;
        for (size_t i = 0; i < over.pixels.size(); ++i)
            if (black.pixels[i] == white.pixels[i]) {
                ++own;
                wrong += over.pixels[i] != black.pixels[i] ? 1 : 0;
            }
        EXPECT_GT(own, 20000) << name;
        EXPECT_EQ(wrong, 0) << name << ": " << wrong << " of " << own << " pixels covered";
    };
    check(quit, "pause-quit", [] { return message(2214, 2323, true, nullptr); });
    check(keyTaken, "pause-settings-controls-key-taken", [] { return message(6030, 6054, false, "Undo"); });
    check(password, "pause-solution-password", [] { return new CControllerPassword("pw"); });
}

TEST_F(DialogsInFront, ThePlayScreenRefusesALevelWithoutTubes)
{
    CLevel level;
    for (int x = 0; x < 16; ++x)
        level.SetTile(TERRAIN_GRASS, x, 23);
    ASSERT_TRUE(level.SaveAs("notubes", "No Tubes"));
    noteKeyboardUse();
    CControllerManager* m = open(new CControllerManager());
    frame(2);
    m->PlaySelected();
    frame(3);
    expectInFront("play-screen-no-tubes", CONTROLLER_MESSAGE, [] { return message(2216, 2325, false, "notubes"); });
}
