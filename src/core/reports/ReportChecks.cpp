#include "ReportChecks.h"

#include "db/Db.h"
#include "reports/MonthRange.h"

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
    const CheckOutcome shared = noSharedNumbers(db, 1, month);
    return shared.passed ? out : shared;
}

CheckOutcome staffAudited(Db& db, const char* monthCondition)
{
    const std::string sql =
        std::string("SELECT 1 FROM Staff_moninfo WHERE sIsok = '0' AND ") + monthCondition;
    if (db.exists(sql))
        return {false, {QStringLiteral("你没有<审核>数据及<存储>，无法进行统计汇总。")}};
    return {};
}

}  // namespace

CheckOutcome noSharedNumbers(Db& db, int from, int to)
{
    const QString shared = sharedNumbers(db, from, to);
    if (!shared.isEmpty())
        return {false, {shared}};
    return {};
}

CheckOutcome quarterlyReportOpens(Db& db, int quarter)
{
    const int month = quarter * 3;
    return dataChecked(db, month, QStringLiteral("无%1月工资数据，无法统计。").arg(month));
}

CheckOutcome annualReportOpens(Db& db)
{
    return dataChecked(db, 12, QStringLiteral("无12月数据，无法统计。"));
}

CheckOutcome basicQuarterlyOpens(Db& db, int quarter)
{
    static const char* const names[] = {"一", "二", "三"};
    const int month = quarter * 3;
    if (!MonthRosterVerified(db, month))
        return {false,
                {QStringLiteral("%1季度数据不全，请保证具有1-%2月的工资数据！")
                     .arg(QString::fromUtf8(names[quarter - 1]))
                     .arg(month)}};
    const CheckOutcome errors = WageErrorsUpTo(db, month);
    if (!errors.passed)
        return errors;
    return noSharedNumbers(db, 1, month);
}

CheckOutcome basicAnnualOpens(Db& db)
{
    const CheckOutcome errors = WageErrorsUpTo(db, 12);
    if (!errors.passed)
        return errors;
    return noSharedNumbers(db, 1, 12);
}

CheckOutcome talentSummaryOpens(Db& db)
{
    if (!MonthRosterVerified(db, 12))
        return {false, {QStringLiteral("年度数据不全，请保证有年末12月数据。")}};
    return {};
}

CheckOutcome monthlyStaffAudited(Db& db)
{
    return staffAudited(db, "sMon > 0");
}

CheckOutcome openingStaffAudited(Db& db)
{
    return staffAudited(db, "sMon = 0");
}

}  // namespace vel
