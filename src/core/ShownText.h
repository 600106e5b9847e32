#pragma once

#include <QString>

class QDate;
class QDateTime;

namespace vel {

// The messages break their lines as the old message boxes did, with "\n\r" or a lone "\r";
// shown in a box or printed, each such break is one "\n".
QString plainLineBreaks(QString message);

// A date shown or stored as text: yyyy-MM-dd, whatever the system's locale.
QString dateText(const QDate& date);
// A moment shown as text: yyyy-MM-dd HH:mm.
QString dateTimeText(const QDateTime& moment);

}  // namespace vel
