// The ".lvl" file format: reading, writing, and the level files in the
// user's levels folder.
//
// Level files come from players and from downloads, so the reader trusts
// nothing: every count, coordinate and length is checked before it is used,
// and at the first damage reading stops, keeping what was read so far.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/Endian.h"
#include "engine/FileAccess.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "level/Level.h"

namespace {

const char* kindWord(int kind)
{
    switch (static_cast<uint32_t>(kind)) {
    case CLevel::KIND_GAME:
        return "GAME";
    case CLevel::KIND_DEMO:
        return "DEMO";
    case CLevel::KIND_CUSTOM:
        return "CUSTOM";
    case CLevel::KIND_ALPHA:
        return "ALPHA";
    default:
        return "INVALID!!!";
    }
}

void logDamage(const char* what, const char* name)
{
    logPrint(LOG_ERROR, "CLevel::Load()   Damaged level file, reading stopped (%s):  '%s'\n", what, name);
}

const char kUndefinedText[] = "UNDEFINED";

// Permission bits for a new level file: those of the file it replaces, or
// the usual ones under the process's file-creation mask.
mode_t levelFileMode(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

// ---------------------------------------------------------------- reading

bool CLevel::Load(const char* name)
{
    Clear();
    std::string path = GetPath(name);
    // Only a regular file is read: a named pipe in the levels folder would
    // otherwise hold the game until someone writes into it.
    FILE* file = IsValidFileName(name) ? openRegularFile(path.c_str()) : nullptr;
    if (!file) {
        logPrint(LOG_ERROR, "CLevel::Load()   Cannot load level file:  '%s'\n", path.c_str());
        return false;
    }
    bool ok = readBody(file, name);
    fclose(file);
    return ok;
}

bool CLevel::Load(FILE* stream, const char* name)
{
    Clear();
    return readBody(stream, name);
}

bool CLevel::readBody(FILE* stream, const char* name)
{
    if (!name)
        name = "";
    bool ok = false;
    int32_t value = 0;
    int32_t count = 0;

    // The body runs once; every damage breaks out of it with ok false.
    do {
        if (!stream || !ReadInt32(&value, stream)) {
            logDamage("no level ID", name);
            break;
        }
        uint32_t id = static_cast<uint32_t>(value);
        m_kind = static_cast<int32_t>(id & KIND_MASK);
        m_version = value >> 24;
        logPrint(LOG_DEBUG, "CLevel::Load()   Read level ID:  %x  (%s)  (%s)\n", id, kindWord(m_kind), name);
        logPrint(LOG_DEBUG, "CLevel::Load()   Read level version:  %i\n", m_version);
        if (m_version < 5) {
            logPrint(LOG_ERROR, "CLevel::Load()   Legacy level must be converted before it can be used\n");
            break;
        }
        // A longer name is cut to the 16 characters the level keeps.
        SetName(name);

        char heading[HEADING_SIZE] = {};
        if (fread(heading, 1, HEADING_SIZE, stream) != HEADING_SIZE) {
            logDamage("heading", name);
            break;
        }
        heading[HEADING_SIZE - 1] = '\0';
        SetHeadingText(heading);

        bool damaged = false;
        for (int i = 0; i < CELLS && !damaged; ++i) {
            damaged = !ReadInt32(&value, stream);
            if (!damaged)
                m_ladders[i] = value;
        }
        if (damaged) {
            logDamage("ladder layer", name);
            break;
        }

        for (int i = 0; i < CELLS && !damaged; ++i) {
            damaged = !ReadInt32(&value, stream);
            if (damaged)
                break;
            if (value == NONE) {
                m_tiles[i] = NONE;
            } else if (value & CELL_FROZEN) {
                m_cellFlags[i] = CELL_FROZEN;
                m_tiles[i] = value - CELL_FROZEN;
            } else if (value & CELL_HEATED) {
                m_cellFlags[i] = CELL_HEATED;
                m_tiles[i] = value - CELL_HEATED;
            } else {
                m_cellFlags[i] = CELL_NORMAL;
                m_tiles[i] = value;
            }
            if (m_tiles[i] == POWERUP_TELEPORT)
                ++m_teleportPowerupCount;
        }
        if (damaged) {
            logDamage("tile layer", name);
            break;
        }

        for (int c = 0; c < TELEPORT_COLOURS && !damaged; ++c) {
            m_teleports[c].clear();
            if (!ReadInt32(&count, stream) || count < 0 || count > MAX_TELEPORT_ENDS) {
                logDamage("teleport count", name);
                damaged = true;
                break;
            }
            for (int32_t i = 0; i < count; ++i) {
                int32_t x = 0, y = 0;
                if (!ReadInt32(&x, stream) || !ReadInt32(&y, stream)) {
                    logDamage("teleport list", name);
                    damaged = true;
                    break;
                }
                if (x < -1 || x > WIDTH - 1 || y < 0 || y > HEIGHT - 1) {
                    logDamage("teleport off the board", name);
                    damaged = true;
                    break;
                }
                m_teleports[c].push_back(Rect{x, y, 1, 1});
            }
        }
        if (damaged)
            break;

        if (!ReadInt32(&count, stream) || count < 0 || count > CELLS) {
            logDamage("tutorial count", name);
            break;
        }
        for (int32_t i = 0; i < count && !damaged; ++i) {
            int32_t x = 0, y = 0, length = 0;
            if (!ReadInt32(&x, stream) || !ReadInt32(&y, stream) || !ReadInt32(&length, stream)) {
                logDamage("tutorial record", name);
                damaged = true;
            } else if (!onBoard(x, y)) {
                logDamage("tutorial off the board", name);
                damaged = true;
            } else if (length < 0 || length > MAX_TUTORIAL_TEXT) {
                logDamage("tutorial text length", name);
                damaged = true;
            } else {
                char* text = new char[length + 1];
                if (fread(text, 1, static_cast<size_t>(length), stream) != static_cast<size_t>(length)) {
                    delete[] text;
                    logDamage("tutorial text", name);
                    damaged = true;
                } else {
                    text[length] = '\0';
                    SetTutorialText(x, y, text);
                }
            }
        }
        if (damaged)
            break;

        if (!ReadInt32(&value, stream)) {
            logDamage("background", name);
            break;
        }
        if (value < 0 || value >= BACKGROUND_COUNT) {
            // A picture that does not exist would end the program when the
            // level is played; the level keeps the default one instead.
            logPrint(LOG_ERROR, "CLevel::Load()   Unknown background %i replaced by %i:  '%s'\n", value,
                     DEFAULT_BACKGROUND, name);
            value = DEFAULT_BACKGROUND;
        }
        m_background = value;

        m_solution.clear();
        if (!ReadInt32(&count, stream) || count < 0 || count > MAX_SOLUTION_KEYS) {
            logDamage("solution count", name);
            break;
        }
        for (int32_t i = 0; i < count; ++i) {
            int32_t frame = 0, key = 0, released = 0;
            if (!ReadInt32(&frame, stream) || !ReadInt32(&key, stream) || !ReadInt32(&released, stream)) {
                logDamage("solution", name);
                damaged = true;
                break;
            }
            m_solution.push_back(ReplayKey{frame, key, released != 0});
        }
        ok = !damaged;
    } while (false);

    m_solutionRecorded = !m_solution.empty();
    m_modified = false;
    return ok;
}

// ---------------------------------------------------------------- writing

uint32_t CLevel::MakeCustomLevelId()
{
    // The noise takes bits 0 and 4 to 11 of a 15-bit random value, so it
    // never touches the kind or version bits.
    uint32_t noise = static_cast<uint32_t>(rand()) & 0x7FFFu;
    return (noise & 0x8F8FF1u) | 0x8404008u;
}

bool CLevel::Write(FILE* stream, uint32_t levelId)
{
    ClearTeleportTypeFlags();
    bool ok = WriteUint32(levelId, stream) == 4;

    char heading[HEADING_SIZE] = {};
    memcpy(heading, m_heading, strnlen(m_heading, HEADING_SIZE - 1));
    ok = ok && fwrite(heading, 1, HEADING_SIZE, stream) == HEADING_SIZE;

    for (int i = 0; i < CELLS; ++i)
        ok = ok && WriteInt32(m_ladders[i], stream) == 4;
    for (int i = 0; i < CELLS; ++i) {
        if (m_tiles[i] != NONE)
            logPrint(LOG_LEVEL_SAVE, "   * Saving tile '%s' at (%i,%i)\n", GetTypeName(m_tiles[i]), i / HEIGHT,
                     i % HEIGHT);
        ok = ok && WriteInt32(m_tiles[i] + m_cellFlags[i], stream) == 4;
    }

    for (const std::vector<Rect>& list : m_teleports) {
        ok = ok && WriteInt32(static_cast<int32_t>(list.size()), stream) == 4;
        for (const Rect& end : list) {
            ok = ok && WriteInt32(end.x, stream) == 4;
            ok = ok && WriteInt32(end.y, stream) == 4;
        }
    }

    int32_t tutorials = 0;
    for (int i = 0; i < CELLS; ++i)
        if (m_tiles[i] == TUTORIAL)
            ++tutorials;
    ok = ok && WriteInt32(tutorials, stream) == 4;
    for (int i = 0; i < CELLS; ++i) {
        if (m_tiles[i] != TUTORIAL)
            continue;
        const char* text = m_tutorialTexts[i] ? m_tutorialTexts[i] : kUndefinedText;
        size_t length = strlen(text);
        ok = ok && WriteInt32(i / HEIGHT, stream) == 4;
        ok = ok && WriteInt32(i % HEIGHT, stream) == 4;
        ok = ok && WriteInt32(static_cast<int32_t>(length), stream) == 4;
        ok = ok && fwrite(text, 1, length, stream) == length;
    }

    ok = ok && WriteInt32(m_background, stream) == 4;
    ok = ok && WriteInt32(static_cast<int32_t>(m_solution.size()), stream) == 4;
    for (const ReplayKey& key : m_solution) {
        ok = ok && WriteInt32(key.frame, stream) == 4;
        ok = ok && WriteInt32(key.key, stream) == 4;
        ok = ok && WriteInt32(key.released ? 1 : 0, stream) == 4;
    }
    return ok;
}

std::vector<uint8_t> CLevel::Encode(uint32_t levelId)
{
    std::vector<uint8_t> bytes;
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream)
        return bytes;
    bool ok = Write(stream, levelId);
    ok = (fclose(stream) == 0) && ok;
    if (ok && buffer)
        bytes.assign(buffer, buffer + size);
    free(buffer);
    return bytes;
}

bool CLevel::Save()
{
    std::string path = GetPath(m_name);
    if (!IsValidFileName(m_name)) {
        logPrint(LOG_ERROR, "CLevel::Save()   Cannot save level file:  '%s'\n", path.c_str());
        return false;
    }

    // Write beside the old file and rename over it only once everything is
    // on disk, so a failed or interrupted save never destroys the old level.
    std::string temp = std::string(GetLevelsDirectory()) + ".saving-XXXXXX";
    mode_t mode = levelFileMode(path);
    int fd = mkstemp(&temp[0]);
    FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        if (fd >= 0) {
            close(fd);
            remove(temp.c_str());
        }
        logPrint(LOG_ERROR, "CLevel::Save()   Cannot save level file:  '%s'\n", path.c_str());
        return false;
    }
    fchmod(fd, mode);

