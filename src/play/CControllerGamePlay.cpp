// The running play screen: the frame, the keys and the mouse, solution
// recording and replay, the end of a level and the children that follow it.
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
#include "ui/CGuiButtonBase.h"
#include "ui/CGuiCounter.h"
#include "engine/Input.h"
#include "play/CControllerInGame.h"
#include "world/CElement.h"
#include "walkers/CElementAIProfessor.h"
#include "level/Level.h"
#include "level/LevelSet.h"
#include "elements/CElementTutorial.h"
#include "screens/CControllerMessageTutorial.h"
#include "screens/CControllerScoreboard.h"
#include "screens/CControllerStory.h"

namespace {

const char* const kBannerRow = "=============================================\n";
const char* const kStarRow = "***********************************************************\n";

// Title and body of the message that refuses a level without an entrance
// tube.
enum { STRING_NO_BOARD_TITLE = 2216, STRING_NO_BOARD_BODY = 2325 };

// The chapter that closes a set; it is shown only after the set's last level
// was solved.
const int kEndingChapter = 11;

void logBanner(const char* format, int value)
{
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, format, value);
    logPrint(LOG_CGAME, "%s", kBannerRow);
}

} // namespace

// ------------------------------------------------------------------ input

void CControllerGame::InputKey(bool released, int key)
{
    hidePointers(-1);
    if (!replay) {
        processKey(released, key);
        return;
    }
    // During playback the player's keys only stop the show.
    if (!released)
        openMenu();
}

void CControllerGame::InputMouseMotion(int x, int y)
{
    tickHourglass();
    if (professor)
        professor->mouseMove(x, y);
}

void CControllerGame::InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown)
{
    if (replay) {
        if (!released && (left || right || wheelUp || wheelDown))
            openMenu();
        return;
    }
    // A recorded solution holds keys only.
    if (record || !left || CGuiButtonBase::GetFocusIndex() != -1 || !professor)
        return;
    // The icon under the pointer must be current for a click to use it.
    professor->mouseMove(getMouseX(), getMouseY());
    professor->mouseButton(getMouseX(), getMouseY(), released);
}

void CControllerGame::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    if (index == MENU_BUTTON_ID)
        openMenu();
}

void CControllerGame::openMenu()
{
    if (test)
        SetExitCode(1);
    else
        loadInGameController();
}

void CControllerGame::recordKey(int code, bool released)
{
    if (!record)
        return;
    currentFrame = static_cast<int>(CDraw::GetFrameCount());
    // After a restart in this frame's input the key belongs to the new run:
    // the board steps again on the next frame, which is that run's frame 1,
    // and the key takes effect there, as it will on replay.
    int frame = startPending ? 1 : currentFrame - startFrame;
    level->AddReplayKey(frame, code, released);
}

