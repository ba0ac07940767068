// CElementDeviceGate: a portcullis in one of three colours. Closed, it fills
// its cell like a wall; it opens while a button of its colour is pressed and
// closes again when none is pressed and its gateway is empty. It is metal,
// so magnets hold it, and a magnet held by a gate does not fall.
#pragma once

#include <cstdint>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDeviceGate : public CElementDevice {
public:
    enum { COLOURS = 3, MOVE_PICTURES = 8 };
    // The element's state word.
    enum GateState {
        GATE_CLOSED = 0,  // fills its cell
        GATE_OPENING = 1, // left its cell; the portcullis rises
        GATE_OPEN = 2,    // its cell is free
        GATE_CLOSING = 3  // back in its cell; the portcullis drops
    };

    CElementDeviceGate(int x, int y, int colour);
    ~CElementDeviceGate() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetColour() const { return colour; }
    bool IsClosed() const { return state == GATE_CLOSED || state == GATE_CLOSING; }

    // ------------------------------------------------ level reset
    static void resetSoundFrames();

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t animStep;  // steps since the portcullis began to move
        int32_t shakeStep; // steps of shaking under a magnet's pull
    };

    void Open();
    void Close();
    void PlaySound();
    // Something is in the gateway or moving through it.
    bool IsGatewayBusy() const;
    void ShowPictures();

    int colour;
    Record record{0, 0};
    SlotCopies<Record> savedRecords;
    CSprite* back = nullptr;  // rear posts and rails; its picture shows how far the gate is open
    CSprite* front = nullptr; // the coloured portcullis, shown while closed
    CSound* soundMove = nullptr;

    // The frame in which a gate of each colour last played its sound, so
    // that a row of gates opening together is heard once.
    static int32_t lastSoundFrames[COLOURS];
};
