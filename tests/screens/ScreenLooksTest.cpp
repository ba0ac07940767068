// What the screens show: every picture within the screen, every text whole
// and clear of the others, drawn buttons where a choice is offered, labels
// that say where a button goes, the settings' values beside their sliders,
// How to Play naming the keys as bound, the greeting of a new profile, the
// level manager's list as the folder is now, with best results, and names
// shown as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/TextImage.h"
#include "engine/UserDirs.h"
#include "screens/CControllerInstructions.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerManager.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerOptionsControls.h"
#include "screens/CControllerOptionsPassword.h"
#include "screens/CControllerProfiles.h"
#include "screens/CControllerScoreboard.h"
#include "screens/ScreenTestSupport.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiListbox.h"
#include "ui/CGuiSlider.h"
#include "ui/CGuiTextbox.h"
#include "ui/TextOnImage.h"
#include "play/CControllerGame.h"
#include "level/Level.h"
#include "level/TileCodes.h"

using namespace screentest;

namespace {

struct Box {
    int x0, y0, x1, y1; // x1, y1 past the end; empty when x1 <= x0
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

// Where a sprite's picture has ink (alpha above a trace), in screen pixels.
Box inkOf(const CSprite* s)
{
    SDL_Surface* surface = CDraw::GetImageSurface(s->GetFrameImage(0));
    Box b{surface->w, surface->h, 0, 0};
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) {
            Uint8 r, g, bl, a;
            SDL_GetRGBA(CDraw::GetPixel(surface, x, y), surface->format, &r, &g, &bl, &a);
            if (a > 40) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x + 1);
                b.y1 = std::max(b.y1, y + 1);
            }
        }
    SDL_UnlockSurface(surface);
    int sx = s->GetX(true), sy = s->GetY(true);
    return Box{b.x0 + sx, b.y0 + sy, b.x1 + sx, b.y1 + sy};
}

bool overlap(const Box& a, const Box& b)
{
    return !a.empty() && !b.empty() && a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool isText(const CSprite* s)
{
    return std::string(s->GetName()) == "Screen Text";
}

class Looks : public ScreenTest {
protected:
    // Closes the screen on show, then opens screen.
    template <class T>
    T* show(T* screen)
    {
        while (CController::GetCurrentController() != holder) {
            CController::GetCurrentController()->SetExitCode(1);
            frame(2);
        }
        return open(screen);
    }
    // Every picture of the screen lies within the 800 x 600 screen, and every
    // text is whole (no ink on the last row of its box: it was not cut) and
    // clear of every other text.
    void expectTidy(CControllerScreen* screen, const char* name)
    {
        SCOPED_TRACE(name);
        std::vector<const CSprite*> texts;
        for (const CSprite* s : screen->GetSprites()) {
            if (s->IsHidden())
                continue;
            EXPECT_GE(s->GetX(true), 0) << s->GetName();
            EXPECT_LE(s->GetX(true) + s->GetWidth(false), 800) << s->GetName() << " at x " << s->GetX(true);
            EXPECT_LE(s->GetY(true) + s->GetHeight(false), 600) << s->GetName();
            if (!isText(s))
                continue;
            Box ink = inkOf(s);
            EXPECT_LT(ink.y1, s->GetY(true) + s->GetHeight(false))
                << "a text cut at the bottom of its box at y " << s->GetY(true);
            for (const CSprite* other : texts)
                EXPECT_FALSE(overlap(ink, inkOf(other)))
                    << "texts at y " << s->GetY(true) << " and " << other->GetY(true) << " overlap";
            texts.push_back(s);
        }
    }
    static bool isParchmentButton(CGuiButtonBase* w)
    {
        CGuiButton* b = dynamic_cast<CGuiButton*>(w);
        return b && b->GetBaseSprite() &&
               b->GetBaseSprite()->GetFrameImage(0) == CDraw::FindImageId("kv3_button_base.png");
    }
    static bool saysBackToMenu(CGuiButtonBase* w)
    {
        CGuiButton* b = dynamic_cast<CGuiButton*>(w);
        return b && b->GetTextSprite() &&
               b->GetTextSprite()->GetFrameImage(0) == CDraw::FindImageId("kv3_button_backmenutext.png");
    }
    void saveLevel(const char* name, const char* heading) { saveTestLevel(name, heading); }
};

std::string sourceString(int id)
{
    std::ifstream in(std::string(BRAMBLECOT_SOURCE_DIR) + "/data/strings.txt");
    std::string line, key = "@" + std::to_string(id) + "|";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0)
            return line.substr(key.size());
    return "";
}

} // namespace

