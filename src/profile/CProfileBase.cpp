#include "profile/CProfileBase.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <dirent.h>

#include "engine/Endian.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/ProfileFile.h"

namespace {
const uint32_t kHeaderMagic = 0x4E495042; // "BPIN"
const uint32_t kDeleteMagic = 0x4C445042; // "BPDL"
const char* const kDefaultName = "Player";
const uint32_t kMaxProfiles = PROFILE_COUNT_MAX;
const std::string kNoName;

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// What a read of the profile header found.
enum ListRead {
    LIST_READ,       // names and current profile as stored
    LIST_MENDED,     // every name, with the current profile (or an empty list) mended
    LIST_MISSING,
    LIST_DAMAGED,    // the contents cannot be used
    LIST_UNREADABLE, // it cannot be opened: not a file, or not ours to read
    LIST_NOT_NOW     // an error of the moment that says nothing about the file
};

// Reads the header: its names and current profile, and in storedCount (when
// given) the count it holds, or -1 when it could not be read. A count of 0
// reads as the default profile alone, and a current profile out of range
// as the first one: a single bad field costs no name.
ListRead readList(const std::string& fileName, std::vector<std::string>& names, int32_t& current, int* storedCount)
{
    if (storedCount)
        *storedCount = -1;
    ProfileFileReader in(fileName);
    if (in.state() == FILE_MISSING)
        return LIST_MISSING;
    uint32_t magic = 0, count = 0;
    int32_t version = 0;
    bool ok = in.exists() && in.u32(magic) && magic == kHeaderMagic && in.i32(version) &&
              version == PROFILE_FILE_VERSION && in.i32(current) && in.u32(count) && count <= kMaxProfiles;
    for (uint32_t i = 0; ok && i < count; ++i) {
        std::string name;
        ok = in.text(name, PROFILE_NAME_MAX);
        names.push_back(name);
    }
    if (!ok)
        return in.failedForNow() ? LIST_NOT_NOW : (in.exists() ? LIST_DAMAGED : LIST_UNREADABLE);
    if (storedCount)
        *storedCount = static_cast<int>(count);
    if (names.empty())
        names.push_back(kDefaultName);
    if (count >= 1 && current >= 1 && current <= static_cast<int32_t>(count))
        return LIST_READ;
    current = 1;
    return LIST_MENDED;
}
} // namespace

CProfileBase::CProfileBase(bool folderInUse)
    : m_names(1, kDefaultName), m_current(1), m_saveBlocked(false), m_folderInUse(folderInUse),
      m_headerBlocked(false)
{
    memset(m_password, 0, sizeof m_password);
}

CProfileBase::~CProfileBase() = default;

std::string CProfileBase::HeaderFileName()
{
    char name[512];
    snprintf(name, sizeof name, "%s%sv%i.DAT", GetProfileDirectory(), "INFO", PROFILE_FILE_VERSION);
    return name;
}

std::string CProfileBase::ProfileFileName(int number)
{
    char name[512];
    snprintf(name, sizeof name, "%s%s%iv%i.DAT", GetProfileDirectory(), "PROFILE", number,
             PROFILE_FILE_VERSION);
    return name;
}

std::string CProfileBase::DeleteNoteFileName()
{
    char name[512];
    snprintf(name, sizeof name, "%s%sv%i.DAT", GetProfileDirectory(), "DELETE", PROFILE_FILE_VERSION);
    return name;
}

std::string CProfileBase::MovingFileName(int number)
{
    return ProfileFileName(number) + ".moving";
}

const std::string& CProfileBase::GetProfileName() const
{
    return m_names[static_cast<size_t>(m_current - 1)];
}

bool CProfileBase::HasPassword() const
{
    return m_password[0] != '\0';
}

const char* CProfileBase::GetPassword() const
{
    return m_password;
}

void CProfileBase::SetPassword(const char* password)
{
    memset(m_password, 0, sizeof m_password);
    if (password)
        strncpy(m_password, password, PROFILE_PASSWORD_MAX);
}

void CProfileBase::AddNotice(ProfileNotice::Kind kind, const std::string& parameter) const
{
    for (const ProfileNotice& waiting : m_notices)
        if (waiting.kind == kind && waiting.parameter == parameter)
            return;
    m_notices.push_back(ProfileNotice{kind, parameter});
}

bool CProfileBase::TakeNotice(ProfileNotice& notice)
{
    if (m_notices.empty())
        return false;
    notice = m_notices.front();
    m_notices.erase(m_notices.begin());
    return true;
}

