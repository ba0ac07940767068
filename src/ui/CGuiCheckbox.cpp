#include "ui/CGuiCheckbox.h"

#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "ui/CController.h"
#include "ui/CGuiButton.h"

CGuiCheckbox::CGuiCheckbox(int xPos, int yPos, int widgetId, CController* owner)
    : CGuiButtonBase(xPos, yPos, widgetId, owner, false), checked(1)
{
    uncheckedBase = makeWidgetSprite("checkbox_base.png", CGuiButton::LAYER_BASE, "GUI Checkbox Unchecked", x, y,
                                     false);
    uncheckedRollover = makeWidgetSprite("checkbox_rollover.png", CGuiButton::LAYER_ROLLOVER,
                                         "GUI Checkbox Unchecked Rollover", x, y, false);
    checkedBase = makeWidgetSprite("checkbox_basecheck.png", CGuiButton::LAYER_BASE, "GUI Checkbox Checked", x, y,
                                   true);
    checkedRollover = makeWidgetSprite("checkbox_rollovercheck.png", CGuiButton::LAYER_ROLLOVER,
                                       "GUI Checkbox Checked Rollover", x, y, false);
}

CGuiCheckbox::~CGuiCheckbox()
{
    delete uncheckedBase;
    delete uncheckedRollover;
    delete checkedBase;
    delete checkedRollover;
}

void CGuiCheckbox::ShowOnlyBase()
{
    CurrentBase()->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    (checked ? uncheckedBase : checkedBase)->Hide();
    uncheckedRollover->Hide();
    checkedRollover->Hide();
}

bool CGuiCheckbox::Activate(bool, bool force)
{
    if (index != focusIndex && !force)
        return false;
    checked = checked ? 0 : 1;
    ShowOnlyBase();
    CController::PlayActivateSound();
    if (listener)
        listener->GUICallback(id, checked, false);
    return true;
}

void CGuiCheckbox::Update()
{
    if (hidden)
        return;
    if (IsMouseOver() && focusIndex == -1) {
        if (uncheckedRollover->IsHidden() && checkedRollover->IsHidden())
            CController::PlayRolloverSound();
        focusIndex = index;
        CurrentBase()->Hide();
        CSprite* roll = CurrentRollover();
        roll->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
        if (mouseHeld)
            roll->SetPosition(x + 2, y + 2, false);
        else
            roll->SetPosition(x, y, false);
        return;
    }
    CurrentBase()->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    CurrentRollover()->Hide();
}

void CGuiCheckbox::SetChecked(bool on)
{
    checked = on ? 1 : 0;
    ShowOnlyBase();
}

void CGuiCheckbox::Hide()
{
    uncheckedBase->Hide();
    uncheckedRollover->Hide();
    checkedBase->Hide();
    checkedRollover->Hide();
    hidden = 1;
}

void CGuiCheckbox::Show()
{
    CurrentBase()->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    hidden = 0;
}

bool CGuiCheckbox::IsMouseOver()
{
    return !hidden && uncheckedBase->IsMouseOver(0, 0);
}

void CGuiCheckbox::CenterMouse()
{
    warpMouse(uncheckedBase->GetX(true) + uncheckedBase->GetWidth(false) / 2,
              uncheckedBase->GetY(true) + uncheckedBase->GetHeight(false) / 2);
    hidePointers(1);
}
