// The profile base: the list of player profiles kept in the profile header
// file ("INFOv3.DAT"), which of them is current, and the current profile's
// password. Profile n (counted from 1) keeps its settings and progress in
// "PROFILE<n>v3.DAT"; adding, choosing and deleting profiles keeps the
// header and those files in step.
//
// No player loses progress to a damaged, unreadable or half-written file:
// - a header or profile file that cannot be used is moved aside under a new
//   name (never deleted) before anything is written in its place; one that
//   cannot even be moved is never written over;
// - a header that cannot be read for a reason of the moment (an error of
//   the disk, too many open files) is left alone and no header is written
//   in that run; one out-of-range field of a readable header is mended;
// - a new profile never takes a file that exists;
// - a profile is saved only while the header on disk still gives its
//   number to it;
// - a deletion writes a note of what it does ("DELETEv3.DAT") first, moves
//   the files concerned aside, writes the new header and only then gives
//   the files their new numbers; start-up (or the next deletion) finishes
//   or undoes a deletion that a kill or a failed move interrupted, so the
//   list and the files are the old ones or the new ones; the note goes only
//   once every file has its place;
// - at start-up, profile files that the header does not name are put back
//   in the list, and so are files a deletion moved aside without a note;
// - when another copy of the game holds the profile folder, this one
//   changes nothing in it.
// Each such event is logged in "LOG.TXT" and kept as a notice that the
// screens show the player.
#pragma once

#include <string>
#include <vector>

enum {
    PROFILE_FILE_VERSION = 3,
    // A password has up to 10 characters: the profile file's field holds
    // exactly that many bytes (zero-padded, no terminator when full), and
    // every password box takes that many.
    PROFILE_PASSWORD_SIZE = 10,
    PROFILE_PASSWORD_MAX = PROFILE_PASSWORD_SIZE,
    PROFILE_NAME_MAX = 32,
    PROFILE_NAME_TYPED_MAX = 15,   // what the name dialog lets a player type
    PROFILE_COUNT_MAX = 64
};

// Why a profile name was refused.
enum ProfileNameCheck {
    PROFILE_NAME_OK = 0,
    PROFILE_NAME_EMPTY,          // nothing but blanks
    PROFILE_NAME_TOO_LONG,
    PROFILE_NAME_BAD_CHARACTER,  // a path separator, "..", or a control character
    PROFILE_NAME_TAKEN,          // another profile has it (ignoring case)
    PROFILE_NAME_LIST_FULL
};

// Something about the profile files that the player must be told.
struct ProfileNotice {
    enum Kind {
        LIST_SET_ASIDE,     // the header could not be used and was moved aside
        LIST_STUCK,         // the header can be neither read nor moved: the list cannot change
        PROFILES_FOUND,     // files the header did not name were put back in the list
        PROFILE_SET_ASIDE,  // a damaged profile file was moved aside; the profile starts afresh
        PROFILE_UNREADABLE, // a profile file cannot be used: it is left alone and nothing is saved to it
        SAVE_FAILED,        // a profile file could not be written
        FOLDER_IN_USE,      // another copy of the game holds the folder: nothing is saved in this one
        LIST_NOT_READ,      // the header could not be read just now: it is left alone for this run
        LIST_CHANGED,       // a save was refused: the header on disk gives the profile's number to another
        SAVE_IN_THE_WAY     // a save was kept from its temporary file by something that is not a file
    };
    Kind kind;
    // The file kept aside (LIST_SET_ASIDE), the profile names put back
    // (PROFILES_FOUND), the profile's name (PROFILE_*), the name in the way
    // (SAVE_IN_THE_WAY), else empty.
    std::string parameter;
};

class CProfileBase {
public:
    // folderInUse: another copy of the game holds the profile folder; this
    // one then reads the files but changes nothing.
    explicit CProfileBase(bool folderInUse = false);
    virtual ~CProfileBase();

    // Reads the profile header; a missing or damaged header leaves one
    // default profile (a damaged one is moved aside). Then finishes a
    // deletion that was interrupted, puts back profile files that the
    // header does not name, and loads the current profile's own file.
    void LoadHeader();
    // Writes the profile header (through a temporary file). False when it
    // could not be written, or when an unusable header could not be moved
    // out of the way.
    bool SaveHeader() const;