void CProfileBase::DropNotices(ProfileNotice::Kind kind)
{
    m_notices.erase(std::remove_if(m_notices.begin(), m_notices.end(),
                                   [kind](const ProfileNotice& n) { return n.kind == kind; }),
                    m_notices.end());
}

void CProfileBase::LoadHeader()
{
    std::string fileName = HeaderFileName();
    logPrint(LOG_PROFILE_HEADER, "Loading profile header '%s'\n", fileName.c_str());

    if (m_folderInUse) {
        // The other copy may be in the middle of a change: nothing is
        // mended, moved or written here, only read.
        m_headerBlocked = true;
        logError(false, "Another copy of the game uses the profile folder; nothing is saved in this one\n");
        AddNotice(ProfileNotice::FOLDER_IN_USE, "");
    }
    std::vector<std::string> names;
    int32_t current = 0;
    ListRead read = readList(fileName, names, current, nullptr);
    if (read == LIST_READ || read == LIST_MENDED) {
        m_names = names;
        m_current = current;
    } else if (read == LIST_NOT_NOW) {
        // Nothing is known of the list: it stays as it is, and no list is
        // written over it in this run.
        m_headerBlocked = true;
        logError(false, "The profile list '%s' cannot be read just now; it is left as it is and the list of "
                 "profiles cannot change in this run\n", fileName.c_str());
        AddNotice(ProfileNotice::LIST_NOT_READ, "");
    } else if (read != LIST_MISSING && !m_folderInUse) {
        // The list of names is lost; the files it named are not. The header
        // is kept aside and the files are put back in the list below.
        const char* why = read == LIST_DAMAGED ? "damaged" : "unreadable";
        std::string aside = profileSetAside(fileName, why);
        if (aside.empty()) {
            m_headerBlocked = true;
            logError(false, "The profile list '%s' is %s and cannot be moved aside; it is left as it is and the "
                     "list of profiles cannot change\n", fileName.c_str(), why);
            AddNotice(ProfileNotice::LIST_STUCK, "");
        } else {
            logError(false, "The profile list '%s' is %s; it was kept as '%s'\n", fileName.c_str(), why,
                     aside.c_str());
            AddNotice(ProfileNotice::LIST_SET_ASIDE, aside.substr(aside.find_last_of('/') + 1));
        }
    }
    if (!m_folderInUse && read != LIST_NOT_NOW)
        FinishInterruptedDelete();
    AdoptStrayFiles();
    if (read == LIST_MENDED && SaveHeader())
        logError(false, "The profile list '%s' had a count or a current profile out of range; it was mended\n",
                 fileName.c_str());
    LoadProfile();
}

bool CProfileBase::ListGivesNumberTo(int number, const std::string& name) const
{
    std::vector<std::string> names;
    int32_t current = 0;
    ListRead read = readList(HeaderFileName(), names, current, nullptr);
    if (read != LIST_READ && read != LIST_MENDED)
        return true;
    return number >= 1 && number <= static_cast<int>(names.size()) && names[static_cast<size_t>(number - 1)] == name;
}

bool CProfileBase::UndoMoves(int first, int last)
{
    bool back = true, moved = false;
    for (int n = first; n <= last; ++n) {
        std::string moving = MovingFileName(n);
        if (!profileFileExists(moving))
            continue;
        if (profileFileExists(ProfileFileName(n)) || !profileRename(moving, ProfileFileName(n))) {
            logError(false, "Cannot move profile file '%s' back to its own number\n", moving.c_str());
            back = false;
        } else {
            moved = true;
        }
    }
    if (moved)
        profileSyncFolder(HeaderFileName());
    return back;
}

bool CProfileBase::FinishMoves(int number, int count)
{
    bool done = true;
    for (int n = number + 1; n <= count; ++n) {
        std::string moving = MovingFileName(n);
        if (!profileFileExists(moving))
            continue;
        // Never over a file: what stands there belongs to someone.
        if (profileFileExists(ProfileFileName(n - 1)) || !profileRename(moving, ProfileFileName(n - 1))) {
            logError(false, "Cannot move profile file '%s' to number %i\n", moving.c_str(), n - 1);
            done = false;
        }
    }
    if (profileFileExists(MovingFileName(number)))
        profileRemove(MovingFileName(number));
    profileSyncFolder(HeaderFileName());
    // A note left behind lets the next start-up or deletion finish the
    // moves.
    if (done)
        profileRemove(DeleteNoteFileName());
    return done;
}

