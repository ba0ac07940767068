#include "ui/CControllerScoreboardName.h"

#include "engine/CSprite.h"

CControllerScoreboardName::CControllerScoreboardName(bool invalid)
    : showInvalid(invalid ? 1 : 0), notice(nullptr), noticeCountdown(0)
{
    createSprites();
}

CControllerScoreboardName::~CControllerScoreboardName()
{
    delete notice;
}

void CControllerScoreboardName::createSprites()
{
    buildPanel({"profile_entername_mainbig.png", 212, 205, STRING_PROMPT, 300, 60, 227, 240, 301, 327, 383, 327,
                NAME_LENGTH, 290, 285, true, false, "Text Entry Controller (SCOREBOARDNAME_LSPRITE_BACKGROUND)"});
    notice = makeNotice("scoreboard_user_invalid", NOTICE_X, NOTICE_Y);
    if (showInvalid)
        startNotice(notice, noticeCountdown);
}

void CControllerScoreboardName::updateSprites()
{
    tickNotice(notice, noticeCountdown);
}
