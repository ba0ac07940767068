// The abstract widget. Every live widget of every existing screen stands in
// one registry in construction order. The focus is the widget under the
// pointer, recomputed every frame; keyboard navigation moves the pointer onto
// the next widget. A widget reports its activation to its owner controller
// (the listener) through GUICallback with its id.
#pragma once

#include <cstdint>
#include <vector>

class CController;

class CGuiButtonBase {
public:
    CGuiButtonBase(int x, int y, int id, CController* listener, bool isDefault);
    virtual ~CGuiButtonBase();
    CGuiButtonBase(const CGuiButtonBase&) = delete;
    CGuiButtonBase& operator=(const CGuiButtonBase&) = delete;

    // Per-frame look and focus.
    virtual void Update() = 0;
    // Activates the widget when it has the focus (or when forced): plays the
    // activation click and reports to the listener.
    virtual bool Activate(bool fromKeyboard, bool force);
    virtual void Hide() = 0;
    virtual void Show() = 0;
    virtual bool IsMouseOver();
    // Moves the pointer onto the widget.
    virtual void CenterMouse();

    int GetIndex() const { return index; }
    bool IsHidden() const { return hidden != 0; }
    bool IsDisabled() const { return disabled != 0; }
    bool IsDefault() const { return isDefault != 0; }
    bool ActivatesOnRelease() const { return activateOnRelease != 0; }
    int GetX() const { return x; }
    int GetY() const { return y; }
    int GetId() const { return id; }
    CController* GetListener() const { return listener; }

    // Recomputes the focus: Update on every widget in registry order.
    static void UpdateAll();
    // Activates the focused widget, or (from the keyboard) the first
    // visible default widget.
    static void DispatchActivate(bool fromKeyboard);
    // When mouse-held equals state, flips it and (with dispatch) activates
    // the widgets that react to that change.
    static void ChangeMouseHeld(uint8_t state, bool dispatch);
    // Tab and the arrow keys: moves the pointer onto the next widget that
    // can take the focus.
    static void StepFocus(bool backwards);
    static int GetFocusIndex() { return focusIndex; }
    static void SetFocusIndex(int value) { focusIndex = value; }
    static CGuiButtonBase* GetFocused();
    // The widget of listener that a screen opened from the keyboard starts
    // on: its first default widget that can take the focus, else its first
    // widget that can; null when it has none.
    static CGuiButtonBase* FindStartWidget(const CController* listener);
    // The widget of listener with the id, when it can take the focus.
    static CGuiButtonBase* FindWidget(const CController* listener, int id);
    // Moves the focus onto widget (the pointer onto it); false for null.
    static bool FocusOn(CGuiButtonBase* widget);
    // The id of the widget of listener that Return, Space or a click
    // activated since the last ForgetActivated (-1 when none): a screen that
    // a widget opened finds its way back to it.
    static int GetActivatedId(const CController* listener);
    static void ForgetActivated();
    static uint8_t IsMouseHeld() { return mouseHeld; }
    static const std::vector<CGuiButtonBase*>& GetRegistry() { return registry; }

protected:
    int index;
    CController* listener;
    uint8_t activateOnRelease;
    uint8_t hidden;
    uint8_t disabled;
    uint8_t isDefault;
    int x;
    int y;
    int id;

    static int focusIndex;
    static uint8_t mouseHeld;
    static const CController* activatedListener;
    static int activatedId;

private:
    static std::vector<CGuiButtonBase*> registry;
};
