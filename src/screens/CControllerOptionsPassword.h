// The profile's password. A locked profile first asks for its current
// password (a wrong one or Cancel closes the screen and changes nothing).
// Then the player types the new password, or leaves the box empty to unlock
// the profile, and saves it.
#pragma once

#include <memory>

#include "profile/CProfileBase.h"
#include "screens/CControllerScreen.h"

class CGuiTextbox;

class CControllerOptionsPassword : public CControllerScreen {
public:
    enum { BUTTON_SAVE = 0, BUTTON_CANCEL };
    enum { PASSWORD_MAX = PROFILE_PASSWORD_MAX, BOX_X = 290, BOX_Y = 300 };

    CControllerOptionsPassword();
    ~CControllerOptionsPassword() override;

    void GUICallback(int index, int value, bool dclick) override;
    // True once the current password was given (or there was none).
    bool IsUnlocked() const { return unlocked; }
    CGuiTextbox* GetTextbox() const { return box.get(); }

protected:
    void OnFirstFrame() override;
    void OnChildClosed(const ChildAnswer& closed) override;
    void OnFrame() override;
    bool OnKey(bool released, int key) override;
    void OnHideScreen() override;
    void OnShowScreen() override;

private:
    void BuildEntry();
    void Save();

    bool unlocked;
    bool saving;
    std::unique_ptr<CGuiTextbox> box;
};
