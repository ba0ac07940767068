// The pause menu of the play screen: a dimmed screen, a parchment with the
// level's heading, and a column of buttons (resume, restart, undo, watch the
// solution, instructions, options, scores, and the ways out). It answers the
// play screen through its result and exit code; while one of its own children
// is open its sprites and buttons are gone, and they come back when the child
// returns unless the menu is closing.
#pragma once

#include "ui/CController.h"

class CControllerInstructions;
class CControllerMessage;
class CControllerOptions;
class CControllerPassword;
class CControllerScoreboard;
class CGuiButton;
class CLevel;
class CSprite;

class CControllerInGame : public CController {
public:
    // Button ids: the GUICallback index of each button.
    enum ButtonId {
        BUTTON_RESUME = 0,
        BUTTON_RESTART,
        BUTTON_UNDO,
        BUTTON_SOLUTION,
        BUTTON_INSTRUCTIONS,
        BUTTON_SETTINGS,
        BUTTON_SCORES,
        BUTTON_MAP,
        BUTTON_MANAGER,
        BUTTON_MAIN,
        BUTTON_QUIT,
        BUTTON_ID_COUNT
    };
    // What the menu leaves in its result for the play screen.
    enum Result { RESULT_RESUME = 0, RESULT_RESTART = 1, RESULT_SOLUTION = 2, RESULT_UNDO = 3 };
    // What a confirmed message means.
    enum PendingAction { PENDING_NONE = 0, PENDING_SOLUTION = 1, PENDING_QUIT = 2 };
    enum Mode { MODE_SET_LEVEL = 0, MODE_TUTORIAL_LEVEL = 1, MODE_SINGLE_LEVEL = 2 };
    enum {
        BUTTON_SLOTS = 10,
        BUTTON_X = 307,
        FIRST_BUTTON_Y = 175,
        BUTTON_ROW = 30,
        LAYER_DIMMER = 1411,
        LAYER_PARCHMENT = 1412,
        PARCHMENT_X = 57,
        PARCHMENT_Y = 23,
        STRING_HEADING = 100,
        STRING_SECOND_LINE = 1501,
        STRING_QUIT_TITLE = 2214,
        STRING_QUIT_BODY = 2323,
        STRING_SOLUTION_TITLE = 2215,
        STRING_SOLUTION_BODY = 2324
    };

    // mode: a level of a set, a tutorial level of the regular set, or a
    // single level; level (not owned) gives the heading.
    CControllerInGame(int mode, CLevel* level);
    ~CControllerInGame() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    void createSprites();
    void closeMenu();

    bool IsLoaded() const { return loaded; }
    int GetMode() const { return mode; }
    int GetPendingAction() const { return pendingAction; }
    // The button in row i (0 at the top), or null.
    CGuiButton* GetButton(int row) const { return (row >= 0 && row < BUTTON_SLOTS) ? buttons[row] : nullptr; }
    // The button with the given id, or null when the mode has none.
    CGuiButton* FindButton(int buttonId) const;
    CControllerMessage* GetMessageChild() const { return message; }
    CControllerPassword* GetPasswordChild() const { return password; }
    CControllerInstructions* GetInstructionsChild() const { return instructions; }
    CControllerOptions* GetOptionsChild() const { return options; }
    CControllerScoreboard* GetScoreboardChild() const { return scoreboard; }

    // The ids of the buttons of a mode from the top, -1 past the last.
    static int ButtonIdAt(int mode, int row);

private:
    // Closes the menu with an answer for the play screen.
    void answer(int value);
    void askForSolution();
    void launchChild(CController* child, const char* name);
    void deleteSprites();

    CSprite* dimmer;
    CSprite* parchment;
    CGuiButton* buttons[BUTTON_SLOTS];
    CLevel* level;
    CControllerMessage* message;
    CControllerInstructions* instructions;
    CControllerOptions* options;
    CControllerScoreboard* scoreboard;
    CControllerPassword* password;
    bool loaded;
    int mode;
    int pendingAction;
    // The button that opened a child: the keys come back to it.
    int openedBy;
};
