// The tutorial marker's text: a speech bubble over the dimmed board with
// the hint the level's author wrote for that cell. Any key or click closes
// it (exit code 1, result 0).
#pragma once

#include <string>

#include "screens/CControllerScreen.h"

class CControllerMessageTutorial : public CControllerScreen {
public:
    enum { BUBBLE_X = 200, BUBBLE_Y = 200 };

    // text may be null or empty: the bubble then says so.
    explicit CControllerMessageTutorial(const char* text);
    ~CControllerMessageTutorial() override;

    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    const std::string& GetText() const { return text; }

protected:
    bool OnKey(bool released, int key) override;

private:
    std::string text;
};
