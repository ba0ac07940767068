#include "play/CControllerInGame.h"

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "profile/CProfile.h"
#include "screens/CControllerInstructions.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerScoreboard.h"
#include "ui/CControllerMessage.h"
#include "ui/CControllerPassword.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"
#include "ui/TextOnImage.h"
#include "play/CControllerGame.h"
#include "level/Level.h"

namespace {

const char* const kParchmentImage = "baseInGameController.png";
const char* const kBannerRow = "=============================================\n";

// The high-score table the menu shows.
const int kScoreboardHighScores = 2;

// Text boxes of the parchment: as wide as the image, 40 pixels high.
enum { TEXT_BOX_HEIGHT = 40, HEADING_Y = 70, SECOND_LINE_Y = 100, ALIGN_CENTRE = 2 };

const char* const kButtonText[CControllerInGame::BUTTON_ID_COUNT] = {
    "kv3_button_resumetext.png",       "kv3_button_restarttext.png", "kv3_button_undotext.png",
    "kv3_button_solutiontext.png",     "kv3_button_instructionstext.png",
    "kv3_button_settingstext.png",     "kv3_button_scorestext.png",  "kv3_button_maptext.png",
    "kv3_button_managertext.png",      "kv3_button_maintext.png",    "kv3_button_quittext.png"};

// Button ids from the top, per mode; -1 ends a column.
const int kLayout[3][CControllerInGame::BUTTON_SLOTS] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 9, 10},
    {0, 1, 2, 3, 4, 5, 7, 9, 10, -1},
    {0, 1, 2, 3, 4, 5, 8, 9, 10, -1}};

void logBanner(const char* line)
{
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, "%s", line);
    logPrint(LOG_CGAME, "%s", kBannerRow);
}

} // namespace

int CControllerInGame::ButtonIdAt(int menuMode, int row)
{
    if (menuMode < 0 || menuMode > 2 || row < 0 || row >= BUTTON_SLOTS)
        return -1;
    return kLayout[menuMode][row];
}

CControllerInGame::CControllerInGame(int menuMode, CLevel* shownLevel)
    : dimmer(nullptr),
      parchment(nullptr),
      buttons(),
      level(shownLevel),
      message(nullptr),
      instructions(nullptr),
      options(nullptr),
      scoreboard(nullptr),
      password(nullptr),
      loaded(false),
      // An unknown mode gets the single-level column, which leaves nothing
      // out that a level could need.
      mode((menuMode >= 0 && menuMode <= 2) ? menuMode : MODE_SINGLE_LEVEL),
      pendingAction(PENDING_NONE),
      openedBy(-1)
{
    id = CONTROLLER_IN_GAME;
    createSprites();
}

CControllerInGame::~CControllerInGame()
{
    logPrint(LOG_DESTRUCT, "CControllerInGame:  Destroying CControllerInGame...\n");
    showArrowPointer();
    deleteSprites();
    delete message;
    delete instructions;
    delete options;
    delete scoreboard;
    delete password;
}

void CControllerInGame::createSprites()
{
    if (loaded)
        return;
    dimmer = makeWidgetSprite("dimmer.png", LAYER_DIMMER, "InGame Controller (INGAME_LSPRITE_DIMMER)", 0, 0, true);

    int image = CDraw::CopyImage("parchment_profpenny.png", kParchmentImage, 0);
    int width = CDraw::GetImageWidth(image);
    drawTextOnImage(STRING_HEADING, image, ALIGN_CENTRE, width, TEXT_BOX_HEIGHT, 0, HEADING_Y,
                    level ? level->GetHeadingText() : "");
    drawTextOnImage(STRING_SECOND_LINE, image, ALIGN_CENTRE, width, TEXT_BOX_HEIGHT, 0, SECOND_LINE_Y);
    parchment = makeWidgetSprite(kParchmentImage, LAYER_PARCHMENT, "InGame Controller (INGAME_LSPRITE_BACKGROUND)",
                                 PARCHMENT_X, PARCHMENT_Y, true);

    for (int row = 0; row < BUTTON_SLOTS; ++row) {
        int buttonId = ButtonIdAt(mode, row);
        if (buttonId < 0)
            continue;
        buttons[row] = new CGuiButton(BUTTON_X, FIRST_BUTTON_Y + row * BUTTON_ROW, buttonId, this,
                                      "kv3_button_base.png", nullptr, "kv3_button_select.png",
                                      "kv3_button_select.png", false, 0, 0);
        buttons[row]->SetText(kButtonText[buttonId], 0, 0, 0, 0, 0, 0);
    }
    hidePointers(-1);
    loaded = true;
}

void CControllerInGame::deleteSprites()
{
    if (!loaded)
        return;
    delete dimmer;
    delete parchment;
    dimmer = nullptr;
    parchment = nullptr;
    for (CGuiButton*& button : buttons) {
        delete button;
        button = nullptr;
    }
    CDraw::ReleaseImageByName(kParchmentImage);
    loaded = false;
}

void CControllerInGame::closeMenu()
{
    if (dimmer)
        dimmer->Hide();
    hidePointers(-1);
    CRender::Render(true);
    showArrowPointer();
    deleteSprites();
}

