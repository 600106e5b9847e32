#include "FileMessages.h"

#include <QFileInfo>

namespace vel {

QString writtenFileMessage(const QString& path)
{
    const QFileInfo file(path);
    return QStringLiteral("文件所在路径:'%1/';\n\r文件名为:%2").arg(file.path(), file.fileName());
}

QString exportedToMessage(const QString& path)
{
    const QFileInfo file(path);
    return QStringLiteral("你导出到'%1/'里,文件名为:%2").arg(file.path(), file.fileName());
}

QString savedFileMessage(const QStringList& paths)
{
    const QFileInfo file(paths.first());
    return QStringLiteral("你保存在'%1/'里,文件名为:%2").arg(file.path(), file.fileName());
}

QString savedMessage(const QString& folder, const QString& names)
{
    return QStringLiteral("你保存在'%1/'里,%2").arg(folder, names);
}

}  // namespace vel
