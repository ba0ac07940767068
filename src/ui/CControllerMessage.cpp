#include "ui/CControllerMessage.h"

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"
#include "ui/TextOnImage.h"

const char* const CControllerMessage::IMAGE_NAME = "baseMessageController.png";

CControllerMessage::CControllerMessage(int titleId, int bodyId, bool withCancel, const char* parameter)
    : dimmer(nullptr), background(nullptr), okButton(nullptr), cancelButton(nullptr), hasCancel(0), created(0)
{
    setup(titleId, bodyId, nullptr, parameter, withCancel);
}

CControllerMessage::CControllerMessage(int bodyId, bool withCancel, const char* parameter)
    : CControllerMessage(-1, bodyId, withCancel, parameter)
{
}

CControllerMessage::CControllerMessage(const char* titleText, const char* bodyText, bool withCancel)
    : dimmer(nullptr), background(nullptr), okButton(nullptr), cancelButton(nullptr), hasCancel(0), created(0)
{
    setup(STRING_TITLE_PARAMETER, STRING_BODY_PARAMETER, titleText, bodyText, withCancel);
}

CControllerMessage::CControllerMessage(const char* bodyText, bool withCancel)
    : dimmer(nullptr), background(nullptr), okButton(nullptr), cancelButton(nullptr), hasCancel(0), created(0)
{
    setup(-1, STRING_BODY_PARAMETER, nullptr, bodyText, withCancel);
}

CControllerMessage::~CControllerMessage()
{
    logPrint(LOG_DESTRUCT, "CControllerMessage:  Destroying CControllerMessage...\n");
    showBusyPointer(true);
    freeSprites();
}

void CControllerMessage::setup(int titleId, int bodyId, const char* titleParameter, const char* bodyParameter,
                               bool withCancel)
{
    id = CONTROLLER_MESSAGE;
    hasCancel = withCancel ? 1 : 0;
    focusPlaced = 0;
    createSprites(titleId, bodyId, titleParameter, bodyParameter);
}

void CControllerMessage::createSprites(int titleId, int bodyId, const char* titleParameter,
                                       const char* bodyParameter)
{
    if (created)
        return;
    dimmer = makeWidgetSprite("dimmer.png", LAYER_DIMMER, "Message Controller (MESSAGE_LSPRITE_DIMMER)", 0, 0, true);

    int image = CDraw::CopyImage("confirmation_parch.png", IMAGE_NAME, 0);
    CDraw::DrawImageOnImage("parchment_confirmation.png", image, INNER_PARCHMENT_X, INNER_PARCHMENT_Y);
    int width = CDraw::GetImageWidth(image);
    // The parameters are names and plain texts: shown as they are.
    if (titleId != -1)
        drawPlainTextOnImage(titleId, image, 2, TITLE_WIDTH, TITLE_HEIGHT, (width - TITLE_WIDTH) / 2, TITLE_Y,
                             titleParameter);
    if (bodyId != -1)
        drawPlainTextOnImage(bodyId, image, 2, BODY_WIDTH, BODY_HEIGHT, (width - BODY_WIDTH) / 2, BODY_Y,
                             bodyParameter);
    background = makeWidgetSprite(IMAGE_NAME, LAYER_BACKGROUND, "Message Controller (MESSAGE_LSPRITE_BACKGROUND)",
                                  BACKGROUND_X, BACKGROUND_Y, true);

    // With a question, Cancel is what Return answers when nothing has the
    // focus; a lone OK is the default itself.
    okButton = new CGuiButton(hasCancel ? OK_X : LONE_OK_X, BUTTON_Y, BUTTON_OK, this,
                              "confirmation_buttonokaybase.png", "confirmation_buttonokayshadow.png",
                              "confirmation_buttonokayroll.png", nullptr, !hasCancel, 0, 0);
    if (hasCancel)
        cancelButton = new CGuiButton(CANCEL_X, BUTTON_Y, BUTTON_CANCEL, this, "confirmation_buttoncancelbase.png",
                                      "confirmation_buttoncancelshadow.png", "confirmation_buttoncancelroll.png",
                                      nullptr, true, 0, 0);
    hidePointers(-1);
    created = 1;
}

void CControllerMessage::freeSprites()
{
    if (!created)
        return;
    delete dimmer;
    delete background;
    delete okButton;
    delete cancelButton;
    dimmer = background = nullptr;
    okButton = cancelButton = nullptr;
    // The sprite held the other reference; this frees the composed picture
    // and its name for the next dialog.
    CDraw::ReleaseImageByName(IMAGE_NAME);
    created = 0;
}

void CControllerMessage::GUICallback(int index, int, bool)
{
    if (index == BUTTON_OK) {
        result = 1;
        exitCode = 1;
    } else if (index == BUTTON_CANCEL) {
        result = 0;
        exitCode = 1;
    } else {
        result = 0;
    }
}

void CControllerMessage::InputKey(bool released, int key)
{
    hidePointers(-1);
    if (!released && key == KEY_ESCAPE)
        result = hasCancel ? 0 : 1;
    InputNavigationKey(released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerMessage::InputMouseMotion(int, int)
{
    tickHourglass();
}

void CControllerMessage::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && CGuiButtonBase::GetFocusIndex() == -1)
        PlayClickSound();
}

void CControllerMessage::Pump()
{
    if (!focusPlaced) {
        // Opened from the keyboard, the dialog starts on its default
        // button, not on whatever the resting pointer happens to cover.
        focusPlaced = 1;
        if (isKeyboardInUse())
            CGuiButtonBase::FocusOn(CGuiButtonBase::FindStartWidget(this));
    }
    PollInput();
    if (active && (!IsFrameStepping() || IsFrameStepRequested()))
        CGuiButtonBase::UpdateAll();
}
