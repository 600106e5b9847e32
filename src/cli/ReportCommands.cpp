#include "ReportCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "reports/AnnualReport.h"
#include "reports/BasicAnnualReport.h"
#include "reports/BasicQuarterlyReport.h"
#include "reports/QuarterlyReport.h"
#include "reports/ReportChecks.h"
#include "reports/TalentOpeningSummary.h"
#include "reports/TalentSummary.h"
#include "reports/WageSummary.h"
#include "staff/RosterSubmission.h"

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
int finish(Report& report, ReportFiles files, Export exportWorkbook,
           const QStringList& moreSubmitted = {})
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
        for (const QString& path : moreSubmitted)
            out(path);
    }
    return 0;
}

template <class Report>
int finish(Report& report, ReportFiles files, const QStringList& moreSubmitted = {})
{
    return finish(report, files, [&] { report.exportWorkbook(); }, moreSubmitted);
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
    return finish(report, files);
}

int annualReport(Session& session, ReportFiles files)
{
    if (unitRefused(session) || refused(annualReportOpens(session.db())))
        return Refused;
    AnnualReport report(session);
    return finish(report, files, [&] { report.exportWorkbook(AnnualReport::DefaultYear); });
}

int basicQuarterlyReport(Session& session, int quarter, ReportFiles files)
{
    if (quarter < 1 || quarter > 3) {
        err(QStringLiteral("季度必须是1到3。"));
        return Refused;
    }
    if (unitRefused(session) || refused(basicQuarterlyOpens(session.db(), quarter)))
        return Refused;
    BasicQuarterlyReport report = BasicQuarterlyReport::forQuarter(session, quarter);
    return finish(report, files);
}

int basicRangeReport(Session& session, int from, int to, ReportFiles files)
{
    if (files.submission) {
        err(QStringLiteral("期间报表不能生成上报文件。"));
        return Refused;
    }
    if (unitRefused(session) || refused(basicRangeOpens(session.db(), from, to)))
        return Refused;
    BasicQuarterlyReport report = BasicQuarterlyReport::forRange(session, from, to);
    return finish(report, files);
}

int basicAnnualReport(Session& session, ReportFiles files)
{
    if (unitRefused(session) || refused(basicAnnualOpens(session.db())))
        return Refused;
    BasicAnnualReport report(session);
    return finish(report, files);
}

int talentSummary(Session& session, ReportFiles files)
{
    if (unitRefused(session) || refused(talentSummaryOpens(session.db())) ||
        refused(monthlyStaffAudited(session.db())))
        return Refused;
    TalentSummary report(session);
    return finish(report, files,
                  {rosterSubmissionPath(session.folder(), session.unit().CurDepNo)});
}

int talentOpeningSummary(Session& session, ReportFiles files)
{
    if (unitRefused(session) || refused(openingStaffAudited(session.db())))
        return Refused;
    TalentOpeningSummary report(session);
    return finish(report, files);
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
