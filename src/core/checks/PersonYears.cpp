#include "PersonYears.h"

#include "checks/CheckLimits.h"

#include <QHash>

#include <algorithm>

namespace vel {

std::optional<double> PersonYear::typical(int month, const std::array<bool, 13>& leftOut) const
{
    std::vector<double> totals;
    for (int m = 1; m <= 12; ++m)
        if (m != month && !leftOut[static_cast<size_t>(m)] && months[static_cast<size_t>(m)].full() &&
            !months[static_cast<size_t>(m)].belowMinimum)
            totals.push_back(*months[static_cast<size_t>(m)].total);
    if (totals.size() < static_cast<size_t>(check_limits::TypicalMonthsLeast))
        return std::nullopt;
    // The lower median: bonuses only ever add, so of two middle months the plainer is typical.
    const auto middle = totals.begin() + static_cast<long>((totals.size() - 1) / 2);
    std::nth_element(totals.begin(), middle, totals.end());
    return *middle;
}

std::vector<PersonYear> personYears(const YearRecords& year, std::optional<double> minWage)
{
    std::vector<PersonYear> persons;
    QHash<QString, size_t> index;
    const auto personOf = [&](const QString& number, const QString& name) -> PersonYear& {
        const auto found = index.constFind(number);
        if (found != index.cend())
            return persons[*found];
        index.insert(number, persons.size());
        persons.push_back({number, name, {}});
        return persons.back();
    };
    constexpr long long OnPost = 1;
    constexpr long long FullTime = 1;
    for (int m = 0; m <= 12; ++m) {
        const MonthRecords& month = year.months[static_cast<size_t>(m)];
        for (const RosterPerson& r : month.roster) {
            PersonMonth& pm = personOf(r.number, r.name).months[static_cast<size_t>(m)];
            pm.onRoster = true;
            pm.fullTimeOnPost = r.ssf == OnPost && r.sqrz == FullTime;
        }
        if (m == 0)
            continue;
        for (const WageRow& w : month.wages) {
            PersonMonth& pm = personOf(w.number, w.name).months[static_cast<size_t>(m)];
            // Two rows under one number: the month's pay is their sum.
            pm.total = pm.total.value_or(0) + w.total;
            pm.partsEmpty = w.partsEmpty && *pm.total == 0;
        }
    }
    for (PersonYear& p : persons)
        for (int m = 1; m <= 12; ++m) {
            PersonMonth& pm = p.months[static_cast<size_t>(m)];
            if (!pm.onRoster)
                continue;
            const bool joined = year.months[static_cast<size_t>(m - 1)].hasRoster() &&
                                !p.months[static_cast<size_t>(m - 1)].onRoster;
            const bool left = m < 12 && year.months[static_cast<size_t>(m + 1)].hasRoster() &&
                              !p.months[static_cast<size_t>(m + 1)].onRoster;
            pm.partMonth = joined || left;
            pm.belowMinimum = minWage && *minWage > 0 && pm.fullTimeOnPost && pm.full() &&
                              *pm.total < *minWage;
        }
    return persons;
}

}  // namespace vel
