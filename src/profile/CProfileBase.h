// The profile base: the list of player profiles kept in the profile header
// file ("INFOv3.DAT"), which of them is current, and the current profile's
// password. Profile n (counted from 1) keeps its settings and progress in
// "PROFILE<n>v3.DAT"; adding, choosing and deleting profiles keeps the
// header and those files in step.
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

class CProfileBase {
public:
    CProfileBase();
    virtual ~CProfileBase();

    // Reads the profile header; a missing or damaged header leaves one
    // default profile. Then loads the current profile's own file.
    void LoadHeader();
    // Writes the profile header (through a temporary file).
    bool SaveHeader() const;

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
    // (then no file has been touched).
    bool DeleteProfile(int number);
    // The password stored in profile number's file ("" when it has none or
    // the file cannot be read); the current profile answers from memory.
    std::string GetPasswordOf(int number) const;

    // "<profile folder>INFOv3.DAT" and "<profile folder>PROFILE<n>v3.DAT".
    static std::string HeaderFileName();
    static std::string ProfileFileName(int number);

protected:
    // Loads the current profile's file (the settings and progress).
    virtual void LoadProfile() = 0;
    // Writes the current profile's file; false when it could not be written.
    virtual bool SaveProfile() const = 0;
    // Reads only the password of a profile file; false when unreadable.
    virtual bool ReadStoredPassword(const std::string& fileName, std::string& password) const = 0;

    std::vector<std::string> m_names;
    int m_current;                       // counted from 1
    char m_password[PROFILE_PASSWORD_MAX + 1];
};
