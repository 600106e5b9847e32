#include "RecordRules.h"

#include "Session.h"
#include "checks/CheckLimits.h"
#include "checks/FindingText.h"
#include "checks/PersonYears.h"
#include "staff/RosterDiff.h"
#include "unit/UnitRegistration.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

namespace L = check_limits;
using namespace finding_text;

// The first persons of a list and how many there are in all.
constexpr int PersonsNamed = 10;

QString named(const QStringList& persons)
{
    QString text = persons.mid(0, PersonsNamed).join(QStringLiteral("、"));
    if (persons.size() > PersonsNamed)
        text += QStringLiteral("等%1人").arg(persons.size());
    return text;
}

// The rows of a month that failed their checks, as one finding naming them.
template <class Row>
void failedRows(const std::vector<Row>& rows, int m, const char* code, const QString& what,
                Findings& out)
{
    QStringList failed;
    for (const Row& r : rows)
        if (r.failed)
            failed << person(r.name, r.number);
    if (!failed.isEmpty())
        out.push_back({code, FindingPlace::ofMonth(m),
                       QStringLiteral("%1%2有%3行没有通过审核，报表不能生成：%4")
                           .arg(rosterMonthName(m), what)
                           .arg(failed.size())
                           .arg(named(failed))});
}

// The unit's first month: its founding month, else January.
int firstMonth(const Session& session)
{
    bool founded = false;
    const int offset = session.unit().CurCreateMon.trimmed().toInt(&founded);
    return founded && offset >= 0 && offset <= 11 ? offset + 1 : 1;
}

}  // namespace

void findRosterWithoutWages(CheckInput& in, Findings& out)
{
    // A month without any wages is not entered yet, or missing (E10).
    for (int m = 1; m <= 12; ++m) {
        const MonthRecords& records = in.month(m);
        if (!records.hasWages())
            continue;
        QSet<QString> paid;
        for (const WageRow& w : records.wages)
            paid.insert(w.number);
        for (const RosterPerson& p : records.roster)
            if (!paid.contains(p.number))
                out.push_back({"E06", FindingPlace::ofPerson(m, p.number),
                               QStringLiteral("%1%2在名册上，工资里没有此人的行（没有工资的月份也要录一行，"
                                              "四项留空）")
                                   .arg(rosterMonthName(m), person(p.name, p.number))});
    }
}

void findWagesOffRoster(CheckInput& in, Findings& out)
{
    for (int m = 1; m <= 12; ++m) {
        const MonthRecords& records = in.month(m);
        if (!records.hasRoster())
            continue;  // E10 names the month
        QSet<QString> onRoster;
        for (const RosterPerson& p : records.roster)
            onRoster.insert(p.number);
        QStringList stray;
        double amount = 0;
        for (const WageRow& w : records.wages)
            if (!onRoster.contains(w.number)) {
                stray << person(w.name, w.number);
                amount += w.total;
            }
        if (!stray.isEmpty())
            out.push_back({"E07", FindingPlace::ofMonth(m),
                           QStringLiteral("%1工资中有%2人不在%1名册上，报表不计他们的工资%3元：%4")
                               .arg(rosterMonthName(m))
                               .arg(stray.size())
                               .arg(yuan(amount), named(stray))});
    }
}

void findFailedRosterRows(CheckInput& in, Findings& out)
{
    for (int m = 0; m <= 12; ++m)
        failedRows(in.month(m).roster, m, "E08", QStringLiteral("名册"), out);
}

void findFailedWageRows(CheckInput& in, Findings& out)
{
    for (int m = 1; m <= 12; ++m)
        failedRows(in.month(m).wages, m, "E09", QStringLiteral("工资"), out);
}

void findMissingMonths(CheckInput& in, Findings& out)
{
    const int last = in.records().lastEnteredMonth();
    for (int m = firstMonth(in.session); m <= last; ++m) {
        const MonthRecords& records = in.month(m);
        if (records.hasRoster())
            continue;
        const QString missing = records.hasWages() ? QStringLiteral("名册") : QStringLiteral("名册和工资");
        out.push_back({"E10", FindingPlace::ofMonth(m),
                       QStringLiteral("%1没有%2，而%3已经录入；报表会漏掉这个月")
                           .arg(rosterMonthName(m), missing, rosterMonthName(last))});
    }
}

void findCopiedWageMonths(CheckInput& in, Findings& out)
{
    const std::vector<PersonYear>& persons = in.persons();
    // For each two months: the persons paid in both, and those paid the same to the fen.
    int paid[13][13] = {};
    int same[13][13] = {};
    for (const PersonYear& p : persons)
        for (int a = 1; a <= 12; ++a) {
            const std::optional<double>& ta = p.months[static_cast<size_t>(a)].total;
            if (!ta || *ta == 0)
                continue;
            for (int b = a + 1; b <= 12; ++b) {
                const std::optional<double>& tb = p.months[static_cast<size_t>(b)].total;
                if (!tb || *tb == 0)
                    continue;
                ++paid[a][b];
                same[a][b] += std::llround(*ta * 100) == std::llround(*tb * 100);
            }
        }
    std::vector<int> neighbours;  // the share paid the same in two months in a row, in percent
    for (int m = 2; m <= 12; ++m)
        if (paid[m - 1][m] > 0)
            neighbours.push_back(same[m - 1][m] * 100 / paid[m - 1][m]);
    if (neighbours.size() < 2)
        return;
    std::sort(neighbours.begin(), neighbours.end());
    if (neighbours[neighbours.size() / 2] >= L::UsualSameWagePercent)
        return;  // this unit pays the same month after month: a match tells nothing
    for (int b = 2; b <= 12; ++b) {
        // The earlier month it matches best.
        int best = 0;
        for (int a = 1; a < b; ++a)
            if (paid[a][b] > 0 && (best == 0 || same[a][b] * paid[best][b] > same[best][b] * paid[a][b]))
                best = a;
        if (best == 0 || same[best][b] < L::SameWagePersons ||
            same[best][b] * 100 < paid[best][b] * L::SameWagePercent)
            continue;
        Finding f{"W07", FindingPlace::ofMonth(b),
                       QStringLiteral("%1工资与%2相同：两月都有工资的%3人中%4人（%5%）工资合计分毫不差，"
                                      "而本单位相邻两月一般只有%6%相同；可能把%2的工资导入到了%1")
                           .arg(rosterMonthName(b), rosterMonthName(best))
                           .arg(paid[best][b])
                           .arg(same[best][b])
                           .arg(std::llround(same[best][b] * 100.0 / paid[best][b]))
                           .arg(neighbours[neighbours.size() / 2])};
        f.ownFigures = QStringLiteral("%1 %2 %3").arg(best).arg(paid[best][b]).arg(same[best][b]);
        out.push_back(std::move(f));
    }
}

}  // namespace vel
