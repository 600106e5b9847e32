#pragma once

#include <QString>

#include <memory>

namespace vel {

class WorkFolder;

// One program at a time replaces a work folder's database: restore and initialise hold this for
// their whole run. The lock is the kernel's (flock), so it goes with the process that held it,
// however that process ended.
class WorkFolderLock {
public:
    // Waits up to `waitMs` for another holder to finish, then throws Error naming the folder.
    WorkFolderLock(const WorkFolder& folder, int waitMs);
    ~WorkFolderLock();
    WorkFolderLock(const WorkFolderLock&) = delete;
    WorkFolderLock& operator=(const WorkFolderLock&) = delete;

    // The lock when no other program holds it, else nullptr; never waits. A folder that takes no
    // lock file (read-only) gives nullptr too: nothing can be replaced there, and reading it needs
    // no lock.
    static std::unique_ptr<WorkFolderLock> tryTake(const WorkFolder& folder);

private:
    explicit WorkFolderLock(const WorkFolder& folder);
    bool take(int waitMs);

    int fd_ = -1;
};

}  // namespace vel
