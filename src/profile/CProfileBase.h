// The profile base: the list of player profiles kept in the profile header
// file ("INFOv3.DAT"), which of them is current, and the current profile's
// password.
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
    PROFILE_NAME_MAX = 32
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

    // "<profile folder>INFOv3.DAT" and "<profile folder>PROFILE<n>v3.DAT".
    static std::string HeaderFileName();
    static std::string ProfileFileName(int number);

protected:
    // Loads the current profile's file (the settings and progress).
    virtual void LoadProfile() = 0;

    std::vector<std::string> m_names;
    int m_current;                       // counted from 1
    char m_password[PROFILE_PASSWORD_MAX + 1];
};
