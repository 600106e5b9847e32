#include "PendingFile.h"

#include "Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace vel {

namespace {

// Long enough that no export still writes to a file this old.
constexpr int StaleAfterSeconds = 10 * 60;

}  // namespace

QString folderWriteProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("文件夹不存在");
    if (!info.isDir())
        return QStringLiteral("这不是文件夹");
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return errno == EROFS ? QStringLiteral("文件夹所在的磁盘只许读取")
                              : QStringLiteral("没有在这个文件夹中写入的权限");
    const QStorageInfo disk(folder);
    if (disk.isValid() && disk.bytesAvailable() == 0)
        return QStringLiteral("磁盘已满");
    return QStringLiteral("无法在其中建立新文件");
}

void removeStaleTemporaries(const QString& folder)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\..+\\.(xlsx|dbf|db)-[A-Za-z0-9]{6}\\.(xlsx|dbf|db)(-journal|-wal|-shm)?$"));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-StaleAfterSeconds);
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries)
        if (pattern.match(entry.fileName()).hasMatch() && entry.lastModified().toUTC() < before)
            QFile::remove(entry.absoluteFilePath());
}

PendingFile::PendingFile(const QString& target, const QString& tempSuffix) : target_(target)
{
    const QFileInfo info(target);
    removeStaleTemporaries(info.absolutePath());
    // A hidden name in the same folder, so that the final rename never crosses file systems.
    QTemporaryFile reserve(info.absolutePath() + "/." + info.fileName() + "-XXXXXX" + tempSuffix);
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw FileError(QStringLiteral("无法在文件夹 %1 中写入文件：%2")
                            .arg(info.absolutePath(), folderWriteProblem(info.absolutePath())));
    temp_ = reserve.fileName();
}

PendingFile::~PendingFile()
{
    if (!committed_)
        QFile::remove(temp_);
}

void PendingFile::finish(const QString& target)
{
    QFile written(temp_);
    if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0)
        throw FileError(QStringLiteral("无法写入文件：%1").arg(target));
    written.close();
    // The reserved name is private to its owner; the finished file gets the usual rights, or
    // those of the file it replaces.
    const QFileDevice::Permissions rights =
        QFile::exists(target)
            ? QFile::permissions(target)
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temp_, rights);
}

void PendingFile::commit()
{
    finish(target_);
    // rename() replaces the target atomically; QFile::rename would refuse an existing one.
    if (std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) !=
        0)
        throw FileError(QStringLiteral("无法写入文件：%1").arg(target_));
    committed_ = true;
}

bool PendingFile::commitAsNew(const QString& target)
{
    finish(target);
    if (!renameAsNew(temp_, target))
        return false;
    target_ = target;
    committed_ = true;
    return true;
}

bool renameAsNew(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int rc = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                         RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the no-replace rename: a hard link is never made over a file
        // either.
        rc = ::link(source.constData(), target.constData());
        if (rc == 0)
            ::unlink(source.constData());
    }
    if (rc == 0)
        return true;
    if (errno == EEXIST)
        return false;
    throw FileError(QStringLiteral("无法写入文件：%1").arg(to));
}

}  // namespace vel
