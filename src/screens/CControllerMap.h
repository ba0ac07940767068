// The world map: one dot per level of the current level set, in rows that
// wind across the chart. A dot shows whether its level is locked,
// finished, or open and not yet finished; tutorial levels carry a star.
// A click selects a level and tells its name and best result; a second
// click (or Return) plays it. The set buttons switch between the regular,
// advanced and kids levels. After a level the map shows the new state and
// moves the selection on to the next level when this one was finished.
//
// Which levels are open is the rule of IsUnlocked (see docs/board-rules.md).
#pragma once

#include <vector>

#include "screens/CControllerScreen.h"

class CControllerGame;
class CProfile;
class CGuiButtonMapDot;
class CSprite;

class CControllerMap : public CControllerScreen {
public:
    // Dot states.
    enum { DOT_LOCKED = 0, DOT_COMPLETED = 2, DOT_INCOMPLETE = 3 };
    // Dot modes at construction.
    enum { MODE_IDLE = 0, MODE_APPEAR_PENDING = 4, MODE_SELECTED = 5, MODE_STAR_APPEARING = 6 };
    // Widget ids: dots are their level index; then these.
    enum {
        BUTTON_SET_FIRST = 200, // + set
        BUTTON_MANAGER = 210,
        BUTTON_BACK,
        BUTTON_PLAY
    };
    enum { MAX_DOTS = 125, DOTS_PER_ROW = 13, DOT_LEFT = 70, DOT_TOP = 85, DOT_STEP_X = 53, DOT_STEP_Y = 37 };

    CControllerMap();
    ~CControllerMap() override;

    void GUICallback(int index, int value, bool dclick) override;

    // The unlock rule: the first level of a set, every finished level and
    // every level after a finished one.
    static bool IsUnlocked(const CProfile* profile, int set, int level);
    // The state of a level's dot for the profile.
    static int DotState(const CProfile* profile, int set, int level);
    // Where dot i stands: rows of DOTS_PER_ROW, every other row right to left.
    static void DotPosition(int i, int& x, int& y);

    int GetSet() const { return set; }
    int GetSelectedLevel() const { return selected; }
    int GetDotCount() const { return static_cast<int>(dots.size()); }
    CGuiButtonMapDot* GetDot(int level) const;
    CControllerGame* GetGame() const { return game; }

    // Shows set s (0 regular, 1 advanced, 2 kids).
    void ShowSet(int s);
    // Plays level of the current set; nothing for a locked one.
    void Play(int level);

protected:
    void OnFirstFrame() override;
    void OnChildClosed(CController* closed) override;
    void OnChildDeleted() override;
    bool OnKey(bool released, int key) override;

private:
    void Build(bool appear);
    void ShowInfo(int level);

    int set;
    int selected;
    std::vector<CGuiButtonMapDot*> dots;
    CSprite* info;
    CControllerGame* game;
    bool playNext;
};
