// The profiles: every player profile of this computer by name, the current
// one marked. Clicking a name plays as that profile (a locked profile asks
// for its password first); New asks for a name; Delete removes the current
// profile after a confirmation. Refused names and folders that cannot be
// written are told to the player; nothing is changed then.
#pragma once

#include <string>

#include "screens/CControllerScreen.h"

class CControllerProfiles : public CControllerScreen {
public:
    enum { PAGE_ROWS = 8 };
    // Widget ids: profile rows are ROW_FIRST + profile number.
    enum { BUTTON_NEW = 0, BUTTON_DELETE, BUTTON_BACK, BUTTON_PREVIOUS, BUTTON_NEXT, ROW_FIRST = 100 };

    CControllerProfiles();
    ~CControllerProfiles() override;

    void GUICallback(int index, int value, bool dclick) override;

    // The notice string shown for a refused profile name.
    static int NoticeForName(int check);
    // Makes profile number current, asking for its password when it has one.
    void Choose(int number);

protected:
    void OnChildClosed(const ChildAnswer& closed) override;
    void OnFrame() override;

private:
    enum Pending { PENDING_NONE, PENDING_NAME, PENDING_CHOOSE, PENDING_DELETE, PENDING_NOTICE };

    void Rebuild();
    void Notice(int stringId, const char* parameter);

    int page;
    int pending;
    int pendingNumber;
    // The password dialog reads the expected text until it closes.
    std::string expectedPassword;
};
