#pragma once

namespace vel::check_limits {

// The limits of the data check's rules. Where a rule takes a share and an amount, both must be
// reached, so that a small unit is not flooded by changes of one or two persons.

// E05: a month's roster at or below this share of the month before's is cut short.
constexpr int CutRosterPercent = 50;

// W01: a month's head count against the month before.
constexpr int HeadChangePercent = 10;
constexpr int HeadChangePersons = 5;

// W02: a person's month total against their typical month (the median of their other full
// months), and the least total that is no slip.
constexpr int PersonWageChangePercent = 50;
constexpr int PersonWageChangeYuan = 2000;
constexpr int LeastMonthWageYuan = 100;
// A typical month needs this many other full months: two, one of them a bonus month, say nothing.
constexpr int TypicalMonthsLeast = 3;
// In a month when the whole unit's pay moves (W03), a person moving the same way is named only
// when the total is this many times both their typical month and the month's average: a wage
// typed with a zero or two too many, not a bonus.
constexpr int SlipTimesTypical = 5;
constexpr int SlipTimesAverage = 3;

// W03: the month's average wage against the unit's typical month (the median of the other
// months' averages); or this share of the persons compared, and at least this many, moving the
// same way by W02's limits.
constexpr int AverageWageChangePercent = 30;
constexpr int AverageWageChangeYuan = 500;
constexpr int MonthMovePercent = 20;
constexpr int MonthMovePersons = 5;

// W07: a month whose wage totals equal another month's for at least this share of the persons
// paid in both, and at least this many, in a unit where two months in a row usually share fewer
// than UsualSameWagePercent (a unit paying the same every month would always match).
constexpr int SameWagePercent = 80;
constexpr int SameWagePersons = 5;
constexpr int UsualSameWagePercent = 50;

// W06: the year against last year.
constexpr int YearHeadChangePercent = 20;
constexpr int YearHeadChangePersons = 10;
constexpr int YearAverageChangePercent = 30;
constexpr int YearAverageChangeYuan = 3000;

// E03: I102-1 takes the year's wages as whole yuan before it turns them into thousands; the
// summary turns the exact sum into thousands. The two roundings may part by one thousand yuan.
constexpr int SummaryWageToleranceThousands = 1;

// Whether `after` differs from `before` by at least `percent` % of `before` and at least `least`.
constexpr bool changedBy(double before, double after, int percent, double least)
{
    const double change = after > before ? after - before : before - after;
    const double base = before < 0 ? -before : before;
    return change >= least && change * 100 >= percent * base;
}

}  // namespace vel::check_limits
