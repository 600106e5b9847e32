#include "HistorySource.h"

namespace vel {

QString missingColumnsRefusal(const QStringList& missing, const QString& path)
{
    return QStringLiteral("原系统数据库缺少本系统的列（%1），不能导入：%2")
        .arg(missing.join(QStringLiteral("、")), path);
}

}  // namespace vel
