#include "screens/CControllerMap.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "engine/Sound.h"
#include "profile/CProfile.h"
#include "screens/CControllerScoreboard.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiButtonMapDot.h"
#include "engine/Input.h"
#include "play/CControllerGame.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace {
const char* const kSetLabels[CLevelSet::SET_COUNT] = {"map_buttonlevelset_textregular.png",
                                                      "map_buttonlevelset_textadvanced.png",
                                                      "map_buttonlevelset_textkids.png"};
const char* const kCurrentSetFrame = "map_buttonlevelset_current.png";
const char* const kHalo = "map_selectedhalo.png";
const int kHaloHalf = 22;
// A dot's pictures are 18 x 18 around its centre; the stars the map lays
// under tutorial dots 22 x 22.
const int kDotHalf = 9;
const int kStarHalf = 11;

// The picture of a tutorial level's star in a state, laid under its dot.
const char* starFor(int state)
{
    switch (state) {
    case CControllerMap::DOT_COMPLETED:
        return "mapdotstarcompleted.png";
    case CControllerMap::DOT_INCOMPLETE:
        return "mapdotstarbase.png";
    default:
        return "mapdotstarghosted.png";
    }
}

// The still picture of an ordinary level's dot in a state.
const char* dotFor(int state)
{
    return state == CControllerMap::DOT_COMPLETED ? "mapdotregularcompletedbase.png"
                                                  : "mapdotregularincompletebase.png";
}
} // namespace

