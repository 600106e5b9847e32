#include "PendingFile.h"

#include "Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace vel {

PendingFile::PendingFile(const QString& target, const QString& tempSuffix) : target_(target)
{
    const QFileInfo info(target);
    // A hidden name in the same folder, so that the final rename never crosses file systems.
    QTemporaryFile reserve(info.absolutePath() + "/." + info.fileName() + "-XXXXXX" + tempSuffix);
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw FileError(QStringLiteral("无法在文件夹 %1 中写入文件：%2")
                            .arg(info.absolutePath(), reserve.errorString()));
    temp_ = reserve.fileName();
}

PendingFile::~PendingFile()
{
    if (!committed_)
        QFile::remove(temp_);
}

void PendingFile::commit()
{
    QFile written(temp_);
    if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0)
        throw FileError(QStringLiteral("无法写入文件：%1").arg(target_));
    written.close();
    // The reserved name is private to its owner; the finished file gets the usual rights, or
    // those of the file it replaces.
    const QFileDevice::Permissions rights =
        QFile::exists(target_)
            ? QFile::permissions(target_)
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temp_, rights);
    // rename() replaces the target atomically; QFile::rename would refuse an existing one.
    if (std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) !=
        0)
        throw FileError(QStringLiteral("无法写入文件：%1").arg(target_));
    committed_ = true;
}

}  // namespace vel
