#include "ui/CControllerPassword.h"

#include "engine/CSprite.h"
#include "ui/CGuiTextbox.h"

CControllerPassword::CControllerPassword(const char* expectedPassword)
    : notice(nullptr), expected(expectedPassword ? expectedPassword : ""), noticeCountdown(0)
{
    id = CONTROLLER_PASSWORD;
    createSprites();
}

CControllerPassword::~CControllerPassword()
{
    delete notice;
}

void CControllerPassword::createSprites()
{
    buildPanel({"profile_entername_mainbig.png", 212, 205, STRING_PROMPT, 300, 60, 227, 240, 301, 327, 383, 327,
                PASSWORD_LENGTH, 290, 285, false, true, "Text Entry Controller (PASSWORD_LSPRITE_BACKGROUND)"});
    notice = makeNotice("password_invalid", NOTICE_X, NOTICE_Y);
}

void CControllerPassword::updateSprites()
{
    tickNotice(notice, noticeCountdown);
}

void CControllerPassword::GUICallback(int index, int, bool)
{
    if (index == BUTTON_CANCEL) {
        result = 0;
        exitCode = 1;
    } else if (index == BUTTON_OK) {
        if (expected == textbox->GetText()) {
            result = 1;
            exitCode = 1;
            return;
        }
        startNotice(notice, noticeCountdown);
        textbox->SetText("");
        refocusTextbox();
    }
}