CGuiButton* CControllerInGame::FindButton(int buttonId) const
{
    for (CGuiButton* button : buttons)
        if (button && button->GetId() == buttonId)
            return button;
    return nullptr;
}

void CControllerInGame::launchChild(CController* child, const char* name)
{
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, "Loading Controller:  %s\n", name);
    logPrint(LOG_CGAME, "%s", kBannerRow);
    LaunchController(child);
}

void CControllerInGame::answer(int value)
{
    result = value;
    SetExitCode(1);
}

void CControllerInGame::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    result = RESULT_RESUME;
    openedBy = index;
    switch (index) {
    case BUTTON_RESUME: answer(RESULT_RESUME); break;
    case BUTTON_RESTART: answer(RESULT_RESTART); break;
    case BUTTON_UNDO: answer(RESULT_UNDO); break;
    case BUTTON_SOLUTION:
        pendingAction = PENDING_SOLUTION;
        closeMenu();
        message = new CControllerMessage(STRING_SOLUTION_TITLE, STRING_SOLUTION_BODY, true, nullptr);
        launchChild(message, "Message");
        break;
    case BUTTON_INSTRUCTIONS:
        closeMenu();
        instructions = new CControllerInstructions(0);
        launchChild(instructions, "Instructions");
        break;
    case BUTTON_SETTINGS:
        closeMenu();
        options = new CControllerOptions();
        launchChild(options, "Options");
        break;
    case BUTTON_SCORES:
        closeMenu();
        scoreboard = new CControllerScoreboard(kScoreboardHighScores, false);
        launchChild(scoreboard, "Scoreboard");
        break;
    case BUTTON_MAP:
    case BUTTON_MANAGER: SetExitCode(2); break;
    case BUTTON_MAIN: SetExitCode(3); break;
    case BUTTON_QUIT:
        pendingAction = PENDING_QUIT;
        closeMenu();
        message = new CControllerMessage(STRING_QUIT_TITLE, STRING_QUIT_BODY, true, nullptr);
        launchChild(message, "Message");
        break;
    default: break;
    }
}

void CControllerInGame::InputKey(bool released, int key)
{
    hidePointers(-1);
    InputNavigationKey(released, key, true, true);
    // Fixed keys, whatever the profile binds.
    if (!released && active && exitCode == 0) {
        if (key == 'r')
            GUICallback(BUTTON_RESTART, 0, false);
        else if (key == 'u')
            GUICallback(BUTTON_UNDO, 0, false);
    }
    InputScreenCapture(released, key);
}

void CControllerInGame::InputMouseMotion(int x, int y)
{
    (void)x;
    (void)y;
    tickHourglass();
}

void CControllerInGame::InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown)
{
    (void)right;
    (void)wheelUp;
    (void)wheelDown;
    if (left && !released && CGuiButtonBase::GetFocusIndex() == -1)
        PlayClickSound();
}

void CControllerInGame::askForSolution()
{
    if (!profile->HasPassword() || mode == MODE_TUTORIAL_LEVEL) {
        answer(RESULT_SOLUTION);
        return;
    }
    closeMenu();
    password = new CControllerPassword(profile->GetPassword());
    launchChild(password, "Password");
}

void CControllerInGame::Pump()
{
    if (GetPreviousId() == id) {
        PollInput();
        if (active && (!IsFrameStepping() || IsFrameStepRequested()))
            CGuiButtonBase::UpdateAll();
        return;
    }

    logBanner("Loading Controller:  Main Menu\n");
    int childId = GetPreviousId();
    if (childId == CONTROLLER_MESSAGE && message) {
        bool confirmed = message->isConfirmed();
        delete message;
        message = nullptr;
        if (confirmed && pendingAction == PENDING_QUIT)
            SetExitCode(-1);
        else if (confirmed && pendingAction == PENDING_SOLUTION)
            askForSolution();
        pendingAction = PENDING_NONE;
    } else if (childId == CONTROLLER_INSTRUCTIONS && instructions) {
        delete instructions;
        instructions = nullptr;
    } else if (childId == CONTROLLER_OPTIONS && options) {
        delete options;
        options = nullptr;
    } else if (childId == CONTROLLER_SCOREBOARD && scoreboard) {
        delete scoreboard;
        scoreboard = nullptr;
    } else if (childId == CONTROLLER_PASSWORD && password) {
        bool accepted = !password->isCancelled();
        delete password;
        password = nullptr;
        if (accepted)
            answer(RESULT_SOLUTION);
    }
    // The menu comes back unless it is closing or has just opened another
    // child (the password prompt).
    if (!loaded && exitCode == 0 && active)
        createSprites();
    hidePointers(-1);
    // From the keyboard the menu opens on Resume, and comes back to the
    // button that opened a child; the pointer takes over once it moves.
    if (loaded && exitCode == 0 && active && isKeyboardInUse()) {
        CGuiButtonBase* target = CGuiButtonBase::FindWidget(this, openedBy);
        CGuiButtonBase::FocusOn(target ? target : CGuiButtonBase::FindStartWidget(this));
    }
    openedBy = -1;
    SetPreviousId(id);
}
