// The modal one-line text entry: a dimmed copy of the screen with a panel
// and a prompt, one text box, OK and Cancel, keyboard focus that cycles
// between the three, and key repeat. The subclasses build their panel in
// createSprites (called from their constructors) and may add a notice.
//
// The panel is composed into the image "baseTextEntryController.png", so
// only one text-entry dialog may exist at a time. The parent reads
// isCancelled and getText on its first frame back and copies the text
// before it deletes the dialog (the text belongs to the dialog).
#pragma once

#include <cstdint>

#include "ui/CController.h"

class CGuiButton;
class CGuiTextbox;
class CSprite;

class CControllerTextEntryBase : public CController {
public:
    enum {
        BUTTON_CANCEL = 0, // widget ids
        BUTTON_OK = 1,
        LAYER_BACKGROUND = 1410,
        LAYER_NOTICE = 1411,
        CURSOR_DX = 6,
        CURSOR_DY = 4,
        REPEAT_AFTER = 10,   // frames of holding before the first repeat
        REPEAT_RESTART = 8,  // the counter after each repeat: one every 3 frames
        NOTICE_FRAMES = 30,  // a notice shows this long before it fades away
        NOTICE_X = 227,
        NOTICE_Y = 215,
        NOTICE_WIDTH = 300,
        NOTICE_HEIGHT = 30
    };

    CControllerTextEntryBase();
    ~CControllerTextEntryBase() override;

    // Builds the panel, the buttons and the text box.
    virtual void createSprites() = 0;
    // Per-frame hook of the subclasses.
    virtual void updateSprites();

    // Puts a default text into the box.
    void setText(const char* value);
    bool isCancelled() const { return result == 0; }
    // Null when cancelled or when the box is empty; otherwise the box's text.
    const char* getText() const;
    // Moves the focus around text box, OK and Cancel.
    void switchFocus(bool backwards);

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    CSprite* GetBackgroundSprite() const { return background; }
    CGuiButton* GetOkButton() const { return okButton; }
    CGuiButton* GetCancelButton() const { return cancelButton; }
    CGuiTextbox* GetTextbox() const { return textbox; }
    bool TextboxHasFocus() const { return textboxHasFocus != 0; }
    int GetHeldKey() const { return heldKey; }
    // The notice sprite of the subclass, or null.
    virtual CSprite* GetNoticeSprite() const { return nullptr; }

    static const char* const IMAGE_NAME;

protected:
    // Where a subclass puts its panel (screen pixels; the composed image
    // covers the screen, so they are image pixels too).
    struct Panel {
        const char* image;
        int x, y;
        int promptId, promptWidth, promptHeight, promptX, promptY;
        int okX, okY, cancelX, cancelY;
        int textLength, textX, textY;
        bool allowSpace;
        bool masked;
        const char* spriteName;
    };
    void buildPanel(const Panel& panel);

    // A notice: six frames named prefix + 5 down to 0 + ".png", hidden.
    CSprite* makeNotice(const char* prefix, int x, int y);
    // Shows the notice from its first frame for NOTICE_FRAMES frames.
    void startNotice(CSprite* notice, int& countdown);
    // One frame of a notice: after the countdown it plays its frames once.
    static void tickNotice(CSprite* notice, int& countdown);
    // Gives the box the focus with the pointer on it.
    void refocusTextbox();

    CSprite* background;
    CSprite* secondSprite;
    CGuiButton* okButton;
    CGuiButton* cancelButton;
    CGuiTextbox* textbox;
    uint8_t created;
    uint8_t textboxHasFocus;
    int heldKey;
    int repeatCounter;
    // Set once the first frame has put the pointer on the text box (only
    // when the player uses the keys).
    uint8_t focusPlaced = 0;

private:
    void freeSprites();
};
