#include "WorkFolder.h"

#include "Errors.h"

#include <QDir>
#include <QStandardPaths>

namespace vel {

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
    return root_ + "/Database/RCdatabase.db";
}

QString WorkFolder::databasePath() const
{
    folder("Database");
    return databaseFile();
}

QString WorkFolder::folder(const QString& name) const
{
    const QString path = root_ + "/" + name;
    if (!QDir().mkpath(path))
        throw FileError(QStringLiteral("无法创建文件夹：%1").arg(path));
    return path;
}

}  // namespace vel
