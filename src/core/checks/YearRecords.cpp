#include "YearRecords.h"

#include "db/Db.h"

#include <cmath>

namespace vel {
namespace {

std::optional<long long> code(const SQLite::Column& c)
{
    return c.isNull() ? std::nullopt : std::optional<long long>(c.getInt64());
}

QString text(const SQLite::Column& c)
{
    return QString::fromUtf8(c.getText()).trimmed();
}

}  // namespace

std::optional<double> MonthRecords::averageWage() const
{
    if (wages.empty())
        return std::nullopt;
    return wageTotal / static_cast<double>(wages.size());
}

int YearRecords::lastEnteredMonth() const
{
    for (int m = 12; m >= 1; --m)
        if (months[static_cast<size_t>(m)].hasRoster() || months[static_cast<size_t>(m)].hasWages())
            return m;
    return 0;
}

int YearRecords::lastRosterMonth() const
{
    for (int m = 12; m >= 1; --m)
        if (months[static_cast<size_t>(m)].hasRoster())
            return m;
    return 0;
}

long long YearRecords::formWageMicros(int first, int last) const
{
    long long sum = 0;
    for (int m = first; m <= last; ++m)
        sum += months[static_cast<size_t>(m)].formWageMicros;
    return sum;
}

YearRecords loadYearRecords(Db& db)
{
    YearRecords year;
    // One pass over each table in stored order ("+sMon" keeps the month index out: a walk that
    // looks up every row it finds costs more), each month's rows in the order they were entered.
    // Roster rows per number and month, to count the wages as the forms' join does.
    std::array<QHash<QString, int>, 13> onRoster;
    guarded(db, [&] {
        SQLite::Statement staff(db.handle(),
                                "SELECT sMon, sNumber, sName, sBirth, ssf, sqrz, sIsok = '0'"
                                " FROM Staff_moninfo"
                                " WHERE +sMon BETWEEN 0 AND 12");
        while (staff.executeStep()) {
            MonthRecords& m = year.months[static_cast<size_t>(staff.getColumn(0).getInt())];
            m.roster.push_back({text(staff.getColumn(1)), text(staff.getColumn(2)),
                                text(staff.getColumn(3)), code(staff.getColumn(4)),
                                code(staff.getColumn(5)), staff.getColumn(6).getInt() != 0});
            if (!staff.getColumn(1).isNull())
                ++onRoster[static_cast<size_t>(staff.getColumn(0).getInt())][m.roster.back().number];
        }
        SQLite::Statement wages(db.handle(),
                                "SELECT sMon, sNumber, sName, COALESCE(sTotal, 0), sN1 IS NULL AND"
                                " sN2 IS NULL AND sN3 IS NULL AND sN4 IS NULL, sFlag = '0' OR wFlag = '0'"
                                " FROM Wage_Info"
                                " WHERE +sMon BETWEEN 0 AND 12");
        while (wages.executeStep()) {
            const auto month = static_cast<size_t>(wages.getColumn(0).getInt());
            MonthRecords& m = year.months[month];
            m.wages.push_back({text(wages.getColumn(1)), text(wages.getColumn(2)),
                               wages.getColumn(3).getDouble(), wages.getColumn(4).getInt() != 0,
                               wages.getColumn(5).getInt() != 0});
            m.wageTotal += m.wages.back().total;
            if (!wages.getColumn(1).isNull())
                m.formWageMicros += std::llround(m.wages.back().total * 1e6) *
                                    onRoster[month].value(m.wages.back().number);
        }
        return 0;
    });
    return year;
}

}  // namespace vel
