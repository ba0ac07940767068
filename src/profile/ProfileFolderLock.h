// The lock that keeps a second copy of the game from changing the profile
// folder: the first copy started on a folder holds it for its whole run.
// It is an advisory lock (flock) on the folder itself, so no file is added
// and a copy that ends in any way lets go of it.
#pragma once

#include <string>

class ProfileFolderLock {
public:
    // Takes the lock on folder without waiting.
    explicit ProfileFolderLock(const std::string& folder);
    ~ProfileFolderLock();
    ProfileFolderLock(const ProfileFolderLock&) = delete;
    ProfileFolderLock& operator=(const ProfileFolderLock&) = delete;

    // True when another copy of the game holds the lock. A folder that
    // cannot be opened or locked at all (missing, or a file system without
    // locks) counts as free: the profile files guard themselves.
    bool InUseElsewhere() const { return m_inUseElsewhere; }

private:
    int m_fd;
    bool m_inUseElsewhere;
};