    // The oldest notice not yet shown; false when there is none.
    bool TakeNotice(ProfileNotice& notice);
    bool HasNotice() const { return !m_notices.empty(); }
    // Forgets the waiting notices of a kind (the caller told the player).
    void DropNotices(ProfileNotice::Kind kind);
    // True when the current profile's file could not be read and is left
    // alone: nothing is saved to it.
    bool IsSaveBlocked() const { return m_saveBlocked; }

    bool HasPassword() const;
    const char* GetPassword() const;
    // Stores up to PROFILE_PASSWORD_MAX characters.
    void SetPassword(const char* password);

    int GetProfileNumber() const { return m_current; }
    int GetProfileCount() const { return static_cast<int>(m_names.size()); }
    const std::string& GetProfileName() const;
    // The name of profile number (from 1); an empty text for no such profile.
    const std::string& GetProfileNameAt(int number) const;

    // Whether name may become a new profile's name.
    ProfileNameCheck CheckProfileName(const char* name) const;
    // Saves the current profile, adds a fresh one with default settings
    // under name and makes it current; the header is written at once.
    // Returns the new number, or 0 when the name was refused or the header
    // could not be written (then nothing has changed).
    int AddProfile(const char* name);
    // Saves the current profile and loads profile number; the header
    // records the choice. False for no such profile (nothing changes).
    bool SelectProfile(int number);
    // Deletes profile number and its file; the files of the profiles after
    // it move down one number. The last remaining profile cannot be
    // deleted. False when refused or when the header could not be written
    // (then every file is back as it was).
    bool DeleteProfile(int number);
    // The password stored in profile number's file ("" when it has none or
    // the file cannot be read); the current profile answers from memory.
    std::string GetPasswordOf(int number) const;

    // "<profile folder>INFOv3.DAT" and "<profile folder>PROFILE<n>v3.DAT".
    static std::string HeaderFileName();
    static std::string ProfileFileName(int number);
    // The note of a deletion under way, and the name a profile file has
    // while a deletion moves it.
    static std::string DeleteNoteFileName();
    static std::string MovingFileName(int number);

protected:
    // Loads the current profile's file (the settings and progress).
    virtual void LoadProfile() = 0;
    // Writes the current profile's file; false when it could not be written.
    virtual bool SaveProfile() const = 0;
    // Reads only the password of a profile file; false when unreadable.
    virtual bool ReadStoredPassword(const std::string& fileName, std::string& password) const = 0;

    // Queues a notice for the player (once while the same one is waiting).
    void AddNotice(ProfileNotice::Kind kind, const std::string& parameter) const;
    // False when the header on disk can be read and gives number to another
    // profile than name (or has no such number).
    bool ListGivesNumberTo(int number, const std::string& name) const;

    std::vector<std::string> m_names;
    int m_current;                       // counted from 1
    char m_password[PROFILE_PASSWORD_MAX + 1];
    bool m_saveBlocked;                  // the current profile's file is left alone
    const bool m_folderInUse;            // another copy of the game holds the folder

private:
    // Finishes (the new header was written) or undoes (it was not) a
    // deletion that a kill or a failed move interrupted; without a note,
    // puts files a deletion moved aside back under their own numbers.
    void FinishInterruptedDelete();
    // Before a change of the list: finishes or undoes an earlier deletion
    // that could not finish (a changed list would make its note wrong).
    // False when its note is still there.
    bool FinishEarlierDelete();
    // Puts profile files above the list's count back in the list, each
    // moved to the next free number, under a name of its own.
    void AdoptStrayFiles();
    // Puts every moved file back under its own number; true when each one
    // is back.
    bool UndoMoves(int first, int last);
    // Gives the files that a deletion of profile number (of count) moved
    // aside their new numbers, removes the deleted one's, and removes the
    // note when every file got its place. True when it did.
    bool FinishMoves(int number, int count);

    bool m_headerBlocked;                // an unusable header could not be moved aside
    mutable std::vector<ProfileNotice> m_notices;
};
