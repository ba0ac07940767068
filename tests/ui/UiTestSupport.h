// Small controllers and widgets for the tests of the controller stack, the
// event pump and the widget focus. They record what reaches them.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/CController.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"

namespace uitest {

class TestController : public CController {
public:
    // destroyed (optional) receives the id of every test controller that is
    // deleted.
    explicit TestController(int controllerId, std::vector<int>* destroyed = nullptr)
        : m_destroyed(destroyed)
    {
        id = controllerId;
    }
    ~TestController() override
    {
        delete child;
        if (m_destroyed)
            m_destroyed->push_back(id);
    }

    void Pump() override
    {
        if (GetPreviousId() != id) {
            // First frame, or first frame after a child returned.
            firstFramePreviousIds.push_back(GetPreviousId());
            if (child && GetPreviousId() == child->GetId()) {
                childResult = child->GetResult();
                delete child;
                child = nullptr;
            }
            SetPreviousId(id);
            return;
        }
        ++ordinaryFrames;
        PollInput();
        if (onFrame)
            onFrame();
    }

    void InputKey(bool released, int key) override
    {
        keys.emplace_back(released, key);
        if (onKey && onKey(released, key))
            return;
        InputNavigationKey(released, key, allowEscape, allowTab);
        InputScreenCapture(released, key);
    }
    void InputMouseMotion(int x, int y) override { motions.emplace_back(x, y); }
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override
    {
        buttons.push_back(std::string(released ? "up" : "down") + (left ? " left" : "") + (right ? " right" : "") +
                          (wheelUp ? " wheelup" : "") + (wheelDown ? " wheeldown" : ""));
    }
    void GUICallback(int index, int value, bool dclick) override
    {
        callbacks.push_back({index, value, dclick ? 1 : 0});
    }

    // Launches c as this controller's child and keeps it.
    void launch(TestController* c)
    {
        child = c;
        LaunchController(c);
    }
    void setResult(int value) { result = value; }

    TestController* child = nullptr;
    int childResult = -999;
    int ordinaryFrames = 0;
    bool allowEscape = true;
    bool allowTab = true;
    std::vector<int> firstFramePreviousIds;
    std::vector<std::pair<bool, int>> keys;
    std::vector<std::pair<int, int>> motions;
    std::vector<std::string> buttons;
    struct Callback {
        int index, value, dclick;
    };
    std::vector<Callback> callbacks;
    std::function<void()> onFrame;
    // Returns true when it consumed the key.
    std::function<bool(bool, int)> onKey;

private:
    std::vector<int>* m_destroyed;
};

// A widget without pictures: a rectangle that takes the focus while the
// pointer is over it; centring the mouse puts the pointer in its middle.
class TestWidget : public CGuiButtonBase {
public:
    TestWidget(int x, int y, int w, int h, int widgetId, CController* owner, bool isDefault = false,
               bool onRelease = true)
        : CGuiButtonBase(x, y, widgetId, owner, isDefault), m_w(w), m_h(h)
    {
        activateOnRelease = onRelease ? 1 : 0;
    }
    void Update() override
    {
        if (!hidden && IsMouseOver() && focusIndex == -1)
            focusIndex = index;
    }
    void Hide() override { hidden = 1; }
    void Show() override { hidden = 0; }
    void setDisabled(bool on) { disabled = on ? 1 : 0; }
    bool IsMouseOver() override
    {
        if (hidden)
            return false;
        int mx = getMouseX(), my = getMouseY();
        return mx >= x && mx < x + m_w && my >= y && my < y + m_h;
    }
    void CenterMouse() override
    {
        ++centred;
        setMouseX(x + m_w / 2);
        setMouseY(y + m_h / 2);
    }
    int centred = 0;

private:
    int m_w, m_h;
};

// Puts the stack, the widget focus and the mouse back to their start.
inline void resetUi()
{
    CController::ResetStack();
    CGuiButtonBase::ChangeMouseHeld(1, false);
    CGuiButtonBase::SetFocusIndex(-1);
    setMouseCaptured(1);
    setMouseSpeed(1.0f);
    setMouseX(0);
    setMouseY(0);
    setMouseFloatX(0.0f);
    setMouseFloatY(0.0f);
}

} // namespace uitest
