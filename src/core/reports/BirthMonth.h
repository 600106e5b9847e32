#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace vel {

// A stored birth ("1976-06", also "1976-6") as a month number, year × 12 + month, so that age
// bands compare months, not texts: "1976-1" is January 1976, before June. nullopt for a birth
// that does not read as a four-digit year, "-" and a month 0..12; such a person falls in no band.
std::optional<int> birthMonthNumber(std::string_view sBirth);
std::optional<int> birthMonthNumber(const QString& sBirth);

constexpr int birthMonthNumber(int year, int month)
{
    return year * 12 + month;
}

}  // namespace vel
