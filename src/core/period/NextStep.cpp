#include "NextStep.h"

#include "Session.h"
#include "period/CommandChecks.h"
#include "reports/ReportChecks.h"

#include <algorithm>

namespace vel {
namespace {

const QString OpeningBatch = QStringLiteral("从业人员管理 › 期初人员情况 › 从业人员批量输入");

QString wageSheet(int month)
{
    return QStringLiteral("工资录入 › %1月工资过录表").arg(month);
}

// The earliest of the months first..upTo holding rows that failed the audit, wages before staff
// as the previous-month check reports them; the opening roster's errors come first of all.
struct ErrorMonth {
    int month = -1;
    bool wages = false;
};

ErrorMonth earliestErrors(Db& db, int first, int upTo)
{
    const auto from = [first](const std::vector<int>& months) {
        const auto it = std::find_if(months.begin(), months.end(),
                                     [first](int m) { return m == 0 || m >= first; });
        return it == months.end() ? -1 : *it;
    };
    const int staff = from(staffErrorMonths(db, upTo));
    const int wages = from(wageErrorMonths(db, upTo));
    if (wages >= 0 && (staff < 0 || wages <= staff))
        return {wages, true};
    return {staff, false};
}

// Where the month's sheet opens, the step; otherwise what refuses it.
QString wageMonthStep(Session& session, int month, const QString& work)
{
    const CheckOutcome opens = wageMonthOpens(session, month);
    if (opens.passed)
        return work;
    if (opens.offer == CheckOffer::MonthlyRoster)
        return QStringLiteral("核实%1月名单（%2）").arg(month).arg(wageSheet(month));
    return opens.messages.value(0);
}

QString findStep(Session& session)
{
    Db& db = session.db();
    const std::optional<UnitRegistration> r = loadRegistration(db);
    if (!r)
        return QStringLiteral("从业人员管理 › 单位基本信息");
    if (!openingRosterExists(db))
        return OpeningBatch;
    const QString createMon = r->createMon.trimmed();
    const std::optional<int> month = wageEntryMonth(createMon, session.refreshMonthMenus());
    if (!month)
        return {};
    // Rows that failed the audit block the month after them and every report over them.
    const int first = createMon == unit::ExistedAllYear ? 1 : createMon.toInt() + 1;
    const ErrorMonth errors = earliestErrors(db, first, *month);
    if (errors.month == 0)
        return QStringLiteral("改正期初人员错误（%1）").arg(OpeningBatch);
    if (errors.month > 0) {
        const int e = errors.month;
        return wageMonthStep(session, e,
                             errors.wages
                                 ? QStringLiteral("改正%1月工资错误（%2 › 显示错误）").arg(e).arg(wageSheet(e))
                                 : QStringLiteral("改正%1月人员错误（%2 › 核实名册）").arg(e).arg(wageSheet(e)));
    }
    if (lastWageMonth(db).value_or(0) < *month)
        return wageMonthStep(session, *month, wageSheet(*month));
    // Every month's wages are in: the year's report.
    const CheckOutcome annual = annualReportOpens(db);
    if (!annual.passed)
        return annual.messages.value(0);
    return QStringLiteral("数据汇总 › 从业人员及工资总额年报");
}

}  // namespace

QString nextStepHint(Session& session)
{
    if (session.readOnly())
        return QStringLiteral("工作文件夹是只读的，只能查看数据。");
    // The checks set the last wage month a command hands its window; the hint opens none.
    const int kept = session.lastWageMonth();
    const QString step = findStep(session);
    session.setLastWageMonth(kept);
    return step.isEmpty() ? step : QStringLiteral("下一步：") + step;
}

}  // namespace vel
