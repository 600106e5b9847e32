#include "OverviewCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "reports/YearOverview.h"
#include "sheet/SheetClipboard.h"

namespace vel::cli {

int yearOverview(Session& session)
{
    for (const QStringList& row : yearOverviewTable(vel::yearOverview(session)))
        out(delimitedLine(row, '\t'));
    return 0;
}

}  // namespace vel::cli
