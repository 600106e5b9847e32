#pragma once

#include "db/Db.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace vel {

namespace history {
// The staff columns every reader hands over, in this order; the month follows them.
inline constexpr std::array<const char*, 33> StaffColumns = {
    "sName",   "sNumber", "sTsex",    "sSex",    "sTnation", "sBirth",     "sTedu",
    "sEducation", "sGw",  "sTpost",   "sPost",   "sTGrade",  "sPostGrade", "sIsok",
    "sTparty", "sWorks",  "sWork",    "sTJGrade", "sNation", "sParty",     "sJGrade",
    "sTsf",    "sTqrz",   "sTgc",     "sTjzs",   "sTsg",     "sTyg",       "ssf",
    "sqrz",    "ssg",     "sgc",      "sjzs",    "syg"};
// The wage columns, in this order; the month follows them.
inline constexpr std::array<const char*, 10> WageColumns = {
    "sName", "sNumber", "sTotal", "sN1", "sN2", "sN3", "sN4", "sN5", "sFlag", "wFlag"};
}  // namespace history

// Why a source's rows cannot be taken when it lacks columns the import reads ("Table.column").
QString missingColumnsRefusal(const QStringList& missing, const QString& path);

// The unit an earlier installation was registered for.
struct HistoryUnit {
    QString code;
    QString name;
    QString type;
};

// An earlier installation's records as a reader of its database hands them over: the values as
// stored there, nothing checked or converted. The import checks every row itself, whichever
// reader brought it.
class HistorySource {
public:
    virtual ~HistorySource() = default;

    // The database file, for messages.
    virtual QString path() const = 0;
    // The unit registered there, when the source names one.
    virtual std::optional<HistoryUnit> unit() = 0;
    // Every staff row in stored order: history::StaffColumns, then sMon.
    virtual std::vector<SqlParams> staffRows() = 0;
    // Every wage row, the latest month first: history::WageColumns, then sMon.
    virtual std::vector<SqlParams> wageRows() = 0;
};

}  // namespace vel
