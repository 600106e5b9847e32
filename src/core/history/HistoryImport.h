#pragma once

#include "Progress.h"
#include "period/PeriodChecks.h"

#include <QString>
#include <QStringList>

namespace vel {

class Db;

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

// The predecessor's database inside its installation folder.
QString historyDatabasePath(const QString& folder);

// True when the folder holds Database/RCdatabase.db (the folder chooser's test).
bool isHistoryFolder(const QString& folder);

// Before "开始导入": a folder and an option chosen, the folder an installation of this program
// whose database can be read (and not the working one), monthly staff in the working database
// before wages come (option 4), and, when the working database already holds rows of a kind the
// option imports, the question whether to add them all the same.
CheckOutcome historyImportChecks(Db& db, const QString& folder, HistoryOption option);

// Appends the option's rows from the predecessor's database (opened read-only) in one
// transaction: a failure leaves the working database as it was. Returns the end messages.
QStringList importHistory(Db& db, const QString& folder, HistoryOption option,
                          const Progress& progress = {});

}  // namespace vel
