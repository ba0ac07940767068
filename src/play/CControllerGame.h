// The play screen. It turns a CLevel into the live board of elements, steps
// the world once per frame, feeds the player's keys and mouse to the
// professor, records and replays solutions by frame number, and opens the
// screens that follow the end of a level (story, post-level screen) and the
// pause menu.
//
// Played from a level set (the map), it plays the set's current level; played
// alone (the user-level manager, the editor) it plays the level it is given.
// The editor's test runs never open a child: any end of the level, any menu
// key and any key during playback close the screen with exit code 1.
#pragma once

#include <string>

#include "engine/Rect.h"
#include "ui/CController.h"

class CBackground;
class CControllerInGame;
class CControllerMessage;
class CControllerMessageTutorial;
class CControllerScoreboard;
class CControllerStory;
class CElement;
class CElementAIProfessor;
class CGuiButton;
class CGuiCounter;
class CLevel;
class CLevelSet;
class CSprite;

class CControllerGame : public CController {
public:
    enum {
        MENU_BUTTON_ID = 100,
        REPLAY_INDICATOR_LAYER = 1305,
        // The replay indicator blinks: hidden while the counter is below
        // REPLAY_BLINK_SHOW, shown up to REPLAY_BLINK_PERIOD.
        REPLAY_BLINK_SHOW = 16,
        REPLAY_BLINK_PERIOD = 50,
        STEP_COUNTER_DIGITS = 5
    };

    // Index of an action in the profile's 16 key bindings.
    enum Binding {
        BIND_RESTART = 0,
        BIND_UNDO,
        BIND_LEFT,
        BIND_RIGHT,
        BIND_UP,
        BIND_DOWN,
        BIND_ACTION,
        BIND_SLOT1,
        BIND_COUNT = BIND_SLOT1 + 9
    };

    // The fixed codes under which a solution stores its keys, whatever the
    // bindings.
    enum SolutionKey {
        SOLUTION_UP = 273,
        SOLUTION_DOWN = 274,
        SOLUTION_RIGHT = 275,
        SOLUTION_LEFT = 276,
        SOLUTION_ACTION = 102, // 'f'
        SOLUTION_SLOT1 = 49,   // '1'; slot n is 48 + n
        SOLUTION_SLOT9 = 57
    };

    // Results of the pause menu and of the post-level screen.
    enum ChildResult {
        MENU_RESUME = 0,
        MENU_RESTART = 1,
        MENU_SOLUTION = 2,
        MENU_UNDO = 3,
        POST_RETRY = 1,
        POST_SOLUTION = 3,
        POST_UNDO_FATAL_STEP = 14
    };

    // Types of the post-level screen.
    enum PostLevelType {
        POST_SINGED = 3,
        POST_LOST = 4, // caught, fallen, exit tube destroyed
        POST_SET_LEVEL_SOLVED = 5,
        POST_SINGLE_LEVEL_SOLVED = 7
    };

    // Modes of the pause menu.
    enum MenuMode { MENU_MODE_SET = 0, MENU_MODE_TUTORIAL = 1, MENU_MODE_SINGLE = 2 };

    // Plays the set's current level.
    explicit CControllerGame(CLevelSet* levelSet);
    // Plays one level alone; the flags are the editor's (record a solution,
    // play the recorded one back, test run).
    CControllerGame(CLevel* level, bool record, bool replay, bool test);
    // Leaves the level to its owner.
    ~CControllerGame() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Builds the board of level; also every restart. A level without an
    // entrance tube builds no board (the first frame then tells the player
    // and closes the screen).
    void LoadLevel(CLevel* level);
    // Throws the board away and builds it again from level (null: the same
    // level); the step count starts from 0.
    void restartLevel(CLevel* newLevel);
    // One key of the player (or of a replayed solution).
    void processKey(bool released, int key);
    // Run before any child is launched: the board stops and its picture is
    // frozen behind the child.
    void suspend(bool capture);
    bool loadStoryController();
    void loadPostGameController(int type);
    void loadInGameController();
    // Shows the text of a tutorial marker the professor has just reached;
    // marker is its cell on the screen.
    void loadTutorialController(const char* text, const Rect& marker);

    // ------------------------------------------------ state for tests and tools
    CLevel* GetLevel() const { return level; }
    CLevelSet* GetLevelSet() const { return levelSet; }
    bool IsReplaying() const { return replay; }
    bool IsRecording() const { return record; }
    bool IsTestRun() const { return test; }
    bool HasBoard() const { return hasBoard; }
    int GetStartFrame() const { return startFrame; }
    // The frame number of the last game frame, counted from the level's
    // (re)start as a solution counts it (1 on the first).
    int GetElapsedFrames() const;
    int GetLevelIndex() const { return levelIndex; }
    int GetSetIndex() const { return setIndex; }
    int GetMenuMode() const;
    // The level as messages name it: its name, or for a built-in level
    // filed empty its set and label ("Regular T3").
    std::string GetLevelTitle() const;
    CSprite* GetReplayIndicator() const { return replayIndicator; }
    CGuiButton* GetMenuButton() const { return menuButton; }
    CGuiCounter* GetStepCounter() const { return stepCounter; }
    CBackground* GetBackground() const { return background; }
    CElementAIProfessor* GetProfessor() const { return professor; }
    CControllerInGame* GetInGameChild() const { return inGame; }
    CControllerScoreboard* GetPostLevelChild() const { return postLevel; }
    CControllerStory* GetStoryChild() const { return story; }
    CControllerMessage* GetMessageChild() const { return message; }
    CControllerMessageTutorial* GetTutorialChild() const { return tutorial; }

private:
    void init(CLevelSet* set, CLevel* level, bool record, bool replay, bool test);
    // The return path: first frame, or first frame after a child closed.
    void returnFromChild();
    void actOnChild(int childId);
    // One ordinary frame of play.
    void gameFrame();
    void updateReplayIndicator();
    void feedReplay();
    void stepWorld();
    void handleLevelEnd();
    void checkTutorial();
    // Opens the pause menu, or ends a test run.
    void openMenu();
    void recordKey(int code, bool released);
    void showNoBoardMessage();
    void deleteBoard();

    // In declared order, as the screen keeps them.
    CSprite* replayIndicator;
    CGuiButton* menuButton;
    CBackground* background;
    CElementAIProfessor* professor;
    CGuiCounter* stepCounter;
    CLevelSet* levelSet;
    CLevel* level;
    CControllerScoreboard* postLevel;
    CControllerInGame* inGame;
    CControllerStory* story;
    bool pendingStory;
    bool record;
    bool replay;
    bool test;
    bool startPending;
    int startFrame;
    int currentFrame;
    int levelIndex;
    int setIndex;
    int replayBlink;
    // The level could not be built (no entrance tube); the message that
    // says so.
    bool hasBoard;
    CControllerMessage* message;
    // The tutorial text on screen, and the marker whose text was shown last
    // (each marker speaks once when the professor reaches it).
    CControllerMessageTutorial* tutorial;
    const CElement* shownTutorial;
};

// Shows the arrow pointer at once; the play screen and its pause menu do this
// when they close.
void showArrowPointer();
