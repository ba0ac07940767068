// A press-activated button made of four sprites that the owner supplies:
// base, rollover, click and text. Activation plays the click sprite once,
// reports the value given with the sprites, and then the button frees its
// sprites until the owner gives it new ones.
#pragma once

#include <cstdint>

#include "ui/CGuiButtonBase.h"

class CSprite;

class CGuiButtonPowerup : public CGuiButtonBase {
public:
    CGuiButtonPowerup(int x, int y, int id, CController* listener);
    ~CGuiButtonPowerup() override;

    // Takes ownership of the four sprites (any may be null except base),
    // replacing and deleting earlier ones; value is passed on activation.
    void Init(CSprite* base, CSprite* rollover, CSprite* click, CSprite* text, int value);
    void SetBaseSprite(CSprite* sprite);
    void SetRolloverSprite(CSprite* sprite);
    void SetClickSprite(CSprite* sprite);
    void SetTextSprite(CSprite* sprite);
    void FreeSprites();

    void Update() override;
    bool Activate(bool fromKeyboard, bool force) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void CenterMouse() override;

    bool HasSprites() const { return spritesSet != 0; }
    bool IsActivated() const { return activated != 0; }
    int GetValue() const { return value; }
    CSprite* GetBaseSprite() const { return base; }
    CSprite* GetRolloverSprite() const { return rollover; }
    CSprite* GetClickSprite() const { return click; }
    CSprite* GetTextSprite() const { return text; }

private:
    // Replaces slot with sprite (deleting the old one), names and places it
    // and starts its animation; shown tells whether it is on screen at rest.
    void Adopt(CSprite*& slot, CSprite* sprite, const char* name, bool shown);

    uint8_t spritesSet;
    uint8_t activated;
    // Whether the pointer was over the button in the last update: the
    // rollover sound plays once on arrival.
    bool hovered;
    int value;
    CSprite* base;
    CSprite* rollover;
    CSprite* click;
    CSprite* text;
};
