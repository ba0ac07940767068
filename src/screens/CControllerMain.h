// The main menu: the professor by his volcano, and buttons to the world
// map, the level manager, the best results, how to play, the settings, the
// profiles and out of the game. It opens each as a child screen; a child
// may answer with the id of the screen to open next (the map asks for the
// level manager with 22, the manager for the map with 13).
#pragma once

#include "screens/CControllerScreen.h"

class CSprite;

class CControllerMain : public CControllerScreen {
public:
    // Widget ids of the buttons.
    enum {
        BUTTON_PLAY = 0,
        BUTTON_MANAGER,
        BUTTON_SCORES,
        BUTTON_INSTRUCTIONS,
        BUTTON_SETTINGS,
        BUTTON_PROFILES,
        BUTTON_EXIT
    };
    enum { BUTTON_X = 290, BUTTON_TOP = 150, BUTTON_STEP = 54 };

    CControllerMain();
    ~CControllerMain() override;

    void GUICallback(int index, int value, bool dclick) override;

    // Opens the child screen for a button or a request (a controller id).
    void Open(int controllerId);
    // Whether a file can be made in the profile folder; when not, the menu
    // tells the player that progress will not be kept.
    static bool CanWriteProfiles();
    // Whether a profile has played: it has finished a level or moved on
    // from the first level of a set. A new one is greeted
    // "Welcome", one that has played "Welcome back".
    static bool HasPlayed(const CProfile* p);
    bool ShowsSaveWarning() const { return saveWarning != nullptr; }

protected:
    void OnFirstFrame() override;
    void OnChildClosed(const ChildAnswer& closed) override;
    void OnChildDeleted() override;
    void OnFrame() override;

private:
    void Build();
    void Greet();
    void Animate();

    CSprite* glow;
    CSprite* smoke;
    CSprite* head;
    CSprite* profileLine;
    CSprite* saveWarning;
    int frame;
    int nextScreen;   // a screen a closed child asked for
};
