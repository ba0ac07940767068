#include "screens/CControllerOptionsControls.h"

#include <SDL.h>
#include <string>

#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButtonBase.h"

namespace {
const int kStringTitle = 6401;
const int kStringWaiting = 6410;
const int kStringChoose = 6411;
const int kStringSorry = 6030;
const int kStringKeyTaken = 6054;

const char* const kActionNames[CControllerOptionsControls::ACTION_COUNT] = {
    "Start over", "Undo", "Walk left", "Walk right", "Up", "Down", "Action", "Power-up 1",
    "Power-up 2", "Power-up 3", "Power-up 4", "Power-up 5", "Power-up 6", "Power-up 7", "Power-up 8", "Power-up 9"};
} // namespace

CControllerOptionsControls::CControllerOptionsControls() : waiting(-1), focusAction(-1)
{
    id = CONTROLLER_OPTIONS_CONTROLS;
    Rebuild();
}

CControllerOptionsControls::~CControllerOptionsControls()
{
    logPrint(LOG_DESTRUCT, "CControllerOptionsControls:  Destroying CControllerOptionsControls...\n");
}

const char* CControllerOptionsControls::ActionName(int action)
{
    return (action >= 0 && action < ACTION_COUNT) ? kActionNames[action] : "";
}

void CControllerOptionsControls::Rebuild()
{
    ClearScreen();
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    AddText(kStringTitle, nullptr, 130, 60, 540, 44, 3);
    if (waiting >= 0)
        AddText(kStringWaiting, kActionNames[waiting], 130, 105, 540, 30, 3);
    else
        AddText(kStringChoose, nullptr, 130, 105, 540, 30, 3);
    for (int i = 0; i < ACTION_COUNT; ++i) {
        int column = i / 8;
        int row = i % 8;
        int x = 130 + column * 275;
        int y = 145 + row * 40;
        AddLine(kActionNames[i], x, y + 3, 125, 28, 0);
        std::string key = profile ? KeyLabel(profile->GetKey(i)) : "";
        if (i == waiting)
            key = "...";
        AddTextButton(i, x + 125, y, 130, 30, "[ " + key + " ]");
    }
    AddLabelButton(BUTTON_DEFAULTS, 200, 480, "kv3_button_defaulttext.png", false);
    AddBackButton(BUTTON_BACK, 414, 480, true);
}

std::string CControllerOptionsControls::KeyLabel(int key)
{
    const char* raw = SDL_GetKeyName(static_cast<SDLKey>(key));
    std::string name = raw ? raw : "";
    if (name.empty() || name == "unknown key")
        return "key " + std::to_string(key);
    bool wordStart = true;
    for (char& c : name) {
        if (wordStart && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        wordStart = c == ' ';
    }
    return name;
}

std::string CControllerOptionsControls::KeyRangeLabel(const CProfile* p, int firstAction, int lastAction)
{
    if (!p || lastAction < firstAction)
        return "";
    bool consecutive = true;
    for (int a = firstAction + 1; a <= lastAction; ++a)
        if (p->GetKey(a) != p->GetKey(a - 1) + 1)
            consecutive = false;
    if (consecutive && lastAction > firstAction)
        return KeyLabel(p->GetKey(firstAction)) + " to " + KeyLabel(p->GetKey(lastAction));
    std::string text;
    for (int a = firstAction; a <= lastAction; ++a)
        text += (a > firstAction ? ", " : "") + KeyLabel(p->GetKey(a));
    return text;
}

int CControllerOptionsControls::Bind(int action, int key)
{
    if (!profile || action < 0 || action >= ACTION_COUNT)
        return -1;
    for (int i = 0; i < ACTION_COUNT; ++i)
        if (i != action && profile->GetKey(i) == key)
            return i;
    profile->SetKey(action, key);
    return -1;
}

void CControllerOptionsControls::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    if (index >= 0 && index < ACTION_COUNT) {
        waiting = index;
        Rebuild();
    } else if (index == BUTTON_DEFAULTS) {
        if (profile)
            profile->ResetKeys();
        waiting = -1;
        Rebuild();
    } else if (index == BUTTON_BACK) {
        SetExitCode(1);
    }
}

bool CControllerOptionsControls::OnKey(bool released, int key)
{
    if (waiting < 0)
        return false;
    if (released)
        return true;
    int action = waiting;
    waiting = -1;
    if (key != KEY_ESCAPE) {
        int holder = Bind(action, key);
        if (holder >= 0) {
            Rebuild();
            LaunchMessage(kStringSorry, kStringKeyTaken, false, kActionNames[holder]);
            return true;
        }
    }
    Rebuild();
    return true;
}
