#include "FindingText.h"

#include "monthly/WageSheet.h"
#include "staff/RosterDiff.h"

#include <cmath>

namespace vel::finding_text {

QString yuan(double amount)
{
    return decimalText(std::round(amount * 100) / 100);
}

QString percent(double before, double after)
{
    return before == 0 ? QStringLiteral("—")
                       : QString::number(std::llround(std::fabs(after - before) * 100 / before)) + '%';
}

QString direction(double before, double after)
{
    return after > before ? QStringLiteral("多") : QStringLiteral("少");
}

QString person(const QString& name, const QString& number)
{
    return QStringLiteral("%1（%2）").arg(name, number);
}

QString months(int first, int last)
{
    return first == last ? rosterMonthName(first) : QStringLiteral("%1-%2月").arg(first).arg(last);
}

QString amounts(double least, double most)
{
    return yuan(least) == yuan(most) ? yuan(least) + QStringLiteral("元")
                                     : QStringLiteral("%1–%2元").arg(yuan(least), yuan(most));
}

}  // namespace vel::finding_text