void CControllerGame::processKey(bool released, int key)
{
    if (replay) {
        // A solution key under its fixed code.
        if (!professor)
            return;
        switch (key) {
        case SOLUTION_UP: professor->setKeyUp(released); break;
        case SOLUTION_DOWN: professor->setKeyDown(released); break;
        case SOLUTION_RIGHT: professor->setKeyRight(released); break;
        case SOLUTION_LEFT: professor->setKeyLeft(released); break;
        case SOLUTION_ACTION: professor->setKeyTurn(released); break;
        default:
            if (key >= SOLUTION_SLOT1 && key <= SOLUTION_SLOT9 && !released)
                professor->usePowerup(key - SOLUTION_SLOT1);
            break;
        }
        return;
    }

    // The player's key against the bindings; the first match wins, in the
    // order restart, undo, slots, action, left, right, up, down.
    if (key == profile->GetKey(BIND_RESTART)) {
        if (!released) {
            replay = false;
            restartLevel(nullptr);
        }
        return;
    }
    if (key == profile->GetKey(BIND_UNDO)) {
        if (!released && !record)
            CElement::UndoLoad(false);
        return;
    }
    for (int slot = 0; slot < 9; ++slot) {
        if (key != profile->GetKey(BIND_SLOT1 + slot))
            continue;
        if (!released && professor)
            professor->usePowerup(slot);
        recordKey(SOLUTION_SLOT1 + slot, released);
        return;
    }
    struct Move {
        int binding;
        int code;
    };
    static const Move kMoves[] = {{BIND_ACTION, SOLUTION_ACTION},
                                  {BIND_LEFT, SOLUTION_LEFT},
                                  {BIND_RIGHT, SOLUTION_RIGHT},
                                  {BIND_UP, SOLUTION_UP},
                                  {BIND_DOWN, SOLUTION_DOWN}};
    for (const Move& move : kMoves) {
        if (key != profile->GetKey(move.binding))
            continue;
        if (professor) {
            switch (move.code) {
            case SOLUTION_ACTION: professor->setKeyTurn(released); break;
            case SOLUTION_LEFT: professor->setKeyLeft(released); break;
            case SOLUTION_RIGHT: professor->setKeyRight(released); break;
            case SOLUTION_UP: professor->setKeyUp(released); break;
            default: professor->setKeyDown(released); break;
            }
        }
        recordKey(move.code, released);
        return;
    }

    // Every other key: the screenshot key, else a press opens the menu.
    if (InputScreenCapture(released, key))
        return;
    if (!released)
        openMenu();
}

// ------------------------------------------------------------------ children

void CControllerGame::suspend(bool capture)
{
    CSound::fadeOutEffects();
    hidePointers(-1);
    replayIndicator->Hide();
    menuButton->Hide();
    workFlag = 0;
    if (professor) {
        professor->setKeyTurn(true);
        professor->setKeyUp(true);
        professor->setKeyDown(true);
        professor->setKeyLeft(true);
        professor->setKeyRight(true);
    }
    CRender::Render(true);
    CRender::Swap(capture);
}

bool CControllerGame::loadStoryController()
{
    if (!levelSet)
        return false;
    int chapter = CLevelSet::getChapterIndex(setIndex, levelIndex);
    if (chapter == -1)
        return false;
    if (chapter == kEndingChapter && !CElement::GetExited())
        return false;
    if (!profile->GetShowStory())
        return false;
    suspend(true);
    logBanner("Loading Story Controller (type=%i)\n", chapter);
    if (!story)
        story = new CControllerStory(chapter);
    LaunchController(story);
    return true;
}

void CControllerGame::loadPostGameController(int type)
{
    suspend(true);
    logBanner("Loading Post Game Controller (type=%i)\n", type);
    postLevel = new CControllerScoreboard(type, levelSet == nullptr, level ? level->GetName() : nullptr);
    LaunchController(postLevel);
}

void CControllerGame::loadInGameController()
{
    suspend(true);
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, "Loading In Game Controller\n");
    logPrint(LOG_CGAME, "%s", kBannerRow);
    inGame = new CControllerInGame(GetMenuMode(), level);
    LaunchController(inGame);
}

void CControllerGame::loadTutorialController(const char* text, const Rect& marker)
{
    // The bubble keeps clear of the professor as he is drawn now.
    Rect picture{0, 0, 0, 0};
    if (professor && professor->sprite && !professor->sprite->IsHidden()) {
        const CSprite* s = professor->sprite;
        picture = Rect{s->GetX(true), s->GetY(true), s->GetWidth(false), s->GetHeight(false)};
    }
    suspend(true);
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, "Loading Controller:  Tutorial\n");
    logPrint(LOG_CGAME, "%s", kBannerRow);
    tutorial = new CControllerMessageTutorial(text, marker, picture);
    LaunchController(tutorial);
}

void CControllerGame::checkTutorial()
{
    const CElementTutorial* active = CElementTutorial::GetActive();
    if (!active || active == shownTutorial)
        return;
    shownTutorial = active;
    // A solution plays, and a test run records, without pauses: the frame
    // numbers of their keys run on while a child screen is open.
    if (replay || test)
        return;
    const Rect cell{CSprite::BOARD_ORIGIN_X + active->x * CElement::TILE,
                    CSprite::BOARD_ORIGIN_Y + active->y * CElement::TILE, CElement::TILE, CElement::TILE};
    loadTutorialController(active->GetText().c_str(), cell);
}

