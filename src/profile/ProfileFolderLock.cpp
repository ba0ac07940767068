#include "profile/ProfileFolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

ProfileFolderLock::ProfileFolderLock(const std::string& folder)
    : m_fd(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
      m_inUseElsewhere(false)
{
    if (m_fd >= 0 && flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_inUseElsewhere = errno == EWOULDBLOCK;
        close(m_fd);
        m_fd = -1;
    }
}

ProfileFolderLock::~ProfileFolderLock()
{
    if (m_fd >= 0)
        close(m_fd);
}
