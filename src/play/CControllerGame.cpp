// The play screen's construction, its board building (LoadLevel) and its
// teardown. The per-frame work, the input and the outcomes are in
// CControllerGamePlay.cpp.
#include "play/CControllerGame.h"

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "engine/Sound.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiCounter.h"
#include "play/CBackground.h"
#include "play/CControllerInGame.h"
#include "world/CElement.h"
#include "walkers/CElementAIProfessor.h"
#include "play/ElementFactory.h"
#include "level/Level.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"
#include "screens/CControllerMessageTutorial.h"
#include "screens/CControllerScoreboard.h"
#include "screens/CControllerStory.h"

namespace {

const int kBoardWidth = 32;
const int kBoardHeight = 24;

bool levelHasTile(const CLevel& level, int code)
{
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (level.GetTile(x, y) == code)
                return true;
    return false;
}

} // namespace

void showArrowPointer()
{
    if (CSprite* arrow = getPointerArrow())
        arrow->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

CControllerGame::CControllerGame(CLevelSet* set)
{
    init(set, set ? set->getCurrentLevel() : nullptr, false, false, false);
}

CControllerGame::CControllerGame(CLevel* oneLevel, bool recordFlag, bool replayFlag, bool testFlag)
{
    init(nullptr, oneLevel, recordFlag, replayFlag, testFlag);
}

void CControllerGame::init(CLevelSet* set, CLevel* playLevel, bool recordFlag, bool replayFlag, bool testFlag)
{
    record = recordFlag;
    replay = replayFlag;
    test = testFlag;
    id = CONTROLLER_GAME;
    postLevel = nullptr;
    inGame = nullptr;
    story = nullptr;
    message = nullptr;
    tutorial = nullptr;
    shownTutorial = nullptr;
    pendingStory = false;
    replayBlink = 0;
    startPending = true;
    startFrame = 0;
    currentFrame = 0;
    level = playLevel;
    levelSet = set;
    background = nullptr;
    professor = nullptr;
    hasBoard = false;

    if (levelSet) {
        levelIndex = profile->GetCurrentLevel();
        setIndex = profile->GetCurrentSet();
    } else {
        levelIndex = -1;
        setIndex = -1;
    }

    replayIndicator = new CSprite(REPLAY_INDICATOR_LAYER, 0, false);
    replayIndicator->SetName("Game Controller (GAME_LSPRITE_REPLAY)");
    replayIndicator->AddFrame("show_solution.tga");
    replayIndicator->SetPosition(259, 15, false);
    menuButton = new CGuiButton(742, 9, MENU_BUTTON_ID, this, "ingame_menubutton.tga", nullptr,
                                "ingame_menubutton_selected.tga", "ingame_menubutton_selected.tga", false, 0, 0);
    if (!test)
        CSound::playStageMusic(false);

    profile->SetSteps(0);

    stepCounter = new CGuiCounter(720, 569, STEP_COUNTER_DIGITS, "Step Counter 03.png", -10, -5);
    if (!profile->GetShowStepCounter())
        stepCounter->Hide();

    logPrint(LOG_MILESTONE, "ID_100:  GAME:  Level Load Started  (%i,%s,%s)\n", profile->GetCurrentLevel(),
             level ? level->GetName() : "", level ? level->GetHeadingText() : "");
    LoadLevel(level);
    logPrint(LOG_MILESTONE, "ID_100:  GAME:  Level Load Completed\n");

    // A story page due before this level is launched now and, because the
    // parent's launch of this screen overrides it, again on the first frame.
    if (hasBoard)
        pendingStory = loadStoryController();
}

CControllerGame::~CControllerGame()
{
    logPrint(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Started\n", id);
    showArrowPointer();
    delete replayIndicator;
    delete menuButton;
    delete stepCounter;
    delete background;
    // Children that never returned (the program closed beneath them).
    delete postLevel;
    delete inGame;
    delete story;
    delete message;
    delete tutorial;
    CElement::UnloadElements();
    logPrint(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Completed\n", id);
}

void CControllerGame::LoadLevel(CLevel* newLevel)
{
    level = newLevel;
    professor = nullptr;
    shownTutorial = nullptr;

    logPrint(LOG_CGAME, "CGame:  Initialize Elements\n");
    CElement::InitElements();

    logPrint(LOG_CGAME, "CGame:  Setup SOlutions\n");
    startPending = true;
    if (!level) {
        hasBoard = false;
        return;
    }
    if (record)
        level->ClearSolution();
    if (replay)
        level->ResetReplay();

    // Without an entrance tube there is no professor to steer: such a level
    // is refused instead of being played. One without an exit tube plays
    // (the player can only restart or leave it).
    hasBoard = levelHasTile(*level, DEVICE_TUBE_START);
    if (!hasBoard) {
        logPrint(LOG_ERROR, "CControllerGame::LoadLevel()   Level '%s' has no entrance tube\n",
                 GetLevelTitle().c_str());
        return;
    }

    logPrint(LOG_CGAME, "CGame:  Reset Teleport Powerups\n");
    level->ClearTeleportTypeFlags();

    logPrint(LOG_CGAME, "CControllerGame::LoadLevel()  Loading Background %i\n", level->GetBackground());
    logPrint(LOG_CGAME, "CGame:  Create background\n");
    background = new CBackground(level->GetBackground());

    professor = static_cast<CElementAIProfessor*>(buildLevelElements(*level));
}

void CControllerGame::deleteBoard()
{
    delete background;
    background = nullptr;
    CElement::UnloadElements();
    professor = nullptr;
}

void CControllerGame::restartLevel(CLevel* newLevel)
{
    logPrint(LOG_CGAME, "CControllerGame:  Restarting level...\n");
    deleteBoard();
    CRender::ClearLists();
    LoadLevel(newLevel ? newLevel : level);
    profile->SetSteps(0);
}

std::string CControllerGame::GetLevelTitle() const
{
    if (level && level->GetName()[0])
        return level->GetName();
    // A built-in level that could not be read is filed empty, without its
    // name: the set and the label the map shows name it instead.
    if (levelSet)
        return std::string(CLevelSet::getSetName(setIndex)) + " " + CLevelSet::getLabel(setIndex, levelIndex);
    return "";
}

int CControllerGame::GetMenuMode() const
{
    if (!levelSet)
        return MENU_MODE_SINGLE;
    if (CLevelSet::isTutorialLevel(setIndex, levelIndex))
        return MENU_MODE_TUTORIAL;
    return MENU_MODE_SET;
}
