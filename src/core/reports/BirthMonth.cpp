#include "BirthMonth.h"

namespace vel {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> birthMonthNumber(std::string_view t)
{
    // Read byte by byte: a report reads tens of thousands of births.
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (t.size() < 6 || t.size() > 7 || t[4] != '-')
        return std::nullopt;
    int year = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (!isDigit(t[i]))
            return std::nullopt;
        year = year * 10 + (t[i] - '0');
    }
    int month = 0;
    for (size_t i = 5; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return std::nullopt;
        month = month * 10 + (t[i] - '0');
    }
    if (month > 12)
        return std::nullopt;
    return birthMonthNumber(year, month);
}

std::optional<int> birthMonthNumber(const QString& sBirth)
{
    return birthMonthNumber(std::string_view(sBirth.toStdString()));
}

}  // namespace vel
