// A checkbox: a registered widget that flips between checked and unchecked
// when activated and reports its new state (1 or 0) to its listener.
#pragma once

#include "ui/CGuiButtonBase.h"

class CSprite;

class CGuiCheckbox : public CGuiButtonBase {
public:
    CGuiCheckbox(int x, int y, int id, CController* listener);
    ~CGuiCheckbox() override;

    void Update() override;
    bool Activate(bool fromKeyboard, bool force) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void CenterMouse() override;

    void SetChecked(bool on);
    bool IsChecked() const { return checked != 0; }

    CSprite* GetBaseSprite(bool forChecked) const { return forChecked ? checkedBase : uncheckedBase; }
    CSprite* GetRolloverSprite(bool forChecked) const { return forChecked ? checkedRollover : uncheckedRollover; }

private:
    void ShowOnlyBase();
    CSprite* CurrentBase() const { return checked ? checkedBase : uncheckedBase; }
    CSprite* CurrentRollover() const { return checked ? checkedRollover : uncheckedRollover; }

    CSprite* uncheckedBase;
    CSprite* uncheckedRollover;
    CSprite* checkedBase;
    CSprite* checkedRollover;
    uint8_t checked;
};
