#include "WageRules.h"

#include "checks/CheckLimits.h"
#include "checks/FindingText.h"
#include "checks/PersonYears.h"
#include "staff/RosterDiff.h"

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

namespace L = check_limits;
using namespace finding_text;

using MonthSet = std::array<bool, 13>;

// How a person's month stands against their typical month (without the months left out): 1 above,
// -1 below by W02's limits, 0 within them or not compared (no full month, too little to be pay,
// nothing to compare with).
int moved(const PersonYear& p, int m, const MonthSet& leftOut = {})
{
    const PersonMonth& pm = p.months[static_cast<size_t>(m)];
    if (!pm.full() || *pm.total < L::LeastMonthWageYuan)
        return 0;
    const std::optional<double> usual = p.typical(m, leftOut);
    if (!usual || !L::changedBy(*usual, *pm.total, L::PersonWageChangePercent, L::PersonWageChangeYuan))
        return 0;
    return *pm.total > *usual ? 1 : -1;
}

// How many persons of each month were compared, and how many of them moved up and down.
struct MonthMove {
    int compared = 0;
    int up = 0;
    int down = 0;

    int moving(int way) const { return way > 0 ? up : down; }
    // Whether the unit's pay moved that way this month: many persons at once.
    bool whole(int way) const
    {
        const int n = moving(way);
        return n >= L::MonthMovePersons && n * 100 >= compared * L::MonthMovePercent;
    }
};

std::array<MonthMove, 13> monthMoves(const std::vector<PersonYear>& persons)
{
    std::array<MonthMove, 13> moves{};
    for (const PersonYear& p : persons)
        for (int m = 1; m <= 12; ++m) {
            const PersonMonth& pm = p.months[static_cast<size_t>(m)];
            if (!pm.full() || *pm.total < L::LeastMonthWageYuan || !p.typical(m))
                continue;
            MonthMove& move = moves[static_cast<size_t>(m)];
            ++move.compared;
            const int way = moved(p, m);
            move.up += way > 0;
            move.down += way < 0;
        }
    return moves;
}

// The months the unit's pay moved as a whole: a person's typical month leaves them out, so that a
// newcomer with two bonus months among their few is not measured against bonuses.
MonthSet wholeUnitMonths(const std::array<MonthMove, 13>& moves)
{
    MonthSet months{};
    for (int m = 1; m <= 12; ++m)
        months[static_cast<size_t>(m)] = moves[static_cast<size_t>(m)].whole(1) ||
                                         moves[static_cast<size_t>(m)].whole(-1);
    return months;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// The month's average wage against the median of the other months' averages; none with fewer
// than two months of wages.
std::optional<double> usualAverage(const YearRecords& year, int month)
{
    std::vector<double> others;
    for (int m = 1; m <= 12; ++m)
        if (m != month)
            if (const std::optional<double> a = year.months[static_cast<size_t>(m)].averageWage())
                others.push_back(*a);
    return others.empty() ? std::nullopt : std::optional<double>(median(others));
}

// A person's months that one finding covers: consecutive months of the same kind.
struct Stretch {
    int kind = 0;
    int first = 0;
    int last = 0;
    double least = 0;
    double most = 0;
};

// Joins the person's marked months (kind 0: none) into stretches.
std::vector<Stretch> stretches(const PersonYear& p, const std::array<int, 13>& kinds)
{
    std::vector<Stretch> out;
    for (int m = 1; m <= 12; ++m) {
        const int kind = kinds[static_cast<size_t>(m)];
        if (kind == 0)
            continue;
        const double total = p.months[static_cast<size_t>(m)].total.value_or(0);
        if (!out.empty() && out.back().kind == kind && out.back().last == m - 1) {
            Stretch& s = out.back();
            s.last = m;
            s.least = std::min(s.least, total);
            s.most = std::max(s.most, total);
        } else {
            out.push_back({kind, m, m, total, total});
        }
    }
    return out;
}

FindingPlace placeOf(const PersonYear& p, const Stretch& s)
{
    FindingPlace place = FindingPlace::ofPerson(s.first, p.number);
    place.through = s.last;
    return place;
}

enum SlipKind { NoSlip, EmptyParts, TooLittle, Above, Below };

}  // namespace