void CControllerGame::showNoBoardMessage()
{
    suspend(true);
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, "Loading Controller:  Message\n");
    logPrint(LOG_CGAME, "%s", kBannerRow);
    message = new CControllerMessage(STRING_NO_BOARD_TITLE, STRING_NO_BOARD_BODY, false, GetLevelTitle().c_str());
    LaunchController(message);
}

// ------------------------------------------------------------------ frame

void CControllerGame::Pump()
{
    if (GetPreviousId() != id) {
        returnFromChild();
        return;
    }
    gameFrame();
}

void CControllerGame::returnFromChild()
{
    if (pendingStory && story) {
        pendingStory = false;
        LaunchController(story);
        return;
    }
    if (CRender::IsSwapped())
        CRender::Swap(true);
    menuButton->Show();
    logPrint(LOG_CGAME, "%s", kBannerRow);
    logPrint(LOG_CGAME, "Loading Controller:  Game\n");
    logPrint(LOG_CGAME, "%s", kBannerRow);

    int childId = GetPreviousId();
    actOnChild(childId);
    hidePointers(-1);
    CDraw::SetGameSpeed(replay ? -1 : profile->GetGameSpeed());

    // A code passed on by the child (the window was closed) ends the screen
    // now, without the post-level screen.
    if (childId == CONTROLLER_STORY && CElement::GetExited() && levelSet && exitCode == 0) {
        SetPreviousId(id);
        loadPostGameController(POST_SET_LEVEL_SOLVED);
        return;
    }
    CSound::fadeInEffects();
    if (exitCode == 0 && !test)
        CSound::playStageMusic(true);
    SetPreviousId(id);

    // A level that could not be built is refused on the first frame.
    if (!hasBoard && exitCode == 0 && childId != CONTROLLER_MESSAGE)
        showNoBoardMessage();
}

void CControllerGame::actOnChild(int childId)
{
    if (childId == CONTROLLER_IN_GAME && inGame) {
        int answer = inGame->GetResult();
        delete inGame;
        inGame = nullptr;
        switch (answer) {
        case MENU_RESUME: replay = false; break;
        case MENU_RESTART:
            replay = false;
            restartLevel(nullptr);
            break;
        case MENU_SOLUTION:
            replay = true;
            restartLevel(nullptr);
            break;
        case MENU_UNDO:
            CElement::UndoLoad(true);
            replay = false;
            break;
        default: break;
        }
        if (profile->GetShowStepCounter())
            stepCounter->Show();
        else
            stepCounter->Hide();
    } else if (childId == CONTROLLER_SCOREBOARD && postLevel) {
        int answer = postLevel->GetResult();
        delete postLevel;
        postLevel = nullptr;
        switch (answer) {
        case POST_RETRY:
            replay = false;
            restartLevel(nullptr);
            break;
        case POST_SOLUTION:
            replay = true;
            restartLevel(nullptr);
            break;
        case POST_UNDO_FATAL_STEP:
            CElement::clearLevelEnded();
            CElement::UndoLoad(true);
            replay = false;
            break;
        default: break;
        }
    } else if (childId == CONTROLLER_MESSAGE_TUTORIAL && tutorial) {
        delete tutorial;
        tutorial = nullptr;
    } else if (childId == CONTROLLER_STORY && story) {
        delete story;
        story = nullptr;
    } else if (childId == CONTROLLER_MESSAGE && message) {
        delete message;
        message = nullptr;
        // The refused level: back to the screen that opened it.
        if (!hasBoard)
            SetExitCode(1);
    }
}

