#include "profile/CProfile.h"

#include <SDL.h>
#include <cstring>

#include "engine/Log.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileServices.h"

const int CProfile::kSetLevelCounts[PROFILE_SET_COUNT] = {111, 50, 81};

namespace {
const uint32_t kProfileMagic = 0x52505042; // "BPPR"
const uint32_t kMaxRecords = 100000;
const int kDefaultVolume = 6;
const int kDefaultGameSpeed = 6;

int clampLevel(int level)
{
    return level < 0 ? 0 : (level > PROFILE_LEVEL_MAX ? PROFILE_LEVEL_MAX : level);
}
} // namespace

CProfile::CProfile(bool folderInUse)
    : CProfileBase(folderInUse)
{
    logPrint(LOG_CONSTRUCT, "CProfile:  Creating CProfile...\n");
    SetDefaults();
    LoadHeader();
}

CProfile::CProfile(QuietTag)
{
    SetDefaults();
}

std::unique_ptr<CProfile> CProfile::ReadOther(int number)
{
    std::unique_ptr<CProfile> other(new CProfile(QuietTag()));
    if (other->ReadFile(ProfileFileName(number)) != READ_OK)
        return nullptr;
    return other;
}

CProfile::Progress CProfile::GetProgress() const
{
    Progress p{};
    for (int s = 0; s < PROFILE_SET_COUNT; ++s)
        for (int r : m_setResults[s])
            if (r != PROFILE_NO_RESULT) {
                ++p.finished[s];
                p.steps += r;
            }
    return p;
}

void CProfile::ResetKeys()
{
    for (int i = 0; i < PROFILE_KEY_COUNT; ++i)
        m_keys[i] = DefaultKey(i);
}

int CProfile::GetDefaultKey(int index)
{
    return (index >= 0 && index < PROFILE_KEY_COUNT) ? DefaultKey(index) : 0;
}

CProfile::~CProfile()
{
    logPrint(LOG_DESTRUCT, "CProfile:  Destroying CProfile...\n");
}

int CProfile::DefaultKey(int index)
{
    static const int keys[PROFILE_KEY_COUNT] = {
        SDLK_r, SDLK_u, SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_SPACE,
        SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9};
    return keys[index];
}

void CProfile::SetDefaults()
{
    m_fullscreen = 0;
    m_mouseFree = 1;
    m_mouseSpeed = 1.0f;
    m_soundVolume = kDefaultVolume;
    m_musicVolume = kDefaultVolume;
    m_gameSpeed = kDefaultGameSpeed;
    m_showStepCounter = 1;
    m_showStory = 1;
    for (int i = 0; i < PROFILE_KEY_COUNT; ++i)
        m_keys[i] = DefaultKey(i);
    m_currentSet = 0;
    m_currentLevel = 0;
    m_steps = 0;
    memset(m_setFlags, 0, sizeof m_setFlags);
    for (int s = 0; s < PROFILE_SET_COUNT; ++s)
        m_setResults[s].assign(static_cast<size_t>(kSetLevelCounts[s]), PROFILE_NO_RESULT);
    m_levelRecords.clear();
    SetPassword("");
}

// ---------------------------------------------------------------- files

void CProfile::LoadProfile()
{
    std::string fileName = ProfileFileName(m_current);
    SetDefaults();
    m_saveBlocked = false;
    const char* name = GetProfileName().c_str();
    switch (ReadFile(fileName)) {
    case READ_OK:
        ReadOptions();
        break;
    case READ_MISSING:
        ApplyDefaultOptions();
        break;
    case READ_DAMAGED: {
        // The damaged file goes aside before a save could replace it.
        SetDefaults();
        ApplyDefaultOptions();
        std::string aside = m_folderInUse ? std::string() : profileSetAside(fileName, "damaged");
        if (!aside.empty()) {
            logError(false, "Profile file '%s' of '%s' is damaged; it was kept as '%s' and the profile starts "
                     "afresh\n", fileName.c_str(), name, aside.c_str());
            AddNotice(ProfileNotice::PROFILE_SET_ASIDE, name);
            break;
        }
        logError(false, "Profile file '%s' of '%s' is damaged and cannot be moved aside\n", fileName.c_str(), name);
        m_saveBlocked = true;
        AddNotice(ProfileNotice::PROFILE_UNREADABLE, name);
        break;
    }
    case READ_UNREADABLE:
        SetDefaults();
        ApplyDefaultOptions();
        logError(false, "Profile file '%s' of '%s' cannot be read; it is left as it is and nothing is saved to "
                 "it\n", fileName.c_str(), name);
        m_saveBlocked = true;
        AddNotice(ProfileNotice::PROFILE_UNREADABLE, name);
        break;
    }
    ApplyMouseGrab();
}

