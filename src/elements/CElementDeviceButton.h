// CElementDeviceButton: a floor button in one of the gate colours. It takes
// no room: it is pressed while anything but a shot is in its cell. The
// class counts the pressed buttons of each colour; gates of a colour are
// open while its count is above 0.
#pragma once

#include <array>
#include <cstdint>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDeviceButton : public CElementDevice {
public:
    enum { COLOURS = 3 }; // 0 blue, 1 red, 2 yellow
    // The element's state word.
    enum ButtonState {
        BUTTON_UP = 0,  // nothing in its cell
        BUTTON_DOWN = 1 // pressed, counted in its colour
    };

    CElementDeviceButton(int x, int y, int colour);
    ~CElementDeviceButton() override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetColour() const { return colour; }
    bool IsPressed() const { return state == BUTTON_DOWN; }

    // ------------------------------------------------ the pressed counts
    static int GetPressedCount(int colour);
    static void resetPressedCounts();
    static void savePressedCounts(int step);
    static void restorePressedCounts(int step);

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    int colour;
    CSprite* body = nullptr;
    CSound* soundPress = nullptr;

    typedef std::array<int32_t, COLOURS> Counts; // pressed buttons per colour
    static Counts pressedCounts;
    static SlotCopies<Counts> savedPressedCounts;
};
