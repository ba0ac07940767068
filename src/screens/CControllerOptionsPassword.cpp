#include "screens/CControllerOptionsPassword.h"

#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CControllerPassword.h"
#include "ui/CGuiTextbox.h"

namespace {
const int kStringTitle = 6402;
const int kStringNew = 6413;
const int kStringLocked = 6414;
const int kStringOpen = 6415;
const int kStringNotSaved = 6040;
} // namespace

CControllerOptionsPassword::CControllerOptionsPassword()
    : unlocked(!profile || !profile->HasPassword()), saving(false)
{
    id = CONTROLLER_OPTIONS_PASSWORD;
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    AddPicture("parchment.png", LAYER_PANEL, 100, 40);
    AddText(kStringTitle, nullptr, 130, 60, 540, 44, 3);
    AddText(unlocked ? kStringOpen : kStringLocked, nullptr, 150, 140, 500, 40, 3);
    if (unlocked)
        BuildEntry();
}

CControllerOptionsPassword::~CControllerOptionsPassword()
{
    logPrint(LOG_DESTRUCT, "CControllerOptionsPassword:  Destroying CControllerOptionsPassword...\n");
}

void CControllerOptionsPassword::BuildEntry()
{
    AddText(kStringNew, nullptr, 150, 200, 500, 70, 3);
    box.reset(new CGuiTextbox(PASSWORD_MAX, BOX_X, BOX_Y, 6, 4, "profile_entername_textbox.png",
                              "profilenternamecursor.png", false, false, false));
    // The new password is typed unseen, as it is everywhere else.
    box->SetMasked(true);
    AddLabelButton(BUTTON_SAVE, 200, 400, "kv3_button_savetext.png", true);
    AddLabelButton(BUTTON_CANCEL, 414, 400, "kv3_button_canceltext.png", false);
}

void CControllerOptionsPassword::OnFirstFrame()
{
    if (!unlocked && profile)
        OpenDialog<CControllerPassword>(profile->GetPassword());
}

void CControllerOptionsPassword::OnChildClosed(const ChildAnswer& closed)
{
    if (closed.id == CONTROLLER_PASSWORD) {
        if (closed.cancelled()) {
            SetExitCode(1);
            return;
        }
        unlocked = true;
        BuildEntry();
    } else if (closed.id == CONTROLLER_MESSAGE && saving && GetExitCode() == 0) {
        // A quit that came while the notice was up is passed on as it is.
        SetExitCode(1);
    }
}

void CControllerOptionsPassword::OnHideScreen()
{
    if (box)
        box->Hide();
}

void CControllerOptionsPassword::OnShowScreen()
{
    if (box)
        box->Show();
}

void CControllerOptionsPassword::OnFrame()
{
    if (box)
        box->BlinkCursor();
}

bool CControllerOptionsPassword::OnKey(bool released, int key)
{
    if (!box || released)
        return false;
    if (key == KEY_RETURN) {
        Save();
        return true;
    }
    if (key == KEY_ESCAPE || key == KEY_TAB || key == KEY_UP || key == KEY_DOWN || key == KEY_LEFT ||
        key == KEY_RIGHT || key == KEY_KEYPAD0)
        return false;
    box->HandleKey(key, 0, GetModKey(MOD_SHIFT) != 0);
    return true;
}

void CControllerOptionsPassword::Save()
{
    if (!box || !profile || saving)
        return;
    saving = true;
    profile->SetPassword(box->GetText());
    if (!SaveProfileOrTell(kStringNotSaved))
        return;
    SetExitCode(1);
}

void CControllerOptionsPassword::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    if (index == BUTTON_SAVE)
        Save();
    else if (index == BUTTON_CANCEL)
        SetExitCode(1);
}
