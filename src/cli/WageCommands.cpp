#include "WageCommands.h"

#include "CliSupport.h"
#include "ShownText.h"
#include "Session.h"
#include "monthly/PayoutList.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "period/PeriodChecks.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"

namespace vel::cli {
namespace {

bool validMonth(int month)
{
    if (month >= 1 && month <= 12)
        return true;
    err(QStringLiteral("月份必须是1到12。"));
    return false;
}

// What the main window checks before it opens the month's wage entry; false after the refusal.
bool wageMonthOpens(Session& session, int month)
{
    if (!session.unitRegistered()) {
        err(QStringLiteral("请先填写单位基本信息！"));
        return false;
    }
    if (!session.refreshMonthMenus()[static_cast<size_t>(month)]) {
        err(QStringLiteral("%1月工资过录表未开放。").arg(month));
        return false;
    }
    if (month >= 2) {
        const CheckOutcome previous = PrevMonthAudited(session.db(), session.unit(), month - 1);
        for (const QString& message : previous.messages)
            err(message);
        if (!previous.passed)
            return false;
    }
    if (!MonthRosterVerified(session.db(), month)) {
        err(rosterQuestion(month));
        return false;
    }
    return true;
}

}  // namespace

int wagesImport(Session& session, int month, const QString& path,
                std::optional<TextEncoding> encoding)
{
    if (!validMonth(month) || !wageMonthOpens(session, month))
        return Refused;
    Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
    TextEncoding used = TextEncoding::Utf8;
    try {
        used = readWageFile(path, sheet, encoding);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }
    out(QStringLiteral("encoding %1").arg(encodingName(used)));
    if (lastWageRow(sheet) < wage::FirstPersonRow) {
        err(QStringLiteral("文件中没有工资数据。"));
        return Refused;
    }
    const WageCheckResult result = storeWages(session.db(), session.unit(), month, sheet);
    if (result.refused()) {
        err(plainLineBreaks(wageRefusalMessage(result)));
        return Refused;
    }
    for (const QString& message : wageStoreMessages(result, session.unit()))
        out(plainLineBreaks(message));
    out(QStringLiteral("stored %1 rows, %2 flagged").arg(result.writtenRows).arg(result.flagged));
    return 0;
}

int wagesExport(Session& session, int month)
{
    if (!validMonth(month))
        return Refused;
    write(wageExportText(session.db(), month));
    return 0;
}

int payoutList(Session& session, int first, int last)
{
    if (!session.unitRegistered()) {
        err(QStringLiteral("请先填写单位基本信息。"));
        return Refused;
    }
    if (payoutMonths(session.db()).empty()) {
        err(payout::NoMonthlyWages);
        return Refused;
    }
    const QString refusal = payoutRangeRefusal(first, last);
    if (!refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    PayoutList list;
    try {
        list = listPayouts(session.db(), first, last);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }
    for (const QStringList& row : list.rows)
        out(delimitedLine(row, '\t'));
    return 0;
}

}  // namespace vel::cli
