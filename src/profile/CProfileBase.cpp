#include "profile/CProfileBase.h"

#include <cstdio>
#include <cstring>

#include "engine/Endian.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/ProfileFile.h"

namespace {
const uint32_t kHeaderMagic = 0x4E495042; // "BPIN"
const char* const kDefaultName = "Player";
const uint32_t kMaxProfiles = 64;
} // namespace

CProfileBase::CProfileBase()
    : m_names(1, kDefaultName), m_current(1)
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

void CProfileBase::LoadHeader()
{
    std::string fileName = HeaderFileName();
    logPrint(LOG_PROFILE_HEADER, "Loading profile header '%s'\n", fileName.c_str());

    ProfileFileReader in(fileName);
    if (in.exists()) {
        uint32_t magic = 0, count = 0;
        int32_t version = 0, current = 0;
        std::vector<std::string> names;
        bool ok = in.u32(magic) && magic == kHeaderMagic && in.i32(version) &&
                  version == PROFILE_FILE_VERSION && in.i32(current) && in.u32(count) &&
                  count >= 1 && count <= kMaxProfiles && current >= 1 &&
                  current <= static_cast<int32_t>(count);
        for (uint32_t i = 0; ok && i < count; ++i) {
            std::string name;
            ok = in.text(name, PROFILE_NAME_MAX);
            names.push_back(name);
        }
        if (ok) {
            m_names = names;
            m_current = current;
        } else {
            logPrint(LOG_WARNING, "Profile header '%s' is damaged; using a default profile\n",
                     fileName.c_str());
        }
    }
    LoadProfile();
}

bool CProfileBase::SaveHeader() const
{
    ProfileFileWriter out(HeaderFileName());
    out.u32(kHeaderMagic);
    out.i32(PROFILE_FILE_VERSION);
    out.i32(m_current);
    out.u32(static_cast<uint32_t>(m_names.size()));
    for (const std::string& name : m_names)
        out.text(name);
    return out.commit();
}
