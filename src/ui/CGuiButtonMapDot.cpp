#include "ui/CGuiButtonMapDot.h"

#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "engine/Sound.h"
#include "engine/Utils.h"
#include "ui/CController.h"
#include "ui/CGuiButton.h"
#include "engine/Input.h"

int CGuiButtonMapDot::selectedIndex = -1;

namespace {

// The pictures of a regular dot in one state.
struct DotPictures {
    const char* base;
    const char* rollover;    // null: no rollover
    const char* shrinkStrip; // frames 1 to 3
    bool selectable;         // has the selected pulse
};

DotPictures picturesFor(int state)
{
    switch (state) {
    case CGuiButtonMapDot::STATE_LOCKED:
        return {"mapdotregularlockedbase.png", nullptr, "mapdotregularlockedshrink", false};
    case CGuiButtonMapDot::STATE_COMPLETED:
        return {"mapdotregularcompletedbase.png", "mapdotregularcompletedrollover.png", "mapdotregularcompletedshrink",
                true};
    case CGuiButtonMapDot::STATE_INCOMPLETE:
        return {"mapdotregularincompletebase.png", "mapdotregularincompleterollover.png",
                "mapdotregularincompleteshrink", true};
    default:
        // Any other state is a locked, ghosted dot.
        return {"mapdotregularlockedghosted.png", nullptr, "mapdotregularlockedghostedshrink", false};
    }
}

const char PULSE_STRIP[] = "mapdotregularselectedpulse";

} // namespace

CGuiButtonMapDot::CGuiButtonMapDot(int xPos, int yPos, int widgetId, CController* owner, int tutorial, int dotState,
                                   int startMode, int startDelay, bool isDefaultWidget)
    : CGuiButtonBase(xPos, yPos, widgetId, owner, isDefaultWidget),
      dotSound(new CSound("map_dot.ogg", false)),
      current(nullptr),
      base(nullptr),
      rollover(nullptr),
      shrink(nullptr),
      grow(nullptr),
      pulse(nullptr),
      secondStar(nullptr),
      isTutorial(tutorial),
      state(dotState),
      mode(startMode),
      delay(startDelay),
      doubleClickCounter(0),
      direction(1),
      waiting(0),
      waitCounter(0),
      hovered(false),
      soundPlayed(false)
{
    activateOnRelease = 0;
    bool selectable = state == STATE_COMPLETED || state == STATE_INCOMPLETE;
    if (isTutorial) {
        // The star's looping strips turn one way or the other, so that the
        // stars of a map do not move in step.
        direction = static_cast<uint8_t>(RandomInt(0, 2));
        if (!selectable) {
            if (mode == MODE_STAR_APPEARING)
                mode = MODE_APPEAR_PENDING;
            if (mode == MODE_SELECTED || mode == MODE_ROLLED_OVER)
                mode = MODE_IDLE;
        }
        if (mode == MODE_APPEARING)
            mode = MODE_IDLE;
        base = MakeStrip("star_base", 0, STAR_FRAMES - 1, LAYER_STAR, x - 1, y - 28, true);
        grow = MakeStrip("star_appear", 0, 13, LAYER_STAR, x - 1, y - 28, false);
        if (selectable) {
            rollover = MakeStrip("star_pulse", 0, STAR_FRAMES - 1, LAYER_STAR, x - 5, y - 28, true);
            pulse = MakeStrip("star_pulse", 0, STAR_FRAMES - 1, LAYER_STAR, x - 5, y - 28, true);
            secondStar = MakeStrip("star_appear", 0, 13, LAYER_STAR, x - 1, y - 28, false);
        }
        if (mode == MODE_APPEAR_PENDING || mode == MODE_STAR_APPEARING) {
            waiting = 1;
            waitCounter = RandomInt(0, STAR_WAIT_LIMIT);
            for (CSprite* s : {base, rollover, pulse})
                if (s)
                    s->StopAnimation();
        } else {
            int frame = RandomInt(0, STAR_FRAMES);
            for (CSprite* s : {base, rollover, pulse})
                if (s)
                    s->SetFrame(frame);
        }
    } else {
        DotPictures p = picturesFor(state);
        base = MakeStill(p.base, x, y);
        if (p.rollover)
            rollover = MakeStill(p.rollover, x, y);
        shrink = MakeStrip(p.shrinkStrip, 1, 3, LAYER_DOT, x, y, false);
        grow = MakeStrip(p.shrinkStrip, 3, 1, LAYER_DOT, x, y, false);
        if (p.selectable) {
            pulse = MakeStrip(PULSE_STRIP, 0, 5, LAYER_PULSE, x, y, true);
            // Back again, so that the loop pulses out and in.
            pulse->LoadFrames(PULSE_STRIP, 4, 1, ".png", 1);
        }
    }
    // Locked dots cannot take the focus from the keyboard.
    if (state == STATE_LOCKED || state == 1)
        disabled = 1;

    current = base;
    current->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    switch (mode) {
    case MODE_APPEAR_PENDING:
        if (grow) {
            grow->ResetAnimation(); // waits for the delay at its first frame
            SwitchTo(grow, 0);
        } else {
            mode = MODE_IDLE;
        }
        break;
    case MODE_APPEARING:
        if (shrink) {
            SwitchTo(shrink, 0);
            shrink->ResetAnimation();
            shrink->Animate(true);
        } else {
            mode = MODE_IDLE;
        }
        break;
    case MODE_STAR_APPEARING:
        if (secondStar) {
            secondStar->ResetAnimation();
            SwitchTo(secondStar, 0);
            selectedIndex = index;
            focusIndex = index;
        } else {
            mode = MODE_IDLE;
        }
        break;
    case MODE_SELECTED:
        if (pulse) {
            SwitchTo(pulse, 0);
            selectedIndex = index;
            focusIndex = index;
        } else {
            mode = MODE_IDLE;
        }
        break;
    default:
        break;
    }
}

