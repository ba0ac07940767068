#include "ui/CGuiButton.h"

#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "ui/CController.h"

CSprite* makeWidgetSprite(const char* image, int type, const char* name, int x, int y, bool shown)
{
    CSprite* s = new CSprite(type, 0, false);
    s->SetName(name);
    s->AddFrame(image);
    s->SetPosition(x, y, false);
    if (shown)
        s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    return s;
}

namespace {

void showSprite(CSprite* s)
{
    if (s)
        s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

void hideSprite(CSprite* s)
{
    if (s)
        s->Hide();
}

} // namespace

CGuiButton::CGuiButton(int xPos, int yPos, int widgetId, CController* owner, const char* baseImage,
                       const char* shadowImage, const char* rolloverImage, const char* clickImage,
                       bool isDefaultWidget, int shadowOffsetX, int shadowOffsetY)
    : CGuiButtonBase(xPos, yPos, widgetId, owner, isDefaultWidget),
      shadowDx(shadowOffsetX),
      shadowDy(shadowOffsetY),
      textDx(0),
      textDy(0),
      textRollDx(0),
      textRollDy(0),
      textPressDx(0),
      textPressDy(0),
      buttonDisabled(0),
      disableDx(0),
      disableDy(0),
      base(nullptr),
      rollover(nullptr),
      shadow(nullptr),
      disableOverlay(nullptr),
      click(nullptr),
      text(nullptr)
{
    if (shadowImage)
        shadow = makeWidgetSprite(shadowImage, LAYER_SHADOW, "GUI Button Shadow", x + shadowDx, y + shadowDy, true);
    base = makeWidgetSprite(baseImage, LAYER_BASE, "GUI Button Base", x, y, true);
    rollover = makeWidgetSprite(rolloverImage, LAYER_ROLLOVER, "GUI Button Rollover", x, y, false);
    if (clickImage)
        click = makeWidgetSprite(clickImage, LAYER_ROLLOVER, "GUI Button Click", x, y, false);
}

CGuiButton::~CGuiButton()
{
    delete base;
    delete rollover;
    delete shadow;
    delete disableOverlay;
    delete click;
    delete text;
}

void CGuiButton::PlaceText(int dx, int dy)
{
    if (text)
        text->SetPosition(x + dx, y + dy, false);
}

void CGuiButton::Update()
{
    if (hidden)
        return;
    if (IsMouseOver() && focusIndex == -1) {
        // The pointer has just arrived when neither the rollover nor the
        // click picture is up yet.
        if (rollover->IsHidden() && (!click || click->IsHidden()))
            CController::PlayRolloverSound();
        focusIndex = index;
        base->Hide();
        showSprite(rollover);
        if (mouseHeld) {
            if (click) {
                rollover->Hide();
                showSprite(click);
            } else {
                rollover->SetPosition(x + 2, y + 2, false);
            }
            PlaceText(textPressDx, textPressDy);
        } else {
            rollover->SetPosition(x, y, false);
            PlaceText(textRollDx, textRollDy);
            hideSprite(click);
        }
        return;
    }
    showSprite(base);
    rollover->Hide();
    hideSprite(click);
    PlaceText(textDx, textDy);
}

bool CGuiButton::IsMouseOver()
{
    if (hidden)
        return false;
    return base->IsMouseOver(0, 0);
}

void CGuiButton::CenterMouse()
{
    warpMouse(GetCenterX(), GetCenterY());
    hidePointers(1);
}

int CGuiButton::GetCenterX() const
{
    return base->GetX(true) + base->GetWidth(false) / 2;
}

int CGuiButton::GetCenterY() const
{
    return base->GetY(true) + base->GetHeight(false) / 2;
}

void CGuiButton::Hide()
{
    if (hidden)
        return;
    hideSprite(base);
    hideSprite(shadow);
    hideSprite(rollover);
    hideSprite(click);
    hideSprite(text);
    hidden = 1;
}

void CGuiButton::Show()
{
    if (!hidden)
        return;
    showSprite(base);
    showSprite(shadow);
    showSprite(text);
    if (!buttonDisabled)
        hidden = 0;
}

void CGuiButton::Disable()
{
    if (buttonDisabled)
        return;
    Hide();
    // Still on screen with its overlay, but neither hit, focused nor a
    // default: it counts as hidden.
    showSprite(base);
    showSprite(shadow);
    showSprite(text);
    showSprite(disableOverlay);
    buttonDisabled = 1;
    disabled = 1;
}

void CGuiButton::Enable()
{
    if (!buttonDisabled)
        return;
    buttonDisabled = 0;
    disabled = 0;
    hideSprite(disableOverlay);
    Show();
}

void CGuiButton::SetText(const char* image, int dx, int dy, int rollDx, int rollDy, int pressDx, int pressDy)
{
    delete text;
    text = nullptr;
    if (!image)
        return;
    textDx = dx;
    textDy = dy;
    textRollDx = dx + rollDx;
    textRollDy = dy + rollDy;
    textPressDx = dx + pressDx;
    textPressDy = dy + pressDy;
    text = makeWidgetSprite(image, LAYER_TEXT, "GUI Button Text", x + dx, y + dy, true);
}

void CGuiButton::SetDisableImage(const char* image, int dx, int dy)
{
    delete disableOverlay;
    disableDx = dx;
    disableDy = dy;
    disableOverlay = makeWidgetSprite(image, LAYER_TEXT, "GUI Button Disable", x + dx, y + dy, buttonDisabled != 0);
}

void CGuiButton::SetBaseImage(const char* image)
{
    delete base;
    base = makeWidgetSprite(image, LAYER_BASE, "GUI Button Base", x, y, true);
}

void CGuiButton::SetRolloverImage(const char* image)
{
    delete rollover;
    rollover = makeWidgetSprite(image, LAYER_ROLLOVER, "GUI Button Rollover", x, y, true);
}

void CGuiButton::SetClickImage(const char* image)
{
    delete click;
    click = makeWidgetSprite(image, LAYER_ROLLOVER, "GUI Button Click", x, y, true);
}

void CGuiButton::SetPosition(int newX, int newY)
{
    x = newX;
    y = newY;
    base->SetPosition(x, y, false);
    rollover->SetPosition(x, y, false);
    if (click)
        click->SetPosition(x, y, false);
    if (shadow)
        shadow->SetPosition(x + shadowDx, y + shadowDy, false);
    PlaceText(textDx, textDy);
    if (disableOverlay)
        disableOverlay->SetPosition(x + disableDx, y + disableDy, false);
}
