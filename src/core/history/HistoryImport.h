#pragma once

#include "Progress.h"
#include "history/HistorySource.h"
#include "CheckOutcome.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vel {

class Session;

// The wizard's five options, numbered as the clerk sees them.
enum class HistoryOption {
    None = 0,
    YearEndAsOpening = 1,  // last year's December roster as this year's opening roster
    Opening = 2,           // this year's opening roster
    MonthlyStaff = 3,      // every monthly roster
    MonthlyWages = 4,      // every month's wages
    MonthlyAll = 5,        // every monthly roster and every month's wages
};

namespace history {
inline const QString WrongFolder = QStringLiteral("路径选择错误，请核对。");
}

// The database an installation folder holds: Database/RCdatabase.db of an earlier installation
// of this program, else Database/RCdatabase.mdb of the earlier program (Access), the names in
// any letter case; else a pipe or device of either name (never opened: the checks refuse it);
// Database/RCdatabase.db when there is none.
QString historyDatabasePath(const QString& folder);

// True when the folder holds one of those databases (the folder chooser's test).
bool isHistoryFolder(const QString& folder);

// The reader for the database the installation folder holds. Throws Error with the reason its
// rows cannot be taken (DatabaseError when it cannot be read).
std::unique_ptr<HistorySource> openHistorySource(const QString& folder);

// Before "开始导入": a folder and an option chosen, a registered unit (whose rules code the rows),
// the folder an installation whose database can be read and is not the working one (told by
// device and inode), monthly staff in the working database before wages come (option 4). The
// question, when there is one, names what needs a Yes: a source registered for another unit
// (another number or type), and rows of a kind the working database already holds.
CheckOutcome historyImportChecks(Session& session, const QString& folder, HistoryOption option);

struct HistoryImportResult {
    QStringList messages;  // the end messages, one per kind of row
    QStringList refused;   // what was left out and why (refusedRowsReport), empty when nothing
};

// Appends the option's rows from the predecessor's database in one transaction, each checked,
// coded and audited as this unit's own rows are (HistoryRows); a failure leaves the working
// database as it was.
HistoryImportResult importHistory(Session& session, const QString& folder, HistoryOption option,
                                  const Progress& progress = {});

}  // namespace vel
