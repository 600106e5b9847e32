#pragma once

#include "db/Db.h"
#include "monthly/WageSheet.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace vel {

class Sheet;

enum class WageProblem {
    NotInRoster,    // number and name red, sFlag "0"
    NameDiffers,    // the roster gives the number another name: name red, sFlag "0"
    OutOfBounds,    // total red, wFlag "0"
    NoNumber,       // a row without a number is checked but not stored
    NotANumber,     // a part or total that does not read as a number
    NoName,         // a row with wages but no name
    NoRecord,       // a row of a correction sheet that names no stored record
    ControlChar,    // a number or name holding a control character
    SameNumber,     // a number an earlier row of the month already has
};

// One finding on one sheet row; text is the row's trimmed number, or the offending cell's text.
struct WageRowProblem {
    int row = 0;
    int col = 0;
    WageProblem kind = WageProblem::NotInRoster;
    QString text;
    int earlierRow = 0;  // SameNumber: the row that has the number first
};

// What a check-and-write pass over a wage sheet found and did.
struct WageCheckResult {
    // Any refusal means nothing was written: the stored rows are exactly as before.
    std::vector<WageRowProblem> refusals;
    // Rows written with a flag "0", or (NoNumber) not written, in row order.
    std::vector<WageRowProblem> problems;
    int people = 0;       // rows checked
    int writtenRows = 0;  // rows stored or updated
    int flagged = 0;      // rows written with sFlag or wFlag "0"

    bool refused() const { return !refusals.empty(); }
    // False when rows without a name number were left out of the store: they exist only on the
    // sheet.
    bool storedEveryRow() const { return !refused() && writtenRows == people; }
};

// The month's roster as the wage checks compare against it: numbers as stored, names trimmed.
class MonthRoster {
public:
    MonthRoster(Db& db, int month);
    enum class Match { Missing, OtherName, Same };
    Match match(const QString& number, const QString& name) const;

private:
    QHash<QString, QStringList> names_;
};

// The amounts of one sheet row and their total (wageTotal).
struct WageRowTotal {
    std::array<std::optional<double>, 4> parts;  // columns 3..6; nullopt when empty
    int badCol = 0;            // the first part column that is not a number, 0 when none
    double total = 0;          // what column 7 shows
};
WageRowTotal totalWageRow(const Sheet& sheet, int row);
// A part as it is stored: null when the cell was empty.
SqlValue amountValue(const std::optional<double>& amount);

// The last row whose number, name or parts hold anything; rows above it that hold nothing are
// gaps, never the end of the month.
int lastWageRow(const Sheet& sheet, int idCol = 0);
bool isEmptyWageRow(const Sheet& sheet, int row, int idCol = 0);

// Refuses (marks and records) a number or name cell holding a control character; true when the
// row has one.
bool refuseControlChars(Sheet& sheet, int row, std::vector<WageRowProblem>& refusals);

// The two checks every wage save runs on a row: marks the cells, records the problem and returns
// the flag, "1" or "0". The person counts when the roster holds the number under that name; the
// total when it lies within wage::TotalMin..wage::TotalMax.
QString checkWagePerson(Sheet& sheet, int row, const MonthRoster& roster, const QString& number,
                        const QString& name, std::vector<WageRowProblem>& problems);
QString checkWageTotal(Sheet& sheet, int row, double total, const QString& number,
                       std::vector<WageRowProblem>& problems);

// "检查/合计/存储": totals every row into column 7, removes the blanks from names, checks each
// person against the month's roster (sFlag) and each total against the bounds (wFlag), marks what
// failed, and replaces the month's stored wages by the rows that have a number, in one
// transaction. Any refusal (a part that is no number, wages without a name, a number twice, which
// every report would count twice) is marked and stores nothing; a database failure throws with
// the month as before.
WageCheckResult storeWages(Db& db, int month, Sheet& sheet, const Progress& progress = {});

// A file import's messages name the file's lines, not the rows of the sheet the file was placed
// in (placeWageRows: the first row read at wage::FirstPersonRow). Kept as sheet rows for a file of
// several sheets, where a line alone names no place.
void nameFileLines(WageCheckResult& result, const MatchedFile& file);

// The messages a store shows before its saved message: on refusal the one refusal message;
// otherwise the problem list, the bounds message and the rows without a number, each when it has something to say. Line breaks are "\n\r" as in every message box.
QStringList wageStoreMessages(const WageCheckResult& result);
// Names every refused cell and says that nothing was changed.
QString wageRefusalMessage(const WageCheckResult& result);
QString wageSavedMessage(int month, int people);

// The month has stored wage rows.
bool monthHasWages(Db& db, int month);

// Works the month's wage rows' sFlag out again against its roster as it is now, as a wage save
// would; called inside every transaction that changes a roster, so that a wage of someone taken
// off it is flagged and one whose person came back counts again. Returns the rows changed.
int recheckWagePersons(Db& db, int month);

// The condition under which the forms count a wage row `w` (their join on month and number):
// every figure made of wages uses it, so that all show one total.
inline constexpr const char* WageOnRoster =
    "EXISTS (SELECT 1 FROM Staff_moninfo r WHERE r.sMon = w.sMon AND r.sNumber = w.sNumber)";

// "姓名编号查重": a person (number and name) has more than one wage row in the month.
bool hasDuplicatePersons(Db& db, int month);

}  // namespace vel
