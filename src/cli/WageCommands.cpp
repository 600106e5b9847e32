#include "WageCommands.h"

#include "CliSupport.h"
#include "ImportMatching.h"
#include "PdfOutput.h"
#include "db/Db.h"
#include "ShownText.h"
#include "Session.h"
#include "monthly/PayoutList.h"
#include "monthly/WageCarry.h"
#include "monthly/WageErrors.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "period/CommandChecks.h"
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

// "检查/合计/存储" on a filled sheet within the command's transaction, committed, then what the
// sheet came from (`filled`) and the store's messages printed.
int storeSheet(Session& session, int month, Sheet& sheet, Transaction& tx,
               const QString& filled = {}, const MatchedFile* file = nullptr)
{
    WageCheckResult result = storeWages(session.db(), month, sheet);
    if (file)
        nameFileLines(result, *file);
    if (result.refused()) {
        err(plainLineBreaks(wageRefusalMessage(result)));
        return Refused;
    }
    tx.commit();
    if (!filled.isEmpty())
        out(filled);
    for (const QString& message : wageStoreMessages(result))
        out(plainLineBreaks(message));
    out(QStringLiteral("stored %1 rows, %2 flagged").arg(result.writtenRows).arg(result.flagged) +
        (file ? matchedSummary(*file) : QString()));
    return 0;
}

}  // namespace

int wagesImport(Session& session, int month, const QString& path, const ImportOptions& options)
{
    if (!validMonth(month))
        return Refused;
    // The checks hold until the store: no other program clears the roster in between.
    Transaction tx(session.db());
    if (!checksPass(wageMonthOpens(session, month)))
        return Refused;
    const std::optional<MatchedFile> file =
        readMatchedForCommand(session, wageImportLayout(), path, options);
    if (!file)
        return Refused;
    Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
    try {
        placeWageRows(file->matched.rows, sheet);
    } catch (const Error& e) {
        err(e.message());
        return Refused;
    }
    // Kept with the month it read: a refused store keeps neither.
    rememberColumnMatch(session.db(), wageImportLayout(), file->matched);
    return storeSheet(session, month, sheet, tx, {}, &*file);
}

int wagesColumns(Session& session)
{
    return printStoredMatches(session, wageImportLayout());
}

int wagesCarry(Session& session, int month, bool replace)
{
    if (!validMonth(month))
        return Refused;
    Transaction tx(session.db());
    if (!checksPass(wageMonthOpens(session, month)))
        return Refused;
    const QString refusal = wageCarryRefusal(session.db(), month);
    if (!refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    if (!replace && monthHasWages(session.db(), month)) {
        err(QStringLiteral("%1月已存储工资，加 --yes 才会覆盖。").arg(month));
        return Refused;
    }
    Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
    return storeSheet(session, month, sheet, tx,
                      wageCarryMessage(carryWages(session.db(), month, sheet)));
}

int wagesConfirm(Session& session, int month, const QStringList& numbers, bool yes)
{
    if (!validMonth(month))
        return Refused;
    Transaction tx(session.db());
    if (!checksPass(wageMonthOpens(session, month)) ||
        !checksPass(wageConfirmChecks(session.db(), month, numbers), yes))
        return Refused;
    const int confirmed = confirmBoundsErrors(session.db(), month, numbers);
    tx.commit();
    out(QStringLiteral("工资审核性错误确认成功！"));
    out(QStringLiteral("confirmed %1 rows").arg(confirmed));
    return 0;
}

int wagesExport(Session& session, int month)
{
    if (!validMonth(month))
        return Refused;
    write(wageExportText(session.db(), month));
    return 0;
}

int payoutList(Session& session, int first, int last, bool pdf)
{
    if (!checksPass(payoutOpens(session)))
        return Refused;
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
    if (pdf)
        writePagePdf(session.folder(), payoutListName(first, last),
                     payoutPage(list, session.unit(), first, last,
                                QDate::currentDate())
                         .laidOut());
    return 0;
}

}  // namespace vel::cli
