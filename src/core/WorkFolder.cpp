#include "WorkFolder.h"

#include "Errors.h"
#include "io/DelimitedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace vel {
namespace {
// What a Linux file system takes as one name.
constexpr int MaxFileNameBytes = 255;
const QString DatabaseFolder = QStringLiteral("Database");
const QString DatabaseFile = QStringLiteral("RCdatabase.db");
}  // namespace

WorkFolder::WorkFolder(QString root) : root_(QDir::cleanPath(QDir(root).absolutePath())) {}

QString WorkFolder::resolve(const QString& commandLineDir)
{
    if (!commandLineDir.isEmpty())
        return commandLineDir;
    const QString fromEnv = qEnvironmentVariable("VELDRASSA_DATA_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + "/.local/share";
    return dataHome + "/veldrassa";
}

QString WorkFolder::databaseFile() const
{
    return root_ + "/" + DatabaseFolder + "/" + DatabaseFile;
}

QString WorkFolder::databasePath() const
{
    folder(DatabaseFolder);
    return databaseFile();
}

QString WorkFolder::filePath(const QString& name, const QString& fileName) const
{
    const bool plain = !fileName.isEmpty() && fileName != u"." && fileName != u".." &&
                       !fileName.contains(u'/') && !fileName.contains(u'\\') &&
                       controlCharAt(fileName) < 0 &&
                       QFile::encodeName(fileName).size() <= MaxFileNameBytes;
    if (!plain)
        throw FileError(QStringLiteral("文件名“%1”不是一个合法的文件名，不能写入文件夹 %2。")
                            .arg(fileName, root_ + "/" + name));
    const QString dir = folder(name);
    const QString path = dir + "/" + fileName;
    if (QFileInfo(QDir::cleanPath(path)).absolutePath() != QDir(dir).absolutePath())
        throw FileError(QStringLiteral("文件 %1 不在文件夹 %2 中，不能写入。").arg(path, dir));
    return path;
}

void WorkFolder::createSubfolders() const
{
    for (const char* name : {"Database", "BAK", "ERROR", "XLS", "RCSB", "GZSB"})
        folder(QString::fromLatin1(name));
}

bool WorkFolder::writable() const
{
    const auto mayWrite = [](const QString& path) {
        return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
    };
    const QString database = root_ + "/" + DatabaseFolder;
    return mayWrite(root_) && (!QFileInfo::exists(database) || mayWrite(database)) &&
           (!hasDatabase() || mayWrite(databaseFile()));
}

bool WorkFolder::hasDatabase() const
{
    return QFileInfo(databaseFile()).isFile();
}

void WorkFolder::requireDatabase() const
{
    if (!hasDatabase())
        throw Error(QStringLiteral("文件夹 %1 中没有数据库（Database/RCdatabase.db）。"
                                   "请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。")
                        .arg(root_));
}

QString WorkFolder::folder(const QString& name) const
{
    const QString path = root_ + "/" + name;
    if (!QDir().mkpath(path))
        throw FileError(QStringLiteral("无法创建文件夹：%1").arg(path));
    return path;
}

}  // namespace vel
