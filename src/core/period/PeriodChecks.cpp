#include "PeriodChecks.h"

#include "Session.h"
#include "db/Db.h"

#include <functional>

namespace vel {
namespace {

long long m64(int month)
{
    return month;
}

// The months of a grouped month query, in order.
std::vector<int> months(Db& db, const std::string& sql, const SqlParams& params)
{
    std::vector<int> out;
    Query q(db, sql, params);
    while (q.next())
        out.push_back(static_cast<int>(q.integer("sMon")));
    return out;
}

QString listed(const std::vector<int>& months, const std::function<QString(int)>& item)
{
    QString list;
    for (int m : months)
        list += item(m);
    return list;
}

}  // namespace

std::vector<int> staffErrorMonths(Db& db, int upTo)
{
    return months(db,
                  "SELECT sMon FROM Staff_moninfo WHERE sMon <= ? AND sIsok = '0' GROUP BY sMon"
                  " ORDER BY sMon",
                  {m64(upTo)});
}

std::vector<int> wageErrorMonths(Db& db, int upTo)
{
    return months(db,
                  "SELECT sMon FROM Wage_Info WHERE sMon <= ? AND (sFlag = '0' OR wFlag = '0')"
                  " GROUP BY sMon ORDER BY sMon",
                  {m64(upTo)});
}

bool MonthRosterVerified(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ?", {m64(month)});
}

QString rosterQuestion(int month)
{
    return QStringLiteral("必须先核实%1月名单！").arg(month);
}

CheckOutcome PrevMonthAudited(Session& session, int previousMonth)
{
    Db& db = session.db();
    const std::optional<UnitRegistration> r = loadRegistration(db);
    if (r && r->createMon == QString::number(previousMonth)) {
        session.setLastWageMonth(previousMonth + 1);
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
    const QString staff = listed(staffErrorMonths(db, month), [](int m) {
        return m == 0 ? QStringLiteral("期初中,") : QStringLiteral("%1月份,").arg(m);
    });
    if (!staff.isEmpty())
        return {false, {staff + QStringLiteral("有人员数据错误，请纠正。")}};
    const QString wages =
        listed(wageErrorMonths(db, month), [](int m) { return QStringLiteral("%1月份,").arg(m); });
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
    const QString list = listed(staffErrorMonths(db, AnyMonth), [](int m) {
        return m == 0 ? QStringLiteral("年初,") : QStringLiteral("%1月度,").arg(m);
    });
    if (list.isEmpty())
        return {};
    return {false, {list + QStringLiteral("人员有错误信息，请核对。")}};
}

CheckOutcome WageErrorsUpTo(Db& db, int month)
{
    QStringList list;
    for (int m : wageErrorMonths(db, month))
        list << QString::number(m);
    if (list.isEmpty())
        return {};
    return {false, {QStringLiteral("[%1]月有工资错误信息，请核查!").arg(list.join(','))}};
}

}  // namespace vel