TEST_F(Looks, EveryScreenWithinTheScreenAndItsTextsWholeAndApart)
{
    saveLevel("alpha", "The First");
    expectTidy(show(new CControllerManager()), "level manager");
    expectTidy(show(new CControllerOptions()), "settings");
    expectTidy(show(new CControllerOptionsControls()), "controls");
    expectTidy(show(new CControllerOptionsPassword()), "password");
    expectTidy(show(new CControllerProfiles()), "profiles");
    expectTidy(show(new CControllerScoreboard(CControllerScoreboard::TYPE_HIGH_SCORES, false)), "high scores");
    for (int type : {CControllerScoreboard::TYPE_SINGED, CControllerScoreboard::TYPE_FAILED,
                     CControllerScoreboard::TYPE_SET_SOLVED, CControllerScoreboard::TYPE_SINGLE_SOLVED})
        expectTidy(show(new CControllerScoreboard(type, type == 7)), "post-level");
    CControllerInstructions* howTo = show(new CControllerInstructions(0));
    for (int page = 0; page < CControllerInstructions::PAGE_COUNT; ++page) {
        howTo->ShowPage(page);
        expectTidy(howTo, "how to play");
    }
}

TEST_F(Looks, AfterALevelEachSentenceOfStepsStaysOnOneLine)
{
    profile->SetSteps(12345);
    CControllerScoreboard* s = show(new CControllerScoreboard(CControllerScoreboard::TYPE_SET_SOLVED, false));
    int lines = 0;
    for (const CSprite* sprite : s->GetSprites())
        if (isText(sprite) && sprite->GetY(true) > 120 && sprite->GetY(true) < 230) {
            Box ink = inkOf(sprite);
            EXPECT_LT(ink.y1 - ink.y0, 30) << "a sentence broken over lines at y " << sprite->GetY(true);
            ++lines;
        }
    EXPECT_GE(lines, 2);
}

TEST_F(Looks, ChoicesAreDrawnButtonsAndHowToPlayHasNoWayPastItsEnds)
{
    saveLevel("alpha", "The First");
    CControllerManager* m = show(new CControllerManager());
    EXPECT_TRUE(isParchmentButton(m->FindButton(CControllerManager::BUTTON_PLAY)));
    EXPECT_TRUE(isParchmentButton(m->FindButton(CControllerManager::BUTTON_DELETE)));
    CControllerProfiles* p = show(new CControllerProfiles());
    EXPECT_TRUE(isParchmentButton(p->FindButton(CControllerProfiles::BUTTON_NEW)));
    EXPECT_TRUE(isParchmentButton(p->FindButton(CControllerProfiles::BUTTON_DELETE)));
    CControllerInstructions* h = show(new CControllerInstructions(0));
    CGuiButtonBase* previous = h->FindButton(CControllerInstructions::BUTTON_PREVIOUS);
    CGuiButtonBase* next = h->FindButton(CControllerInstructions::BUTTON_NEXT);
    EXPECT_TRUE(isParchmentButton(previous));
    EXPECT_TRUE(isParchmentButton(next));
    EXPECT_TRUE(previous->IsHidden());
    EXPECT_FALSE(next->IsHidden());
    h->ShowPage(CControllerInstructions::PAGE_COUNT - 1);
    EXPECT_FALSE(previous->IsHidden());
    EXPECT_TRUE(next->IsHidden());
    // Right past the last page changes nothing.
    press(SDLK_RIGHT);
    EXPECT_EQ(h->GetPage(), CControllerInstructions::PAGE_COUNT - 1);
}

