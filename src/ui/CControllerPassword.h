// The password prompt of a protected profile: a masked box of 10
// characters. OK closes the dialog only when the text equals the expected
// password; otherwise a notice says so and the box is emptied.
#pragma once

#include <string>

#include "ui/CControllerTextEntryBase.h"

class CControllerPassword : public CControllerTextEntryBase {
public:
    enum { PASSWORD_LENGTH = 10, STRING_PROMPT = 3003 };

    // The expected password is copied; null counts as empty.
    explicit CControllerPassword(const char* expectedPassword);
    ~CControllerPassword() override;

    void createSprites() override;
    void updateSprites() override;
    void GUICallback(int index, int value, bool dclick) override;

    CSprite* GetNoticeSprite() const override { return notice; }
    int GetNoticeCountdown() const { return noticeCountdown; }

private:
    CSprite* notice;
    std::string expected;
    int noticeCountdown;
};
