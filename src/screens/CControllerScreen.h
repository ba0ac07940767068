// The common ground of the game's menu screens: each is a full-screen
// controller with an opaque background, pictures, texts rendered from the
// string table, and buttons. The screen owns all of them and hides them
// while a child screen or dialog is on top. On its first frame back it reads
// the child's answer, deletes the child, brings its own pictures back and
// then acts on the answer.
//
// A dialog opens over a still picture of the screen: the screen draws itself
// once, freezes that picture behind everything and hides its own sprites and
// buttons, so the dialog is wholly in front of it whatever layers the screen
// uses.
//
// A screen opened from the keyboard starts on its default button, and one
// that a child returns to goes back to the button that opened the child; the
// pointer takes the focus only once the mouse moves (see isKeyboardInUse).
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
        STRING_NOT_SAVED_UNREADABLE = 6066,
        STRING_FOLDER_IN_USE = 6067,
        STRING_LIST_NOT_READ = 6068,
        STRING_LIST_CHANGED = 6069,
        STRING_SAVE_IN_THE_WAY = 6056,
        // Labels of parchment buttons.
        STRING_LABEL_BACK = 6070,
        STRING_LABEL_PREVIOUS = 6071,
        STRING_LABEL_NEXT = 6072,
        STRING_LABEL_PLAY = 6073,
        STRING_LABEL_DELETE = 6074,
        STRING_LABEL_NEW_PROFILE = 6075,
        STRING_LABEL_DELETE_PROFILE = 6076
    };
    // A parchment button ("kv3" look) is 186 x 29.
    enum { LABEL_BUTTON_WIDTH = 186, LABEL_BUTTON_HEIGHT = 29 };

    CControllerScreen();
    ~CControllerScreen() override;

    void Pump() override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;

    // What a closed child left: read before it is deleted. controller only
    // names the child (it is gone when the screen sees the answer).
    struct ChildAnswer {
        const CController* controller;
        int id;
        int result;
        // The text of a text-entry dialog; hasText is false when it was
        // cancelled or left empty.
        bool hasText;
        std::string text;
        bool confirmed() const { return result == 1; }
        bool cancelled() const { return result == 0; }
    };

    // The child screen or dialog now on top (null when none).
    CController* GetChild() const { return child; }
    const std::vector<CGuiButtonBase*>& GetButtons() const { return buttons; }
    const std::vector<CSprite*>& GetSprites() const { return sprites; }
    // The button with the widget id, or null.
    CGuiButtonBase* FindButton(int widgetId) const;

protected:
    // The first frame of the screen.
    virtual void OnFirstFrame() {}
    // A child has closed and has been deleted; the screen's pictures and
    // buttons are back on screen. The handler may launch the next child.
    virtual void OnChildClosed(const ChildAnswer& closed) { (void)closed; }
    // Called after OnChildClosed when it launched nothing.
    virtual void OnChildDeleted() {}
    // Places the keyboard focus when the screen opens, or when a child
    // returns to it, while the player uses the keys: on the widget with the
    // id rememberedId (the one that opened the child; -1 when none) when it
    // can take the focus, else on the start widget (the default button, or
    // the first one).
    virtual void PlaceKeyboardFocus(int rememberedId);
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
    // What the screen shows besides its own sprites and widgets (sliders,
    // a text box) goes and comes back with them.
    virtual void OnHideScreen() {}
    virtual void OnShowScreen() {}
    // Whether Escape closes the screen (exit code 1).
    bool allowEscape;

    // Pictures. Each call returns the new sprite, owned by the screen.
    CSprite* AddPicture(const char* image, int layer, int x, int y);
    // A text of string stringId (with an optional first parameter) in a
    // width x height box with the given alignment (0 left, 2 centred across,
    // 3 centred both ways).
    CSprite* AddText(int stringId, const char* parameter, int x, int y, int width, int height, int align);
    // The same with up to six parameters (%1 to %6).
    CSprite* AddText(int stringId, const std::vector<std::string>& parameters, int x, int y, int width, int height,
                     int align);
    // String stringId with a plain text (a name, a file name) as its first
    // parameter, shown as it is: markup codes in the text stay text.
    CSprite* AddPlainText(int stringId, const std::string& text, int x, int y, int width, int height, int align);
    // A plain text on its own (STRING_BODY), shown as it is.
    CSprite* AddLine(const std::string& text, int x, int y, int width, int height, int align);
    // Deletes one sprite of the screen.
    void RemoveSprite(CSprite* sprite);

    // A parchment button of the screens ("kv3" look) with a label picture.
    CGuiButton* AddLabelButton(int widgetId, int x, int y, const char* labelImage, bool isDefault);
    // The same with a label rendered from a string (STRING_LABEL_...).
    CGuiButton* AddLabelButton(int widgetId, int x, int y, int labelStringId, bool isDefault);
    // The button that closes the screen: "Back to Menu" on a screen opened
    // from the main menu, "Back" on one opened from any other screen.
    CGuiButton* AddBackButton(int widgetId, int x, int y, bool isDefault);
    // Whether the main menu made this screen.
    bool IsMadeByMainMenu() const { return madeByMainMenu; }
    // A button made of its own text (shown as it is): ink lettering that
    // lights up under the pointer.
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

    // Launches a full-screen child, which replaces this screen.
    void LaunchChild(CController* next);
    // Opens a dialog: freezes this screen into a still picture behind it,
    // then constructs the dialog T with the arguments and launches it.
    template <class T, class... Args>
    T* OpenDialog(Args&&... args)
    {
        Freeze();
        T* dialog = new T(std::forward<Args>(args)...);
        Launch(dialog);
        return dialog;
    }
    // Deletes a child that is still open (a screen going away under it).
    void DeleteChild();
    // Opens a message dialog: title and body string ids, with Cancel or
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
    // The picture behind an open dialog (null when none is open or the
    // renderer's overlay holds the screen instead).
    CSprite* GetFrozenPicture() const { return frozen; }

private:
    // The frozen picture behind a dialog, and its removal.
    void Freeze();
    void Thaw();
    // Ends the overlay or removes the screen's own still picture.
    void DropStillPicture();
    void Launch(CController* next);
    void RememberFocus();
    static ChildAnswer ReadAnswer(const CController* closed);

    std::string NewImageName(const char* what);
    int RegisterTextImage(struct SDL_Surface* surface, const char* what);
    // A sprite of the screen's text layer showing the rendered text.
    CSprite* AddTextSprite(struct SDL_Surface* surface, int x, int y);

    std::vector<CSprite*> sprites;
    std::vector<bool> spriteShown;
    std::vector<CGuiButtonBase*> buttons;
    std::vector<bool> widgetShown;
    std::vector<std::string> images;
    CController* child;
    bool started;
    bool swappedHere;
    bool hiddenForChild;
    // A dialog over a screen that is itself drawn over the renderer's
    // overlay: the screen's own still picture, and whether the overlay's
    // picture was hidden under it.
    CSprite* frozen;
    std::string frozenImage;
    bool overlayHidden;
    int rememberedFocus;
    int focusSeen;
    // Taken at construction, when the maker is the current controller.
    bool madeByMainMenu;
    int imageCounter;
    static int screenCounter;
    int screenNumber;
};
