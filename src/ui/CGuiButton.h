// The image button of every screen: a base image, an optional shadow, a
// rollover image, an optional click image, an optional text image and an
// optional overlay shown while the button is disabled.
#pragma once

#include "ui/CGuiButtonBase.h"

class CSprite;

class CGuiButton : public CGuiButtonBase {
public:
    // Sprite layers of a button.
    enum { LAYER_SHADOW = 1420, LAYER_BASE = 1421, LAYER_ROLLOVER = 1422, LAYER_TEXT = 1423 };

    // Images are names of preloaded images; shadow and click may be null.
    CGuiButton(int x, int y, int id, CController* listener, const char* base, const char* shadow,
               const char* rollover, const char* click, bool isDefault, int shadowDx, int shadowDy);
    ~CGuiButton() override;

    void Update() override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void CenterMouse() override;

    // Replaces the text sprite (null: no text). The rollover and pressed
    // offsets are relative to the normal one.
    void SetText(const char* image, int dx, int dy, int rollDx, int rollDy, int pressDx, int pressDy);
    void SetDisableImage(const char* image, int dx, int dy);
    void SetBaseImage(const char* image);
    void SetRolloverImage(const char* image);
    void SetClickImage(const char* image);
    void SetPosition(int newX, int newY);
    int GetCenterX() const;
    int GetCenterY() const;
    void Disable();
    void Enable();
    bool IsButtonDisabled() const { return buttonDisabled != 0; }

    CSprite* GetBaseSprite() const { return base; }
    CSprite* GetRolloverSprite() const { return rollover; }
    CSprite* GetShadowSprite() const { return shadow; }
    CSprite* GetDisableSprite() const { return disableOverlay; }
    CSprite* GetClickSprite() const { return click; }
    CSprite* GetTextSprite() const { return text; }

private:
    void PlaceText(int dx, int dy);

    int shadowDx, shadowDy;
    int textDx, textDy;
    int textRollDx, textRollDy;
    int textPressDx, textPressDy;
    uint8_t buttonDisabled;
    int disableDx, disableDy;
    CSprite* base;
    CSprite* rollover;
    CSprite* shadow;
    CSprite* disableOverlay;
    CSprite* click;
    CSprite* text;
};

// A sprite of one preloaded image at (x, y) with a debug name, shown or
// hidden; the widgets build all their sprites this way.
CSprite* makeWidgetSprite(const char* image, int type, const char* name, int x, int y, bool shown);
