#include "screens/CControllerScreen.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "engine/TextImage.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"

namespace {
const char* const kLabelButtonBase = "kv3_button_base.png";
const char* const kLabelButtonSelect = "kv3_button_select.png";

void hideIfShown(CSprite* s)
{
    if (s)
        s->Hide();
}

// A disabled button counts as hidden already, so its own Hide leaves its
// pictures on screen; they go here.
void hideWidget(CGuiButtonBase* widget)
{
    widget->Hide();
    CGuiButton* b = dynamic_cast<CGuiButton*>(widget);
    if (b && b->IsButtonDisabled()) {
        hideIfShown(b->GetBaseSprite());
        hideIfShown(b->GetShadowSprite());
        hideIfShown(b->GetTextSprite());
        hideIfShown(b->GetDisableSprite());
    }
}

void showWidget(CGuiButtonBase* widget)
{
    widget->Show();
    CGuiButton* b = dynamic_cast<CGuiButton*>(widget);
    if (b && b->IsButtonDisabled() && b->GetDisableSprite())
        b->GetDisableSprite()->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}
} // namespace

int CControllerScreen::screenCounter = 0;

CControllerScreen::CControllerScreen()
    : allowEscape(true),
      child(nullptr),
      started(false),
      swappedHere(false),
      hiddenForChild(false),
      imageCounter(0),
      screenNumber(++screenCounter)
{
    hidePointers(-1);
}

CControllerScreen::~CControllerScreen()
{
    DeleteChild();
    if (swappedHere && CRender::IsSwapped())
        CRender::Swap(false);
    ClearScreen();
}

void CControllerScreen::DeleteChild()
{
    delete child;
    child = nullptr;
}

CGuiButtonBase* CControllerScreen::FindButton(int widgetId) const
{
    for (CGuiButtonBase* b : buttons)
        if (b->GetId() == widgetId)
            return b;
    return nullptr;
}

// ---------------------------------------------------------------- frames

void CControllerScreen::Pump()
{
    if (GetPreviousId() != id) {
        if (!started) {
            started = true;
            OnFirstFrame();
        } else if (child) {
            if (swappedHere) {
                if (CRender::IsSwapped())
                    CRender::Swap(false);
                swappedHere = false;
            }
            if (hiddenForChild) {
                ShowScreen();
                hiddenForChild = false;
            }
            CController* closed = child;
            child = nullptr;
            OnChildClosed(closed);
            if (child == closed)
                child = nullptr;
            delete closed;
            if (active && !child)
                OnChildDeleted();
        }
        hidePointers(-1);
        if (active)
            SetPreviousId(id);
        return;
    }
    PollInput();
    tickHourglass();
    if (!active || (IsFrameStepping() && !IsFrameStepRequested()))
        return;
    CGuiButtonBase::UpdateAll();
    OnFrame();
}

void CControllerScreen::InputKey(bool released, int key)
{
    if (!released)
        hidePointers(-1);
    if (OnKey(released, key))
        return;
    InputNavigationKey(released, key, allowEscape, true);
    InputScreenCapture(released, key);
}

void CControllerScreen::InputMouseMotion(int x, int y)
{
    mouseX = x;
    mouseY = y;
    tickHourglass();
}

void CControllerScreen::InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown)
{
    if (wheelUp || wheelDown) {
        if (!released)
            OnWheel(wheelUp);
        return;
    }
    if (left && !released && CGuiButtonBase::GetFocusIndex() == -1)
        PlayClickSound();
    (void)right;
}

// ---------------------------------------------------------------- pictures

std::string CControllerScreen::NewImageName(const char* what)
{
    char name[96];
    snprintf(name, sizeof name, "screen%i_%s%i", screenNumber, what, ++imageCounter);
    return name;
}

int CControllerScreen::RegisterTextImage(SDL_Surface* surface, const char* what)
{
    std::string name = NewImageName(what);
    int image = CDraw::LoadSurface(surface, name.c_str());
    images.push_back(name);
    return image;
}

CSprite* CControllerScreen::AddPicture(const char* image, int layer, int x, int y)
{
    CSprite* s = makeWidgetSprite(image, layer, "Screen Picture", x, y, true);
    sprites.push_back(s);
    return s;
}

CSprite* CControllerScreen::AddText(int stringId, const char* parameter, int x, int y, int width, int height,
                                    int align)
{
    SDL_Surface* surface = renderTextBox(width, height, align, stringId, parameter);
    int image = RegisterTextImage(surface, "text");
    // The sprite takes its own reference; the screen keeps one until it
    // clears itself.
    CSprite* s = makeWidgetSprite(CDraw::FindImageName(image), LAYER_TEXT, "Screen Text", x, y, true);
    sprites.push_back(s);
    return s;
}

CSprite* CControllerScreen::AddLine(const std::string& text, int x, int y, int width, int height, int align)
{
    return AddText(STRING_BODY, text.c_str(), x, y, width, height, align);
}

void CControllerScreen::RemoveSprite(CSprite* sprite)
{
    auto it = std::find(sprites.begin(), sprites.end(), sprite);
    if (it == sprites.end())
        return;
    sprites.erase(it);
    delete sprite;
}

// ---------------------------------------------------------------- buttons