TEST_F(Looks, BackButtonsSayWhereTheyGo)
{
    // Made by the main menu: back to the menu.
    CControllerMain* menu = show(new CControllerMain());
    menu->Open(CONTROLLER_INSTRUCTIONS);
    frame();
    CControllerScreen* fromMenu = static_cast<CControllerScreen*>(CController::GetCurrentController());
    EXPECT_TRUE(saysBackToMenu(fromMenu->FindButton(CControllerInstructions::BUTTON_BACK)));
    fromMenu->SetExitCode(1);
    frame(2);
    menu->Open(CONTROLLER_SCOREBOARD);
    frame();
    fromMenu = static_cast<CControllerScreen*>(CController::GetCurrentController());
    EXPECT_TRUE(saysBackToMenu(fromMenu->FindButton(CControllerScoreboard::BUTTON_CLOSE)));
    fromMenu->SetExitCode(1);
    frame(2);
    menu->SetExitCode(1);
    frame(2);
    // Made by another screen (the pause menu, the settings): back one step.
    CControllerInstructions* howTo = show(new CControllerInstructions(0));
    EXPECT_FALSE(saysBackToMenu(howTo->FindButton(CControllerInstructions::BUTTON_BACK)));
    CControllerScoreboard* scores = show(new CControllerScoreboard(CControllerScoreboard::TYPE_HIGH_SCORES, false));
    EXPECT_FALSE(saysBackToMenu(scores->FindButton(CControllerScoreboard::BUTTON_CLOSE)));
    CControllerOptionsControls* controls = show(new CControllerOptionsControls());
    EXPECT_FALSE(saysBackToMenu(controls->FindButton(CControllerOptionsControls::BUTTON_BACK)));
    // After a rebuild too.
    controls->GUICallback(CControllerOptionsControls::BUTTON_DEFAULTS, 0, false);
    EXPECT_FALSE(saysBackToMenu(controls->FindButton(CControllerOptionsControls::BUTTON_BACK)));
}

TEST_F(Looks, SettingsShowEachValueBesidePlusAndTheNewPasswordMasked)
{
    CControllerOptions* o = show(new CControllerOptions());
    for (int i = 0; i < CControllerOptions::SCALE_COUNT; ++i) {
        SCOPED_TRACE(i);
        const CSprite* bar = o->GetSlider(i)->GetValueSprite();
        CGuiButton* more = dynamic_cast<CGuiButton*>(o->FindButton(CControllerOptions::BUTTON_MORE + i));
        ASSERT_NE(more, nullptr);
        int gap = more->GetX() - (bar->GetX(true) + bar->GetWidth(true));
        EXPECT_GE(gap, 0);
        EXPECT_LE(gap, 12) << "\"+\" stands away from its slider";
        ASSERT_NE(o->GetValueText(i), nullptr);
        EXPECT_GT(o->GetValueText(i)->GetX(true), more->GetX());
    }
    // A step changes the figures.
    int before = o->GetValueText(CControllerOptions::SCALE_SOUND)->GetFrameImage(0);
    o->GUICallback(CControllerOptions::BUTTON_LESS + CControllerOptions::SCALE_SOUND, 0, false);
    EXPECT_NE(o->GetValueText(CControllerOptions::SCALE_SOUND)->GetFrameImage(0), before);

    CControllerOptionsPassword* p = show(new CControllerOptionsPassword());
    ASSERT_NE(p->GetTextbox(), nullptr);
    EXPECT_TRUE(p->GetTextbox()->IsMasked());
}

TEST_F(Looks, HowToPlayNamesTheKeysAsBoundAndTellsTheGameAsItIs)
{
    typedef CControllerOptionsControls C;
    std::vector<std::string> keys = CControllerInstructions::KeyNames(profile.get());
    ASSERT_EQ(keys.size(), 6u);
    EXPECT_EQ(keys[0], "Left and Right");
    EXPECT_EQ(keys[1], "Up and Down");
    EXPECT_EQ(keys[2], "Space");
    EXPECT_EQ(keys[3], "1 to 9");
    EXPECT_EQ(keys[4], "U");
    EXPECT_EQ(keys[5], "R");
    profile->SetKey(C::ACTION_TURN, SDLK_t);
    profile->SetKey(C::ACTION_SLOT_FIRST + 2, SDLK_z);
    profile->SetKey(C::ACTION_UNDO, SDLK_BACKSPACE);
    keys = CControllerInstructions::KeyNames(profile.get());
    EXPECT_EQ(keys[2], "T");
    EXPECT_EQ(keys[3], "1, 2, Z, 4, 5, 6, 7, 8, 9");
    EXPECT_EQ(keys[4], "Backspace");

    // The controls page and the power-up page take the keys from there;
    // the power-ups are at the top left and are used at once.
    std::string controls = sourceString(6220);
    for (const char* p : {"%1", "%2", "%3", "%4", "%5", "%6"})
        EXPECT_NE(controls.find(p), std::string::npos) << p;
    std::string powerups = sourceString(6226);
    EXPECT_NE(powerups.find("%4"), std::string::npos);
    EXPECT_NE(powerups.find("top left"), std::string::npos);
    for (int id = 6220; id <= 6228; ++id) {
        std::string page = sourceString(id);
        EXPECT_EQ(page.find("bottom of the screen"), std::string::npos) << id;
        EXPECT_EQ(page.find("choose a power-up slot"), std::string::npos) << id;
        EXPECT_EQ(page.find("walk back and forth"), std::string::npos) << id;
    }
}

