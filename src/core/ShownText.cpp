#include "ShownText.h"

#include <QDate>
#include <QDateTime>

namespace vel {

QString plainLineBreaks(QString message)
{
    message.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.replace(u'\r', u'\n');
    return message;
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString dateTimeText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}  // namespace vel
