#include "profile/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/Endian.h"
#include "engine/Log.h"

namespace {

ProfileStepHook g_stepHook = nullptr;
ProfileOpenFunction g_open = openRegularFile;

void step(const char* what, const std::string& path)
{
    if (g_stepHook)
        g_stepHook(what, path);
}

} // namespace

void profileSetStepHook(ProfileStepHook hook)
{
    g_stepHook = hook;
}

void profileSetOpenFunction(ProfileOpenFunction open)
{
    g_open = open ? open : openRegularFile;
}

bool profileFileExists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

bool profileRename(const std::string& from, const std::string& to)
{
    step("rename", from);
    return rename(from.c_str(), to.c_str()) == 0;
}

bool profileRemove(const std::string& path)
{
    step("remove", path);
    return unlink(path.c_str()) == 0;
}

void profileSyncFolder(const std::string& path)
{
    step("sync folder", path);
    syncFolderOf(path);
}

std::string profileSetAside(const std::string& path, const char* why)
{
    for (int n = 1; n < 1000; ++n) {
        std::string aside = path + "." + why + (n > 1 ? "-" + std::to_string(n) : "");
        if (profileFileExists(aside))
            continue;
        if (!profileRename(path, aside))
            return "";
        profileSyncFolder(path);
        return aside;
    }
    return "";
}

// ---------------------------------------------------------------- reader

ProfileFileReader::ProfileFileReader(const std::string& path)
    : m_file(g_open(path.c_str(), &m_state)), m_openError(m_file ? 0 : errno), m_ok(m_file != nullptr)
{
}

bool ProfileFileReader::failedForNow() const
{
    if (m_file)
        return ferror(m_file) != 0;
    return m_state == FILE_UNREADABLE && (m_openError == EIO || m_openError == EMFILE || m_openError == ENFILE);
}

ProfileFileReader::~ProfileFileReader()
{
    if (m_file)
        fclose(m_file);
}

bool ProfileFileReader::u8(uint8_t& value)
{
    m_ok = m_ok && ReadUint8(&value, m_file);
    return m_ok;
}

bool ProfileFileReader::u32(uint32_t& value)
{
    m_ok = m_ok && ReadUint32(&value, m_file);
    return m_ok;
}

bool ProfileFileReader::i32(int32_t& value)
{
    m_ok = m_ok && ReadInt32(&value, m_file);
    return m_ok;
}

bool ProfileFileReader::f32(float& value)
{
    uint32_t bits = 0;
    if (!u32(bits))
        return false;
    // u32() already turned the bytes into a host value.
    memcpy(&value, &bits, sizeof value);
    return true;
}

bool ProfileFileReader::bytes(char* out, size_t count)
{
    m_ok = m_ok && fread(out, 1, count, m_file) == count;
    return m_ok;
}

bool ProfileFileReader::text(std::string& value, size_t max)
{
    uint8_t length = 0;
    if (!u8(length) || length > max) {
        m_ok = false;
        return false;
    }
    value.assign(length, '\0');
    return length == 0 || bytes(&value[0], length);
}

bool ProfileFileReader::atEnd()
{
    return m_ok && fgetc(m_file) == EOF && !ferror(m_file);
}

// ---------------------------------------------------------------- writer

ProfileFileWriter::ProfileFileWriter(const std::string& path)
    : m_path(path), m_temp(path + ".tmp"), m_file(nullptr), m_ok(false), m_inTheWay(false)
{
    step("write", m_temp);
    m_file = createRegularFile(m_temp.c_str());
    m_ok = m_file != nullptr;
    if (!m_file) {
        // Only what is not a file (nor an empty folder) is left standing.
        m_inTheWay = errno == EEXIST;
        logError(false, "Cannot write profile file '%s':  %s\n", m_temp.c_str(), strerror(errno));
    }
}

std::string ProfileFileWriter::inTheWay() const
{
    return m_inTheWay ? m_temp.substr(m_temp.find_last_of('/') + 1) : std::string();
}

ProfileFileWriter::~ProfileFileWriter()
{
    if (m_file) {
        fclose(m_file);
        unlink(m_temp.c_str());
    }
}

void ProfileFileWriter::u8(uint8_t value)
{
    m_ok = m_ok && WriteUint8(value, m_file) == 1;
}

void ProfileFileWriter::u32(uint32_t value)
{
    m_ok = m_ok && WriteUint32(value, m_file) == 4;
}

void ProfileFileWriter::i32(int32_t value)
{
    m_ok = m_ok && WriteInt32(value, m_file) == 4;
}

void ProfileFileWriter::f32(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void ProfileFileWriter::bytes(const char* data, size_t count)
{
    m_ok = m_ok && fwrite(data, 1, count, m_file) == count;
}

void ProfileFileWriter::text(const std::string& value)
{
    size_t length = value.size() > 255 ? 255 : value.size();
    u8(static_cast<uint8_t>(length));
    bytes(value.data(), length);
}

bool ProfileFileWriter::commit()
{
    if (!m_file)
        return false;
    // The new file is on the disk before its name replaces the old one;
    // the folder is synced after, so the rename itself is kept too.
    step("sync", m_temp);
    bool ok = m_ok && syncFile(m_file);
    ok = (fclose(m_file) == 0) && ok;
    m_file = nullptr;
    if (ok && profileRename(m_temp, m_path)) {
        profileSyncFolder(m_path);
        return true;
    }
    int error = errno;
    unlink(m_temp.c_str());
    logError(false, "Cannot save profile file '%s':  %s\n", m_path.c_str(), strerror(error));
    return false;
}
