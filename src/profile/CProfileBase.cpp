#include "profile/CProfileBase.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "engine/Endian.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/ProfileFile.h"

namespace {
const uint32_t kHeaderMagic = 0x4E495042; // "BPIN"
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
    if (CheckProfileName(name) != PROFILE_NAME_OK)
        return 0;
    int previous = m_current;
    SaveProfile();
    m_names.push_back(name);
    m_current = GetProfileCount();
    // A file left behind under the new number belongs to nobody any more.
    remove(ProfileFileName(m_current).c_str());
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
    if (number < 1 || number > count || count <= 1)
        return false;
    std::vector<std::string> oldNames = m_names;
    int oldCurrent = m_current;
    bool wasCurrent = number == m_current;
    if (!wasCurrent)
        SaveProfile();
    m_names.erase(m_names.begin() + (number - 1));
    if (wasCurrent)
        m_current = 1;
    else if (number < m_current)
        --m_current;
    if (!SaveHeader()) {
        logPrint(LOG_WARNING, "Cannot write the profile header; profile %i not deleted\n", number);
        m_names = oldNames;
        m_current = oldCurrent;
        return false;
    }
    remove(ProfileFileName(number).c_str());
    for (int n = number + 1; n <= count; ++n)
        if (rename(ProfileFileName(n).c_str(), ProfileFileName(n - 1).c_str()) != 0)
            logPrint(LOG_WARNING, "Cannot move profile file %i to %i\n", n, n - 1);
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
