#include "Clearing.h"

#include "Errors.h"
#include "Session.h"
#include "db/Db.h"
#include "monthly/WageStore.h"
#include "period/CommandChecks.h"
#include "period/MonthMenus.h"

namespace vel {
namespace {

const QString Careful = QStringLiteral("请慎重处理，一旦清空，无法恢复！");

}  // namespace

std::optional<int> lastClearableMonth(Db& db, ClearKind kind)
{
    if (kind == ClearKind::Wages)
        return lastWageMonth(db);
    if (kind != ClearKind::MonthlyStaff)
        return std::nullopt;
    const SqlValue v = db.scalar("SELECT MAX(sMon) FROM Staff_moninfo WHERE sMon <> 0");
    if (const auto* m = std::get_if<long long>(&v))
        return static_cast<int>(*m);
    return std::nullopt;
}

CheckOutcome clearOpens(Session& session, ClearKind kind)
{
    CheckOutcome unit = unitCheck(session, false);
    if (!unit.passed)
        return unit;
    const bool monthly = kind == ClearKind::MonthlyStaff || kind == ClearKind::Wages;
    if (monthly && !lastClearableMonth(session.db(), kind))
        return {false,
                {kind == ClearKind::Wages ? QStringLiteral("没有月度工资数据！")
                                          : QStringLiteral("没有月度从业人员数据！")}};
    return {};
}

CheckOutcome clearChecks(Session& session, ClearKind kind, std::optional<int> month)
{
    CheckOutcome out = clearOpens(session, kind);
    if (!out.passed)
        return out;
    if (month) {
        const std::optional<int> last = lastClearableMonth(session.db(), kind);
        if (!last)
            return {false, {QStringLiteral("清空期初人员或全部从业人员时不能指定月份。")}};
        if (*month != *last)
            return {false,
                    {QStringLiteral("只能清空最后输入的月份（%1月），请从最后一个月往前清空。")
                         .arg(*last)}};
    }
    out.question =
        kind == ClearKind::Opening ? QStringLiteral("Yes:清空，无法恢复；No:不清空。") : Careful;
    return out;
}

QString clearData(Session& session, ClearKind kind, std::optional<int> month)
{
    Db& db = session.db();
    Transaction tx(db);
    const CheckOutcome checks = clearChecks(session, kind, month);
    if (!checks.passed)
        throw Error(checks.messages.join(u'\n'));
    QString done;
    switch (kind) {
    case ClearKind::Opening:
        db.exec("DELETE FROM Staff_moninfo WHERE sMon = 0");
        recheckWagePersons(db, 0);
        done = QStringLiteral("   成功清空。   ");
        break;
    case ClearKind::Staff:
        db.exec("DELETE FROM Staff_moninfo WHERE sMon <> 0");
        db.exec("DELETE FROM Wage_Info");
        done = QStringLiteral("成功清空！");
        break;
    case ClearKind::MonthlyStaff:
        if (month) {
            db.exec("DELETE FROM Staff_moninfo WHERE sMon = ?", {static_cast<long long>(*month)});
            db.exec("DELETE FROM Wage_Info WHERE sMon = ?", {static_cast<long long>(*month)});
            done = QStringLiteral("成功清空 %1 月份数据！").arg(*month);
        } else {
            db.exec("DELETE FROM Staff_moninfo WHERE sMon <> 0");
            db.exec("DELETE FROM Wage_Info");
            done = QStringLiteral("成功清空全部月度数据！");
        }
        break;
    case ClearKind::Wages:
        if (month) {
            db.exec("DELETE FROM Wage_Info WHERE sMon = ?", {static_cast<long long>(*month)});
            done = QStringLiteral("成功清空 %1 月份工资数据！").arg(*month);
        } else {
            db.exec("DELETE FROM Wage_Info");
            done = QStringLiteral("成功清空全部月度工资数据！");
        }
        break;
    }
    tx.commit();
    return done;
}

}  // namespace vel
