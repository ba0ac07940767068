#include "screens/CControllerInstructions.h"

#include <string>

#include "engine/CSprite.h"
#include "engine/Log.h"

namespace {
const int kStringTitle = 6200; // + page
const int kStringPage = 6220;  // + page
} // namespace

CControllerInstructions::CControllerInstructions(int firstPage)
    : page(-1), title(nullptr), body(nullptr), pageNumber(nullptr)
{
    id = CONTROLLER_INSTRUCTIONS;
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    AddTextButton(BUTTON_PREVIOUS, 130, 448, 150, 30, "< Previous");
    AddTextButton(BUTTON_NEXT, 520, 448, 150, 30, "Next >", true);
    AddLabelButton(BUTTON_BACK, 307, 510, "kv3_button_backmenutext.png", false);
    ShowPage(firstPage);
}

CControllerInstructions::~CControllerInstructions()
{
    logPrint(LOG_DESTRUCT, "CControllerInstructions:  Destroying CControllerInstructions...\n");
}

void CControllerInstructions::ShowPage(int wanted)
{
    if (wanted < 0)
        wanted = 0;
    if (wanted >= PAGE_COUNT)
        wanted = PAGE_COUNT - 1;
    if (wanted == page)
        return;
    page = wanted;
    RemoveSprite(title);
    RemoveSprite(body);
    RemoveSprite(pageNumber);
    title = AddText(kStringTitle + page, nullptr, 130, 70, 540, 40, 3);
    body = AddText(kStringPage + page, nullptr, 140, 120, 520, 325, 0);
    pageNumber = AddLine(std::to_string(page + 1) + " / " + std::to_string(PAGE_COUNT), 330, 448, 140, 30, 3);
}

void CControllerInstructions::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    if (index == BUTTON_PREVIOUS)
        ShowPage(page - 1);
    else if (index == BUTTON_NEXT)
        ShowPage(page + 1);
    else if (index == BUTTON_BACK)
        SetExitCode(1);
}

bool CControllerInstructions::OnKey(bool released, int key)
{
    if (released)
        return false;
    if (key == KEY_LEFT || key == KEY_RIGHT) {
        ShowPage(page + (key == KEY_LEFT ? -1 : 1));
        return true;
    }
    return false;
}
