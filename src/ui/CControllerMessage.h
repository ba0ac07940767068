// The modal message box: a dimmed screen, a parchment with a title and a
// body text from the string table, and either one OK button or OK and
// Cancel. The parent reads the answer with isConfirmed on its first frame
// back and deletes the dialog.
//
// The parchment is composed into the image "baseMessageController.png", so
// only one message dialog may exist at a time.
#pragma once

#include <cstdint>

#include "ui/CController.h"

class CGuiButton;
class CSprite;

class CControllerMessage : public CController {
public:
    enum {
        BUTTON_CANCEL = 0, // widget ids
        BUTTON_OK = 1,
        LAYER_DIMMER = 1411,
        LAYER_BACKGROUND = 1412,
        BACKGROUND_X = 150,
        BACKGROUND_Y = 88,
        INNER_PARCHMENT_X = 180, // inside the composed image
        INNER_PARCHMENT_Y = 100,
        TITLE_WIDTH = 450,
        TITLE_HEIGHT = 50,
        TITLE_Y = 50,
        BODY_WIDTH = 350,
        BODY_HEIGHT = 120,
        BODY_Y = 200,
        BUTTON_Y = 420,
        OK_X = 315,
        CANCEL_X = 410,
        LONE_OK_X = 360,
        STRING_TITLE_PARAMETER = 100, // "%1" as a title
        STRING_BODY_PARAMETER = 300   // "%1" as a body
    };

    // titleId or bodyId -1 leaves that text out; parameter (or null) is the
    // body's first parameter. Parameters are shown as they are: markup codes
    // in a name stay text.
    CControllerMessage(int titleId, int bodyId, bool hasCancel, const char* parameter);
    // No title.
    CControllerMessage(int bodyId, bool hasCancel, const char* parameter);
    // Plain texts as title and body.
    CControllerMessage(const char* titleText, const char* bodyText, bool hasCancel);
    // A plain text as body, no title.
    CControllerMessage(const char* bodyText, bool hasCancel);
    ~CControllerMessage() override;

    // Builds the dialog again on this object.
    void setup(int titleId, int bodyId, const char* titleParameter, const char* bodyParameter, bool hasCancel);
    bool isConfirmed() const { return result == 1; }

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    CSprite* GetDimmerSprite() const { return dimmer; }
    CSprite* GetBackgroundSprite() const { return background; }
    CGuiButton* GetOkButton() const { return okButton; }
    CGuiButton* GetCancelButton() const { return cancelButton; }
    bool HasCancel() const { return hasCancel != 0; }

    static const char* const IMAGE_NAME;

private:
    void createSprites(int titleId, int bodyId, const char* titleParameter, const char* bodyParameter);
    void freeSprites();

    CSprite* dimmer;
    CSprite* background;
    CGuiButton* okButton;
    CGuiButton* cancelButton;
    uint8_t hasCancel;
    uint8_t created;
    // Set once the first frame has put the keyboard focus on the default
    // button (only when the player uses the keys).
    uint8_t focusPlaced = 0;
};