CGuiButtonMapDot::~CGuiButtonMapDot()
{
    delete base;
    delete rollover;
    delete shrink;
    delete grow;
    delete pulse;
    delete secondStar;
    delete dotSound;
}

CSprite* CGuiButtonMapDot::MakeStrip(const char* prefix, int first, int last, int layer, int xPos, int yPos,
                                     bool looping)
{
    CSprite* s = new CSprite(layer, FRAME_DELAY, false);
    s->SetName("GUI Map Dot");
    s->LoadFrames(prefix, first, last, ".png", 1);
    s->SetPosition(xPos, yPos, false);
    s->SetLooping(looping);
    s->Animate(!looping || direction != 0);
    return s;
}

CSprite* CGuiButtonMapDot::MakeStill(const char* image, int xPos, int yPos)
{
    CSprite* s = new CSprite(LAYER_DOT, FRAME_DELAY, false);
    s->SetName("GUI Map Dot");
    s->AddFrame(image);
    s->SetPosition(xPos, yPos, false);
    return s;
}

void CGuiButtonMapDot::SwitchTo(CSprite* sprite, int frame)
{
    if (current && current != sprite)
        current->Hide();
    sprite->SetFrame(frame);
    if (!hidden)
        sprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    current = sprite;
}

int CGuiButtonMapDot::GetSelectedId()
{
    if (selectedIndex < 0)
        return -1;
    for (CGuiButtonBase* w : GetRegistry())
        if (w->GetIndex() == selectedIndex)
            return w->GetId();
    return -1;
}

void CGuiButtonMapDot::Notify(bool force)
{
    if ((mouseHeld || force) && listener)
        listener->GUICallback(id, ReportValue(), true);
}

int CGuiButtonMapDot::GetSpriteX() const
{
    return current->GetX(true);
}

int CGuiButtonMapDot::GetSpriteY() const
{
    return current->GetY(true);
}

void CGuiButtonMapDot::StartStars()
{
    waiting = 0;
    for (CSprite* s : {base, rollover, pulse})
        if (s)
            s->Animate(direction != 0);
}

void CGuiButtonMapDot::Select()
{
    selectedIndex = index;
    if (mode != MODE_SELECTED) {
        mode = MODE_SELECTED;
        SwitchTo(pulse, current->GetFrame());
    }
}

