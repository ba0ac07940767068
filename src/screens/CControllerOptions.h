// The settings: fullscreen, a free mouse and its speed, sound and music
// volume, game speed, the step counter and the story pages, and the way to
// the key bindings and the profile's password. Every change applies at
// once; the profile is saved when the screen closes (a failure to save is
// told to the player, and the settings stay in use).
#pragma once

#include "screens/CControllerScreen.h"

class CGuiCheckbox;
class CGuiSlider;

class CControllerOptions : public CControllerScreen {
public:
    // The switches (checkboxes) and the scales (sliders with - and +).
    enum Switch { SWITCH_FULLSCREEN = 0, SWITCH_MOUSE_FREE, SWITCH_STEP_COUNTER, SWITCH_STORY, SWITCH_COUNT };
    enum Scale { SCALE_SOUND = 0, SCALE_MUSIC, SCALE_GAME_SPEED, SCALE_MOUSE_SPEED, SCALE_COUNT };
    // Widget ids: switches 0..3, then "-" at 10 + scale, "+" at 20 + scale.
    enum {
        BUTTON_LESS = 10,
        BUTTON_MORE = 20,
        BUTTON_CONTROLS = 30,
        BUTTON_PASSWORD,
        BUTTON_BACK
    };
    enum { SCALE_MAX = 11 };

    CControllerOptions();
    ~CControllerOptions() override;

    void GUICallback(int index, int value, bool dclick) override;

    // The scale value (0..11), shown by the slider and in figures.
    int GetScale(int scale) const;
    CGuiCheckbox* GetSwitch(int which) const { return switches[which]; }
    CGuiSlider* GetSlider(int scale) const { return sliders[scale]; }
    CSprite* GetValueText(int scale) const { return values[scale]; }
    // Mouse speed and its scale position: 0.5 + 0.25 per step.
    static int MouseSpeedToScale(float speed);
    static float ScaleToMouseSpeed(int value);

protected:
    void OnChildClosed(const ChildAnswer& closed) override;
    bool OnKey(bool released, int key) override;
    void OnHideScreen() override { FreeSliders(); }
    void OnShowScreen() override { MakeSliders(); }

private:
    // The sliders are not widgets of the screen: they go while a child is
    // on top and come back after it.
    void MakeSliders();
    void FreeSliders();
    void Change(int scale, int delta);
    // The value of a scale in figures beside its slider.
    void ShowValue(int scale);
    void Close();
    bool IsSwitchOn(int which) const;

    CGuiCheckbox* switches[SWITCH_COUNT];
    CGuiSlider* sliders[SCALE_COUNT];
    int sliderY[SCALE_COUNT];
    CSprite* values[SCALE_COUNT];
    bool closing;
};
