// How to play: pages on the controls and on every board object, turned
// with the arrow keys or the page buttons (Previous is not there on the
// first page, Next not on the last). Escape or Back closes it.
#pragma once

#include <string>
#include <vector>

#include "screens/CControllerScreen.h"

class CGuiButton;
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
    // The keys the pages name, as the profile binds them: walk (%1), climb
    // (%2), turn (%3), the power-up slots (%4), undo (%5), start over (%6).
    static std::vector<std::string> KeyNames(const CProfile* profile);

protected:
    bool OnKey(bool released, int key) override;

private:
    int page;
    CSprite* title;
    CSprite* body;
    CSprite* pageNumber;
    CGuiButton* previous;
    CGuiButton* next;
    CGuiButton* back;
};
