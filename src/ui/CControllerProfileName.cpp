#include "ui/CControllerProfileName.h"

#include <cstring>
#include <string>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/TextImage.h"
#include "ui/CGuiTextbox.h"

namespace {

const char NOTICE_PREFIX[] = "profilename_invalid";
const char NOTICE_IMAGE[] = "profilename_invalid.png";
const int NOTICE_STEPS = 6;
const int NOTICE_FADE_STEP = -45;

std::string noticeFrameName(int i)
{
    return std::string(NOTICE_PREFIX) + std::to_string(i) + ".png";
}

} // namespace

CControllerProfileName::CControllerProfileName() : notice(nullptr), noticeCountdown(0), ownsNoticeImages(0)
{
    createSprites();
}

CControllerProfileName::~CControllerProfileName()
{
    delete notice;
    if (ownsNoticeImages)
        for (int i = 0; i < NOTICE_STEPS; ++i)
            CDraw::ReleaseImageByName(noticeFrameName(i).c_str());
}

bool CControllerProfileName::IsAcceptableName(const char* name)
{
    if (!name)
        return false;
    return !strchr(name, '/') && !strchr(name, '\\') && !strstr(name, "..");
}

void CControllerProfileName::createSprites()
{
    buildPanel({"profile_entername_mainsmall.png", 283, 369, STRING_PROMPT, 210, 60, 293, 379, 325, 444, 407, 444,
                NAME_LENGTH, 314, 407, true, false, "Profile Name Controller (PROFILENAME_LSPRITE_BACKGROUND)"});
    // The refusal notice fades out like the other notices; its frames are
    // made here and live as long as the dialog.
    if (!CDraw::FindImageRecord(noticeFrameName(0).c_str())) {
        CDraw::LoadSurface(renderTextBox(NOTICE_WIDTH, NOTICE_HEIGHT, 3, STRING_REFUSED), NOTICE_IMAGE);
        CDraw::MakeFadedSeries(NOTICE_IMAGE, NOTICE_STEPS, NOTICE_FADE_STEP);
        CDraw::ReleaseImageByName(NOTICE_IMAGE);
        ownsNoticeImages = 1;
    }
    notice = makeNotice(NOTICE_PREFIX, REFUSED_X, REFUSED_Y);
}

void CControllerProfileName::updateSprites()
{
    tickNotice(notice, noticeCountdown);
}

void CControllerProfileName::GUICallback(int index, int value, bool dclick)
{
    if (index == BUTTON_OK && !IsAcceptableName(textbox->GetText())) {
        startNotice(notice, noticeCountdown);
        refocusTextbox();
        return;
    }
    CControllerTextEntryBase::GUICallback(index, value, dclick);
}
