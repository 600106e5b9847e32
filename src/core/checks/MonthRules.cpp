#include "MonthRules.h"

#include "Session.h"
#include "checks/CheckLimits.h"
#include "checks/FindingText.h"
#include "staff/BirthMonth.h"
#include "staff/RosterDiff.h"

#include <QHash>
#include <QSet>

#include <cmath>

namespace vel {
namespace {

namespace L = check_limits;
using namespace finding_text;

// The month before, counted in the rules: the opening roster before January.
constexpr int FirstMonth = 1;

}  // namespace

void findCutRosters(CheckInput& in, Findings& out)
{
    // An empty month is missing (E10), not cut short.
    for (int m = FirstMonth; m <= 12; ++m) {
        const size_t now = in.month(m).roster.size();
        const size_t before = in.month(m - 1).roster.size();
        if (now == 0 || now * 100 > before * L::CutRosterPercent)
            continue;
        out.push_back({"E05", FindingPlace::ofMonth(m),
                       QStringLiteral("%1名册只有%2人，不超过%3%4人的一半")
                           .arg(rosterMonthName(m))
                           .arg(now)
                           .arg(rosterMonthName(m - 1))
                           .arg(before)});
    }
}

void findHeadCountJumps(CheckInput& in, Findings& out)
{
    for (int m = FirstMonth; m <= 12; ++m) {
        const double now = static_cast<double>(in.month(m).roster.size());
        const double before = static_cast<double>(in.month(m - 1).roster.size());
        // A roster cut short is the error E05 already.
        if (now == 0 || before == 0 || now * 100 <= before * L::CutRosterPercent)
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

void findDoubleEntries(CheckInput& in, Findings& out)
{
    QSet<QString> pairsSeen;
    QHash<QString, QString> lastName;  // name number -> the name it was last seen with
    for (int m = 0; m <= 12; ++m) {
        // Name and birth month -> the first name number seen with them this month.
        QHash<QString, QString> byPerson;
        for (const RosterPerson& p : in.month(m).roster) {
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

}  // namespace vel
