#include "MonthRules.h"

#include "Session.h"
#include "checks/CheckLimits.h"
#include "monthly/WageSheet.h"
#include "reports/BirthMonth.h"
#include "staff/RosterDiff.h"
#include "unit/UnitFigures.h"

#include <QHash>
#include <QSet>

#include <cmath>

namespace vel {
namespace {

namespace L = check_limits;

const MonthRecords& month(CheckInput& in, int m)
{
    return in.records().months[static_cast<size_t>(m)];
}

QString yuan(double amount)
{
    return decimalText(std::round(amount * 100) / 100);
}

// The change from `before` to `after` in percent of `before`, whole.
QString percent(double before, double after)
{
    return before == 0 ? QStringLiteral("—")
                       : QString::number(std::llround(std::fabs(after - before) * 100 / before)) + '%';
}

QString direction(double before, double after)
{
    return after > before ? QStringLiteral("多") : QStringLiteral("少");
}

QString person(const QString& name, const QString& number)
{
    return QStringLiteral("%1（%2）").arg(name, number);
}

// The month before, counted in the rules: the opening roster before January.
constexpr int FirstMonth = 1;

}  // namespace

void findCutRosters(CheckInput& in, Findings& out)
{
    // A month after the last roster is not entered yet; one before it that is empty is a gap.
    const int last = in.records().lastRosterMonth();
    for (int m = FirstMonth; m <= last; ++m) {
        const size_t now = month(in, m).roster.size();
        const size_t before = month(in, m - 1).roster.size();
        if (now * 100 >= before * L::CutRosterPercent)
            continue;
        out.push_back({"E05", FindingPlace::ofMonth(m),
                       QStringLiteral("%1名册只有%2人，不到%3%4人的一半")
                           .arg(rosterMonthName(m))
                           .arg(now)
                           .arg(rosterMonthName(m - 1))
                           .arg(before)});
    }
}

void findHeadCountJumps(CheckInput& in, Findings& out)
{
    for (int m = FirstMonth; m <= 12; ++m) {
        const double now = static_cast<double>(month(in, m).roster.size());
        const double before = static_cast<double>(month(in, m - 1).roster.size());
        // A roster cut short is the error E05 already.
        if (now == 0 || before == 0 || now * 100 < before * L::CutRosterPercent)
            continue;
        if (!L::changedBy(before, now, L::HeadChangePercent, L::HeadChangePersons))
            continue;
        out.push_back({"W01", FindingPlace::ofMonth(m),
                       QStringLiteral("%1人数%2人，比%3的%4人%5%6人（%7）")
                           .arg(rosterMonthName(m), yuan(now), rosterMonthName(m - 1), yuan(before),
                                direction(before, now), yuan(std::fabs(now - before)),
                                percent(before, now))});
    }
}

void findPersonWageSlips(CheckInput& in, Findings& out)
{
    for (int m = FirstMonth; m <= 12; ++m) {
        QHash<QString, double> previous;
        for (const WageRow& w : month(in, m - 1).wages)
            previous.insert(w.number, w.total);
        for (const WageRow& w : month(in, m).wages) {
            const FindingPlace place = FindingPlace::ofPerson(m, w.number);
            const QString who = QStringLiteral("%1%2").arg(rosterMonthName(m), person(w.name, w.number));
            if (w.partsEmpty) {
                out.push_back({"W02", place, QStringLiteral("%1的四项工资都是空的，可能漏录了").arg(who)});
                continue;
            }
            if (w.total < L::LeastMonthWageYuan) {
                out.push_back({"W02", place,
                               QStringLiteral("%1工资合计%2元，不足%3元")
                                   .arg(who, yuan(w.total), QString::number(L::LeastMonthWageYuan))});
                continue;
            }
            const auto before = previous.constFind(w.number);
            if (before == previous.cend() ||
                !L::changedBy(*before, w.total, L::PersonWageChangePercent, L::PersonWageChangeYuan))
                continue;
            out.push_back({"W02", place,
                           QStringLiteral("%1工资合计%2元，%3为%4元，%5%6元（%7）")
                               .arg(who, yuan(w.total), rosterMonthName(m - 1), yuan(*before),
                                    direction(*before, w.total), yuan(std::fabs(w.total - *before)),
                                    percent(*before, w.total))});
        }
    }
}

void findAverageWageJumps(CheckInput& in, Findings& out)
{
    for (int m = FirstMonth + 1; m <= 12; ++m) {
        const std::optional<double> now = month(in, m).averageWage();
        const std::optional<double> before = month(in, m - 1).averageWage();
        if (!now || !before ||
            !L::changedBy(*before, *now, L::AverageWageChangePercent, L::AverageWageChangeYuan))
            continue;
        out.push_back({"W03", FindingPlace::ofMonth(m),
                       QStringLiteral("%1平均工资%2元，%3为%4元，%5%6元（%7）")
                           .arg(rosterMonthName(m), yuan(*now), rosterMonthName(m - 1),
                                yuan(*before), direction(*before, *now),
                                yuan(std::fabs(*now - *before)), percent(*before, *now))});
    }
}

void findDoubleEntries(CheckInput& in, Findings& out)
{
    QSet<QString> pairsSeen;
    QHash<QString, QString> lastName;  // name number -> the name it was last seen with
    for (int m = 0; m <= 12; ++m) {
        // Name and birth month -> the first name number seen with them this month.
        QHash<QString, QString> byPerson;
        for (const RosterPerson& p : month(in, m).roster) {
            const auto seen = lastName.find(p.number);
            if (seen != lastName.end() && !p.name.isEmpty() && *seen != p.name) {
                out.push_back({"W04", FindingPlace::ofPerson(m, p.number),
                               QStringLiteral("姓名编号%1此前叫“%2”，%3叫“%4”")
                                   .arg(p.number, *seen, rosterMonthName(m), p.name)});
            }
            if (!p.name.isEmpty())
                lastName.insert(p.number, p.name);

            if (p.name.isEmpty() || p.birth.isEmpty())
                continue;
            const std::optional<int> birth = birthMonthNumber(p.birth);
            const QString key = p.name + '\n' + (birth ? QString::number(*birth) : p.birth);
            const auto first = byPerson.constFind(key);
            if (first == byPerson.cend()) {
                byPerson.insert(key, p.number);
                continue;
            }
            if (*first == p.number || pairsSeen.contains(key + '\n' + *first + '\n' + p.number))
                continue;
            // Reported in the month it first shows; an explanation there covers the year.
            pairsSeen.insert(key + '\n' + *first + '\n' + p.number);
            out.push_back({"W04", FindingPlace::ofPerson(m, p.number),
                           QStringLiteral("%1姓名编号%2和%3同名同出生年月（%4，%5），可能录入了两次")
                               .arg(rosterMonthName(m), *first, p.number, p.name, p.birth)});
        }
    }
}

void findBelowMinimumWage(CheckInput& in, Findings& out)
{
    const std::optional<double> least = loadUnitFigures(in.session.db()).minWage;
    if (!least || *least <= 0)
        return;
    constexpr long long OnPost = 1;
    constexpr long long FullTime = 1;
    for (int m = FirstMonth; m <= 12; ++m) {
        QSet<QString> fullTimeOnPost;
        for (const RosterPerson& p : month(in, m).roster)
            if (p.ssf == OnPost && p.sqrz == FullTime)
                fullTimeOnPost.insert(p.number);
        for (const WageRow& w : month(in, m).wages) {
            if (w.total >= *least || !fullTimeOnPost.contains(w.number))
                continue;
            out.push_back({"W05", FindingPlace::ofPerson(m, w.number),
                           QStringLiteral("%1%2是全日制在岗职工，工资合计%3元，低于当地月最低工资标准%4元")
                               .arg(rosterMonthName(m), person(w.name, w.number), yuan(w.total),
                                    yuan(*least))});
        }
    }
}

}  // namespace vel
