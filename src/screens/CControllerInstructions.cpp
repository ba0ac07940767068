#include "screens/CControllerInstructions.h"

#include <string>

#include "engine/CSprite.h"
#include "engine/Log.h"
#include "profile/CProfile.h"
#include "screens/CControllerOptionsControls.h"
#include "ui/CGuiButton.h"
#include "engine/Input.h"

namespace {
const int kStringTitle = 6200; // + page
const int kStringPage = 6220;  // + page
} // namespace

CControllerInstructions::CControllerInstructions(int firstPage)
    : page(-1), title(nullptr), body(nullptr), pageNumber(nullptr), previous(nullptr), next(nullptr), back(nullptr)
{
    id = CONTROLLER_INSTRUCTIONS;
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    previous = AddLabelButton(BUTTON_PREVIOUS, 120, 450, STRING_LABEL_PREVIOUS, false);
    next = AddLabelButton(BUTTON_NEXT, 494, 450, STRING_LABEL_NEXT, true);
    back = AddBackButton(BUTTON_BACK, 307, 505, false);
    ShowPage(firstPage);
}

CControllerInstructions::~CControllerInstructions()
{
    logPrint(LOG_DESTRUCT, "CControllerInstructions:  Destroying CControllerInstructions...\n");
}

std::vector<std::string> CControllerInstructions::KeyNames(const CProfile* p)
{
    typedef CControllerOptionsControls C;
    if (!p)
        return std::vector<std::string>(6, "");
    return {C::KeyLabel(p->GetKey(C::ACTION_LEFT)) + " and " + C::KeyLabel(p->GetKey(C::ACTION_RIGHT)),
            C::KeyLabel(p->GetKey(C::ACTION_UP)) + " and " + C::KeyLabel(p->GetKey(C::ACTION_DOWN)),
            C::KeyLabel(p->GetKey(C::ACTION_TURN)),
            C::KeyRangeLabel(p, C::ACTION_SLOT_FIRST, C::ACTION_SLOT_LAST),
            C::KeyLabel(p->GetKey(C::ACTION_UNDO)),
            C::KeyLabel(p->GetKey(C::ACTION_RESTART))};
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
    body = AddText(kStringPage + page, KeyNames(profile), 140, 120, 520, 325, 0);
    pageNumber = AddLine(std::to_string(page + 1) + " / " + std::to_string(PAGE_COUNT), 330, 450, 140, 30, 3);
    // No way back from the first page and none on from the last. A player
    // on the keys whose button went moves to the one that is left: Back
    // from the last page.
    bool hadFocus = CGuiButtonBase::GetFocused() && CGuiButtonBase::GetFocused()->GetListener() == this;
    if (page == 0)
        previous->Hide();
    else
        previous->Show();
    if (page == PAGE_COUNT - 1)
        next->Hide();
    else
        next->Show();
    CGuiButtonBase* focus = CGuiButtonBase::GetFocused();
    if (hadFocus && focus && focus->IsHidden() && isKeyboardInUse())
        CGuiButtonBase::FocusOn(page == PAGE_COUNT - 1 ? static_cast<CGuiButtonBase*>(back) : next);
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