CProfile::ReadResult CProfile::ReadFile(const std::string& fileName)
{
    ProfileFileReader in(fileName);
    if (in.state() == FILE_MISSING)
        return READ_MISSING;
    if (!in.exists())
        return READ_UNREADABLE;
    bool read = readContents(in);
    if (read)
        return READ_OK;
    return in.readError() ? READ_UNREADABLE : READ_DAMAGED;
}

bool CProfile::readContents(ProfileFileReader& in)
{
    uint32_t magic = 0;
    int32_t version = 0;
    if (!in.u32(magic) || magic != kProfileMagic || !in.i32(version) ||
        version != PROFILE_FILE_VERSION)
        return false;

    uint8_t fullscreen = 0, mouseFree = 0, showSteps = 0, showStory = 0;
    float mouseSpeed = 0;
    int32_t sound = 0, music = 0, speed = 0, set = 0, level = 0, steps = 0;
    int32_t keys[PROFILE_KEY_COUNT];
    uint8_t flags[PROFILE_SET_COUNT];
    char password[PROFILE_PASSWORD_SIZE + 1] = {};
    bool ok = in.u8(fullscreen) && in.u8(mouseFree) && in.f32(mouseSpeed) && in.i32(sound) &&
              in.i32(music) && in.i32(speed) && in.u8(showSteps) && in.u8(showStory);
    for (int i = 0; ok && i < PROFILE_KEY_COUNT; ++i)
        ok = in.i32(keys[i]) && keys[i] > 0 && keys[i] < SDLK_LAST;
    ok = ok && in.i32(set) && in.i32(level) && in.i32(steps);
    for (int i = 0; ok && i < PROFILE_SET_COUNT; ++i)
        ok = in.u8(flags[i]);
    ok = ok && in.bytes(password, PROFILE_PASSWORD_SIZE);
    if (!ok || sound < 0 || sound > PROFILE_LEVEL_MAX || music < 0 || music > PROFILE_LEVEL_MAX ||
        speed < 0 || speed > PROFILE_LEVEL_MAX || !(mouseSpeed > 0.0f && mouseSpeed < 100.0f) ||
        set < 0 || set >= PROFILE_SET_COUNT || level < 0 || level >= kSetLevelCounts[set] ||
        steps < 0 || steps > PROFILE_STEPS_MAX)
        return false;

    std::vector<int> results[PROFILE_SET_COUNT];
    for (int s = 0; s < PROFILE_SET_COUNT; ++s) {
        uint32_t count = 0;
        if (!in.u32(count) || count != static_cast<uint32_t>(kSetLevelCounts[s]))
            return false;
        results[s].resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            int32_t r = 0;
            if (!in.i32(r) || r < PROFILE_NO_RESULT || r > PROFILE_STEPS_MAX)
                return false;
            results[s][i] = r;
        }
    }
    uint32_t recordCount = 0;
    if (!in.u32(recordCount) || recordCount > kMaxRecords)
        return false;
    std::map<std::string, int> records;
    for (uint32_t i = 0; i < recordCount; ++i) {
        std::string name;
        int32_t r = 0;
        if (!in.text(name, 255) || !in.i32(r) || r < 0 || r > PROFILE_STEPS_MAX)
            return false;
        records[name] = r;
    }
    if (!in.atEnd())
        return false;

    // Everything read and checked: take it over.
    m_fullscreen = fullscreen ? 1 : 0;
    m_mouseFree = mouseFree ? 1 : 0;
    m_mouseSpeed = mouseSpeed;
    m_soundVolume = sound;
    m_musicVolume = music;
    m_gameSpeed = speed;
    m_showStepCounter = showSteps ? 1 : 0;
    m_showStory = showStory ? 1 : 0;
    for (int i = 0; i < PROFILE_KEY_COUNT; ++i)
        m_keys[i] = keys[i];
    m_currentSet = set;
    m_currentLevel = level;
    m_steps = steps;
    memcpy(m_setFlags, flags, sizeof m_setFlags);
    SetPassword(password);
    for (int s = 0; s < PROFILE_SET_COUNT; ++s)
        m_setResults[s] = results[s];
    m_levelRecords = records;
    return true;
}

