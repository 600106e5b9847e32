#pragma once

#include <QString>

namespace vel::finding_text {

// How the rules write amounts, changes, persons and months into their messages.

// An amount to the fen, without trailing zeros.
QString yuan(double amount);
// The change from `before` to `after` in whole percent of `before`; "—" from nothing.
QString percent(double before, double after);
// "多" when `after` is above `before`, else "少".
QString direction(double before, double after);
// "张三（1001）".
QString person(const QString& name, const QString& number);
// "5月", or "5-9月" for a stretch of months.
QString months(int first, int last);
// "1600元", or "1520–1680元" when the amounts of a stretch differ.
QString amounts(double least, double most);

}  // namespace vel::finding_text
