#include "screens/CControllerOptions.h"

#include <cmath>
#include <string>

#include "engine/Log.h"
#include "profile/CProfile.h"
#include "screens/CControllerOptionsControls.h"
#include "screens/CControllerOptionsPassword.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiCheckbox.h"
#include "ui/CGuiSlider.h"

namespace {
const int kStringTitle = 6400;
const int kStringNotSaved = 6040;

const char* const kSwitchNames[CControllerOptions::SWITCH_COUNT] = {"Full screen", "Mouse free to leave the window",
                                                                     "Show the step counter", "Show the story"};
const char* const kScaleNames[CControllerOptions::SCALE_COUNT] = {"Sound volume", "Music volume", "Game speed",
                                                                   "Mouse speed"};
const int kLeft = 150;
const int kTop = 130;
const int kRow = 36;
// A scale: its name, "-", the slider (112 pixels), "+" and its value.
const int kLessX = kLeft + 175;
const int kSliderX = kLessX + 36;
const int kMoreX = kSliderX + 118;
const int kValueX = kMoreX + 38;
} // namespace

int CControllerOptions::MouseSpeedToScale(float speed)
{
    int v = static_cast<int>(std::lround((speed - 0.5f) / 0.25f));
    return v < 0 ? 0 : (v > SCALE_MAX ? SCALE_MAX : v);
}

float CControllerOptions::ScaleToMouseSpeed(int value)
{
    return 0.5f + 0.25f * static_cast<float>(value);
}

CControllerOptions::CControllerOptions() : switches(), sliders(), sliderY(), values(), closing(false)
{
    id = CONTROLLER_OPTIONS;
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    AddText(kStringTitle, nullptr, 130, 60, 540, 44, 3);

    int y = kTop;
    for (int i = 0; i < SWITCH_COUNT; ++i) {
        switches[i] = new CGuiCheckbox(kLeft, y, i, this);
        switches[i]->SetChecked(IsSwitchOn(i));
        AddWidget(switches[i]);
        AddLine(kSwitchNames[i], kLeft + 40, y + 2, 380, 26, 0);
        y += kRow;
    }
    y += 8;
    for (int i = 0; i < SCALE_COUNT; ++i) {
        AddLine(kScaleNames[i], kLeft, y + 2, 170, 26, 0);
        AddTextButton(BUTTON_LESS + i, kLessX, y, 30, 28, "-");
        sliderY[i] = y + 4;
        AddTextButton(BUTTON_MORE + i, kMoreX, y, 30, 28, "+");
        ShowValue(i);
        y += kRow;
    }
    MakeSliders();
    AddLabelButton(BUTTON_CONTROLS, 200, y + 10, "kv3_button_controlstext.png", false);
    AddLabelButton(BUTTON_PASSWORD, 414, y + 10, "kv3_button_passwordtext.png", false);
    AddLabelButton(BUTTON_BACK, 307, y + 50, "kv3_button_savetext.png", true);
}

CControllerOptions::~CControllerOptions()
{
    logPrint(LOG_DESTRUCT, "CControllerOptions:  Destroying CControllerOptions...\n");
    FreeSliders();
}

void CControllerOptions::MakeSliders()
{
    for (int i = 0; i < SCALE_COUNT; ++i) {
        if (!sliders[i])
            sliders[i] = new CGuiSlider(kSliderX, sliderY[i]);
        sliders[i]->SetValue(GetScale(i));
    }
}

void CControllerOptions::FreeSliders()
{
    for (CGuiSlider*& s : sliders) {
        delete s;
        s = nullptr;
    }
}

bool CControllerOptions::OnKey(bool released, int key)
{
    // Leaving by Escape keeps the changes too.
    if (!released && key == KEY_ESCAPE) {
        Close();
        return true;
    }
    return false;
}

bool CControllerOptions::IsSwitchOn(int which) const
{
    if (!profile)
        return false;
    switch (which) {
    case SWITCH_FULLSCREEN:
        return profile->GetFullscreen() != 0;
    case SWITCH_MOUSE_FREE:
        return profile->GetMouseFree() != 0;
    case SWITCH_STEP_COUNTER:
        return profile->GetShowStepCounter();
    case SWITCH_STORY:
        return profile->GetShowStory();
    default:
        return false;
    }
}

int CControllerOptions::GetScale(int scale) const
{
    if (!profile)
        return 0;
    switch (scale) {
    case SCALE_SOUND:
        return profile->GetSoundVolume();
    case SCALE_MUSIC:
        return profile->GetMusicVolume();
    case SCALE_GAME_SPEED:
        return profile->GetGameSpeed();
    case SCALE_MOUSE_SPEED:
        return MouseSpeedToScale(profile->GetMouseSpeed());
    default:
        return 0;
    }
}

void CControllerOptions::Change(int scale, int delta)
{
    int v = GetScale(scale) + delta;
    v = v < 0 ? 0 : (v > SCALE_MAX ? SCALE_MAX : v);
    switch (scale) {
    case SCALE_SOUND:
        profile->SetSoundVolume(v);
        break;
    case SCALE_MUSIC:
        profile->SetMusicVolume(v);
        break;
    case SCALE_GAME_SPEED:
        profile->SetGameSpeed(v);
        break;
    case SCALE_MOUSE_SPEED:
        profile->SetMouseSpeed(ScaleToMouseSpeed(v));
        break;
    default:
        return;
    }
    if (sliders[scale])
        sliders[scale]->SetValue(GetScale(scale));
    ShowValue(scale);
}

void CControllerOptions::ShowValue(int scale)
{
    RemoveSprite(values[scale]);
    values[scale] = AddLine(std::to_string(GetScale(scale)) + " / " + std::to_string(SCALE_MAX), kValueX,
                            sliderY[scale] - 2, 80, 26, 0);
}

void CControllerOptions::GUICallback(int index, int value, bool dclick)
{
    (void)dclick;
    if (!profile)
        return;
    if (index >= 0 && index < SWITCH_COUNT) {
        bool on = value != 0;
        switch (index) {
        case SWITCH_FULLSCREEN:
            profile->SetFullscreen(on);
            break;
        case SWITCH_MOUSE_FREE:
            profile->SetMouseFree(on ? 1 : 0);
            break;
        case SWITCH_STEP_COUNTER:
            profile->SetShowStepCounter(on);
            break;
        case SWITCH_STORY:
            profile->SetShowStory(on);
            break;
        default:
            break;
        }
        switches[index]->SetChecked(IsSwitchOn(index));
    } else if (index >= BUTTON_LESS && index < BUTTON_LESS + SCALE_COUNT) {
        Change(index - BUTTON_LESS, -1);
    } else if (index >= BUTTON_MORE && index < BUTTON_MORE + SCALE_COUNT) {
        Change(index - BUTTON_MORE, +1);
    } else if (index == BUTTON_CONTROLS) {
        LaunchChild(new CControllerOptionsControls());
    } else if (index == BUTTON_PASSWORD) {
        LaunchChild(new CControllerOptionsPassword());
    } else if (index == BUTTON_BACK) {
        Close();
    }
}

void CControllerOptions::Close()
{
    if (closing)
        return;
    closing = true;
    if (!SaveProfileOrTell(kStringNotSaved))
        return;
    SetExitCode(1);
}

void CControllerOptions::OnChildClosed(const ChildAnswer& closed)
{
    // A quit that came while the notice was up (window closed) is passed on
    // as it is.
    if (closed.id == CONTROLLER_MESSAGE && closing && GetExitCode() == 0)
        SetExitCode(1);
}
