#include "ReportChecks.h"

#include "db/Db.h"

#include <QStringList>

namespace vel {

// A wage row is matched to its person by number and month alone: a number that two persons of
// the month's roster share would count its wages once for each of them.
QString sharedNumbers(Db& db, int firstMonth, int lastMonth)
{
    QStringList found;
    Query q(db,
            "SELECT sMon, sNumber FROM Staff_moninfo s WHERE sMon BETWEEN ? AND ?"
            " GROUP BY sMon, sNumber HAVING COUNT(*) > 1 AND EXISTS (SELECT 1 FROM Wage_Info w"
            " WHERE w.sMon = s.sMon AND w.sNumber = s.sNumber) ORDER BY sMon, sNumber",
            {static_cast<long long>(firstMonth), static_cast<long long>(lastMonth)});
    while (q.next())
        found << QStringLiteral("%1月[%2]").arg(q.integer("sMon")).arg(q.text("sNumber"));
    if (found.isEmpty())
        return {};
    return QStringLiteral("当月人员名册中姓名编号重复，工资会被重复统计：%1。请核实人员名册。")
        .arg(found.join(QStringLiteral("、")));
}

namespace {

CheckOutcome dataChecked(Db& db, int month, const QString& noData)
{
    if (!MonthHasData(db, month))
        return {false, {noData}};
    CheckOutcome out = NoErrorsUpTo(db, month);
    if (!out.passed && out.messages.isEmpty())
        out.messages
            << QStringLiteral("%1月没有与当月人员名册相符的工资数据，无法统计。").arg(month);
    if (!out.passed)
        return out;
    const QString shared = sharedNumbers(db, 1, month);
    if (!shared.isEmpty())
        return {false, {shared}};
    return out;
}

}  // namespace

CheckOutcome quarterlyReportOpens(Db& db, int quarter)
{
    const int month = quarter * 3;
    return dataChecked(db, month, QStringLiteral("无%1月工资数据，无法统计。").arg(month));
}

CheckOutcome annualReportOpens(Db& db)
{
    return dataChecked(db, 12, QStringLiteral("无12月数据，无法统计。"));
}

}  // namespace vel