void CGuiButtonMapDot::Update()
{
    if (hidden)
        return;
    if (doubleClickCounter > 0)
        --doubleClickCounter;
    if (waiting && (mode == MODE_IDLE || mode == MODE_ROLLED_OVER || mode == MODE_SELECTED) && --waitCounter < 0)
        StartStars();

    if (mode == MODE_APPEARING) {
        if (shrink->GetFrame() == SOUND_FRAME && !soundPlayed) {
            dotSound->play(false, 0, 0);
            soundPlayed = true;
        }
        if (shrink->IsFinished()) {
            delay = 0;
            mode = MODE_APPEAR_PENDING;
            grow->ResetAnimation();
            SwitchTo(grow, 0);
        }
    }
    if (mode == MODE_APPEAR_PENDING || mode == MODE_STAR_APPEARING) {
        CSprite* strip = mode == MODE_APPEAR_PENDING ? grow : secondStar;
        if (delay >= 0) {
            --delay;
        } else if (strip->IsFinished()) {
            if (mode == MODE_APPEAR_PENDING) {
                mode = MODE_IDLE;
                SwitchTo(base, base->GetFrame());
            } else {
                mode = MODE_SELECTED;
                SwitchTo(pulse, pulse->GetFrame());
            }
        } else if (strip->IsStopped()) {
            strip->Animate(true);
            SwitchTo(strip, 0);
        }
    }
    if (mode == MODE_SELECTED && selectedIndex != index) {
        mode = MODE_IDLE;
        SwitchTo(base, pulse->GetFrame());
    }

    bool over = IsMouseOver() && focusIndex == -1;
    if (over) {
        if (!hovered && mode != MODE_SELECTED && mode != MODE_STAR_APPEARING)
            CController::PlayRolloverSound();
        focusIndex = index;
        if (mode == MODE_IDLE && rollover) {
            mode = MODE_ROLLED_OVER;
            SwitchTo(rollover, base->GetFrame());
        }
    } else if (mode == MODE_ROLLED_OVER) {
        mode = MODE_IDLE;
        SwitchTo(base, rollover->GetFrame());
    }
    hovered = over;
}

bool CGuiButtonMapDot::Activate(bool fromKeyboard, bool)
{
    if (index != focusIndex)
        return false;
    if (!pulse) {
        // A locked dot never becomes the selected level.
        if (listener)
            listener->GUICallback(id, -1, false);
        return true;
    }
    Select();
    if (!fromKeyboard && doubleClickCounter == 0) {
        CController::PlayActivateSound();
        doubleClickCounter = DOUBLE_CLICK_FRAMES;
        if (listener)
            listener->GUICallback(id, ReportValue(), false);
    } else if (listener) {
        listener->GUICallback(id, ReportValue(), true);
    }
    return true;
}

void CGuiButtonMapDot::Hide()
{
    current->Hide();
    hidden = 1;
}

void CGuiButtonMapDot::Show()
{
    hidden = 0;
    current->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

bool CGuiButtonMapDot::IsMouseOver()
{
    if (hidden || mode == MODE_APPEAR_PENDING)
        return false;
    int cx = current->GetX(true) + current->GetWidth(false) / 2;
    int cy = current->GetY(true) + current->GetHeight(false) / 2;
    int mx = getMouseX();
    int my = getMouseY();
    if (mx < cx - 9 || mx > cx + 7)
        return false;
    if (isTutorial)
        return my >= cy - 13 && my <= cy - 1;
    return my >= cy - 8 && my <= cy + 8;
}

void CGuiButtonMapDot::CenterMouse()
{
    int cx = current->GetX(true) + current->GetWidth(false) / 2;
    int cy = current->GetY(true) + current->GetHeight(false) / 2;
    warpMouse(cx, isTutorial ? cy - 5 : cy);
    hidePointers(1);
    // The pointer now stands on the dot, so it has the focus: keyboard
    // steps from dot to dot select each one they reach.
    focusIndex = index;
    Activate(false, false);
}
