// The common ground of the game's menu screens: each is a full-screen
// controller with an opaque background, pictures, texts rendered from the
// string table, and buttons. The screen owns all of them and hides them
// while a child screen or dialog is on top; it deletes the child on its
// first frame back, after it has read the child's answer.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/CController.h"

class CGuiButton;
class CGuiButtonBase;
class CSprite;

class CControllerScreen : public CController {
public:
    // Sprite layers of the screens.
    enum {
        LAYER_BACKGROUND = 1410,
        LAYER_PANEL = 1412,
        LAYER_DECORATION = 1413,
        LAYER_TEXT = 1414
    };
    // String ids of the screens' own lettering (data/strings.txt).
    enum {
        STRING_LINK = 6001,          // a text button, %1 the label
        STRING_LINK_HOVER = 6002,    // the same under the pointer
        STRING_TITLE = 6003,         // a screen title, %1 the text
        STRING_BODY = 6004,          // a line of plain text, %1 the text
        STRING_NOTICE = 6005,        // a warning line, %1 the text
        STRING_SORRY = 6030,         // the title of a notice
        // The notices about the profile files (ProfileNotice kinds).
        STRING_LIST_SET_ASIDE = 6060,
        STRING_LIST_STUCK = 6061,
        STRING_PROFILES_FOUND = 6062,
        STRING_PROFILE_SET_ASIDE = 6063,
        STRING_PROFILE_UNREADABLE = 6064,
        STRING_SAVE_FAILED = 6065,
        STRING_NOT_SAVED_UNREADABLE = 6066
    };

    CControllerScreen();
    ~CControllerScreen() override;

    void Pump() override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;

    // The child screen or dialog now on top (null when none).
    CController* GetChild() const { return child; }
    const std::vector<CGuiButtonBase*>& GetButtons() const { return buttons; }
    // The button with the widget id, or null.
    CGuiButtonBase* FindButton(int widgetId) const;

protected:
    // The first frame of the screen.
    virtual void OnFirstFrame() {}
    // A child has closed; it is deleted after this returns. The screen's
    // pictures and buttons are back on screen. The handler may launch the
    // next child.
    virtual void OnChildClosed(CController* closed) { (void)closed; }
    // The closed child has been deleted. A screen opens the next screen
    // here rather than in OnChildClosed when the closing one could undo
    // what the next one set up (the play screen unloads the board when it
    // is deleted).
    virtual void OnChildDeleted() {}
    // One ordinary frame, after the widgets were updated.
    virtual void OnFrame() {}
    // The screen's own keys; true when the key was taken.
    virtual bool OnKey(bool released, int key)
    {
        (void)released;
        (void)key;
        return false;
    }
    virtual void OnWheel(bool up) { (void)up; }
    // Whether Escape closes the screen (exit code 1).
    bool allowEscape;

    // Pictures. Each call returns the new sprite, owned by the screen.
    CSprite* AddPicture(const char* image, int layer, int x, int y);
    // A text of string stringId (with an optional first parameter) in a
    // width x height box with the given alignment (0 left, 2 centred across,
    // 3 centred both ways).
    CSprite* AddText(int stringId, const char* parameter, int x, int y, int width, int height, int align);
    // The same with a plain text (STRING_BODY).
    CSprite* AddLine(const std::string& text, int x, int y, int width, int height, int align);
    // Deletes one sprite of the screen.
    void RemoveSprite(CSprite* sprite);

    // A parchment button of the screens ("kv3" look) with a label picture.
    CGuiButton* AddLabelButton(int widgetId, int x, int y, const char* labelImage, bool isDefault);
    // A button made of its own text: ink lettering that lights up under the
    // pointer.
    CGuiButton* AddTextButton(int widgetId, int x, int y, int width, int height, const std::string& text,
                              bool isDefault = false);
    // A button of preloaded images.
    CGuiButton* AddImageButton(int widgetId, int x, int y, const char* base, const char* rollover,
                               const char* click, bool isDefault);
    void AddWidget(CGuiButtonBase* widget);
    void RemoveButton(CGuiButtonBase* widget);

    // Deletes every sprite, button and text picture of the screen.
    void ClearScreen();
    void HideScreen();
    void ShowScreen();

    // Launches a child. A dialog is drawn over a frozen copy of this
    // screen; a full screen replaces it.
    void LaunchChild(CController* next, bool dialog);
    // Constructs a dialog and launches it over a frozen copy of this
    // screen. The copy is taken first: a dialog's sprites made before it
    // would be frozen into the copy, under the screen's own buttons.
    template <class Dialog, class... Args>
    Dialog* LaunchDialog(Args&&... args)
    {
        FreezeForDialog();
        Dialog* dialog = new Dialog(std::forward<Args>(args)...);
        LaunchChild(dialog, true);
        return dialog;
    }
    // Deletes a child that is still open (a screen going away under it).
    void DeleteChild();
    // Launches a message dialog: title and body string ids, with Cancel or
    // only OK, the body's first parameter.
    void LaunchMessage(int titleId, int bodyId, bool hasCancel, const char* parameter);
    // Shows the oldest notice of the profile about its files in a message
    // dialog; false when there is none (or a child is open).
    bool LaunchProfileNotice();
    // Saves the profile. When that fails, tells the player in a message
    // dialog (failedString for a file that could not be written) and
    // returns false.
    bool SaveProfileOrTell(int failedString = STRING_SAVE_FAILED);
    // The string of a profile notice's kind.
    static int NoticeString(int kind);

private:
    // Renders this screen and freezes the picture (CRender::Swap) for a
    // dialog, unless a picture is frozen already.
    void FreezeForDialog();
    std::string NewImageName(const char* what);
    int RegisterTextImage(struct SDL_Surface* surface, const char* what);

    std::vector<CSprite*> sprites;
    std::vector<bool> spriteShown;
    std::vector<CGuiButtonBase*> buttons;
    std::vector<std::string> images;
    CController* child;
    bool started;
    bool swappedHere;
    bool hiddenForChild;
    int imageCounter;
    static int screenCounter;
    int screenNumber;
};
