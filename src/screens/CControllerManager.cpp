#include "screens/CControllerManager.h"

#include <dirent.h>
#include <list>
#include <sys/stat.h>

#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiListbox.h"
#include "play/CControllerGame.h"
#include "level/Level.h"

namespace {
const int kStringTitle = 6600;
const int kStringFolder = 6610;
const int kStringSorry = 6030;
const int kStringSure = 6031;
const int kStringDamaged = 6050;
const int kStringDeleteAsk = 6051;
const int kStringUnreadable = 6052;
const int kStringNotDeleted = 6053;
const char* const kDamagedMark = "(damaged file)";

bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}
} // namespace

CControllerManager::CControllerManager()
    : list(nullptr), folderReadable(true), game(nullptr), level(nullptr), pending(PENDING_NONE)
{
    id = CONTROLLER_MANAGER;
    folderReadable = ReadEntries(entries);
    Build();
}

CControllerManager::~CControllerManager()
{
    logPrint(LOG_DESTRUCT, "CControllerManager:  Destroying CControllerManager...\n");
    // The play screen goes first: it uses the level.
    DeleteChild();
    game = nullptr;
    delete level;
    level = nullptr;
}

bool CControllerManager::ReadEntries(std::vector<Entry>& result)
{
    result.clear();
    const char* folder = GetLevelsDirectory();
    DIR* probe = opendir(folder);
    if (!probe) {
        logError(false, "The levels folder '%s' cannot be read\n", folder);
        return false;
    }
    closedir(probe);
    std::list<char*> names;
    GetFiles(names, folder, ".lvl", true);
    for (char* name : names) {
        Entry e{name, "", false};
        // Each file is read whole: a file that fails anywhere is damaged.
        CLevel probeLevel;
        if (probeLevel.Load(name)) {
            e.heading = probeLevel.GetHeadingText();
        } else {
            e.heading = kDamagedMark;
            e.damaged = true;
        }
        result.push_back(e);
        delete[] name;
    }
    return true;
}

void CControllerManager::Build()
{
    AddPicture("map_background.jpg", LAYER_BACKGROUND, 0, 0);
    // The parchment ends at the screen's right edge; its left part lies
    // under the list.
    AddPicture("parchment.png", LAYER_PANEL, 200, 60);
    AddText(kStringTitle, nullptr, 455, 75, 330, 44, 3);
    AddText(kStringFolder, nullptr, 445, 120, 345, 26, 3);
    // The folder's path, broken after a "/" wherever a line would be full.
    int y = 146;
    for (const std::string& line : BreakPath(GetLevelsDirectory(), PATH_LINE_LENGTH)) {
        AddLine(line, 445, y, 345, 24, 3);
        y += 22;
    }
    if (!folderReadable)
        AddText(kStringUnreadable, nullptr, 465, 210, 310, 90, 3);
    list = new CGuiListbox(18, 68, LIST_ID, this, 409, 436, VISIBLE_ROWS, ROW_HEIGHT, "levelmanager_listbox.jpg",
                           "levelmanager_selector.png", 2, 9, 5, 8);
    list->AddColumn(COLUMN_NAME);
    list->AddColumn(COLUMN_HEADING);
    list->AddColumn(COLUMN_BEST);
    AddWidget(list);
    AddLine("File", 23, 40, COLUMN_NAME, 26, 0);
    AddLine("Level", 23 + COLUMN_NAME, 40, COLUMN_HEADING, 26, 0);
    AddLine("Best", 23 + COLUMN_NAME + COLUMN_HEADING, 40, COLUMN_BEST, 26, 0);
    FillList();
    AddLabelButton(BUTTON_PLAY, 517, 320, STRING_LABEL_PLAY, true);
    AddLabelButton(BUTTON_DELETE, 517, 360, STRING_LABEL_DELETE, false);
    AddLabelButton(BUTTON_MAP, 517, 440, "kv3_button_maptext.png", false);
    AddLabelButton(BUTTON_BACK, 517, 480, "kv3_button_backmenutext.png", false);
}

std::vector<std::string> CControllerManager::BreakPath(const std::string& path, size_t lineLength)
{
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < path.size()) {
        size_t slash = path.find('/', start);
        std::string piece = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start + 1);
        start += piece.size();
        if (!line.empty() && line.size() + piece.size() > lineLength) {
            lines.push_back(line);
            line.clear();
        }
        // A piece longer than a line is cut where the line is full.
        while (piece.size() > lineLength) {
            lines.push_back(piece.substr(0, lineLength));
            piece.erase(0, lineLength);
        }
        line += piece;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void CControllerManager::FillList()
{
    list->Clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        // The play screen keeps the record under the level's own name: the
        // file name cut to the length a level's name keeps.
        std::string levelName = e.name.substr(0, CLevel::NAME_SIZE - 1);
        int best = profile ? profile->GetLevelRecord(levelName.c_str()) : PROFILE_NO_RESULT;
        list->AddRow(static_cast<int>(i), {e.name, e.heading, best == PROFILE_NO_RESULT ? "-" : std::to_string(best)});
    }
    list->Refresh();
}

