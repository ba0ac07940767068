// The current player's profile: settings, key bindings, the step counter,
// progress in the three level sets and the best results. It lives for the
// whole run; start-up hands its address to the services that read it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "profile/CProfileBase.h"

class ProfileFileReader;

enum {
    PROFILE_KEY_COUNT = 16,     // restart, undo, left, right, up, down, action, slots 1..9
    PROFILE_SET_COUNT = 3,      // regular, advanced, kids
    PROFILE_LEVEL_MAX = 11,     // volumes and game speed run 0..11
    PROFILE_STEPS_MAX = 99999,
    PROFILE_NO_RESULT = -1
};

class CProfile : public CProfileBase {
public:
    // folderInUse: another copy of the game holds the profile folder; this
    // profile then saves nothing.
    explicit CProfile(bool folderInUse = false);
    ~CProfile() override;

    // Settings applied to the engine.
    int GetFullscreen() const { return m_fullscreen; }
    void SetFullscreen(bool on);
    void FlipFullscreen();
    int GetMouseFree() const { return m_mouseFree; }
    void SetMouseFree(unsigned char free);
    float GetMouseSpeed() const { return m_mouseSpeed; }
    void SetMouseSpeed(float speed);
    void ApplyMouseGrab();
    int GetSoundVolume() const { return m_soundVolume; }
    void SetSoundVolume(int level);
    int GetMusicVolume() const { return m_musicVolume; }
    void SetMusicVolume(int level);
    int GetGameSpeed() const { return m_gameSpeed; }
    void SetGameSpeed(int speed);
    void ApplyDefaultOptions();
    void ReadOptions();

    // Play.
    int GetKey(int index) const;
    void SetKey(int index, int key);
    bool GetShowStepCounter() const { return m_showStepCounter != 0; }
    void SetShowStepCounter(bool on) { m_showStepCounter = on; }
    bool GetShowStory() const { return m_showStory != 0; }
    void SetShowStory(bool on) { m_showStory = on; }
    int GetCurrentSet() const { return m_currentSet; }
    int GetCurrentLevel() const { return m_currentLevel; }
    void SetCurrentSet(int set);
    void SetCurrentLevel(int level);

    void IncrementSteps();
    // The step count for kind 1; there is no other total.
    int GetTotal(int kind) const;
    void SetSteps(int steps);
    void RecordSteps(const char* levelName);
    // The best record of a single level, or PROFILE_NO_RESULT.
    int GetLevelRecord(const char* levelName) const;
    void RecordSetResult();
    // The best result of a level of a set, or PROFILE_NO_RESULT.
    int GetSetResult(int set, int level) const;
    void SetSetFlag(unsigned char value, int set);
    unsigned char GetSetFlag(int set) const;

    // Writes the current profile's file (through a temporary file). False,
    // with a notice for the player, when it could not be written or when
    // the header on disk no longer gives the profile its number; false
    // without writing when the profile's file could not be read or another
    // copy of the game holds the folder.
    bool Save() const;

    // Puts the 16 key bindings back to their defaults.
    void ResetKeys();
    static int GetDefaultKey(int index);

    // How far a profile has come: levels finished per set and the sum of
    // their best step counts.
    struct Progress {
        int finished[PROFILE_SET_COUNT];
        long steps;
    };
    Progress GetProgress() const;
    // Reads another profile's file without touching the current profile or
    // the engine settings; null when the file is missing or damaged.
    static std::unique_ptr<CProfile> ReadOther(int number);

    static const int kSetLevelCounts[PROFILE_SET_COUNT];

protected:
    void LoadProfile() override;
    bool SaveProfile() const override { return Save(); }
    bool ReadStoredPassword(const std::string& fileName, std::string& password) const override;

private:
    struct QuietTag {};
    explicit CProfile(QuietTag);
    enum ReadResult { READ_OK, READ_MISSING, READ_DAMAGED, READ_UNREADABLE };
    void SetDefaults();
    ReadResult ReadFile(const std::string& fileName);
    bool readContents(ProfileFileReader& in);
    void ApplyVolumes();
    static int DefaultKey(int index);

    unsigned char m_fullscreen;
    unsigned char m_mouseFree;
    float m_mouseSpeed;
    int m_soundVolume;
    int m_musicVolume;
    int m_gameSpeed;
    unsigned char m_showStepCounter;
    unsigned char m_showStory;
    int m_keys[PROFILE_KEY_COUNT];
    int m_currentSet;
    int m_currentLevel;
    int m_steps;
    unsigned char m_setFlags[PROFILE_SET_COUNT];
    std::vector<int> m_setResults[PROFILE_SET_COUNT];
    std::map<std::string, int> m_levelRecords;
};
