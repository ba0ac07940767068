// A story page: the chapter's title and text on a parchment. The play
// screen opens chapters 0 to 10 when their level starts and chapter 11, the
// ending, after the last level of a set. Any key or click, or Continue,
// closes it (exit code 1, result 0).
#pragma once

#include "screens/CControllerScreen.h"

class CControllerStory : public CControllerScreen {
public:
    enum { CHAPTER_COUNT = 12, BUTTON_CONTINUE = 0 };

    // chapter is clamped to 0..11.
    explicit CControllerStory(int chapter);
    ~CControllerStory() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    int GetChapter() const { return chapter; }

protected:
    void OnFirstFrame() override;
    bool OnKey(bool released, int key) override;

private:
    int chapter;
};