void CProfileBase::FinishInterruptedDelete()
{
    std::string noteName = DeleteNoteFileName();
    int32_t number = 0, count = 0;
    bool usable;
    {
        ProfileFileReader note(noteName);
        if (note.state() == FILE_MISSING) {
            // Files moved aside without a note (which goes only once they
            // are all in place) go back under their own numbers.
            UndoMoves(1, kMaxProfiles);
            return;
        }
        uint32_t magic = 0;
        usable = note.u32(magic) && magic == kDeleteMagic && note.i32(number) && note.i32(count) &&
                 note.atEnd() && number >= 1 && number <= count && count <= static_cast<int32_t>(kMaxProfiles);
    }
    if (!usable) {
        // Without the note nothing says which deletion it was: every file
        // goes back to its own number and the start-up puts the rest back
        // in the list.
        UndoMoves(1, kMaxProfiles);
        std::string aside = profileSetAside(noteName, "damaged");
        logError(false, "The note of an interrupted profile deletion '%s' is damaged%s%s; the profile files were "
                 "put back under their own numbers\n", noteName.c_str(), aside.empty() ? "" : "; it was kept as ",
                 aside.c_str());
        return;
    }
    // The count of the header on disk tells whether the deletion reached
    // it.
    std::vector<std::string> names;
    int32_t current = 0;
    int headerCount = -1;
    readList(HeaderFileName(), names, current, &headerCount);
    if (headerCount == count - 1) {
        // The header without the deleted profile was written: finish.
        bool done = FinishMoves(number, count);
        logError(false, "An interrupted deletion of profile %i was finished%s\n", number,
                 done ? "" : "; some profile files could not be moved to their new numbers");
    } else {
        bool back = UndoMoves(number, count);
        if (back)
            profileRemove(noteName);
        logError(false, "An interrupted deletion of profile %i was undone%s\n", number,
                 back ? "" : "; some profile files could not be moved back to their own numbers");
    }
}

bool CProfileBase::FinishEarlierDelete()
{
    std::string noteName = DeleteNoteFileName();
    if (profileFileExists(noteName))
        FinishInterruptedDelete();
    if (!profileFileExists(noteName))
        return true;
    logError(false, "An earlier profile deletion is not finished ('%s'); the list of profiles cannot change\n",
             noteName.c_str());
    return false;
}

void CProfileBase::AdoptStrayFiles()
{
    if (m_headerBlocked)
        return;
    std::vector<int> strays;
    if (DIR* dir = opendir(GetProfileDirectory()[0] ? GetProfileDirectory() : ".")) {
        while (struct dirent* entry = readdir(dir)) {
            int number = 0;
            if (sscanf(entry->d_name, "PROFILE%dv", &number) == 1 && number > GetProfileCount() &&
                number <= static_cast<int>(kMaxProfiles) &&
                ProfileFileName(number) == std::string(GetProfileDirectory()) + entry->d_name)
                strays.push_back(number);
        }
        closedir(dir);
    }
    if (strays.empty())
        return;
    std::sort(strays.begin(), strays.end());
    std::string names;
    for (int stray : strays) {
        int number = GetProfileCount() + 1;
        if (number > static_cast<int>(kMaxProfiles))
            break;
        if (stray != number && !profileRename(ProfileFileName(stray), ProfileFileName(number))) {
            logError(false, "Cannot move profile file '%s' to number %i\n", ProfileFileName(stray).c_str(), number);
            continue;
        }
        std::string name;
        for (int suffix = number; name.empty() || CheckProfileName(name.c_str()) == PROFILE_NAME_TAKEN; ++suffix)
            name = std::string(kDefaultName) + " " + std::to_string(suffix);
        m_names.push_back(name);
        names += (names.empty() ? "" : ", ") + name;
        logError(false, "Profile file '%s' was not in the profile list; it was put back as profile %i '%s'\n",
                 ProfileFileName(stray).c_str(), number, name.c_str());
    }
    if (names.empty())
        return;
    profileSyncFolder(HeaderFileName());
    SaveHeader();
    AddNotice(ProfileNotice::PROFILES_FOUND, names);
}

bool CProfileBase::SaveHeader() const
{
    if (m_headerBlocked)
        return false;
    ProfileFileWriter out(HeaderFileName());
    out.u32(kHeaderMagic);
    out.i32(PROFILE_FILE_VERSION);
    out.i32(m_current);
    out.u32(static_cast<uint32_t>(m_names.size()));
    for (const std::string& name : m_names)
        out.text(name);
    if (out.commit())
        return true;
    if (!out.inTheWay().empty())
        AddNotice(ProfileNotice::SAVE_IN_THE_WAY, out.inTheWay());
    return false;
}

const std::string& CProfileBase::GetProfileNameAt(int number) const
{
    if (number < 1 || number > GetProfileCount())
        return kNoName;
    return m_names[static_cast<size_t>(number - 1)];
}

