#include "OverviewCommands.h"

#include "CliSupport.h"
#include "Session.h"
#include "reports/YearOverview.h"
#include "sheet/SheetClipboard.h"

namespace vel::cli {

int yearOverview(Session& session)
{
    const QString unitCode = session.unitRegistered() ? session.unit().CurDepNo : QString();
    for (const QStringList& row :
         yearOverviewTable(vel::yearOverview(session.db(), session.folder(), unitCode)))
        out(delimitedLine(row, '\t'));
    return 0;
}

}  // namespace vel::cli
