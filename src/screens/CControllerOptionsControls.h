// The key bindings: the sixteen actions of the play screen, each with its
// key. Choosing an action waits for the next key press; a key that already
// does another action is refused with a notice, Escape keeps the old key.
// Defaults puts every key back. Changes apply at once; the options screen
// saves them.
#pragma once

#include <string>

#include "screens/CControllerScreen.h"

class CControllerOptionsControls : public CControllerScreen {
public:
    enum { ACTION_COUNT = 16 };
    // The actions in the order of the profile's bindings.
    enum {
        ACTION_RESTART = 0,
        ACTION_UNDO,
        ACTION_LEFT,
        ACTION_RIGHT,
        ACTION_UP,
        ACTION_DOWN,
        ACTION_TURN,
        ACTION_SLOT_FIRST,
        ACTION_SLOT_LAST = ACTION_SLOT_FIRST + 8
    };
    // Widget ids: action i is i; then these.
    enum { BUTTON_DEFAULTS = 20, BUTTON_BACK };

    CControllerOptionsControls();
    ~CControllerOptionsControls() override;

    void GUICallback(int index, int value, bool dclick) override;

    // The action waiting for its key, or -1.
    int GetWaitingAction() const { return waiting; }
    // Binds key to action unless another action has it; returns the action
    // that already has it, or -1 when the key was bound.
    int Bind(int action, int key);
    static const char* ActionName(int action);
    // A key as the screens name it: SDL's name with each word capitalised
    // ("Left", "Space", "U", "Right Ctrl").
    static std::string KeyLabel(int key);
    // The keys of a run of actions: "A to B" when they are consecutive keys,
    // else each key, separated by commas.
    static std::string KeyRangeLabel(const CProfile* profile, int firstAction, int lastAction);

protected:
    bool OnKey(bool released, int key) override;

private:
    void Rebuild();

    int waiting;
    int focusAction;
};
