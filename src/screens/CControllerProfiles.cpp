#include "screens/CControllerProfiles.h"

#include <string>

#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CControllerPassword.h"
#include "ui/CControllerProfileName.h"

namespace {
const int kStringTitle = 6500;
const int kStringHelp = 6510;
const int kStringSorry = 6030;
const int kStringSure = 6031;
const int kStringNameEmpty = 6041;
const int kStringNameLong = 6042;
const int kStringNameBad = 6043;
const int kStringNameTaken = 6044;
const int kStringListFull = 6045;
const int kStringAddFailed = 6046;
const int kStringDeleteAsk = 6047;
const int kStringLastOne = 6048;
const int kStringDeleteFailed = 6049;
} // namespace

CControllerProfiles::CControllerProfiles() : page(0), pending(PENDING_NONE), pendingNumber(0)
{
    id = CONTROLLER_PROFILES;
    if (profile)
        page = (profile->GetProfileNumber() - 1) / PAGE_ROWS;
    Rebuild();
}

CControllerProfiles::~CControllerProfiles()
{
    logPrint(LOG_DESTRUCT, "CControllerProfiles:  Destroying CControllerProfiles...\n");
}

int CControllerProfiles::NoticeForName(int check)
{
    switch (check) {
    case PROFILE_NAME_EMPTY:
        return kStringNameEmpty;
    case PROFILE_NAME_TOO_LONG:
        return kStringNameLong;
    case PROFILE_NAME_BAD_CHARACTER:
        return kStringNameBad;
    case PROFILE_NAME_TAKEN:
        return kStringNameTaken;
    case PROFILE_NAME_LIST_FULL:
        return kStringListFull;
    default:
        return 0;
    }
}

void CControllerProfiles::Rebuild()
{
    ClearScreen();
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    AddText(kStringTitle, nullptr, 130, 60, 540, 44, 3);
    AddText(kStringHelp, nullptr, 150, 105, 500, 50, 3);
    int count = profile ? profile->GetProfileCount() : 0;
    int pages = (count + PAGE_ROWS - 1) / PAGE_ROWS;
    if (page >= pages)
        page = pages > 0 ? pages - 1 : 0;
    int y = 160;
    for (int n = page * PAGE_ROWS + 1; n <= count && n <= (page + 1) * PAGE_ROWS; ++n) {
        std::string name = profile->GetProfileNameAt(n);
        bool current = n == profile->GetProfileNumber();
        AddTextButton(ROW_FIRST + n, 250, y, 300, 30, current ? "> " + name + " <" : name, current);
        y += 30;
    }
    if (page > 0)
        AddLabelButton(BUTTON_PREVIOUS, 120, 405, STRING_LABEL_PREVIOUS, false);
    if (page + 1 < pages)
        AddLabelButton(BUTTON_NEXT, 494, 405, STRING_LABEL_NEXT, false);
    AddLabelButton(BUTTON_NEW, 200, 445, STRING_LABEL_NEW_PROFILE, false);
    AddLabelButton(BUTTON_DELETE, 414, 445, STRING_LABEL_DELETE_PROFILE, false);
    AddBackButton(BUTTON_BACK, 307, 525, false);
}

void CControllerProfiles::Notice(int stringId, const char* parameter)
{
    // A folder that cannot be written is told once, here, not again for
    // the profile saved on the way.
    if (stringId == kStringAddFailed || stringId == kStringDeleteFailed)
        profile->DropNotices(ProfileNotice::SAVE_FAILED);
    pending = PENDING_NOTICE;
    LaunchMessage(kStringSorry, stringId, false, parameter);
}

void CControllerProfiles::Choose(int number)
{
    if (!profile || number < 1 || number > profile->GetProfileCount())
        return;
    if (number == profile->GetProfileNumber()) {
        SetExitCode(1);
        return;
    }
    std::string password = profile->GetPasswordOf(number);
    if (!password.empty()) {
        pending = PENDING_CHOOSE;
        pendingNumber = number;
        expectedPassword = password;
        OpenDialog<CControllerPassword>(expectedPassword.c_str());
        return;
    }
    profile->SelectProfile(number);
    Rebuild();
}

void CControllerProfiles::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    if (!profile)
        return;
    if (index > ROW_FIRST) {
        Choose(index - ROW_FIRST);
    } else if (index == BUTTON_NEW) {
        pending = PENDING_NAME;
        OpenDialog<CControllerProfileName>();
    } else if (index == BUTTON_DELETE) {
        if (profile->GetProfileCount() <= 1) {
            Notice(kStringLastOne, nullptr);
            return;
        }
        pending = PENDING_DELETE;
        pendingNumber = profile->GetProfileNumber();
        LaunchMessage(kStringSure, kStringDeleteAsk, true, profile->GetProfileName().c_str());
    } else if (index == BUTTON_PREVIOUS) {
        --page;
        Rebuild();
    } else if (index == BUTTON_NEXT) {
        ++page;
        Rebuild();
    } else if (index == BUTTON_BACK) {
        SetExitCode(1);
    }
}

void CControllerProfiles::OnChildClosed(const ChildAnswer& closed)
{
    int what = pending;
    pending = PENDING_NONE;
    switch (what) {
    case PENDING_NAME: {
        if (!closed.hasText)
            return;
        const char* name = closed.text.c_str();
        int check = profile->CheckProfileName(name);
        if (check != PROFILE_NAME_OK) {
            Notice(NoticeForName(check), nullptr);
            return;
        }
        if (profile->AddProfile(name) == 0) {
            Notice(kStringAddFailed, nullptr);
            return;
        }
        page = (profile->GetProfileNumber() - 1) / PAGE_ROWS;
        Rebuild();
        break;
    }
    case PENDING_CHOOSE:
        if (!closed.cancelled()) {
            profile->SelectProfile(pendingNumber);
            Rebuild();
        }
        break;
    case PENDING_DELETE:
        if (closed.confirmed()) {
            if (!profile->DeleteProfile(pendingNumber)) {
                Notice(kStringDeleteFailed, nullptr);
                return;
            }
            page = 0;
            Rebuild();
        }
        break;
    default:
        break;
    }
}

void CControllerProfiles::OnFrame()
{
    // Choosing, adding or deleting a profile may have met a file that
    // could not be used.
    LaunchProfileNotice();
}
