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
#include "ui/CControllerTextEntryBase.h"
#include "ui/CGuiButton.h"
#include "engine/Input.h"

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

// A disabled button reports itself hidden while its pictures are on show.
bool disabledButtonShown(CGuiButtonBase* widget)
{
    CGuiButton* b = dynamic_cast<CGuiButton*>(widget);
    return b && b->IsButtonDisabled() && b->GetBaseSprite() && !b->GetBaseSprite()->IsHidden();
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
      frozen(nullptr),
      overlayHidden(false),
      rememberedFocus(-1),
      focusSeen(-1),
      madeByMainMenu(GetCurrentController() && GetCurrentController()->GetId() == CONTROLLER_MAIN),
      imageCounter(0),
      screenNumber(++screenCounter)
{
    hidePointers(-1);
}

CControllerScreen::~CControllerScreen()
{
    DeleteChild();
    DropStillPicture();
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
        int focusId = -1;
        if (!started) {
            started = true;
            OnFirstFrame();
        } else if (child) {
            // The child's answer is read, the child deleted, and only then
            // does the screen come back and act on the answer (which may
            // open the next child over a clean picture).
            ChildAnswer answer = ReadAnswer(child);
            CController* closed = child;
            child = nullptr;
            delete closed;
            Thaw();
            focusId = rememberedFocus;
            rememberedFocus = -1;
            OnChildClosed(answer);
            if (active && !child)
                OnChildDeleted();
        }
        hidePointers(-1);
        if (active && !child && GetExitCode() == 0 && isKeyboardInUse())
            PlaceKeyboardFocus(focusId);
        if (active)
            SetPreviousId(id);
        return;
    }
    PollInput();
    tickHourglass();
    if (!active || (IsFrameStepping() && !IsFrameStepRequested()))
        return;
    CGuiButtonBase::UpdateAll();
    // The focus as the player saw it: a child opened by this frame's keys
    // is constructed (and its widgets reset the focus) before this screen
    // launches it.
    CGuiButtonBase* focus = CGuiButtonBase::GetFocused();
    focusSeen = (focus && focus->GetListener() == this) ? focus->GetId() : -1;
    CGuiButtonBase::ForgetActivated();
    OnFrame();
}

void CControllerScreen::PlaceKeyboardFocus(int rememberedId)
{
    CGuiButtonBase* target = rememberedId >= 0 ? CGuiButtonBase::FindWidget(this, rememberedId) : nullptr;
    if (!target)
        target = CGuiButtonBase::FindStartWidget(this);
    CGuiButtonBase::FocusOn(target);
}

CControllerScreen::ChildAnswer CControllerScreen::ReadAnswer(const CController* closed)
{
    ChildAnswer a{closed, closed->GetId(), closed->GetResult(), false, std::string()};
    const CControllerTextEntryBase* entry = dynamic_cast<const CControllerTextEntryBase*>(closed);
    if (entry && entry->getText()) {
        a.hasText = true;
        a.text = entry->getText();
    }
    return a;
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
    std::vector<std::string> parameters;
    if (parameter)
        parameters.push_back(parameter);
    return AddText(stringId, parameters, x, y, width, height, align);
}

CSprite* CControllerScreen::AddText(int stringId, const std::vector<std::string>& parameters, int x, int y,
                                    int width, int height, int align)
{
    const char* p[6] = {};
    for (size_t i = 0; i < parameters.size() && i < 6; ++i)
        p[i] = parameters[i].c_str();
    return AddTextSprite(renderTextBox(width, height, align, stringId, p[0], p[1], p[2], p[3], p[4], p[5]), x, y);
}

CSprite* CControllerScreen::AddPlainText(int stringId, const std::string& text, int x, int y, int width, int height,
                                         int align)
{
    return AddTextSprite(renderPlainTextBox(width, height, align, stringId, text.c_str()), x, y);
}

CSprite* CControllerScreen::AddTextSprite(SDL_Surface* surface, int x, int y)
{
    int image = RegisterTextImage(surface, "text");
    // The sprite takes its own reference; the screen keeps one until it
    // clears itself.
    CSprite* s = makeWidgetSprite(CDraw::FindImageName(image), LAYER_TEXT, "Screen Text", x, y, true);
    sprites.push_back(s);
    return s;
}

