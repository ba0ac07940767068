// The world map: each level set is a road across its own island, with one
// dot per level in level order (screens/MapLayout.h). A dot shows whether
// its level is locked, finished, or open and not yet finished; tutorial
// levels carry a star. A click selects a level and tells its name and best
// result; a second click (or Return) plays it. The set buttons switch
// between the regular, advanced and kids sets; a set opens on its next open
// level. After a level the map shows the new state and moves the selection
// on to the next level when this one was finished.
//
// By keys: the map opens with the pointer parked on the selected level, so
// Return plays it whatever the mouse was left over; the arrow keys step
// along the road from open level to open level.
//
// Which levels are open is the rule of IsUnlocked (see docs/board-rules.md).
#pragma once

#include <string>
#include <vector>

#include "screens/CControllerScreen.h"
#include "screens/MapLayout.h"

class CControllerGame;
class CProfile;
class CGuiButtonMapDot;
class CSprite;

class CControllerMap : public CControllerScreen {
public:
    // Dot states.
    enum { DOT_LOCKED = 0, DOT_COMPLETED = 2, DOT_INCOMPLETE = 3 };
    // Widget ids: dots are their level index; then these.
    enum {
        BUTTON_SET_FIRST = 200, // + set
        BUTTON_MANAGER = 210,
        BUTTON_BACK,
        BUTTON_PLAY
    };
    enum {
        MAX_DOTS = 125,
        // The dots come onto the chart within this many frames of each other
        // (their grow strip takes six more).
        APPEAR_SPREAD = 6
    };
    // A tutorial dot's strips stand 28 pixels above its place with the star
    // drawn 14 pixels down them: the dot is placed this far below the spot
    // on the road so that the star stands on it.
    enum { STAR_DROP = 14 };
    // String id of the notice for a locked level.
    enum { STRING_LOCKED = 6021 };

    CControllerMap();
    ~CControllerMap() override;

    void GUICallback(int index, int value, bool dclick) override;

    // The unlock rule: the first level of a set, every finished level and
    // every level after a finished one.
    static bool IsUnlocked(const CProfile* profile, int set, int level);
    // The state of a level's dot for the profile.
    static int DotState(const CProfile* profile, int set, int level);
    // The level a set opens on: its first open level not yet finished, or
    // its last level when every open one is finished.
    static int NextOpenLevel(const CProfile* profile, int set, int count);

    int GetSet() const { return set; }
    int GetSelectedLevel() const { return selected; }
    int GetDotCount() const { return static_cast<int>(dots.size()); }
    CGuiButtonMapDot* GetDot(int level) const;
    CControllerGame* GetGame() const { return game; }
    // Where a level's dot stands on the screen (the middle of its picture
    // and of its hit box); false for a level the map does not show.
    bool GetDotCentre(int level, int& x, int& y) const;
    // The level line under the chart: its string id (STRING_LOCKED for the
    // notice of a locked level) and the text it shows the level with.
    int GetCaptionId() const { return captionId; }
    const std::string& GetCaption() const { return caption; }
    // The selected level's own dot, shown beneath its pulsing ring (null
    // for a tutorial level, whose star lies beneath it anyway).
    CSprite* GetSelectionMark() const { return mark; }

    // Shows set s (0 regular, 1 advanced, 2 kids).
    void ShowSet(int s);
    // Plays level of the current set; nothing for a locked one.
    void Play(int level);

protected:
    void OnFirstFrame() override;
    void OnChildClosed(const ChildAnswer& closed) override;
    void OnChildDeleted() override;
    // From the keyboard the map starts on its selected level.
    void PlaceKeyboardFocus(int rememberedId) override;
    void OnFrame() override;
    bool OnKey(bool released, int key) override;

private:
    void Build(bool appear);
    void ShowInfo(int level);
    // Keeps the glow and the level's own dot under the selected dot.
    void MarkSelection();
    // Puts the pointer on the selected level's dot, hidden until the mouse
    // moves: the focus starts there.
    void ParkPointer();
    // The open level an arrow key leads to from level along the road, or -1.
    int StepAlongRoad(int level, int key) const;
    CGuiButtonMapDot* FocusedDot() const;

    int set;
    int selected;
    std::vector<CGuiButtonMapDot*> dots;
    std::vector<maplayout::Point> centres;
    CSprite* info;
    CSprite* halo;
    CSprite* mark;
    int markedLevel;
    int captionId;
    std::string caption;
    CControllerGame* game;
    bool playNext;
};
