#pragma once

#include <QString>
#include <QStringList>

namespace vel {

// The forms' messages after a file was written, from its path.
// "文件所在路径:'{folder}/';" and "文件名为:{file}" on two lines.
QString writtenFileMessage(const QString& path);
// "你导出到'{folder}/'里,文件名为:{file}".
QString exportedToMessage(const QString& path);
// "你保存在'{folder}/'里,文件名为:{file}", of the first path.
QString savedFileMessage(const QStringList& paths);
// "你保存在'{folder}/'里," and what `names` says of the files.
QString savedMessage(const QString& folder, const QString& names);

}  // namespace vel