CControllerMap::CControllerMap()
    : set(0),
      selected(0),
      info(nullptr),
      halo(nullptr),
      mark(nullptr),
      markedLevel(-1),
      captionId(0),
      game(nullptr),
      playNext(false)
{
    id = CONTROLLER_MAP;
    if (profile) {
        set = profile->GetCurrentSet();
        selected = profile->GetCurrentLevel();
    }
    CGuiButtonMapDot::ResetSelection();
    // The pointer goes to the selected level only for a player on the keys
    // (PlaceKeyboardFocus); a mouse stays where it is.
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

int CControllerMap::NextOpenLevel(const CProfile* p, int s, int count)
{
    for (int level = 0; level < count; ++level)
        if (DotState(p, s, level) == DOT_INCOMPLETE)
            return level;
    return std::max(0, count - 1);
}

CGuiButtonMapDot* CControllerMap::GetDot(int level) const
{
    return (level >= 0 && level < static_cast<int>(dots.size())) ? dots[static_cast<size_t>(level)] : nullptr;
}

bool CControllerMap::GetDotCentre(int level, int& x, int& y) const
{
    if (level < 0 || level >= static_cast<int>(centres.size()))
        return false;
    x = static_cast<int>(std::lround(centres[static_cast<size_t>(level)].x));
    y = static_cast<int>(std::lround(centres[static_cast<size_t>(level)].y));
    return true;
}

void CControllerMap::Build(bool appear)
{
    ClearScreen();
    dots.clear();
    info = nullptr;
    halo = nullptr;
    mark = nullptr;
    markedLevel = -1;
    CGuiButtonMapDot::ResetSelection();
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    for (int s = 0; s < CLevelSet::SET_COUNT; ++s) {
        maplayout::Box box = maplayout::SetButtonBox(s);
        CGuiButton* b = AddLabelButton(BUTTON_SET_FIRST + s, box.x, box.y, kSetLabels[s], false);
        if (s == set) {
            // The set on show: framed, and not a button to press.
            b->SetDisableImage(kCurrentSetFrame, 0, 0);
            b->Disable();
        }
    }
    CLevelSet* levels = CLevelSet::getSet(set);
    int count = levels ? std::min(levels->getCount(), static_cast<int>(MAX_DOTS)) : 0;
    centres = maplayout::DotCentres(set, count);
    if (selected < 0 || selected >= count || DotState(profile, set, selected) == DOT_LOCKED)
        selected = NextOpenLevel(profile, set, count);
    for (int i = 0; i < count; ++i) {
        int cx = 0, cy = 0;
        GetDotCentre(i, cx, cy);
        int state = DotState(profile, set, i);
        bool tutorial = CLevelSet::isTutorialLevel(set, i);
        // The dots grow in, one after another within a few frames; the
        // stars stand at once on their own pictures below.
        int mode = appear && !tutorial ? CGuiButtonMapDot::MODE_APPEAR_PENDING : CGuiButtonMapDot::MODE_IDLE;
        int delay = appear ? i * APPEAR_SPREAD / std::max(1, count) : 0;
        if (i == selected && state != DOT_LOCKED)
            mode = CGuiButtonMapDot::MODE_SELECTED;
        if (tutorial)
            AddPicture(starFor(state), LAYER_DECORATION, cx - kStarHalf, cy - kStarHalf);
        CGuiButtonMapDot* dot = new CGuiButtonMapDot(cx - kDotHalf, tutorial ? cy + STAR_DROP : cy - kDotHalf, i,
                                                     this, tutorial ? 1 : 0, state, mode, delay, false);
        dots.push_back(dot);
        AddWidget(dot);
    }
    // Play, the default button: the main menu's big button, "Play Now".
    maplayout::Box play = maplayout::PlayButtonBox();
    CGuiButton* playButton = AddImageButton(BUTTON_PLAY, play.x, play.y, "mainmenu_buttonbase.png",
                                            "mainmenu_buttonrollover.png", "mainmenu_buttonactive.png", true);
    playButton->SetText("mainmenu_text_playnow.png", 10, 6, 0, 0, 0, 1);
    maplayout::Box manager = maplayout::ManagerButtonBox();
    AddLabelButton(BUTTON_MANAGER, manager.x, manager.y, "kv3_button_managertext.png", false);
    maplayout::Box back = maplayout::BackButtonBox();
    AddLabelButton(BUTTON_BACK, back.x, back.y, "kv3_button_maintext.png", false);
    ShowInfo(selected);
    MarkSelection();
}

void CControllerMap::ShowInfo(int level)
{
    RemoveSprite(info);
    info = nullptr;
    captionId = 0;
    caption.clear();
    CLevelSet* levels = CLevelSet::getSet(set);
    if (!levels || level < 0 || level >= levels->getCount())
        return;
    maplayout::Box box = maplayout::CaptionBox();
    if (DotState(profile, set, level) == DOT_LOCKED) {
        captionId = STRING_LOCKED;
        info = AddText(STRING_LOCKED, nullptr, box.x, box.y, box.w, box.h, 3);
        return;
    }
    CLevel* l = levels->getLevel(level);
    caption = std::string("Level ") + CLevelSet::getLabel(set, level) + ": " + (l ? l->GetHeadingText() : "");
    int best = profile ? profile->GetSetResult(set, level) : PROFILE_NO_RESULT;
    if (best != PROFILE_NO_RESULT)
        caption += "   (best: " + std::to_string(best) + " steps)";
    captionId = STRING_BODY;
    info = AddLine(caption, box.x, box.y, box.w, box.h, 3);
}

void CControllerMap::MarkSelection()
{
    int level = CGuiButtonMapDot::GetSelectedId();
    if (level == markedLevel)
        return;
    markedLevel = level;
    RemoveSprite(halo);
    RemoveSprite(mark);
    halo = nullptr;
    mark = nullptr;
    int cx = 0, cy = 0;
    if (!GetDotCentre(level, cx, cy))
        return;
    halo = AddPicture(kHalo, LAYER_PANEL, cx - kHaloHalf, cy - kHaloHalf);
    // The pulse of an ordinary dot is a ring: its own dot shows through it.
    // A star has its picture beneath it anyway.
    if (!dots[static_cast<size_t>(level)]->IsTutorial())
        mark = AddPicture(dotFor(DotState(profile, set, level)), LAYER_DECORATION, cx - kDotHalf, cy - kDotHalf);
}

void CControllerMap::ParkPointer()
{
    int cx = 0, cy = 0;
    if (!GetDotCentre(selected, cx, cy))
        return;
    // Right of and below the middle, so that the arrow leaves most of the
    // dot in view, yet inside the dot's hit box (a grabbed mouse moves the
    // pointer on by a step of its speed after a warp).
    warpMouse(cx + 3, cy + 3);
    hidePointers(1);
    // The level has the focus at once, for keys typed before the pointer's
    // motion comes through.
    if (CGuiButtonMapDot* dot = GetDot(selected))
        if (!dot->IsDisabled())
            CGuiButtonBase::SetFocusIndex(dot->GetIndex());
}

void CControllerMap::PlaceKeyboardFocus(int rememberedId)
{
    (void)rememberedId;
    ParkPointer();
}

void CControllerMap::OnFirstFrame()
{
    CSound::playMapMusic();
}

void CControllerMap::OnFrame()
{
    MarkSelection();
}

void CControllerMap::ShowSet(int s)
{
    if (s < 0 || s >= CLevelSet::SET_COUNT || s == set)
        return;
    set = s;
    CLevelSet* levels = CLevelSet::getSet(set);
    selected = NextOpenLevel(profile, set, levels ? levels->getCount() : 0);
    if (profile) {
        profile->SetCurrentSet(s);
        profile->SetCurrentLevel(selected);
    }
    Build(true);
    // A set chosen by keys goes on from the new set's level.
    if (isKeyboardInUse())
        ParkPointer();
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
    LaunchChild(game);
}

void CControllerMap::GUICallback(int index, int value, bool dclick)
{
    if (index >= 0 && index < static_cast<int>(dots.size())) {
        if (value < 0) {
            // A locked level: say so; the selection stays where it was.
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

void CControllerMap::OnChildClosed(const ChildAnswer& closed)
{
    if (closed.controller != game)
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

CGuiButtonMapDot* CControllerMap::FocusedDot() const
{
    CGuiButtonBase* focus = CGuiButtonBase::GetFocused();
    if (!focus || focus->GetListener() != this)
        return nullptr;
    CGuiButtonMapDot* dot = GetDot(focus->GetId());
    return dot == focus ? dot : nullptr;
}

int CControllerMap::StepAlongRoad(int level, int key) const
{
    const double ax = key == KEY_LEFT ? -1 : (key == KEY_RIGHT ? 1 : 0);
    const double ay = key == KEY_UP ? -1 : (key == KEY_DOWN ? 1 : 0);
    const int count = static_cast<int>(centres.size());
    int best = -1;
    // Within about 70 degrees of the key's direction.
    double bestScore = 0.35;
    for (int way : {-1, 1}) {
        int next = level + way;
        if (next < 0 || next >= count)
            continue;
        // The way the road leaves this dot towards the neighbour...
        const maplayout::Point from = centres[static_cast<size_t>(level)];
        const maplayout::Point to = centres[static_cast<size_t>(next)];
        const double length = maplayout::Distance(from, to);
        const double score = length > 0 ? (ax * (to.x - from.x) + ay * (to.y - from.y)) / length : 0;
        // ...and on along it past locked levels to the next open one.
        while (next >= 0 && next < count && DotState(profile, set, next) == DOT_LOCKED)
            next += way;
        if (next < 0 || next >= count || score <= bestScore)
            continue;
        best = next;
        bestScore = score;
    }
    return best;
}

bool CControllerMap::OnKey(bool released, int key)
{
    if (released)
        return false;
    CGuiButtonMapDot* dot = FocusedDot();
    if (key == KEY_RETURN || key == KEY_SPACE) {
        // An open dot with the focus answers Return itself and plays. A
        // locked one (the pointer left on it, or clicked) has said so once:
        // Return plays the ringed level, and the caption shows that level
        // again. Without a dot, the focused button or the default button
        // (Play) takes it.
        if (dot && dot->GetState() == DOT_LOCKED) {
            ShowInfo(selected);
            Play(selected);
            return true;
        }
        if (dot) {
            dot->Activate(true, false);
            return true;
        }
        return false;
    }
    if (key != KEY_LEFT && key != KEY_RIGHT && key != KEY_UP && key != KEY_DOWN)
        return false;
    if (!dot) {
        // Nothing has the focus: the first arrow goes to the selected level.
        CGuiButtonMapDot* start = GetDot(selected);
        if (CGuiButtonBase::GetFocused() || !start || start->IsDisabled())
            return false;
        CGuiButtonBase::FocusOn(start);
        return true;
    }
    int next = StepAlongRoad(dot->GetId(), key);
    if (next < 0)
        return false; // on to the buttons, in the order of the screen
    CGuiButtonBase::FocusOn(dots[static_cast<size_t>(next)]);
    return true;
}
