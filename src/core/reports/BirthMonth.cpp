#include "BirthMonth.h"

#include <QRegularExpression>

namespace vel {

std::optional<int> birthMonthNumber(const QString& sBirth)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{1,2})$"));
    const QRegularExpressionMatch m = form.match(sBirth.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int month = m.captured(2).toInt();
    if (month > 12)
        return std::nullopt;
    return birthMonthNumber(m.captured(1).toInt(), month);
}

}  // namespace vel
