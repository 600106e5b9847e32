#pragma once

namespace vel::check_limits {

// The limits of the data check's rules. Where a rule takes a share and an amount, both must be
// reached, so that a small unit is not flooded by changes of one or two persons.

// E05: a month's roster below this share of the month before's is cut short.
constexpr int CutRosterPercent = 50;

// W01: a month's head count against the month before.
constexpr int HeadChangePercent = 10;
constexpr int HeadChangePersons = 5;

// W02: a person's month total against their previous month, and the least total that is no slip.
constexpr int PersonWageChangePercent = 50;
constexpr int PersonWageChangeYuan = 2000;
constexpr int LeastMonthWageYuan = 100;

// W03: the month's average wage against the month before.
constexpr int AverageWageChangePercent = 30;
constexpr int AverageWageChangeYuan = 500;

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