TEST_F(Looks, ANewProfileIsWelcomedAndOneThatPlayedWelcomedBack)
{
    EXPECT_FALSE(CControllerMain::HasPlayed(profile.get()));
    profile->SetCurrentLevel(1);
    EXPECT_TRUE(CControllerMain::HasPlayed(profile.get()));
    EXPECT_FALSE(CControllerMain::HasPlayed(nullptr));
}

TEST_F(Looks, TheLevelManagerListsTheFolderAsItIsAfterALevelWithBestResults)
{
    saveLevel("alpha", "The First");
    profile->SetSteps(17);
    profile->RecordSteps("alpha");
    CControllerManager* m = show(new CControllerManager());
    frame(2);
    ASSERT_EQ(m->GetList()->GetRowCount(), 1);
    EXPECT_EQ(m->GetList()->GetCell(0, 2), "17");
    m->PlaySelected();
    frame(3);
    ASSERT_NE(m->GetGame(), nullptr);
    // A file comes while the level is played.
    saveLevel("beta", "The Second");
    m->GetGame()->SetExitCode(1);
    frame(3);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
    ASSERT_EQ(m->GetList()->GetRowCount(), 2);
    EXPECT_EQ(m->GetList()->GetCell(1, 0), "beta");
    EXPECT_EQ(m->GetList()->GetCell(1, 2), "-");
    EXPECT_EQ(m->GetEntries()[static_cast<size_t>(m->GetSelectedEntry())].name, "alpha");
}

TEST_F(Looks, AFolderPathIsBrokenAfterItsSlashes)
{
    typedef CControllerManager M;
    EXPECT_EQ(M::BreakPath("/a/b/", 34), std::vector<std::string>({"/a/b/"}));
    EXPECT_EQ(M::BreakPath("/home/someone/Documents/ZOBK Levels/", 20),
              std::vector<std::string>({"/home/someone/", "Documents/", "ZOBK Levels/"}));
    // A piece longer than a line is cut where the line is full.
    EXPECT_EQ(M::BreakPath("/abcdefghij/", 5), std::vector<std::string>({"/", "abcde", "fghij", "/"}));
}

// ------------------------------------------------------------ names as they are

namespace {

const char* const kName = "%n%b%1";

bool samePixels(SDL_Surface* a, int ax, int ay, SDL_Surface* b, int bx, int by, int w, int h)
{
    SDL_LockSurface(a);
    SDL_LockSurface(b);
    bool same = true;
    for (int y = 0; y < h && same; ++y)
        for (int x = 0; x < w && same; ++x) {
            Uint8 ar, ag, ab, aa, br, bg, bb, ba;
            SDL_GetRGBA(CDraw::GetPixel(a, ax + x, ay + y), a->format, &ar, &ag, &ab, &aa);
            SDL_GetRGBA(CDraw::GetPixel(b, bx + x, by + y), b->format, &br, &bg, &bb, &ba);
            same = ar == br && ag == bg && ab == bb && aa == ba;
        }
    SDL_UnlockSurface(b);
    SDL_UnlockSurface(a);
    return same;
}

// Profile names and folder names are shown as they are wherever they appear:
// a "%n", "%b" or "%1" inside a name is drawn as text, never applied as
// markup (a line break, bold, a parameter).
class NamesShown : public Looks {
protected:
    // The screen's text sprite placed at (x, y), or null.
    static const CSprite* textAt(const CControllerScreen* screen, int x, int y)
    {
        for (const CSprite* s : screen->GetSprites())
            if (isText(s) && s->GetX(true) == x && s->GetY(true) == y)
                return s;
        return nullptr;
    }
    // The sprite's picture is string stringId with text as its parameter,
    // drawn as it is.
    static void expectShownAsItIs(const CSprite* sprite, int stringId, int align, const std::string& text)
    {
        ASSERT_NE(sprite, nullptr);
        SDL_Surface* shown = CDraw::GetImageSurface(sprite->GetFrameImage(0));
        ASSERT_NE(shown, nullptr);
        SDL_Surface* plain = renderPlainTextBox(shown->w, shown->h, align, stringId, text.c_str());
        ASSERT_NE(plain, nullptr);
        ASSERT_EQ(plain->w, shown->w);
        ASSERT_EQ(plain->h, shown->h);
        EXPECT_TRUE(samePixels(shown, 0, 0, plain, 0, 0, shown->w, shown->h)) << text;
        SDL_FreeSurface(plain);
    }
    // A profile under kName that has finished a level, current.
    void nameTheProfile()
    {
        ASSERT_GT(profile->AddProfile(kName), 0);
        ASSERT_EQ(profile->GetProfileName(), kName);
        profile->SetCurrentSet(0);
        profile->SetCurrentLevel(0);
        profile->SetSteps(12);
        profile->RecordSetResult();
        ASSERT_TRUE(profile->Save());
    }
};

} // namespace

