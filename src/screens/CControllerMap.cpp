#include "screens/CControllerMap.h"

#include <string>

#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "profile/CProfile.h"
#include "screens/CControllerScoreboard.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiButtonMapDot.h"
#include "world/CControllerGame.h"
#include "world/Level.h"
#include "world/LevelSet.h"

namespace {
const int kStringLocked = 6021;
const char* const kSetLabels[CLevelSet::SET_COUNT] = {"map_buttonlevelset_textregular.png",
                                                      "map_buttonlevelset_textadvanced.png",
                                                      "map_buttonlevelset_textkids.png"};
// Frames between the appearance of one dot and the next.
const int kAppearDelay = 1;
} // namespace

CControllerMap::CControllerMap() : set(0), selected(0), info(nullptr), game(nullptr), playNext(false)
{
    id = CONTROLLER_MAP;
    if (profile) {
        set = profile->GetCurrentSet();
        selected = profile->GetCurrentLevel();
    }
    CGuiButtonMapDot::ResetSelection();
    Build(true);
}

CControllerMap::~CControllerMap()
{
    logPrint(LOG_DESTRUCT, "CControllerMap:  Destroying CControllerMap...\n");
    // The play screen goes first: it uses the level.
    DeleteChild();
    game = nullptr;
    CGuiButtonMapDot::ResetSelection();
}

bool CControllerMap::IsUnlocked(const CProfile* p, int s, int level)
{
    if (level == 0)
        return true;
    if (!p || level < 0)
        return false;
    return p->GetSetResult(s, level) != PROFILE_NO_RESULT || p->GetSetResult(s, level - 1) != PROFILE_NO_RESULT;
}

int CControllerMap::DotState(const CProfile* p, int s, int level)
{
    if (p && p->GetSetResult(s, level) != PROFILE_NO_RESULT)
        return DOT_COMPLETED;
    return IsUnlocked(p, s, level) ? DOT_INCOMPLETE : DOT_LOCKED;
}

void CControllerMap::DotPosition(int i, int& x, int& y)
{
    int row = i / DOTS_PER_ROW;
    int column = i % DOTS_PER_ROW;
    if (row % 2 == 1)
        column = DOTS_PER_ROW - 1 - column;
    x = DOT_LEFT + column * DOT_STEP_X;
    y = DOT_TOP + row * DOT_STEP_Y;
}

CGuiButtonMapDot* CControllerMap::GetDot(int level) const
{
    return (level >= 0 && level < static_cast<int>(dots.size())) ? dots[static_cast<size_t>(level)] : nullptr;
}

void CControllerMap::Build(bool appear)
{
    ClearScreen();
    dots.clear();
    info = nullptr;
    CGuiButtonMapDot::ResetSelection();
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    for (int s = 0; s < CLevelSet::SET_COUNT; ++s) {
        CGuiButton* b = AddImageButton(BUTTON_SET_FIRST + s, 150 + s * 180, 30, kSetLabels[s], kSetLabels[s],
                                       nullptr, false);
        if (s == set)
            b->Disable();
    }
    CLevelSet* levels = CLevelSet::getSet(set);
    int count = levels ? levels->getCount() : 0;
    if (count > MAX_DOTS)
        count = MAX_DOTS;
    if (selected >= count)
        selected = 0;
    for (int i = 0; i < count; ++i) {
        int x = 0, y = 0;
        DotPosition(i, x, y);
        int state = DotState(profile, set, i);
        bool tutorial = CLevelSet::isTutorialLevel(set, i);
        int mode = appear ? MODE_APPEAR_PENDING : MODE_IDLE;
        if (i == selected && state != DOT_LOCKED)
            mode = tutorial ? MODE_STAR_APPEARING : MODE_SELECTED;
        CGuiButtonMapDot* dot =
            new CGuiButtonMapDot(x, y, i, this, tutorial ? 1 : 0, state, mode, appear ? i * kAppearDelay : 0, false);
        dots.push_back(dot);
        AddWidget(dot);
    }
    AddTextButton(BUTTON_PLAY, 560, 545, 120, 34, "Play", true);
    AddLabelButton(BUTTON_MANAGER, 30, 548, "kv3_button_managertext.png", false);
    AddLabelButton(BUTTON_BACK, 240, 548, "kv3_button_maintext.png", false);
    ShowInfo(selected);
}