void CControllerManager::Reread()
{
    // The selection stays on the same file when it is still there.
    int i = GetSelectedEntry();
    std::string name = (i >= 0 && i < static_cast<int>(entries.size())) ? entries[static_cast<size_t>(i)].name : "";
    folderReadable = ReadEntries(entries);
    FillList();
    for (size_t k = 0; k < entries.size(); ++k)
        if (entries[k].name == name) {
            list->SelectIndex(static_cast<int>(k));
            break;
        }
}

int CControllerManager::GetSelectedEntry() const
{
    if (!list || list->GetRowCount() == 0)
        return -1;
    return list->GetSelectedId();
}

void CControllerManager::PlaySelected()
{
    int i = GetSelectedEntry();
    if (i < 0 || i >= static_cast<int>(entries.size()))
        return;
    Entry& e = entries[static_cast<size_t>(i)];
    if (!e.damaged) {
        level = new CLevel();
        if (!level->Load(e.name.c_str())) {
            delete level;
            level = nullptr;
            e.damaged = true;
            e.heading = kDamagedMark;
            FillList();
            list->SelectIndex(i);
        }
    }
    if (e.damaged) {
        logError(false, "Level file '%s' is damaged and cannot be played; it was left as it is\n",
                 CLevel::GetPath(e.name.c_str()).c_str());
        pending = PENDING_NOTICE;
        LaunchMessage(kStringSorry, kStringDamaged, false, e.name.c_str());
        return;
    }
    logPrint(LOG_DEBUG, "CControllerManager:  playing '%s'\n", e.name.c_str());
    CSound::stopMusic();
    game = new CControllerGame(level, false, false, false);
    LaunchChild(game);
}

void CControllerManager::OnFrame()
{
    LaunchProfileNotice();
}

void CControllerManager::DeleteSelected()
{
    int i = GetSelectedEntry();
    if (i < 0 || i >= static_cast<int>(entries.size()))
        return;
    pending = PENDING_DELETE;
    pendingName = entries[static_cast<size_t>(i)].name;
    LaunchMessage(kStringSure, kStringDeleteAsk, true, pendingName.c_str());
}

void CControllerManager::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    if (index == LIST_ID) {
        if (dclick)
            PlaySelected();
    } else if (index == BUTTON_PLAY) {
        PlaySelected();
    } else if (index == BUTTON_DELETE) {
        DeleteSelected();
    } else if (index == BUTTON_MAP) {
        result = CONTROLLER_MAP;
        SetExitCode(1);
    } else if (index == BUTTON_BACK) {
        SetExitCode(1);
    }
}

void CControllerManager::OnChildClosed(const ChildAnswer& closed)
{
    if (closed.controller == game) {
        game = nullptr;
        delete level;
        level = nullptr;
        // The play screen kept the level's best record in the profile; it
        // goes to disk now, as the map saves after each of its levels. A
        // failure is told on the next frame.
        if (profile)
            profile->Save();
        // Files may have come or gone while the level was played, and the
        // level's best result may be new.
        if (GetExitCode() == 0)
            Reread();
        return;
    }
    int what = pending;
    pending = PENDING_NONE;
    if (what != PENDING_DELETE || !closed.confirmed())
        return;
    CLevel::Remove(pendingName.c_str());
    if (fileExists(CLevel::GetPath(pendingName.c_str()))) {
        logError(false, "Level file '%s' could not be deleted\n", CLevel::GetPath(pendingName.c_str()).c_str());
        pending = PENDING_NOTICE;
        LaunchMessage(kStringSorry, kStringNotDeleted, false, pendingName.c_str());
        return;
    }
    int selectedIndex = list->GetSelectedIndex();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == pendingName) {
            entries.erase(entries.begin() + static_cast<long>(i));
            break;
        }
    FillList();
    if (!entries.empty())
        list->SelectIndex(selectedIndex < static_cast<int>(entries.size()) ? selectedIndex
                                                                           : static_cast<int>(entries.size()) - 1);
}

bool CControllerManager::OnKey(bool released, int key)
{
    if (released)
        return false;
    if (list->HandleKey(key))
        return true;
    switch (key) {
    case 127: // Delete
        DeleteSelected();
        return true;
    case KEY_RETURN: {
        CGuiButtonBase* focus = CGuiButtonBase::GetFocused();
        if (focus && focus != list)
            return false;
        PlaySelected();
        return true;
    }
    default:
        return false;
    }
}

void CControllerManager::OnWheel(bool up)
{
    list->HandleWheel(up);
}