CSprite* CControllerScreen::AddLine(const std::string& text, int x, int y, int width, int height, int align)
{
    return AddPlainText(STRING_BODY, text, x, y, width, height, align);
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

CGuiButton* CControllerScreen::AddLabelButton(int widgetId, int x, int y, int labelStringId, bool isDefault)
{
    int image = RegisterTextImage(renderTextBox(LABEL_BUTTON_WIDTH, LABEL_BUTTON_HEIGHT, 3, labelStringId), "label");
    std::string name = CDraw::FindImageName(image);
    return AddLabelButton(widgetId, x, y, name.c_str(), isDefault);
}

CGuiButton* CControllerScreen::AddBackButton(int widgetId, int x, int y, bool isDefault)
{
    if (madeByMainMenu)
        return AddLabelButton(widgetId, x, y, "kv3_button_backmenutext.png", isDefault);
    return AddLabelButton(widgetId, x, y, STRING_LABEL_BACK, isDefault);
}

CGuiButton* CControllerScreen::AddTextButton(int widgetId, int x, int y, int width, int height,
                                             const std::string& text, bool isDefault)
{
    int base = RegisterTextImage(renderPlainTextBox(width, height, 3, STRING_LINK, text.c_str()), "link");
    int hover = RegisterTextImage(renderPlainTextBox(width, height, 3, STRING_LINK_HOVER, text.c_str()), "hover");
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
    widgetShown.clear();
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
    widgetShown.assign(buttons.size(), false);
    for (size_t i = 0; i < buttons.size(); ++i) {
        widgetShown[i] = !buttons[i]->IsHidden() || disabledButtonShown(buttons[i]);
        hideWidget(buttons[i]);
    }
    OnHideScreen();
}

void CControllerScreen::ShowScreen()
{
    for (size_t i = 0; i < sprites.size(); ++i)
        if (i >= spriteShown.size() || spriteShown[i])
            sprites[i]->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    for (size_t i = 0; i < buttons.size(); ++i)
        if (i >= widgetShown.size() || widgetShown[i])
            showWidget(buttons[i]);
    OnShowScreen();
}

void CControllerScreen::RememberFocus()
{
    // The widget that opened the child, else the one last seen focused.
    int activated = CGuiButtonBase::GetActivatedId(this);
    rememberedFocus = activated >= 0 ? activated : focusSeen;
}

void CControllerScreen::LaunchChild(CController* next)
{
    RememberFocus();
    HideScreen();
    hiddenForChild = true;
    Launch(next);
}

void CControllerScreen::Launch(CController* next)
{
    child = next;
    LaunchController(next);
}

void CControllerScreen::Freeze()
{
    RememberFocus();
    // The screen as it stands, without the arrow, becomes one still picture
    // behind everything.
    hidePointers(-1);
    CRender::Render(true);
    if (!CRender::IsSwapped()) {
        CRender::Swap(true);
        swappedHere = true;
    } else if (!frozen) {
        // The renderer's overlay already holds the screen below this one (a
        // screen opened from the pause menu): this screen keeps a still
        // picture of its own, in place of the overlay's.
        frozenImage = NewImageName("frozen");
        CDraw::CopyScreenToImage(frozenImage.c_str());
        frozen = makeWidgetSprite(frozenImage.c_str(), CRender::SWAP_IMAGE_TYPE, "Frozen Screen", 0, 0, true);
        CSprite* overlay = CRender::GetSwapSprite();
        overlayHidden = overlay && !overlay->IsHidden();
        if (overlayHidden)
            overlay->Hide();
    }
    // Parked or not, the screen's own sprites and buttons go: no button of
    // the screen may take the focus or a key while the dialog is open.
    HideScreen();
    hiddenForChild = true;
}

void CControllerScreen::DropStillPicture()
{
    if (swappedHere) {
        if (CRender::IsSwapped())
            CRender::Swap(false);
        swappedHere = false;
    }
    if (frozen) {
        delete frozen;
        frozen = nullptr;
        CDraw::ReleaseImageByName(frozenImage.c_str());
        if (overlayHidden && CRender::GetSwapSprite())
            CRender::GetSwapSprite()->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
        overlayHidden = false;
    }
}

void CControllerScreen::Thaw()
{
    DropStillPicture();
    if (hiddenForChild) {
        ShowScreen();
        hiddenForChild = false;
    }
}

void CControllerScreen::LaunchMessage(int titleId, int bodyId, bool hasCancel, const char* parameter)
{
    OpenDialog<CControllerMessage>(titleId, bodyId, hasCancel, parameter);
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
    case ProfileNotice::FOLDER_IN_USE:
        return STRING_FOLDER_IN_USE;
    case ProfileNotice::LIST_NOT_READ:
        return STRING_LIST_NOT_READ;
    case ProfileNotice::LIST_CHANGED:
        return STRING_LIST_CHANGED;
    case ProfileNotice::SAVE_IN_THE_WAY:
        return STRING_SAVE_IN_THE_WAY;
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