bool CProfile::ReadStoredPassword(const std::string& fileName, std::string& password) const
{
    // The password follows the fixed-size settings at the start of the file.
    ProfileFileReader in(fileName);
    uint32_t magic = 0;
    int32_t version = 0;
    if (!in.u32(magic) || magic != kProfileMagic || !in.i32(version) || version != PROFILE_FILE_VERSION)
        return false;
    char skipped[2 + 4 + 3 * 4 + 2 + PROFILE_KEY_COUNT * 4 + 3 * 4 + PROFILE_SET_COUNT];
    // The whole field: a password of 10 characters fills it, unterminated.
    char stored[PROFILE_PASSWORD_SIZE + 1] = {};
    if (!in.bytes(skipped, sizeof skipped) || !in.bytes(stored, PROFILE_PASSWORD_SIZE))
        return false;
    password = stored;
    return true;
}

bool CProfile::Save() const
{
    if (m_saveBlocked) {
        logPrint(LOG_WARNING, "Profile %i is not saved: its file could not be read and is left as it is\n",
                 m_current);
        return false;
    }
    if (m_folderInUse) {
        logPrint(LOG_WARNING, "Profile %i is not saved: another copy of the game uses the profile folder\n",
                 m_current);
        return false;
    }
    // A deletion that could not finish may still hold this profile's file
    // aside, under this number or the next: a file saved now would stand
    // in the way of its return.
    if (profileFileExists(MovingFileName(m_current)) || profileFileExists(MovingFileName(m_current + 1))) {
        logError(false, "Profile %i is not saved: an unfinished deletion still holds a profile file aside\n",
                 m_current);
        AddNotice(ProfileNotice::SAVE_FAILED, "");
        return false;
    }
    // A copy of the game that did not meet the folder's lock (an older one,
    // or on a file system without locks) may have changed the list since it
    // was read: then this number's file belongs to someone else.
    if (!ListGivesNumberTo(m_current, GetProfileName())) {
        logError(false, "Profile %i '%s' is not saved: the profile list on disk gives its number to another "
                 "profile\n", m_current, GetProfileName().c_str());
        AddNotice(ProfileNotice::LIST_CHANGED, "");
        return false;
    }
    ProfileFileWriter out(ProfileFileName(m_current));
    out.u32(kProfileMagic);
    out.i32(PROFILE_FILE_VERSION);
    out.u8(m_fullscreen);
    out.u8(m_mouseFree);
    out.f32(m_mouseSpeed);
    out.i32(m_soundVolume);
    out.i32(m_musicVolume);
    out.i32(m_gameSpeed);
    out.u8(m_showStepCounter);
    out.u8(m_showStory);
    for (int key : m_keys)
        out.i32(key);
    out.i32(m_currentSet);
    out.i32(m_currentLevel);
    out.i32(m_steps);
    for (unsigned char flag : m_setFlags)
        out.u8(flag);
    out.bytes(m_password, PROFILE_PASSWORD_SIZE);
    for (const std::vector<int>& results : m_setResults) {
        out.u32(static_cast<uint32_t>(results.size()));
        for (int r : results)
            out.i32(r);
    }
    out.u32(static_cast<uint32_t>(m_levelRecords.size()));
    for (const auto& record : m_levelRecords) {
        out.text(record.first);
        out.i32(record.second);
    }
    if (out.commit())
        return true;
    if (out.inTheWay().empty())
        AddNotice(ProfileNotice::SAVE_FAILED, "");
    else
        AddNotice(ProfileNotice::SAVE_IN_THE_WAY, out.inTheWay());
    return false;
}

// ---------------------------------------------------------------- settings

void CProfile::SetFullscreen(bool on)
{
    m_fullscreen = on ? 1 : 0;
    profileSwitchFullscreen(on);
}

void CProfile::FlipFullscreen()
{
    SetFullscreen(m_fullscreen == 0);
}

