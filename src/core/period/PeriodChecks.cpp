#include "PeriodChecks.h"

#include "Session.h"
#include "db/Db.h"

#include <functional>

namespace vel {
namespace {

// The months a grouped query returns, each turned into its list item.
QString monthList(Db& db, const std::string& sql, const SqlParams& params,
                  const std::function<QString(long long)>& item)
{
    QString list;
    Query q(db, sql, params);
    while (q.next())
        list += item(q.integer("sMon"));
    return list;
}

long long m64(int month)
{
    return month;
}

}  // namespace

CheckOutcome CheckOutcome::refused(const QString& message, MessageKind shownAs)
{
    CheckOutcome out{false, {message}};
    out.shownAs = shownAs;
    return out;
}

bool MonthRosterVerified(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ?", {m64(month)});
}

QString rosterQuestion(int month)
{
    return QStringLiteral("必须先核实%1月名单！").arg(month);
}

CheckOutcome PrevMonthAudited(Db& db, UnitAttributes& unit, int previousMonth)
{
    const std::optional<UnitRegistration> r = loadRegistration(db);
    if (r && r->createMon == QString::number(previousMonth)) {
        unit.LastWageMon = QString::number(previousMonth + 1);
        return {};
    }
    CheckOutcome out;
    if (db.exists("SELECT 1 FROM Wage_Info WHERE sMon = ? AND (sFlag = '0' OR wFlag = '0')",
                  {m64(previousMonth)})) {
        out.passed = false;
        out.messages << QStringLiteral("必须先核实%1月[工资]数据，否则无法进行本月操作！")
                            .arg(previousMonth);
    }
    if (db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ? AND sIsok = '0'",
                  {m64(previousMonth)})) {
        out.passed = false;
        out.messages << QStringLiteral("必须先核实%1月[人员]数据，否则无法进行本月操作！")
                            .arg(previousMonth);
    }
    return out;
}

CheckOutcome NoErrorsUpTo(Db& db, int month)
{
    const QString staff = monthList(
        db, "SELECT sMon FROM Staff_moninfo WHERE sMon <= ? AND sIsok = '0' GROUP BY sMon"
            " ORDER BY sMon",
        {m64(month)}, [](long long m) {
            return m == 0 ? QStringLiteral("期初中,") : QStringLiteral("%1月份,").arg(m);
        });
    if (!staff.isEmpty())
        return {false, {staff + QStringLiteral("有人员数据错误，请纠正。")}};
    const QString wages = monthList(
        db, "SELECT sMon FROM Wage_Info WHERE sMon <= ? AND (sFlag = '0' OR wFlag = '0')"
            " GROUP BY sMon ORDER BY sMon",
        {m64(month)}, [](long long m) { return QStringLiteral("%1月份,").arg(m); });
    if (!wages.isEmpty())
        return {false, {wages + QStringLiteral("有工资数据错误，请纠正。")}};
    return {db.exists("SELECT 1 FROM VmonWage WHERE sMon = ?", {m64(month)}), {}};
}

bool MonthHasData(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ? AND sIsok = '1'", {m64(month)}) ||
           db.exists("SELECT 1 FROM Wage_Info WHERE sMon = ? AND wFlag = '0'", {m64(month)}) ||
           db.exists("SELECT 1 FROM VmonWage WHERE sMon = ?", {m64(month)});
}

CheckOutcome StaffErrorsList(Db& db)
{
    const QString list = monthList(
        db, "SELECT sMon FROM Staff_moninfo WHERE sIsok = '0' GROUP BY sMon ORDER BY sMon", {},
        [](long long m) {
            return m == 0 ? QStringLiteral("年初,") : QStringLiteral("%1月度,").arg(m);
        });
    if (list.isEmpty())
        return {};
    return {false, {list + QStringLiteral("人员有错误信息，请核对。")}};
}

CheckOutcome WageErrorsUpTo(Db& db, int month)
{
    QStringList months;
    Query q(db,
            "SELECT sMon FROM Wage_Info WHERE sMon <= ? AND (sFlag = '0' OR wFlag = '0')"
            " GROUP BY sMon ORDER BY sMon",
            {m64(month)});
    while (q.next())
        months << QString::number(q.integer("sMon"));
    if (months.isEmpty())
        return {};
    return {false, {QStringLiteral("[%1]月有工资错误信息，请核查!").arg(months.join(','))}};
}

}  // namespace vel
