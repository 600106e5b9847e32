#include "BirthMonth.h"

namespace vel {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<int> numberOf(const std::optional<BirthMonth>& birth)
{
    if (!birth)
        return std::nullopt;
    return birthMonthNumber(birth->year, birth->month);
}

}  // namespace

std::optional<BirthMonth> readBirthMonth(std::string_view t)
{
    // Read byte by byte: a report reads tens of thousands of births.
    if (t.size() < 6 || t[4] != '-')
        return std::nullopt;
    BirthMonth birth;
    for (size_t i = 0; i < 4; ++i) {
        if (!isDigit(t[i]))
            return std::nullopt;
        birth.year = birth.year * 10 + (t[i] - '0');
    }
    for (size_t i = 5; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return std::nullopt;
        birth.month = birth.month * 10 + (t[i] - '0');
        if (birth.month > 12)
            return std::nullopt;
    }
    return birth;
}

std::optional<BirthMonth> readBirthMonth(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return readBirthMonth(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString storedBirthText(const BirthMonth& birth)
{
    return QStringLiteral("%1-%2").arg(birth.year, 4, 10, QChar(u'0')).arg(birth.month, 2, 10,
                                                                           QChar(u'0'));
}

std::optional<int> birthMonthNumber(std::string_view sBirth)
{
    return numberOf(readBirthMonth(sBirth));
}

std::optional<int> birthMonthNumber(const QString& sBirth)
{
    return numberOf(readBirthMonth(sBirth));
}

}  // namespace vel
