#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace vel {

struct BirthMonth {
    int year = 0;
    int month = 0;  // 0..12
};

// The one reading of a birth month, shared by the audit, the individual entry form and every
// report: four digits, "-", then the month 0..12 in digits, leading zeros allowed ("1976-6",
// "1976-06", "1976-006" are all June). nullopt for anything else, blanks around it included.
std::optional<BirthMonth> readBirthMonth(std::string_view text);
std::optional<BirthMonth> readBirthMonth(const QString& text);

// How a birth month is stored: "1976-06".
QString storedBirthText(const BirthMonth& birth);

constexpr int birthMonthNumber(int year, int month)
{
    return year * 12 + month;
}

// A stored birth as a month number, year × 12 + month, so that age bands compare months, not
// texts: "1976-1" is January 1976, before June. nullopt for a birth readBirthMonth does not read;
// such a person falls in no band.
std::optional<int> birthMonthNumber(std::string_view sBirth);
std::optional<int> birthMonthNumber(const QString& sBirth);

}  // namespace vel
