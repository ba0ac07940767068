// Screens and modal dialogs: every one is a controller. Exactly one is
// current; it receives all input and is pumped once per frame. The others
// wait beneath it, each linked to the one that launched it, so the parent
// links form a stack. A child ends itself by setting an exit code; the next
// frame pump hands control back to its parent, which reads the child's
// result on its own first frame back and deletes it.
#pragma once

#include <cstdint>

class CProfile;
class CSound;

// Controller ids of the program's screens; a parent recognises a returning
// child by its id.
enum {
    CONTROLLER_NONE = 0,
    CONTROLLER_INTRO = 2,
    CONTROLLER_MAIN = 3,
    CONTROLLER_GAME = 5,
    CONTROLLER_EDITOR = 6,
    CONTROLLER_EDITOR_PALETTE = 7,
    CONTROLLER_EDITOR_LOAD = 8,
    CONTROLLER_EDITOR_SAVE = 9,
    CONTROLLER_MESSAGE = 10,
    CONTROLLER_EDITOR_HELP = 11,
    CONTROLLER_MAP = 13,
    CONTROLLER_STORY = 14,
    CONTROLLER_INSTRUCTIONS = 15,
    CONTROLLER_CREDITS = 16,
    CONTROLLER_PROFILES = 17,
    CONTROLLER_OPTIONS = 18,
    CONTROLLER_TEXT_ENTRY = 20,
    CONTROLLER_IN_GAME = 21,
    CONTROLLER_MANAGER = 22,
    CONTROLLER_SCOREBOARD = 23,
    CONTROLLER_PASSWORD = 25,
    CONTROLLER_OPTIONS_CONTROLS = 26,
    CONTROLLER_OPTIONS_PASSWORD = 27,
    CONTROLLER_SET_SELECT = 29,
    CONTROLLER_MESSAGE_TUTORIAL = 31
};

// SDL 1.2 key symbols the controllers handle themselves.
enum {
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_KEYPAD0 = 256,
    KEY_UP = 273,
    KEY_DOWN = 274,
    KEY_RIGHT = 275,
    KEY_LEFT = 276,
    KEY_RSHIFT = 303,
    KEY_LSHIFT = 304,
    KEY_RCTRL = 305,
    KEY_LCTRL = 306,
    KEY_RALT = 307,
    KEY_LALT = 308
};

// The nine modifier bytes: the three combined ones, then the six keys.
enum {
    MOD_SHIFT = 0,
    MOD_CTRL,
    MOD_ALT,
    MOD_RSHIFT,
    MOD_LSHIFT,
    MOD_RCTRL,
    MOD_LCTRL,
    MOD_RALT,
    MOD_LALT,
    MOD_COUNT
};

class CController {
public:
    CController();
    virtual ~CController();
    CController(const CController&) = delete;
    CController& operator=(const CController&) = delete;

    // A widget of this controller was activated (index = the widget's id).
    virtual void GUICallback(int index, int value, bool dclick);
    virtual void InputKey(bool released, int key) = 0;
    virtual void InputMouseMotion(int x, int y);
    virtual void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown);
    // One frame of this controller's work; every override calls PollInput
    // first on its ordinary frames.
    virtual void Pump() = 0;

    // Makes this controller current (start-up uses it for the root with a
    // null parent).
    void Activate(CController* parent);
    // Called on the current controller: pushes child and makes it current.
    void LaunchController(CController* child);
    // Takes effect at the next frame pump.
    void SetExitCode(int code) { exitCode = code; }
    // Switches to the parent at once, as the frame pump would for code.
    void ExitNow(int code);

    int GetId() const { return id; }
    int GetResult() const { return result; }
    bool IsActive() const { return active != 0; }
    int GetExitCode() const { return exitCode; }
    CController* GetParent() const { return parent; }

    // The event pump for this controller.
    void PollInput();
    // Updates the modifier bytes; true when key was a modifier key.
    bool InputModKey(bool released, int key);
    // The screenshot key (keypad 0); true when key was that key.
    bool InputScreenCapture(bool released, int key);
    // Space/Return activate, Escape closes (when allowed), Tab and the
    // arrows move the focus.
    void InputNavigationKey(bool released, int key, bool allowEscape, bool allowTab);

    // ---------------------------------------------------------- the stack
    static void PumpCurrent();
    static CController* GetCurrentController() { return current; }
    static int GetCurrentId() { return currentId; }
    // The controller that was current before the last switch (0 for none).
    static int GetPreviousId() { return previousId; }
    static void SetPreviousId(int value) { previousId = value; }
    static bool IsRunning() { return running != 0; }
    static void Quit() { running = 0; }
    // Forgets the whole stack and sets the running flag again, as at
    // program start (the stack itself never returns to that state).
    static void ResetStack();

    static void SetProfile(CProfile* value) { profile = value; }
    static CProfile* GetProfile() { return profile; }

    // The three interface sounds.
    static void LoadSounds();
    static void UnloadSounds();
    static void PlayRolloverSound();
    static void PlayActivateSound();
    static void PlayClickSound();

    static bool IsFrameStepping() { return frameStepping != 0; }
    static bool IsFrameStepRequested() { return frameStepRequest != 0; }
    static void SetFrameStepRequest(bool on) { frameStepRequest = on ? 1 : 0; }
    static void ToggleFrameStepping() { frameStepping = frameStepping ? 0 : 1; }

    static uint8_t GetModKey(int which) { return (which >= 0 && which < MOD_COUNT) ? modKeys[which] : 0; }
    static void ResetModKeys();

protected:
    CController* parent;
    uint8_t active;
    int id;
    int work1;
    int work2;
    int mouseX;
    int mouseY;
    uint8_t workFlag;
    int exitCode;
    int result;

    static CProfile* profile;

private:
    // Leaves controller c, which ended with code c: its parent (if any)
    // becomes current and receives the code passed on.
    static void LeaveController(CController* c, int code);
    static void ChangeCurrent(CController* next, int leavingId);

    static CController* current;
    static int currentId;
    static int previousId;
    static uint8_t running;
    static uint8_t modKeys[MOD_COUNT];
    static uint8_t frameStepping;
    static uint8_t frameStepRequest;
    // Set when ExitNow switched controllers inside the current pump.
    static uint8_t leftDuringPump;
    static CSound* rolloverSound;
    static CSound* activateSound;
    static CSound* clickSound;
};