void CControllerGame::gameFrame()
{
    if (startPending) {
        startFrame = static_cast<int>(CDraw::GetFrameCount()) - 1;
        logPrint(LOG_CGAME, "Initializing startFrame to %i\n", startFrame);
        startPending = false;
    }
    currentFrame = static_cast<int>(CDraw::GetFrameCount());
    PollInput();
    // A child was launched, or the screen is closing (the window too may
    // have been closed): a level ending in this frame would launch the
    // post-level screen and take the exit code back.
    if (!active || !hasBoard || exitCode != 0)
        return;
    // A restart during this frame's input starts the level's frame count on
    // the next frame; stepping the new board now would put it one step ahead
    // of the frame numbers its solution keys are stamped with.
    if (startPending)
        return;

    updateReplayIndicator();
    if (replay)
        feedReplay();
    stepWorld();
    if (CElement::GetLevelEnded())
        handleLevelEnd();
    else
        checkTutorial();
    CGuiButtonBase::UpdateAll();
}

void CControllerGame::updateReplayIndicator()
{
    if (!replay) {
        replayIndicator->Hide();
        return;
    }
    ++replayBlink;
    if (replayBlink > REPLAY_BLINK_PERIOD) {
        replayBlink = 0;
        replayIndicator->Hide();
    } else if (replayBlink >= REPLAY_BLINK_SHOW && replayIndicator->IsHidden()) {
        replayIndicator->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    }
}

void CControllerGame::feedReplay()
{
    ReplayKey key = level->GetReplayKey();
    currentFrame = static_cast<int>(CDraw::GetFrameCount());
    int elapsed = currentFrame - startFrame;
    if (key.frame < elapsed) {
        logPrint(LOG_CGAME, "CControllerGame::Pump()   Playback completed at frame %i\n", elapsed);
        replay = false;
        return;
    }
    while (key.frame == elapsed) {
        logPrint(LOG_CGAME, "CControllerGame::Pump()   Frame %i:  Using replay key %i  (released = %i)\n", elapsed,
                 key.key, key.released ? 1 : 0);
        processKey(key.released, key.key);
        if (!level->AdvanceReplay())
            break;
        key = level->GetReplayKey();
    }
}

void CControllerGame::stepWorld()
{
    if (IsFrameStepping() && !IsFrameStepRequested())
        return;
    CElement::UpdateAllElements();
    stepCounter->SetValue(profile->GetTotal(1));
    stepCounter->Tick();
}

void CControllerGame::handleLevelEnd()
{
    if (test) {
        if (record)
            level->SetSolutionRecorded();
        SetExitCode(1);
        return;
    }

    logPrint(LOG_CGAME, "%s", kStarRow);
    logPrint(LOG_CGAME, "*  LEVEL EXITED                                           *\n");
    int type;
    if (CElement::GetCaught()) {
        logPrint(LOG_CGAME, "*  --> Professor caught                                   *\n");
        type = POST_LOST;
    } else if (CElement::GetSinged()) {
        logPrint(LOG_CGAME, "*  --> Professor singed                                   *\n");
        type = POST_SINGED;
    } else if (CElement::GetFallen()) {
        logPrint(LOG_CGAME, "*  --> Professor fallen                                   *\n");
        type = POST_LOST;
    } else if (CElement::GetExitTubeDestroyed()) {
        logPrint(LOG_CGAME, "*  --> Exit tube destroyed                                *\n");
        type = POST_LOST;
    } else {
        logPrint(LOG_CGAME, "*  --> Professor Successfully Exited                      *\n");
        if (!levelSet) {
            type = POST_SINGLE_LEVEL_SOLVED;
            profile->RecordSteps(level->GetName());
        } else {
            type = POST_SET_LEVEL_SOLVED;
            profile->RecordSetResult();
            if (CLevelSet::isLastLevel(setIndex, levelIndex)) {
                profile->SetSetFlag(1, setIndex);
                if (loadStoryController())
                    type = -1;
            }
        }
    }
    logPrint(LOG_CGAME, "%s", kStarRow);
    if (type >= 0)
        loadPostGameController(type);
}

int CControllerGame::GetElapsedFrames() const
{
    return currentFrame - startFrame;
}
