#pragma once

#include <QString>

#include <array>
#include <optional>

namespace vel {

class Db;

// Which of the twelve monthly wage entries are open; index 1..12 (0 unused).
using MonthFlags = std::array<bool, 13>;

// "99" (existed all year) or a founding offset "0".."11".
bool isValidCreateMon(const QString& createMon);

// The month sequence: from the unit's first month up to the month after the last month that
// has wages, at most 12. createMon is "99" or "0".."11"; lastWageMonth is nullopt without wages.
MonthFlags openWageMonths(const QString& createMon, std::optional<int> lastWageMonth);

// The month the "工资录入" tool button runs: the top of the unbroken run of open months from the
// unit's first month; nullopt when nothing is to run.
std::optional<int> wageEntryMonth(const QString& createMon, const MonthFlags& open);

// The highest month in Wage_Info; nullopt when it has no row.
std::optional<int> lastWageMonth(Db& db);

// The opening roster (month 0) has at least one row.
bool openingRosterExists(Db& db);

}  // namespace vel
