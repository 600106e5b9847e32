#include "FigureRules.h"

#include "reports/StaffCounts.h"

#include <algorithm>

namespace vel {

namespace {

bool isWage(Measure m)
{
    return m == Measure::WageSum || m == Measure::WageSumWithOpening || m == Measure::WageYuan ||
           m == Measure::PeriodWageYuan;
}

// The selection that applies to this unit, with the organ's ranks in place of a rank rule.
Selection selectionFor(const FigureRule& rule, const FigureBasis& basis)
{
    const Selection& s = basis.organ && rule.organ ? *rule.organ : rule.who;
    return s.forLeader(basis.leaderPost);
}

std::vector<std::string> columnsOf(const std::vector<Selection>& selections, bool joinedOnly)
{
    std::vector<std::string> columns;
    for (const Selection& s : selections)
        if (!joinedOnly || s.joinsOthers())
            s.addColumns(columns);
    return columns;
}

}  // namespace

Figures computeFigures(Db& db, const std::vector<FigureRule>& rules, const FigureBasis& basis,
                       const Progress& progress)
{
    const auto report = [&](int p) {
        if (progress)
            progress(p);
    };
    report(0);
    std::vector<Selection> staffSelections;
    std::vector<Selection> wageSelections;
    for (const FigureRule& r : rules)
        (isWage(r.measure) ? wageSelections : staffSelections).push_back(selectionFor(r, basis));

    const int e = basis.endMonth;
    const int s = basis.periodStart;
    const StaffCounts staff(db, e, columnsOf(staffSelections, false),
                            columnsOf(staffSelections, true));
    report(50);
    const std::optional<WageSums> wages =
        wageSelections.empty()
            ? std::nullopt
            : std::optional<WageSums>(std::in_place, db, e, columnsOf(wageSelections, false),
                                      columnsOf(wageSelections, true));
    report(90);
    Figures out;
    for (const FigureRule& r : rules) {
        const Selection who = selectionFor(r, basis);
        long long value = 0;
        switch (r.measure) {
        case Measure::EndCount:
            value = staff.count(who, e, e);
            break;
        case Measure::AverageCount:
            value = averageOverMonths(staff.count(who, s, e), e + 1);
            break;
        case Measure::TruncatedAverage:
            value = staff.count(who, s, e) / (e + 1);
            break;
        case Measure::WageSum:
            value = thousandsOfYuan(wages->micros(r.amount, who, 1, e));
            break;
        case Measure::WageSumWithOpening:
            value = thousandsOfYuan(wages->micros(r.amount, who, 0, e));
            break;
        case Measure::WageYuan:
            value = wholeYuan(wages->micros(r.amount, who, 1, e));
            break;
        case Measure::PeriodWageYuan:
            value = wholeYuan(wages->micros(r.amount, who, s, e));
            break;
        }
        out[r.field] = value;
    }
    report(100);
    return out;
}

long long figure(const Figures& figures, const char* field)
{
    const auto it = figures.find(field);
    return it != figures.end() && it->second ? *it->second : 0;
}

}  // namespace vel
