// The tutorial marker's text: a speech bubble over the dimmed board with
// the hint the level's author wrote for that cell. Any key or click closes
// it (exit code 1, result 0); a key only once the bubble has been up for
// half a second, so a player walking on by keys gets to read it.
//
// The bubble stands above or below the marker, clear of the professor and
// of the cells around the marker (the thing the hint explains is usually
// there), and its tail points at the marker.
#pragma once

#include <string>

#include "engine/CDraw.h"
#include "engine/Rect.h"
#include "screens/CControllerScreen.h"

class CControllerMessageTutorial : public CControllerScreen {
public:
    enum {
        // "tutorial_big.png": the bubble without its tail; the text box in it.
        BUBBLE_WIDTH = 400,
        BUBBLE_HEIGHT = 172,
        TEXT_LEFT = 25,
        TEXT_TOP = 16,
        TEXT_WIDTH = 350,
        TEXT_HEIGHT = 140,
        // "tutorial_taildown.png" / "tutorial_tailup.png": the tail, its tip
        // in the middle of its bottom / top edge; it reaches TAIL_OVERLAP
        // pixels into the bubble to cover the bubble's outline there.
        TAIL_WIDTH = 32,
        TAIL_HEIGHT = 34,
        TAIL_OVERLAP = 6,
        // The tail stays this far from the bubble's sides (the rounded
        // corners).
        TAIL_MARGIN = 30,
        // Space between the tail's tip and what it must not cover.
        TIP_GAP = 2,
        // Cells around the marker that the bubble keeps clear of, on each
        // side.
        CLEAR_CELLS = 1,
        // Frames a key waits before it closes the bubble: half a second at
        // the 33 ms frame period that every pushed screen runs at.
        KEY_WAIT_FRAMES = (500 + CDraw::NORMAL_FRAME_PERIOD - 1) / CDraw::NORMAL_FRAME_PERIOD
    };

    // Where the bubble and its tail stand on the screen.
    struct Placement {
        Rect bubble;
        Rect tail;
        bool tailUp; // the bubble is below the marker
        int tipX, tipY;
    };

    // text may be null or empty: the bubble then says so. marker is the
    // marker's cell and professor the professor's picture, in screen
    // pixels; without a marker (width 0) the bubble stands in the middle of
    // the screen without a tail.
    explicit CControllerMessageTutorial(const char* text, const Rect& marker = Rect{0, 0, 0, 0},
                                        const Rect& professor = Rect{0, 0, 0, 0});
    ~CControllerMessageTutorial() override;

    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    const std::string& GetText() const { return text; }
    const Placement& GetPlacement() const { return placement; }

    // The bubble's place for a marker cell and the professor's picture:
    // inside the screen, clear of the marker's cell and its neighbours and
    // of the professor, on the side with more room, its tail's tip at the
    // marker's column.
    static Placement Place(const Rect& marker, const Rect& professor);

protected:
    bool OnKey(bool released, int key) override;

private:
    std::string text;
    Placement placement;
    // The frame count when the bubble was made.
    Uint32 openedFrame;
};