void findPersonWageSlips(CheckInput& in, Findings& out)
{
    const YearRecords& year = in.records();
    const std::vector<PersonYear>& persons = in.persons();
    const std::array<MonthMove, 13> moves = monthMoves(persons);
    const MonthSet wholeUnit = wholeUnitMonths(moves);
    for (const PersonYear& p : persons) {
        std::array<int, 13> kinds{};
        for (int m = 1; m <= 12; ++m) {
            const PersonMonth& pm = p.months[static_cast<size_t>(m)];
            // A wage row off the roster is an error of its own; a part month is paid in part.
            if (!pm.total || !pm.onRoster)
                continue;
            int& kind = kinds[static_cast<size_t>(m)];
            if (pm.partsEmpty)
                kind = EmptyParts;
            else if (pm.partMonth)
                continue;
            else if (*pm.total < L::LeastMonthWageYuan)
                kind = TooLittle;
            else if (pm.belowMinimum)
                continue;  // W05 names it
            else if (const int way = moved(p, m, wholeUnit)) {
                const double average = year.months[static_cast<size_t>(m)].averageWage().value_or(0);
                const bool slip = *pm.total >= *p.typical(m, wholeUnit) * L::SlipTimesTypical &&
                                  *pm.total >= average * L::SlipTimesAverage;
                if (!moves[static_cast<size_t>(m)].whole(way) || slip)
                    kind = way > 0 ? Above : Below;
            }
        }
        for (const Stretch& s : stretches(p, kinds)) {
            const QString who = months(s.first, s.last) + person(p.name, p.number);
            QString text;
            if (s.kind == EmptyParts) {
                text = QStringLiteral("%1的四项工资都是空的，可能漏录了").arg(who);
            } else if (s.kind == TooLittle) {
                text = QStringLiteral("%1工资合计%2，不足%3元")
                           .arg(who, amounts(s.least, s.most), QString::number(L::LeastMonthWageYuan));
            } else {
                const double usual = *p.typical(s.first, wholeUnit);
                const double shown = s.kind == Above ? s.most : s.least;
                text = QStringLiteral("%1工资合计%2，此人平常月份为%3元，%4%5元（%6）")
                           .arg(who, amounts(s.least, s.most), yuan(usual), direction(usual, shown),
                                yuan(std::fabs(shown - usual)), percent(usual, shown));
            }
            Finding f{"W02", placeOf(p, s), text};
            f.ownFigures = QStringLiteral("%1 %2 %3").arg(s.kind).arg(yuan(s.least), yuan(s.most));
            out.push_back(std::move(f));
        }
    }
}

void findAverageWageJumps(CheckInput& in, Findings& out)
{
    const YearRecords& year = in.records();
    const std::array<MonthMove, 13> moves = monthMoves(in.persons());
    for (int m = 1; m <= 12; ++m) {
        const std::optional<double> now = year.months[static_cast<size_t>(m)].averageWage();
        const std::optional<double> usual = usualAverage(year, m);
        if (!now || !usual)
            continue;
        const MonthMove& move = moves[static_cast<size_t>(m)];
        const int way = move.whole(1) && move.up >= move.down ? 1 : move.whole(-1) ? -1 : 0;
        if (way == 0 &&
            !L::changedBy(*usual, *now, L::AverageWageChangePercent, L::AverageWageChangeYuan))
            continue;
        QString text = QStringLiteral("%1平均工资%2元，其他月份一般为%3元，%4%5元（%6）")
                           .arg(rosterMonthName(m), yuan(*now), yuan(*usual), direction(*usual, *now),
                                yuan(std::fabs(*now - *usual)), percent(*usual, *now));
        if (way != 0)
            text += QStringLiteral("；%1人（比较的%2人中的%3%）比各自平常月份%4%5%以上且%6元以上")
                        .arg(move.moving(way))
                        .arg(move.compared)
                        .arg(std::llround(move.moving(way) * 100.0 / move.compared))
                        .arg(way > 0 ? QStringLiteral("多") : QStringLiteral("少"))
                        .arg(L::PersonWageChangePercent)
                        .arg(L::PersonWageChangeYuan);
        Finding f{"W03", FindingPlace::ofMonth(m), text};
        const MonthRecords& records = year.months[static_cast<size_t>(m)];
        f.ownFigures = QStringLiteral("%1 %2").arg(records.wages.size()).arg(yuan(records.wageTotal));
        out.push_back(std::move(f));
    }
}

void findBelowMinimumWage(CheckInput& in, Findings& out)
{
    const std::optional<double> least = in.figures().minWage;
    if (!least || *least <= 0)
        return;
    for (const PersonYear& p : in.persons()) {
        std::array<int, 13> kinds{};
        for (int m = 1; m <= 12; ++m)
            kinds[static_cast<size_t>(m)] = p.months[static_cast<size_t>(m)].belowMinimum;
        for (const Stretch& s : stretches(p, kinds))
            out.push_back({"W05", placeOf(p, s),
                           QStringLiteral("%1%2是全日制在岗职工，工资合计%3，低于当地月最低工资标准%4元")
                               .arg(months(s.first, s.last), person(p.name, p.number),
                                    amounts(s.least, s.most), yuan(*least))});
    }
}

}  // namespace vel
