// The screen after a level, and the table of best results.
//
// After a level (types 3 singed, 4 caught / fallen / exit tube destroyed,
// 5 a level of a set solved, 7 a single level solved) it offers: try again
// (result 1), watch the solution (result 3; a profile with a password is
// asked for it first, except in tutorial levels), undo the fatal step
// (result 14), each closing with exit code 1; or leave the play screen
// (exit code 2) for the map or the level manager, by its button or Escape.
//
// Type 2 lists the profiles on this computer by the levels they finished
// and the steps they needed; it closes with exit code 1.
#pragma once

#include <string>
#include <vector>

#include "screens/CControllerScreen.h"

class CControllerScoreboard : public CControllerScreen {
public:
    enum {
        TYPE_HIGH_SCORES = 2,
        TYPE_SINGED = 3,
        TYPE_FAILED = 4,
        TYPE_SET_SOLVED = 5,
        TYPE_SINGLE_SOLVED = 7
    };
    // Results left for the play screen.
    enum { RESULT_NONE = 0, RESULT_RETRY = 1, RESULT_SOLUTION = 3, RESULT_UNDO = 14 };
    // Widget ids.
    // BUTTON_LEAVE leaves the play screen (after a solved level of a set the
    // map then plays the next one); BUTTON_BACK_TO_CHOOSER leaves it for the
    // map or the level manager and nothing more.
    enum { BUTTON_RETRY = 0, BUTTON_UNDO, BUTTON_SOLUTION, BUTTON_LEAVE, BUTTON_CLOSE, BUTTON_BACK_TO_CHOOSER };
    enum { MAX_TABLE_ROWS = 12 };

    // levelName: the single level just solved, whose kept record the
    // post-level screen shows.
    CControllerScoreboard(int type, bool singleLevel, const char* levelName = nullptr);
    ~CControllerScoreboard() override;

    void GUICallback(int index, int value, bool dclick) override;
    int GetType() const { return type; }
    // The best step count a solved level's screen shows; -1 on other screens.
    int GetShownBest() const { return shownBest; }

    // One row of the best-results table.
    struct Row {
        std::string name;
        int finished;
        long steps;
    };
    // The profiles of this computer, most levels first, then fewest steps.
    static std::vector<Row> CollectBestResults();

    // True once after Continue on a solved level of a set: the map then
    // plays the next level at once. Reading clears it.
    static bool TakeContinueRequest();

protected:
    void OnChildClosed(const ChildAnswer& closed) override;
    // After a level, Escape goes back to the map or the level manager.
    bool OnKey(bool released, int key) override;

private:
    void BuildPostLevel();
    void BuildTable();
    void AskForSolution();
    bool IsTutorialLevel() const;

    int type;
    bool singleLevel;
    std::string levelName;
    int shownBest;
    static bool continueRequested;
};
