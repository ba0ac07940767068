#include "screens/CControllerStory.h"

#include "engine/Log.h"
#include "engine/Sound.h"
#include "ui/CGuiButtonBase.h"

namespace {
const int kStringTitle = 6100; // + chapter
const int kStringText = 6120;  // + chapter
} // namespace

CControllerStory::CControllerStory(int wanted)
    : chapter(wanted < 0 ? 0 : (wanted >= CHAPTER_COUNT ? CHAPTER_COUNT - 1 : wanted))
{
    id = CONTROLLER_STORY;
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 50);
    AddText(kStringTitle + chapter, nullptr, 130, 80, 540, 44, 3);
    AddText(kStringText + chapter, nullptr, 150, 140, 500, 330, 0);
    AddLabelButton(BUTTON_CONTINUE, 307, 520, "kv3_button_continuetext.png", true);
}

CControllerStory::~CControllerStory()
{
    logPrint(LOG_DESTRUCT, "CControllerStory:  Destroying CControllerStory...\n");
}

void CControllerStory::OnFirstFrame()
{
    CSound::playStoryMusic();
}

void CControllerStory::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    if (index == BUTTON_CONTINUE)
        SetExitCode(1);
}

bool CControllerStory::OnKey(bool released, int key)
{
    // Any key but the screenshot key turns the page.
    if (released || key == KEY_KEYPAD0)
        return false;
    SetExitCode(1);
    return true;
}

void CControllerStory::InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown)
{
    if (!released && (left || right) && CGuiButtonBase::GetFocusIndex() == -1) {
        SetExitCode(1);
        return;
    }
    CControllerScreen::InputMouseButton(released, left, right, wheelUp, wheelDown);
}
