#include "PendingFile.h"

#include "Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace vel {

namespace {

// Long enough that no export still writes to a file this old.
constexpr int StaleAfterSeconds = 10 * 60;

// Temporary files an export killed half-way left behind: only names of the pattern below, and
// only once they are old.
void removeStaleTemporaries(const QString& folder)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\..+\\.(xlsx|dbf)-[A-Za-z0-9]{6}\\.(xlsx|dbf)$"));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-StaleAfterSeconds);
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries)
        if (pattern.match(entry.fileName()).hasMatch() && entry.lastModified().toUTC() < before)
            QFile::remove(entry.absoluteFilePath());
}

}  // namespace

PendingFile::PendingFile(const QString& target, const QString& tempSuffix) : target_(target)
{
    const QFileInfo info(target);
    removeStaleTemporaries(info.absolutePath());
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