CGuiButton* CControllerScreen::AddLabelButton(int widgetId, int x, int y, const char* labelImage, bool isDefault)
{
    CGuiButton* b = new CGuiButton(x, y, widgetId, this, kLabelButtonBase, nullptr, kLabelButtonSelect,
                                   kLabelButtonSelect, isDefault, 0, 0);
    b->SetText(labelImage, 0, 0, 0, 0, 0, 1);
    buttons.push_back(b);
    return b;
}

CGuiButton* CControllerScreen::AddTextButton(int widgetId, int x, int y, int width, int height,
                                             const std::string& text, bool isDefault)
{
    int base = RegisterTextImage(renderTextBox(width, height, 3, STRING_LINK, text.c_str()), "link");
    int hover = RegisterTextImage(renderTextBox(width, height, 3, STRING_LINK_HOVER, text.c_str()), "hover");
    std::string baseName = CDraw::FindImageName(base);
    std::string hoverName = CDraw::FindImageName(hover);
    return AddImageButton(widgetId, x, y, baseName.c_str(), hoverName.c_str(), nullptr, isDefault);
}

CGuiButton* CControllerScreen::AddImageButton(int widgetId, int x, int y, const char* base, const char* rollover,
                                              const char* click, bool isDefault)
{
    CGuiButton* b = new CGuiButton(x, y, widgetId, this, base, nullptr, rollover, click, isDefault, 0, 0);
    buttons.push_back(b);
    return b;
}

void CControllerScreen::AddWidget(CGuiButtonBase* widget)
{
    buttons.push_back(widget);
}

void CControllerScreen::RemoveButton(CGuiButtonBase* widget)
{
    auto it = std::find(buttons.begin(), buttons.end(), widget);
    if (it == buttons.end())
        return;
    buttons.erase(it);
    delete widget;
}

// ---------------------------------------------------------------- whole screen

void CControllerScreen::ClearScreen()
{
    for (CGuiButtonBase* b : buttons)
        delete b;
    buttons.clear();
    for (CSprite* s : sprites)
        delete s;
    sprites.clear();
    spriteShown.clear();
    for (const std::string& name : images)
        CDraw::ReleaseImageByName(name.c_str());
    images.clear();
}

void CControllerScreen::HideScreen()
{
    spriteShown.assign(sprites.size(), false);
    for (size_t i = 0; i < sprites.size(); ++i) {
        spriteShown[i] = !sprites[i]->IsHidden();
        sprites[i]->Hide();
    }
    for (CGuiButtonBase* b : buttons)
        hideWidget(b);
}

void CControllerScreen::ShowScreen()
{
    for (size_t i = 0; i < sprites.size(); ++i)
        if (i >= spriteShown.size() || spriteShown[i])
            sprites[i]->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    for (CGuiButtonBase* b : buttons)
        showWidget(b);
}

void CControllerScreen::FreezeForDialog()
{
    if (CRender::IsSwapped())
        return;
    // The dialog dims a frozen copy of this screen.
    CRender::Render(true);
    CRender::Swap(true);
    swappedHere = true;
}

void CControllerScreen::LaunchChild(CController* next, bool dialog)
{
    if (dialog)
        FreezeForDialog();
    if (dialog) {
        for (CGuiButtonBase* b : buttons)
            hideWidget(b);
        spriteShown.assign(sprites.size(), false);
        for (size_t i = 0; i < sprites.size(); ++i)
            spriteShown[i] = !sprites[i]->IsHidden();
    } else {
        HideScreen();
    }
    hiddenForChild = true;
    child = next;
    LaunchController(next);
}

void CControllerScreen::LaunchMessage(int titleId, int bodyId, bool hasCancel, const char* parameter)
{
    LaunchDialog<CControllerMessage>(titleId, bodyId, hasCancel, parameter);
}

int CControllerScreen::NoticeString(int kind)
{
    switch (kind) {
    case ProfileNotice::LIST_SET_ASIDE:
        return STRING_LIST_SET_ASIDE;
    case ProfileNotice::LIST_STUCK:
        return STRING_LIST_STUCK;
    case ProfileNotice::PROFILES_FOUND:
        return STRING_PROFILES_FOUND;
    case ProfileNotice::PROFILE_SET_ASIDE:
        return STRING_PROFILE_SET_ASIDE;
    case ProfileNotice::PROFILE_UNREADABLE:
        return STRING_PROFILE_UNREADABLE;
    default:
        return STRING_SAVE_FAILED;
    }
}

bool CControllerScreen::LaunchProfileNotice()
{
    ProfileNotice notice;
    if (!profile || child || !profile->TakeNotice(notice))
        return false;
    LaunchMessage(STRING_SORRY, NoticeString(notice.kind), false, notice.parameter.c_str());
    return true;
}

bool CControllerScreen::SaveProfileOrTell(int failedString)
{
    if (!profile || profile->Save())
        return true;
    // A profile whose file could not be read was not written at all; the
    // failed write is told here, not again later.
    profile->DropNotices(ProfileNotice::SAVE_FAILED);
    LaunchMessage(STRING_SORRY, profile->IsSaveBlocked() ? STRING_NOT_SAVED_UNREADABLE : failedString, false,
                  profile->GetProfileName().c_str());
    return false;
}
