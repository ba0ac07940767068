#include "ui/CController.h"

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"

CController* CController::current = nullptr;
int CController::currentId = 0;
int CController::previousId = 0;
uint8_t CController::running = 1;
uint8_t CController::modKeys[MOD_COUNT] = {};
uint8_t CController::frameStepping = 0;
uint8_t CController::frameStepRequest = 0;
uint8_t CController::leftDuringPump = 0;
CProfile* CController::profile = nullptr;
CSound* CController::rolloverSound = nullptr;
CSound* CController::activateSound = nullptr;
CSound* CController::clickSound = nullptr;

CController::CController()
    : parent(nullptr),
      active(0),
      id(0),
      work1(0),
      work2(0),
      mouseX(getMouseX()),
      mouseY(getMouseY()),
      workFlag(0),
      exitCode(0),
      result(0)
{
}

CController::~CController() {}

void CController::GUICallback(int index, int value, bool dclick)
{
    logPrint(LOG_DEBUG, "CController::GUICallback(index=%i,value=%i,dclick=%i) to controller %i (VIRTUAL METHOD)\n",
             index, value, dclick ? 1 : 0, id);
}

void CController::InputMouseMotion(int, int) {}

void CController::InputMouseButton(bool released, bool left, bool right, bool, bool)
{
    if (left)
        logPrint(LOG_DEBUG, "Left Mouse Click:  Released?  %i\n", released ? 1 : 0);
    else if (right)
        logPrint(LOG_DEBUG, "Right Mouse Click:  Released?  %i\n", released ? 1 : 0);
}

// ---------------------------------------------------------------- the stack

void CController::ChangeCurrent(CController* next, int leavingId)
{
    next->active = 1;
    current = next;
    previousId = leavingId;
    currentId = next->id;
    // Keys and the left button held in the old screen mean nothing in the
    // new one.
    ResetModKeys();
    CGuiButtonBase::ChangeMouseHeld(1, false);
}

void CController::Activate(CController* newParent)
{
    ChangeCurrent(this, currentId);
    if (newParent)
        parent = newParent;
}

void CController::LaunchController(CController* child)
{
    exitCode = 0;
    active = 0;
    CDraw::SetGameSpeed(-1);
    // The launching controller's own id is the child's previous id, even
    // when something else was made current in between (a controller that
    // launched a child from its own constructor).
    ChangeCurrent(child, id);
    child->parent = this;
}

void CController::LeaveController(CController* c, int code)
{
    c->exitCode = 0;
    c->active = 0;
    CDraw::SetGameSpeed(-1);
    CController* up = c->parent;
    if (!up) {
        running = 0;
        return;
    }
    // -1 (window closed) and -2 (quit after a web page) reach the root
    // unchanged; a positive code closes one level less above; any other
    // code stops here.
    if (code == -1 || code == -2)
        up->exitCode = code;
    else if (code > 0)
        up->exitCode = code - 1;
    ChangeCurrent(up, c->id);
}

void CController::ExitNow(int code)
{
    LeaveController(this, code);
    leftDuringPump = 1;
}

void CController::PumpCurrent()
{
    if (!current)
        return;
    leftDuringPump = 0;
    current->Pump();
    if (leftDuringPump) {
        // ExitNow already made this frame's one switch: the parent runs its
        // return step (and deletes the child) on the next frame, and leaves
        // then if the code it received asks for it. The frame in which a
        // controller ends is not presented.
        leftDuringPump = 0;
        CDraw::SetScreenUpdatesSuspended(true);
        return;
    }
    // A handler may have launched a child during the pump; the one current
    // now decides.
    CController* c = current;
    CDraw::SetScreenUpdatesSuspended(c->exitCode != 0);
    if (c->exitCode == 0)
        return;
    LeaveController(c, c->exitCode);
}

void CController::ResetStack()
{
    current = nullptr;
    currentId = 0;
    previousId = 0;
    running = 1;
    frameStepping = 0;
    frameStepRequest = 0;
    leftDuringPump = 0;
    ResetModKeys();
}

void CController::ResetModKeys()
{
    for (uint8_t& m : modKeys)
        m = 0;
}

// ---------------------------------------------------------------- keys

void CController::InputNavigationKey(bool released, int key, bool allowEscape, bool allowTab)
{
    if (released)
        return;
    switch (key) {
    case KEY_SPACE:
    case KEY_RETURN:
        CGuiButtonBase::DispatchActivate(true);
        break;
    case KEY_ESCAPE:
        if (allowEscape)
            exitCode = 1;
        break;
    case KEY_TAB:
        if (allowTab)
            CGuiButtonBase::StepFocus(modKeys[MOD_SHIFT] != 0);
        break;
    case KEY_UP:
    case KEY_LEFT:
        CGuiButtonBase::StepFocus(true);
        break;
    case KEY_DOWN:
    case KEY_RIGHT:
        CGuiButtonBase::StepFocus(false);
        break;
    default:
        break;
    }
}

bool CController::InputModKey(bool released, int key)
{
    if (key < KEY_RSHIFT || key > KEY_LALT)
        return false;
    modKeys[MOD_RSHIFT + (key - KEY_RSHIFT)] = released ? 0 : 1;
    modKeys[MOD_ALT] = (modKeys[MOD_LALT] || modKeys[MOD_RALT]) ? 1 : 0;
    modKeys[MOD_CTRL] = (modKeys[MOD_LCTRL] || modKeys[MOD_RCTRL]) ? 1 : 0;
    modKeys[MOD_SHIFT] = (modKeys[MOD_LSHIFT] || modKeys[MOD_RSHIFT]) ? 1 : 0;
    logPrint(LOG_DEBUG, "CController::InputModKey:  Modifier Updates:  ALT=%i  CTRL=%i  SHIFT=%i\n",
             modKeys[MOD_ALT], modKeys[MOD_CTRL], modKeys[MOD_SHIFT]);
    return true;
}

// ---------------------------------------------------------------- sounds

void CController::LoadSounds()
{
    rolloverSound = new CSound("rollover_v1-2.ogg", false);
    activateSound = new CSound("click_v1-2.ogg", false);
    clickSound = new CSound("click_v1-3.ogg", false);
}

void CController::UnloadSounds()
{
    delete rolloverSound;
    rolloverSound = nullptr;
    delete activateSound;
    activateSound = nullptr;
    delete clickSound;
    clickSound = nullptr;
}

void CController::PlayRolloverSound()
{
    if (rolloverSound)
        rolloverSound->play(false, 0, 0.0f);
}

void CController::PlayActivateSound()
{
    if (activateSound)
        activateSound->play(false, 0, 0.0f);
}

void CController::PlayClickSound()
{
    if (clickSound)
        clickSound->play(false, 0, 0.0f);
}
