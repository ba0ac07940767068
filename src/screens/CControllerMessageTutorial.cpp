#include "screens/CControllerMessageTutorial.h"

#include "engine/Log.h"

namespace {
const int kStringTutorial = 6700;
// What the bubble says for a marker whose author left no text.
const char* const kNoText = "There is no hint here.";

bool hasText(const char* hint)
{
    return hint && hint[0] && std::string(hint) != "UNDEFINED";
}
} // namespace

CControllerMessageTutorial::CControllerMessageTutorial(const char* hint)
    : text(hasText(hint) ? hint : kNoText)
{
    id = CONTROLLER_MESSAGE_TUTORIAL;
    AddPicture("dimmer.png", LAYER_BACKGROUND + 1, 0, 0);
    AddPicture("tutorial_big.png", LAYER_PANEL, BUBBLE_X, BUBBLE_Y);
    AddText(kStringTutorial, text.c_str(), BUBBLE_X + 25, BUBBLE_Y + 20, 350, 140, 3);
}

CControllerMessageTutorial::~CControllerMessageTutorial()
{
    logPrint(LOG_DESTRUCT, "CControllerMessageTutorial:  Destroying CControllerMessageTutorial...\n");
}

bool CControllerMessageTutorial::OnKey(bool released, int key)
{
    if (released || key == KEY_KEYPAD0)
        return false;
    SetExitCode(1);
    return true;
}

void CControllerMessageTutorial::InputMouseButton(bool released, bool left, bool right, bool wheelUp,
                                                  bool wheelDown)
{
    if (!released && (left || right)) {
        SetExitCode(1);
        return;
    }
    CControllerScreen::InputMouseButton(released, left, right, wheelUp, wheelDown);
}
