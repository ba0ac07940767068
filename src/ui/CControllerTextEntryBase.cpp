#include "ui/CControllerTextEntryBase.h"

#include <cstdio>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiButtonBase.h"
#include "ui/CGuiTextbox.h"
#include "engine/Input.h"
#include "ui/TextOnImage.h"

const char* const CControllerTextEntryBase::IMAGE_NAME = "baseTextEntryController.png";

CControllerTextEntryBase::CControllerTextEntryBase()
    : background(nullptr),
      secondSprite(nullptr),
      okButton(nullptr),
      cancelButton(nullptr),
      textbox(nullptr),
      created(0),
      textboxHasFocus(1),
      heldKey(-1),
      repeatCounter(0)
{
    id = CONTROLLER_TEXT_ENTRY;
    result = 0;
}

CControllerTextEntryBase::~CControllerTextEntryBase()
{
    logPrint(LOG_DESTRUCT, "CControllerTextEntryBase:  Destroying CControllerTextEntryBase...\n");
    showBusyPointer(true);
    freeSprites();
}

void CControllerTextEntryBase::freeSprites()
{
    if (!created)
        return;
    delete background;
    delete secondSprite;
    delete okButton;
    delete cancelButton;
    delete textbox;
    background = secondSprite = nullptr;
    okButton = cancelButton = nullptr;
    textbox = nullptr;
    CDraw::ReleaseImageByName(IMAGE_NAME);
    created = 0;
}

void CControllerTextEntryBase::buildPanel(const Panel& p)
{
    int image = CDraw::CopyScreenToImage(IMAGE_NAME);
    CDraw::DrawImageOnImage("dimmer.png", image, 0, 0);
    CDraw::DrawImageOnImage(p.image, image, p.x, p.y);
    drawTextOnImage(p.promptId, image, 2, p.promptWidth, p.promptHeight, p.promptX, p.promptY);
    background = makeWidgetSprite(IMAGE_NAME, LAYER_BACKGROUND, p.spriteName, 0, 0, true);
    okButton = new CGuiButton(p.okX, p.okY, BUTTON_OK, this, "profile_button_okaybase.png",
                              "profile_button_okayshadow.png", "profile_button_okayrollover.png", nullptr, true, 0, 0);
    cancelButton = new CGuiButton(p.cancelX, p.cancelY, BUTTON_CANCEL, this, "profile_button_cancelbase.png",
                                  "profile_button_cancelshadow.png", "profile_button_cancelrollover.png", nullptr,
                                  false, 0, 0);
    textbox = new CGuiTextbox(p.textLength, p.textX, p.textY, CURSOR_DX, CURSOR_DY, "profile_entername_textbox.png",
                              "profilenternamecursor.png", p.allowSpace, false, false);
    textbox->SetMasked(p.masked);
    created = 1;
}

CSprite* CControllerTextEntryBase::makeNotice(const char* prefix, int x, int y)
{
    CSprite* notice = new CSprite(LAYER_NOTICE, 2, false);
    notice->SetName("Text Entry Controller (ptrSInvalid)");
    notice->LoadFrames(prefix, 5, 0, ".png", 1);
    notice->SetPosition(x, y, false);
    return notice;
}

void CControllerTextEntryBase::startNotice(CSprite* notice, int& countdown)
{
    countdown = NOTICE_FRAMES;
    notice->ResetAnimation();
    notice->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

void CControllerTextEntryBase::tickNotice(CSprite* notice, int& countdown)
{
    if (countdown < 1)
        return;
    if (--countdown == 0)
        notice->Animate(true);
}

void CControllerTextEntryBase::refocusTextbox()
{
    textbox->CenterMouse();
    textboxHasFocus = 1;
}

void CControllerTextEntryBase::updateSprites() {}

void CControllerTextEntryBase::setText(const char* value)
{
    if (textbox)
        textbox->SetText(value);
}

const char* CControllerTextEntryBase::getText() const
{
    if (result == 0 || !textbox || !textbox->GetText()[0])
        return nullptr;
    return textbox->GetText();
}

void CControllerTextEntryBase::switchFocus(bool backwards)
{
    CGuiButtonBase* focused = CGuiButtonBase::GetFocused();
    bool atOk = focused && focused == okButton;
    bool atCancel = focused && focused == cancelButton;
    CGuiButton* target = nullptr;
    if (backwards) {
        if (atCancel)
            target = okButton;
        else if (!atOk)
            target = cancelButton;
    } else {
        if (atOk)
            target = cancelButton;
        else if (!atCancel && textboxHasFocus)
            target = okButton;
    }
    if (target) {
        textboxHasFocus = 0;
        textbox->HideCursor();
        target->CenterMouse();
    } else {
        textboxHasFocus = 1;
        textbox->CenterMouse();
    }
}

void CControllerTextEntryBase::GUICallback(int index, int, bool)
{
    if (index == BUTTON_CANCEL) {
        result = 0;
        exitCode = 1;
    } else if (index == BUTTON_OK) {
        // A text of blanks only is no answer.
        const char* text = textbox->GetText();
        bool blank = true;
        for (const char* c = text; *c; ++c)
            if (*c != ' ')
                blank = false;
        if (blank) {
            PlayClickSound();
            return;
        }
        result = 1;
        exitCode = 1;
    }
}

void CControllerTextEntryBase::InputKey(bool released, int key)
{
    hidePointers(-1);
    if (!released && key != heldKey) {
        heldKey = key;
        repeatCounter = 0;
    } else if (released && key == heldKey) {
        heldKey = -1;
        repeatCounter = 0;
    }
    if (textboxHasFocus && !released)
        textbox->HandleKey(key, 0, GetModKey(MOD_SHIFT) != 0);
    if (!released) {
        switch (key) {
        case KEY_UP:
        case KEY_LEFT:
            switchFocus(true);
            break;
        case KEY_DOWN:
        case KEY_RIGHT:
            switchFocus(false);
            break;
        case KEY_TAB:
            switchFocus(GetModKey(MOD_SHIFT) != 0);
            break;
        case KEY_RETURN:
            CGuiButtonBase::DispatchActivate(true);
            break;
        case KEY_ESCAPE:
            GUICallback(BUTTON_CANCEL, 0, false);
            break;
        default:
            break;
        }
    }
    InputScreenCapture(released, key);
}

void CControllerTextEntryBase::InputMouseMotion(int, int)
{
    tickHourglass();
    if (textbox->IsMouseOver()) {
        textboxHasFocus = 1;
    } else if (CGuiButtonBase::GetFocusIndex() != -1) {
        textboxHasFocus = 0;
        textbox->HideCursor();
    }
}

void CControllerTextEntryBase::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && CGuiButtonBase::GetFocusIndex() == -1)
        PlayClickSound();
}

void CControllerTextEntryBase::Pump()
{
    if (!focusPlaced) {
        // Opened from the keyboard, the dialog starts on its text box: the
        // resting pointer must not leave OK or Cancel under it for Return.
        focusPlaced = 1;
        if (isKeyboardInUse() && textbox)
            refocusTextbox();
    }
    PollInput();
    if (heldKey != -1 && ++repeatCounter > REPEAT_AFTER) {
        InputKey(false, heldKey);
        repeatCounter = REPEAT_RESTART;
    }
    if (!active || (IsFrameStepping() && !IsFrameStepRequested()))
        return;
    updateSprites();
    CGuiButtonBase::UpdateAll();
    if (textboxHasFocus)
        textbox->BlinkCursor();
}