TEST_F(NamesShown, AProfileNameIsShownAsItIsInTheGreetingProfilesAndHighScores)
{
    nameTheProfile();
    CControllerMain* menu = show(new CControllerMain());
    ASSERT_TRUE(CControllerMain::HasPlayed(profile.get()));
    expectShownAsItIs(textAt(menu, 200, 100), 6010, 3, kName);

    CControllerProfiles* profiles = show(new CControllerProfiles());
    CGuiButton* row =
        dynamic_cast<CGuiButton*>(profiles->FindButton(CControllerProfiles::ROW_FIRST + profile->GetProfileNumber()));
    ASSERT_NE(row, nullptr);
    expectShownAsItIs(row->GetBaseSprite(), CControllerScreen::STRING_LINK, 3, std::string("> ") + kName + " <");

    // The only profile with a finished level heads the table.
    CControllerScoreboard* scores = show(new CControllerScoreboard(CControllerScoreboard::TYPE_HIGH_SCORES, false));
    expectShownAsItIs(textAt(scores, 140, 200), CControllerScreen::STRING_BODY, 0, std::string("1.  ") + kName);
}

TEST_F(NamesShown, ANoticeShowsTheNameItGivesAsItIs)
{
    const int deleteAsk = 6047;
    open(new CControllerMessage(6031, deleteAsk, true, kName));
    int image = CDraw::FindImageId(CControllerMessage::IMAGE_NAME);
    ASSERT_GE(image, 0);
    // The same parchment with the text drawn as it is.
    int expected = CDraw::CopyImage("confirmation_parch.png", "expected_message.png", 0);
    CDraw::DrawImageOnImage("parchment_confirmation.png", expected, CControllerMessage::INNER_PARCHMENT_X,
                            CControllerMessage::INNER_PARCHMENT_Y);
    int bodyX = (CDraw::GetImageWidth(expected) - CControllerMessage::BODY_WIDTH) / 2;
    ASSERT_TRUE(drawPlainTextOnImage(deleteAsk, expected, 2, CControllerMessage::BODY_WIDTH,
                                     CControllerMessage::BODY_HEIGHT, bodyX, CControllerMessage::BODY_Y, kName));
    EXPECT_TRUE(samePixels(CDraw::GetImageSurface(image), bodyX, CControllerMessage::BODY_Y,
                           CDraw::GetImageSurface(expected), bodyX, CControllerMessage::BODY_Y,
                           CControllerMessage::BODY_WIDTH, CControllerMessage::BODY_HEIGHT));
    CDraw::ReleaseImageByName("expected_message.png");
}

TEST_F(NamesShown, TheLevelManagerShowsItsFolderAsItIs)
{
    // A documents folder whose name holds markup codes.
    std::string documents = dir.file(kName);
    setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
    InitUserDirectories();
    std::string folder = GetLevelsDirectory();
    ASSERT_NE(folder.find(kName), std::string::npos) << folder;
    CControllerManager* manager = show(new CControllerManager());
    int y = 146;
    for (const std::string& line : CControllerManager::BreakPath(folder, CControllerManager::PATH_LINE_LENGTH)) {
        SCOPED_TRACE(line);
        expectShownAsItIs(textAt(manager, 445, y), CControllerScreen::STRING_BODY, 3, line);
        y += 22;
    }
}
