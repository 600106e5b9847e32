#include "MessageCaptions.h"

#include "monthly/PayoutList.h"
#include "output/WorkbookWriter.h"

namespace vel {

QString messageCaption(const QString& message)
{
    // A failed export names the file and the cause after its first line.
    if (message == payout::NoMonthlyWages || message.startsWith(ExportFailedMessage))
        return ExportFailedCaption;
    if (message.startsWith(NoSpreadsheetMessage))
        return NoSpreadsheetCaption;
    return {};
}

}  // namespace vel