void CControllerMap::ShowInfo(int level)
{
    RemoveSprite(info);
    info = nullptr;
    CLevelSet* levels = CLevelSet::getSet(set);
    if (!levels || level < 0 || level >= levels->getCount())
        return;
    if (DotState(profile, set, level) == DOT_LOCKED) {
        info = AddText(kStringLocked, nullptr, 120, 470, 560, 60, 3);
        return;
    }
    CLevel* l = levels->getLevel(level);
    std::string text = std::string("Level ") + CLevelSet::getLabel(set, level) + ": " + (l ? l->GetHeadingText() : "");
    int best = profile ? profile->GetSetResult(set, level) : PROFILE_NO_RESULT;
    if (best != PROFILE_NO_RESULT)
        text += "   (best: " + std::to_string(best) + " steps)";
    info = AddLine(text, 120, 470, 560, 30, 3);
}

void CControllerMap::OnFirstFrame()
{
    CSound::playMapMusic();
}

void CControllerMap::ShowSet(int s)
{
    if (s < 0 || s >= CLevelSet::SET_COUNT || s == set)
        return;
    set = s;
    selected = 0;
    if (profile)
        profile->SetCurrentSet(s);
    Build(true);
}

void CControllerMap::Play(int level)
{
    CLevelSet* levels = CLevelSet::getSet(set);
    if (!levels || level < 0 || level >= levels->getCount() || !IsUnlocked(profile, set, level))
        return;
    selected = level;
    if (profile) {
        profile->SetCurrentSet(set);
        profile->SetCurrentLevel(level);
        profile->Save();
    }
    levels->selectLevel(level);
    logPrint(LOG_DEBUG, "CControllerMap:  playing level %i of set %i\n", level, set);
    CSound::stopMusic();
    game = new CControllerGame(levels);
    LaunchChild(game, false);
}

void CControllerMap::GUICallback(int index, int value, bool dclick)
{
    if (index >= 0 && index < static_cast<int>(dots.size())) {
        if (value < 0) {
            ShowInfo(index);
            return;
        }
        selected = index;
        ShowInfo(index);
        if (dclick)
            Play(index);
        return;
    }
    if (index >= BUTTON_SET_FIRST && index < BUTTON_SET_FIRST + CLevelSet::SET_COUNT)
        ShowSet(index - BUTTON_SET_FIRST);
    else if (index == BUTTON_PLAY)
        Play(selected);
    else if (index == BUTTON_MANAGER) {
        result = CONTROLLER_MANAGER;
        SetExitCode(1);
    } else if (index == BUTTON_BACK)
        SetExitCode(1);
}

void CControllerMap::OnChildClosed(CController* closed)
{
    if (closed != game)
        return;
    game = nullptr;
    // The level just played: move on when it was finished.
    int played = selected;
    if (profile && profile->GetSetResult(set, played) != PROFILE_NO_RESULT) {
        CLevelSet* levels = CLevelSet::getSet(set);
        if (levels && played + 1 < levels->getCount())
            selected = played + 1;
        profile->SetCurrentLevel(selected);
        if (!profile->Save())
            logPrint(LOG_WARNING, "CControllerMap:  the profile could not be saved\n");
    }
    bool goOn = CControllerScoreboard::TakeContinueRequest();
    if (GetExitCode() != 0)
        return;
    Build(false);
    // Continue after a finished level goes straight on to the next one,
    // once the finished level's play screen is gone.
    playNext = goOn && selected != played;
    if (!playNext)
        CSound::playMapMusic();
}

void CControllerMap::OnChildDeleted()
{
    if (!playNext)
        return;
    playNext = false;
    Play(selected);
}

bool CControllerMap::OnKey(bool released, int key)
{
    if (released || (key != KEY_RETURN && key != KEY_SPACE))
        return false;
    // Return plays the dot under the focus, or the selected level when no
    // dot has it; a focused button activates as usual.
    CGuiButtonBase* focus = CGuiButtonBase::GetFocused();
    bool onDot = focus && focus->GetListener() == this && focus->GetId() >= 0 &&
                 focus->GetId() < static_cast<int>(dots.size());
    if (focus && !onDot)
        return false;
    if (onDot)
        selected = focus->GetId();
    Play(selected);
    return true;
}
