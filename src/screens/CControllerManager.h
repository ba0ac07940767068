// The level manager: the ".lvl" files of the user's levels folder with
// their headings and the profile's best results in a list box, read again
// whenever a played level returns to it. Play opens the selected level in
// the play screen; Delete removes its file after a confirmation. A damaged file
// stays listed as damaged and is never touched; a folder that cannot be
// read is told to the player. Only regular files are listed (a named pipe
// is never opened), and names and headings are shown as they are. The
// profile, with the best record of a level just played, is saved when the
// play screen returns. World Map answers 13 (the main menu opens the map).
#pragma once

#include <string>
#include <vector>

#include "screens/CControllerScreen.h"

class CControllerGame;
class CGuiListbox;
class CLevel;

class CControllerManager : public CControllerScreen {
public:
    enum { LIST_ID = 100, BUTTON_PLAY = 0, BUTTON_DELETE, BUTTON_MAP, BUTTON_BACK };
    enum { VISIBLE_ROWS = 22, ROW_HEIGHT = 19 };
    // Columns of the list: the file, the level's heading, the profile's
    // best result (steps).
    enum { COLUMN_NAME = 130, COLUMN_HEADING = 210, COLUMN_BEST = 65 };

    struct Entry {
        std::string name;     // the file name without ".lvl"
        std::string heading;  // the level's heading, or the damage notice
        bool damaged;
    };

    CControllerManager();
    ~CControllerManager() override;

    void GUICallback(int index, int value, bool dclick) override;

    // A path in lines of at most lineLength characters, broken after a "/"
    // where it can be.
    static std::vector<std::string> BreakPath(const std::string& path, size_t lineLength);
    enum { PATH_LINE_LENGTH = 34 };

    // The files of the levels folder, sorted by name; false when the
    // folder cannot be read.
    static bool ReadEntries(std::vector<Entry>& entries);

    const std::vector<Entry>& GetEntries() const { return entries; }
    CGuiListbox* GetList() const { return list; }
    bool IsFolderReadable() const { return folderReadable; }
    CControllerGame* GetGame() const { return game; }
    // The selected entry, or -1 for an empty list.
    int GetSelectedEntry() const;
    void PlaySelected();
    void DeleteSelected();

protected:
    void OnChildClosed(const ChildAnswer& closed) override;
    void OnFrame() override;
    bool OnKey(bool released, int key) override;
    void OnWheel(bool up) override;

private:
    enum Pending { PENDING_NONE, PENDING_DELETE, PENDING_NOTICE };

    void Build();
    void FillList();
    // Reads the folder again and keeps the selection on its file.
    void Reread();

    std::vector<Entry> entries;
    CGuiListbox* list;
    bool folderReadable;
    CControllerGame* game;
    CLevel* level;
    int pending;
    std::string pendingName;
};