void CProfile::SetMouseFree(unsigned char free)
{
    m_mouseFree = free ? 1 : 0;
    ApplyMouseGrab();
}

void CProfile::SetMouseSpeed(float speed)
{
    m_mouseSpeed = speed;
    ApplyMouseGrab();
}

void CProfile::ApplyMouseGrab()
{
    profileApplyMouse(m_mouseFree != 0, m_mouseSpeed);
}

void CProfile::SetSoundVolume(int level)
{
    m_soundVolume = clampLevel(level);
    profileSetEffectsVolume(static_cast<float>(m_soundVolume) / 11.0f);
}

void CProfile::SetMusicVolume(int level)
{
    m_musicVolume = clampLevel(level);
    float v = static_cast<float>(m_musicVolume) / 11.0f;
    profileSetMusicVolume(v * v);
}

void CProfile::SetGameSpeed(int speed)
{
    m_gameSpeed = clampLevel(speed);
}

void CProfile::ApplyVolumes()
{
    SetSoundVolume(m_soundVolume);
    SetMusicVolume(m_musicVolume);
    if (profileScreenExists())
        profileSwitchFullscreen(m_fullscreen != 0);
}

void CProfile::ApplyDefaultOptions()
{
    m_soundVolume = kDefaultVolume;
    m_musicVolume = kDefaultVolume;
    ApplyVolumes();
}

void CProfile::ReadOptions()
{
    ApplyVolumes();
}

// ---------------------------------------------------------------- play

int CProfile::GetKey(int index) const
{
    return (index >= 0 && index < PROFILE_KEY_COUNT) ? m_keys[index] : 0;
}

void CProfile::SetKey(int index, int key)
{
    if (index >= 0 && index < PROFILE_KEY_COUNT && key > 0 && key < SDLK_LAST)
        m_keys[index] = key;
}

void CProfile::SetCurrentSet(int set)
{
    if (set >= 0 && set < PROFILE_SET_COUNT) {
        m_currentSet = set;
        if (m_currentLevel >= kSetLevelCounts[set])
            m_currentLevel = 0;
    }
}

void CProfile::SetCurrentLevel(int level)
{
    if (level >= 0 && level < kSetLevelCounts[m_currentSet])
        m_currentLevel = level;
}

void CProfile::IncrementSteps()
{
    SetSteps(m_steps + 1);
}

int CProfile::GetTotal(int kind) const
{
    return kind == 1 ? m_steps : 0;
}

void CProfile::SetSteps(int steps)
{
    m_steps = steps < 0 ? 0 : (steps > PROFILE_STEPS_MAX ? PROFILE_STEPS_MAX : steps);
}

void CProfile::RecordSteps(const char* levelName)
{
    if (!levelName)
        return;
    auto it = m_levelRecords.find(levelName);
    if (it == m_levelRecords.end() || m_steps < it->second)
        m_levelRecords[levelName] = m_steps;
}

int CProfile::GetLevelRecord(const char* levelName) const
{
    auto it = levelName ? m_levelRecords.find(levelName) : m_levelRecords.end();
    return it == m_levelRecords.end() ? PROFILE_NO_RESULT : it->second;
}

void CProfile::RecordSetResult()
{
    std::vector<int>& results = m_setResults[m_currentSet];
    if (m_currentLevel < 0 || m_currentLevel >= static_cast<int>(results.size()))
        return;
    int& best = results[static_cast<size_t>(m_currentLevel)];
    if (best == PROFILE_NO_RESULT || m_steps < best) {
        best = m_steps;
        Save();
    }
}

int CProfile::GetSetResult(int set, int level) const
{
    if (set < 0 || set >= PROFILE_SET_COUNT || level < 0 ||
        level >= static_cast<int>(m_setResults[set].size()))
        return PROFILE_NO_RESULT;
    return m_setResults[set][static_cast<size_t>(level)];
}

void CProfile::SetSetFlag(unsigned char value, int set)
{
    if (set < 0)
        set = m_currentSet;
    if (set < PROFILE_SET_COUNT)
        m_setFlags[set] = value;
}

unsigned char CProfile::GetSetFlag(int set) const
{
    return (set >= 0 && set < PROFILE_SET_COUNT) ? m_setFlags[set] : 0;
}
