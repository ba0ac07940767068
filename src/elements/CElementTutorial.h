// CElementTutorial: a tutorial marker, a spinning question mark with a
// tutorial text. It takes no room. When the professor reaches its cell it
// becomes the active marker (the play screen shows its text) and the marker
// active before is put out; a marker once read turns faint.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "world/CElement.h"

class CElementTutorial : public CElement {
public:
    // The element's state word.
    enum TutorialState {
        TUTORIAL_UNREAD = 0,
        TUTORIAL_ACTIVE = 1, // its text is the one shown
        TUTORIAL_READ = 2    // was active before
    };

    // text: the level's tutorial text of the cell (may be "UNDEFINED"; null
    // reads as empty).
    CElementTutorial(int x, int y, const char* text);
    ~CElementTutorial() override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    const std::string& GetText() const { return text; }
    bool IsActive() const { return state == TUTORIAL_ACTIVE; }

    // ------------------------------------------------ world-core operations
    // Makes the marker at the cell the active one; nothing for a cell
    // outside the board, a cell without a marker, or the active marker.
    static void HandleTutorial(int x, int y);
    // The active marker, or null.
    static CElementTutorial* GetActive();
    static CElementTutorial* GetAt(int x, int y);

    // ------------------------------------------------ level reset
    static void ClearGrid();
    static bool MarkersExist() { return markersExist != 0; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    enum { SPIN_PICTURES = 24 };

    std::string text;
    CSprite* body = nullptr;
    int32_t spin = 0; // steps of the spinning, for the picture only

    static CElementTutorial* tutorialGrid[GRID_CELLS];
    static uint8_t markersExist;
};
