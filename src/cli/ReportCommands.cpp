#include "ReportCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "reports/AnnualReport.h"
#include "reports/QuarterlyReport.h"
#include "reports/ReportChecks.h"
#include "reports/WageSummary.h"

#include <QStringList>

namespace vel::cli {
namespace {

// Prints a check's messages on standard error; true when the check refused.
bool refused(const CheckOutcome& outcome)
{
    for (const QString& message : outcome.messages)
        err(message);
    return !outcome.passed;
}

bool unitRefused(Session& session)
{
    if (session.unitRegistered())
        return false;
    err(QStringLiteral("请先填写单位基本信息！"));
    return true;
}

void printSheet(const Sheet& sheet)
{
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        QStringList cells;
        for (int col = 1; col <= sheet.columnCount(); ++col)
            cells << sheet.text(row, col);
        out(cells.join('\t'));
    }
}

template <class Report, class Export>
int finish(Report& report, ReportFiles files, Export exportWorkbook)
{
    report.compute();
    report.store();
    printSheet(report.sheet());
    if (files.workbook) {
        exportWorkbook();
        out(report.workbookPath());
    }
    if (files.submission) {
        report.submit();
        out(report.submissionPath());
    }
    return 0;
}

}  // namespace

int quarterlyReport(Session& session, int quarter, ReportFiles files)
{
    if (quarter < 1 || quarter > 3) {
        err(QStringLiteral("季度必须是1到3。"));
        return Refused;
    }
    if (unitRefused(session) || refused(quarterlyReportOpens(session.db(), quarter)))
        return Refused;
    QuarterlyReport report(session, quarter);
    return finish(report, files, [&] { report.exportWorkbook(); });
}

int annualReport(Session& session, ReportFiles files)
{
    if (unitRefused(session) || refused(annualReportOpens(session.db())))
        return Refused;
    AnnualReport report(session);
    return finish(report, files, [&] { report.exportWorkbook(AnnualReport::DefaultYear); });
}

int wageSummary(Session& session, const QString& from, const QString& to, bool reuse,
                ReportFiles files)
{
    if (unitRefused(session) || refused(wageSummaryOpens(session.db()).checks))
        return Refused;
    const int rows = wageSummaryForm(WageSummary::formOf(session)).rowCount();
    const RangeChoice choice = checkRange(session.db(), from, to, rows);
    if (refused(choice.checks))
        return Refused;
    WageSummary summary(session, choice.range);
    if (files.submission && !summary.submissionOffered()) {
        err(WageSummary::NotSubmittedMessage);
        return Refused;
    }
    if (reuse) {
        if (!choice.copyStored) {
            err(WageSummary::noStoredCopyMessage(choice.range));
            return Refused;
        }
        summary.reload();
    } else {
        if (!summary.compute()) {
            err(WageSummary::UnauditedMessage);
            return Refused;
        }
        summary.store();
    }
    printSheet(summary.sheet());
    if (files.workbook) {
        summary.exportWorkbook();
        out(summary.workbookPath());
    }
    if (files.submission) {
        summary.submit();
        out(summary.submissionPath());
    }
    return 0;
}

}  // namespace vel::cli
