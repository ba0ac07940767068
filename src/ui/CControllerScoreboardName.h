// The dialog that asks for the online user name (15 characters). After the
// score server refused a name it opens with its notice already showing.
#pragma once

#include <cstdint>

#include "ui/CControllerTextEntryBase.h"

class CControllerScoreboardName : public CControllerTextEntryBase {
public:
    enum { NAME_LENGTH = 15, STRING_PROMPT = 3002 };

    explicit CControllerScoreboardName(bool showInvalid);
    ~CControllerScoreboardName() override;

    void createSprites() override;
    void updateSprites() override;

    CSprite* GetNoticeSprite() const override { return notice; }
    int GetNoticeCountdown() const { return noticeCountdown; }

private:
    uint8_t showInvalid;
    CSprite* notice;
    int noticeCountdown;
};
