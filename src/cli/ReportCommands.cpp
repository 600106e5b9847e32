#include "ReportCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "period/CommandChecks.h"
#include "reports/AnnualReport.h"
#include "reports/QuarterlyReport.h"

#include <QStringList>

namespace vel::cli {
namespace {

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
    if (!checksPass(quarterlyReportChecks(session, quarter)))
        return Refused;
    QuarterlyReport report(session, quarter);
    return finish(report, files, [&] { report.exportWorkbook(); });
}

int annualReport(Session& session, ReportFiles files)
{
    if (!checksPass(annualReportChecks(session)))
        return Refused;
    AnnualReport report(session);
    return finish(report, files, [&] { report.exportWorkbook(AnnualReport::DefaultYear); });
}

}  // namespace vel::cli
