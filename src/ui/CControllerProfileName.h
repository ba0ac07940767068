// The dialog that asks for a profile's name (15 characters). A name that
// holds "/", "\" or ".." is refused with a notice, as a name must never be
// able to reach outside the profile folder.
#pragma once

#include <cstdint>

#include "ui/CControllerTextEntryBase.h"

class CControllerProfileName : public CControllerTextEntryBase {
public:
    enum {
        NAME_LENGTH = 15,
        STRING_PROMPT = 3001,
        STRING_REFUSED = 3006, // the notice of a refused name
        REFUSED_X = 250,       // the notice stands just above the panel
        REFUSED_Y = 336
    };

    CControllerProfileName();
    ~CControllerProfileName() override;

    void createSprites() override;
    void updateSprites() override;
    void GUICallback(int index, int value, bool dclick) override;

    // False for a name with a path separator or "..".
    static bool IsAcceptableName(const char* name);

    CSprite* GetNoticeSprite() const override { return notice; }
    int GetNoticeCountdown() const { return noticeCountdown; }

private:
    CSprite* notice;
    int noticeCountdown;
    uint8_t ownsNoticeImages;
};
