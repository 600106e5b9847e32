#include "OverviewCommands.h"

#include "CliSupport.h"
#include "PdfOutput.h"
#include "Session.h"
#include "reports/YearOverview.h"
#include "sheet/SheetClipboard.h"

namespace vel::cli {

int yearOverview(Session& session, bool pdf)
{
    const YearOverview overview = vel::yearOverview(session);
    for (const QStringList& row : yearOverviewTable(overview))
        out(delimitedLine(row, '\t'));
    if (pdf)
        writePagePdf(session.folder(), YearOverviewName,
                     yearOverviewPage(overview, session.unit()).laidOut());
    return 0;
}

}  // namespace vel::cli
