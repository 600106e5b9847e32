#include "WorkFolderLock.h"

#include "Errors.h"
#include "WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vel {
namespace {

constexpr int PollMs = 50;

}  // namespace

WorkFolderLock::WorkFolderLock(const WorkFolder& folder)
{
    fd_ = ::open(QFile::encodeName(folder.folder("Database") + "/.maintenance.lock").constData(),
                 O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

WorkFolderLock::WorkFolderLock(const WorkFolder& folder, int waitMs) : WorkFolderLock(folder)
{
    if (fd_ < 0)
        throw FileError(QStringLiteral("无法在文件夹 %1 中建立锁文件，请检查该文件夹的写权限；"
                                       "本次操作没有改动数据。")
                            .arg(QDir::toNativeSeparators(folder.folder("Database"))));
    if (!take(waitMs)) {
        ::close(fd_);
        throw Error(QStringLiteral("另一个程序正在还原或初始化工作文件夹 %1 的数据库，"
                                   "请等它完成后再试；本次操作没有改动数据。")
                        .arg(QDir::toNativeSeparators(folder.root())));
    }
}

WorkFolderLock::~WorkFolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);  // gives the lock back
}

std::unique_ptr<WorkFolderLock> WorkFolderLock::tryTake(const WorkFolder& folder)
{
    std::unique_ptr<WorkFolderLock> lock(new WorkFolderLock(folder));
    return lock->fd_ >= 0 && lock->take(0) ? std::move(lock) : nullptr;
}

bool WorkFolderLock::take(int waitMs)
{
    for (int waited = 0;; waited += PollMs) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (waited >= waitMs)
            return false;
        QThread::msleep(PollMs);
    }
}

}  // namespace vel