ProfileNameCheck CProfileBase::CheckProfileName(const char* name) const
{
    std::string text = name ? name : "";
    if (text.find_first_not_of(' ') == std::string::npos)
        return PROFILE_NAME_EMPTY;
    if (text.size() > PROFILE_NAME_TYPED_MAX)
        return PROFILE_NAME_TOO_LONG;
    // A name is shown on screen and kept in the header; it never names a
    // file, but a name that looks like a path is refused all the same.
    if (text.find('/') != std::string::npos || text.find('\\') != std::string::npos ||
        text.find("..") != std::string::npos)
        return PROFILE_NAME_BAD_CHARACTER;
    for (char c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            return PROFILE_NAME_BAD_CHARACTER;
    for (const std::string& other : m_names)
        if (sameIgnoringCase(other, text))
            return PROFILE_NAME_TAKEN;
    if (m_names.size() >= kMaxProfiles)
        return PROFILE_NAME_LIST_FULL;
    return PROFILE_NAME_OK;
}

int CProfileBase::AddProfile(const char* name)
{
    if (CheckProfileName(name) != PROFILE_NAME_OK || m_headerBlocked || !FinishEarlierDelete())
        return 0;
    SaveProfile();
    // A file above the list's count belongs to a profile the list lost:
    // it is put back, never taken.
    AdoptStrayFiles();
    if (CheckProfileName(name) != PROFILE_NAME_OK)
        return 0;
    int previous = m_current;
    int number = GetProfileCount() + 1;
    if (profileFileExists(ProfileFileName(number))) {
        logError(false, "Profile file '%s' is in the way; profile '%s' not added\n",
                 ProfileFileName(number).c_str(), name);
        return 0;
    }
    m_names.push_back(name);
    m_current = number;
    if (!SaveHeader()) {
        logPrint(LOG_WARNING, "Cannot write the profile header; profile '%s' not added\n", name);
        m_names.pop_back();
        m_current = previous;
        return 0;
    }
    LoadProfile();
    SaveProfile();
    logPrint(LOG_PROFILE_HEADER, "Added profile %i '%s'\n", m_current, name);
    return m_current;
}

bool CProfileBase::SelectProfile(int number)
{
    if (number < 1 || number > GetProfileCount())
        return false;
    if (number == m_current)
        return true;
    SaveProfile();
    m_current = number;
    if (!SaveHeader())
        logPrint(LOG_WARNING, "Cannot write the profile header; the choice of profile is not kept\n");
    LoadProfile();
    return true;
}

bool CProfileBase::DeleteProfile(int number)
{
    int count = GetProfileCount();
    if (number < 1 || number > count || count <= 1 || m_headerBlocked)
        return false;
    if (!FinishEarlierDelete())
        return false;
    std::string noteName = DeleteNoteFileName();
    bool wasCurrent = number == m_current;
    if (!wasCurrent)
        SaveProfile();

    // 1. The note: which profile goes, out of how many.
    {
        ProfileFileWriter note(noteName);
        note.u32(kDeleteMagic);
        note.i32(number);
        note.i32(count);
        if (!note.commit()) {
            logPrint(LOG_WARNING, "Cannot write the deletion note; profile %i not deleted\n", number);
            return false;
        }
    }
    // 2. The files of the deleted profile and of those after it go aside.
    bool moved = true;
    for (int n = number; n <= count && moved; ++n)
        if (profileFileExists(ProfileFileName(n)) && !profileRename(ProfileFileName(n), MovingFileName(n)))
            moved = false;
    profileSyncFolder(noteName);
    // 3. The new header: from here on the deletion has happened.
    std::vector<std::string> oldNames = m_names;
    int oldCurrent = m_current;
    m_names.erase(m_names.begin() + (number - 1));
    if (wasCurrent)
        m_current = 1;
    else if (number < m_current)
        --m_current;
    if (!moved || !SaveHeader()) {
        logPrint(LOG_WARNING, "Cannot move the profile files or write the profile header; profile %i not "
                 "deleted\n", number);
        m_names = oldNames;
        m_current = oldCurrent;
        // The note stays until every file is back.
        if (UndoMoves(number, count))
            profileRemove(noteName);
        return false;
    }
    // 4. The files take their new numbers; the deleted one goes.
    FinishMoves(number, count);
    if (wasCurrent)
        LoadProfile();
    return true;
}

std::string CProfileBase::GetPasswordOf(int number) const
{
    if (number == m_current)
        return m_password;
    std::string password;
    if (number < 1 || number > GetProfileCount() || !ReadStoredPassword(ProfileFileName(number), password))
        return "";
    return password;
}