    bool ok = Write(file, MakeCustomLevelId());
    ok = (fflush(file) == 0) && ok;
    ok = (fsync(fd) == 0) && ok;
    ok = (fclose(file) == 0) && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        remove(temp.c_str());
        logPrint(LOG_ERROR, "CLevel::Save()   Cannot save level file:  '%s'\n", path.c_str());
        return false;
    }
    m_modified = false;
    return true;
}

bool CLevel::SaveAs(const char* name, const char* heading)
{
    char previous[NAME_SIZE];
    memcpy(previous, m_name, sizeof previous);
    SetName(name);
    SetHeadingText(heading);
    if (Save())
        return true;
    // The level was not stored under the new name, so it keeps its old one.
    memcpy(m_name, previous, sizeof previous);
    return false;
}

// ---------------------------------------------------------------- files

bool CLevel::IsValidFileName(const char* name)
{
    if (!name || !name[0] || strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return false;
    return strchr(name, '/') == nullptr && strchr(name, '\\') == nullptr;
}

std::string CLevel::GetPath(const char* name)
{
    return std::string(GetLevelsDirectory()) + (name ? name : "") + ".lvl";
}

char* CLevel::GetHeading(const char* name)
{
    char* heading = new char[HEADING_SIZE]();
    std::string path = GetPath(name);
    FILE* file = IsValidFileName(name) ? openRegularFile(path.c_str()) : nullptr;
    if (!file) {
        logPrint(LOG_ERROR, "CLevel::GetHeading()   Cannot load level file:  '%s'\n", path.c_str());
        return heading;
    }
    if (fseek(file, 4, SEEK_SET) != 0 || fread(heading, 1, HEADING_SIZE, file) != HEADING_SIZE)
        memset(heading, 0, HEADING_SIZE);
    heading[HEADING_SIZE - 1] = '\0';
    fclose(file);
    logPrint(LOG_LEVEL_LOAD, "CLevel::GetHeading()   Read heading:  %s\n", heading);
    return heading;
}

time_t CLevel::GetFileTime(const char* name)
{
    struct stat st;
    if (!IsValidFileName(name) || stat(GetPath(name).c_str(), &st) != 0)
        return 0;
    return st.st_mtime;
}

void CLevel::Remove(const char* name)
{
    std::string path = GetPath(name);
    if (IsValidFileName(name) && remove(path.c_str()) == 0)
        logPrint(LOG_DEBUG, "CLevel::Remove()  Level has been succesfully removed:  '%s'\n", path.c_str());
    else
        logPrint(LOG_ERROR, "CLevel::Remove()  Could not remove level file:  '%s'\n", path.c_str());
}
