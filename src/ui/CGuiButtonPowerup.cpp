#include "ui/CGuiButtonPowerup.h"

#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "ui/CController.h"

namespace {

void showIf(CSprite* s)
{
    if (s)
        s->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

void hideIf(CSprite* s)
{
    if (s)
        s->Hide();
}

} // namespace

CGuiButtonPowerup::CGuiButtonPowerup(int xPos, int yPos, int widgetId, CController* owner)
    : CGuiButtonBase(xPos, yPos, widgetId, owner, false),
      spritesSet(0),
      activated(0),
      hovered(false),
      value(0),
      base(nullptr),
      rollover(nullptr),
      click(nullptr),
      text(nullptr)
{
    activateOnRelease = 0;
}

CGuiButtonPowerup::~CGuiButtonPowerup()
{
    FreeSprites();
}

void CGuiButtonPowerup::Adopt(CSprite*& slot, CSprite* sprite, const char* name, bool shown)
{
    if (slot != sprite)
        delete slot;
    slot = sprite;
    if (!sprite)
        return;
    sprite->SetName(name);
    sprite->SetPosition(x, y, false);
    sprite->Animate(true);
    if (shown && !hidden)
        showIf(sprite);
    else
        sprite->Hide();
}

void CGuiButtonPowerup::Init(CSprite* newBase, CSprite* newRollover, CSprite* newClick, CSprite* newText,
                             int newValue)
{
    Adopt(base, newBase, "GUI Powerup Button Base", true);
    Adopt(rollover, newRollover, "GUI Powerup Button Rollover", false);
    Adopt(click, newClick, "GUI Powerup Button Click", false);
    Adopt(text, newText, "GUI Powerup Button Text", true);
    value = newValue;
    activated = 0;
    spritesSet = base ? 1 : 0;
}

void CGuiButtonPowerup::SetBaseSprite(CSprite* sprite)
{
    Adopt(base, sprite, "GUI Powerup Button Base", true);
    spritesSet = base ? 1 : 0;
}

void CGuiButtonPowerup::SetRolloverSprite(CSprite* sprite)
{
    Adopt(rollover, sprite, "GUI Powerup Button Rollover", false);
}

void CGuiButtonPowerup::SetClickSprite(CSprite* sprite)
{
    Adopt(click, sprite, "GUI Powerup Button Click", false);
}

void CGuiButtonPowerup::SetTextSprite(CSprite* sprite)
{
    Adopt(text, sprite, "GUI Powerup Button Text", true);
}

void CGuiButtonPowerup::FreeSprites()
{
    delete base;
    delete rollover;
    delete click;
    delete text;
    base = rollover = click = text = nullptr;
    spritesSet = 0;
}

void CGuiButtonPowerup::Update()
{
    if (!spritesSet || hidden)
        return;
    if (activated) {
        // The click plays once; then the button lets its sprites go.
        if (click && !click->IsHidden() && click->IsFinished())
            click->Hide();
        if (!click || click->IsHidden()) {
            FreeSprites();
            activated = 0;
        }
        return;
    }
    bool over = IsMouseOver() && focusIndex == -1;
    bool arrived = over && !hovered;
    hovered = over;
    if (over) {
        if (arrived && (!click || click->IsHidden()))
            CController::PlayRolloverSound();
        focusIndex = index;
        if (base->IsFinished() && rollover) {
            base->Hide();
            showIf(rollover);
        }
        return;
    }
    showIf(base);
    showIf(text);
    hideIf(rollover);
}

bool CGuiButtonPowerup::Activate(bool, bool force)
{
    // Without sprites there is nothing to press.
    if (!spritesSet || (index != focusIndex && !force))
        return false;
    activated = 1;
    hideIf(rollover);
    hideIf(text);
    if (click) {
        click->ResetAnimation();
        click->Animate(true);
        showIf(click);
    }
    CController::PlayActivateSound();
    if (listener)
        listener->GUICallback(id, value, false);
    value = 0;
    return true;
}

void CGuiButtonPowerup::Hide()
{
    hideIf(base);
    hideIf(rollover);
    hideIf(click);
    hideIf(text);
    hidden = 1;
}

void CGuiButtonPowerup::Show()
{
    hidden = 0;
    showIf(base);
    showIf(text);
}

bool CGuiButtonPowerup::IsMouseOver()
{
    return spritesSet && !hidden && base->IsMouseOver(0, 0);
}

void CGuiButtonPowerup::CenterMouse()
{
    if (!base)
        return;
    warpMouse(base->GetX(true) + base->GetWidth(false) / 2, base->GetY(true) + base->GetHeight(false) / 2);
    hidePointers(1);
}
