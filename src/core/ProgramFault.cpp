#include "ProgramFault.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <typeinfo>

namespace vel {

QString faultLogPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/veldrassa/faults.log");
}

QString programFault(const std::exception& e)
{
    const QString path = faultLogPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile log(path);
    const bool logged = log.open(QIODevice::Append | QIODevice::Text) &&
                        log.write(QStringLiteral("%1 %2: %3\n")
                                      .arg(QDateTime::currentDateTime().toString(
                                               QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                           QString::fromLatin1(typeid(e).name()),
                                           QString::fromLocal8Bit(e.what()))
                                      .toUtf8()) > 0;
    if (!logged)
        return QStringLiteral("程序内部错误，操作已中止，数据没有改动。请记下当时的操作，联系维护人员。");
    return QStringLiteral("程序内部错误，操作已中止，数据没有改动。详细情况已记入 %1，请联系维护人员。")
        .arg(QDir::toNativeSeparators(path));
}

}  // namespace vel
