#include "MonthRange.h"

#include "db/Db.h"
#include "monthly/PayoutList.h"
#include "reports/PeriodCopy.h"
#include "reports/ReportChecks.h"

#include <QStringList>

#include <algorithm>

namespace vel {
namespace {

// The months of a grouped query, joined with "," and no comma after the last.
QString months(Db& db, const std::string& sql, const SqlParams& params = {})
{
    QStringList list;
    Query q(db, sql, params);
    while (q.next())
        list << QString::number(q.integer("sMon"));
    return list.join(',');
}

}  // namespace

int monthOfText(const QString& text)
{
    bool ok = false;
    const int month = text.trimmed().toInt(&ok);
    return ok ? month : 0;
}

ChooserOpening rangeChooserOpens(Db& db)
{
    ChooserOpening out;
    out.months = payoutMonths(db);
    if (out.months.empty()) {
        out.checks = CheckOutcome::refused(payout::NoMonthlyWages, MessageKind::Error);
        return out;
    }
    struct YearCheck {
        const char* sql;
        const char* message;
    };
    const YearCheck checks[] = {
        {"SELECT sMon FROM Wage_Info WHERE sFlag = '0' GROUP BY sMon ORDER BY sMon",
         "[%1]月工资数据还有错误，不能汇总，请核实！"},
        {"SELECT sMon FROM Wage_Info WHERE wFlag = '0' GROUP BY sMon ORDER BY sMon",
         "[%1]月工资数据还有【审核性】错误，不能汇总，请核实！"},
        {"SELECT sMon FROM Staff_moninfo WHERE sMon <> 0 AND sIsok = '0' GROUP BY sMon"
         " ORDER BY sMon",
         "[%1]月度人员还有错误，不能汇总，请核实！"},
    };
    for (const YearCheck& c : checks) {
        const QString found = months(db, c.sql);
        if (!found.isEmpty()) {
            out.checks.passed = false;
            out.checks.messages << QString::fromUtf8(c.message).arg(found);
        }
    }
    if (!out.checks.passed) {
        out.checks.shownAs = MessageKind::Confirm;
        out.months.clear();
    }
    return out;
}

ChooserOpening wageSummaryOpens(Db& db)
{
    const CheckOutcome staff = StaffErrorsList(db);
    if (!staff.passed)
        return {staff, {}};
    return rangeChooserOpens(db);
}

RangeChoice checkRange(Db& db, const QString& fromText, const QString& toText, int summaryRows)
{
    RangeChoice out;
    out.range = {monthOfText(fromText), monthOfText(toText)};
    const QString wrongRange = payoutRangeRefusal(out.range.from, out.range.to);
    if (!wrongRange.isEmpty()) {
        out.checks = CheckOutcome::refused(wrongRange, MessageKind::Error);
        return out;
    }
    const QString wageErrors =
        months(db,
               "SELECT sMon FROM Wage_Info WHERE sMon BETWEEN ? AND ?"
               " AND (sFlag = '0' OR wFlag = '0') GROUP BY sMon ORDER BY sMon",
               {static_cast<long long>(out.range.from), static_cast<long long>(out.range.to)});
    if (!wageErrors.isEmpty()) {
        out.checks = CheckOutcome::refused(QStringLiteral("%1月有工资错误信息，请核查").arg(wageErrors));
        return out;
    }
    const QString shared = sharedNumbers(db, std::max(1, out.range.from - 1), out.range.to);
    if (!shared.isEmpty()) {
        out.checks = CheckOutcome::refused(shared);
        return out;
    }
    out.copyStored = summaryRows > 0 && periodCopyStored(db, out.range, summaryRows);
    return out;
}

ChosenRange decideRange(const RangeChoice& choice, bool recomputeAnswer)
{
    return {choice.range, choice.copyStored && !recomputeAnswer};
}

}  // namespace vel
