// How to play: pages on the controls and on every board object, turned
// with the arrow keys or the page buttons. Escape or Back closes it.
#pragma once

#include "screens/CControllerScreen.h"

class CSprite;

class CControllerInstructions : public CControllerScreen {
public:
    enum { PAGE_COUNT = 9 };
    enum { BUTTON_PREVIOUS = 0, BUTTON_NEXT, BUTTON_BACK };

    // page is clamped to the pages there are.
    explicit CControllerInstructions(int page);
    ~CControllerInstructions() override;

    void GUICallback(int index, int value, bool dclick) override;
    int GetPage() const { return page; }
    void ShowPage(int page);

protected:
    bool OnKey(bool released, int key) override;

private:
    int page;
    CSprite* title;
    CSprite* body;
    CSprite* pageNumber;
};
