#include "ui/CGuiButtonBase.h"

#include <algorithm>

#include "ui/CController.h"

std::vector<CGuiButtonBase*> CGuiButtonBase::registry;
int CGuiButtonBase::focusIndex = -1;
uint8_t CGuiButtonBase::mouseHeld = 0;
const CController* CGuiButtonBase::activatedListener = nullptr;
int CGuiButtonBase::activatedId = -1;

CGuiButtonBase::CGuiButtonBase(int xPos, int yPos, int widgetId, CController* owner, bool isDefaultWidget)
    : index(0),
      listener(owner),
      activateOnRelease(1),
      hidden(0),
      disabled(0),
      isDefault(isDefaultWidget ? 1 : 0),
      x(xPos),
      y(yPos),
      id(widgetId)
{
    // While no widget has left the registry the indexes run 0, 1, 2, ...
    // in registry order. Once one has left, the registry size no longer
    // names a free number, so the new widget takes the number after the
    // highest one in use: two widgets never share an index, and the focus
    // can never name two of them.
    int next = 0;
    for (const CGuiButtonBase* w : registry)
        next = std::max(next, w->index + 1);
    index = next;
    registry.push_back(this);
    focusIndex = -1;
}

CGuiButtonBase::~CGuiButtonBase()
{
    auto found = std::find(registry.begin(), registry.end(), this);
    if (found != registry.end())
        registry.erase(found);
}

bool CGuiButtonBase::Activate(bool, bool force)
{
    if (index != focusIndex && !force)
        return false;
    CController::PlayActivateSound();
    if (listener)
        listener->GUICallback(id, 0, false);
    return true;
}

bool CGuiButtonBase::IsMouseOver()
{
    return false;
}

void CGuiButtonBase::CenterMouse() {}

void CGuiButtonBase::UpdateAll()
{
    focusIndex = -1;
    for (size_t i = 0; i < registry.size(); ++i)
        registry[i]->Update();
}

void CGuiButtonBase::DispatchActivate(bool fromKeyboard)
{
    // A listener may delete widgets or open a screen that adds some, so the
    // loops stop at the first activation and never touch the registry after.
    // A hidden widget never takes a key or a click, even when the focus
    // still names it (the focus of a screen that a child has just covered).
    // The focused widget is noted before it acts: what it opens is made
    // (and resets the focus) inside its activation.
    uint8_t wanted = mouseHeld ? 0 : 1;
    if (CGuiButtonBase* focused = GetFocused()) {
        activatedListener = focused->listener;
        activatedId = focused->id;
    }
    for (size_t i = 0; i < registry.size(); ++i) {
        CGuiButtonBase* w = registry[i];
        if (w->activateOnRelease == wanted && !w->hidden && w->Activate(fromKeyboard, false))
            return;
    }
    if (!fromKeyboard)
        return;
    for (size_t i = 0; i < registry.size(); ++i) {
        CGuiButtonBase* w = registry[i];
        if (w->isDefault && !w->hidden) {
            activatedListener = w->listener;
            activatedId = w->id;
            w->Activate(fromKeyboard, true);
            return;
        }
    }
}

void CGuiButtonBase::ChangeMouseHeld(uint8_t state, bool dispatch)
{
    if (mouseHeld != state)
        return;
    mouseHeld = state ? 0 : 1;
    if (dispatch)
        DispatchActivate(false);
}

void CGuiButtonBase::StepFocus(bool backwards)
{
    // The focus moves through the registry in its order; with indexes
    // 0 .. n-1 that is the same as counting the focus index up or down and
    // wrapping at n. Without a focus, forwards starts at the first widget
    // and backwards at the last. One full round at most: when no widget can
    // take the focus, nothing moves.
    int n = static_cast<int>(registry.size());
    if (n == 0)
        return;
    int pos = -1;
    for (int i = 0; i < n; ++i)
        if (registry[i]->index == focusIndex)
            pos = i;
    for (int tries = 0; tries < n; ++tries) {
        if (backwards)
            pos = (pos <= 0) ? n - 1 : pos - 1;
        else
            pos = (pos < 0 || pos >= n - 1) ? 0 : pos + 1;
        CGuiButtonBase* w = registry[pos];
        if (w->hidden || w->disabled)
            continue;
        w->CenterMouse();
        // The focus moves at once, not only when the pointer's motion has
        // come through the event queue: keys typed in one go (Tab, then
        // Return) reach the widget they mean.
        focusIndex = w->index;
        return;
    }
}

CGuiButtonBase* CGuiButtonBase::GetFocused()
{
    if (focusIndex < 0)
        return nullptr;
    for (CGuiButtonBase* w : registry)
        if (w->index == focusIndex)
            return w;
    return nullptr;
}

CGuiButtonBase* CGuiButtonBase::FindStartWidget(const CController* owner)
{
    CGuiButtonBase* first = nullptr;
    for (CGuiButtonBase* w : registry) {
        if (w->listener != owner || w->hidden || w->disabled)
            continue;
        if (w->isDefault)
            return w;
        if (!first)
            first = w;
    }
    return first;
}

CGuiButtonBase* CGuiButtonBase::FindWidget(const CController* owner, int widgetId)
{
    for (CGuiButtonBase* w : registry)
        if (w->listener == owner && w->id == widgetId && !w->hidden && !w->disabled)
            return w;
    return nullptr;
}

bool CGuiButtonBase::FocusOn(CGuiButtonBase* widget)
{
    if (!widget)
        return false;
    widget->CenterMouse();
    focusIndex = widget->index;
    return true;
}

int CGuiButtonBase::GetActivatedId(const CController* owner)
{
    return (owner && activatedListener == owner) ? activatedId : -1;
}

void CGuiButtonBase::ForgetActivated()
{
    activatedListener = nullptr;
    activatedId = -1;
}
