#pragma once

#include "Progress.h"
#include "db/Db.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

class Session;

// A source row the import leaves out, and why.
struct RefusedRow {
    bool wage = false;  // a wage row, else a staff row
    int index = 0;      // its place among the source's rows of its kind, from 1
    QString name;       // as stored there, control characters named
    QString reason;
};

// Which staff rows an option takes, and the month they are stored under.
enum class StaffMonths {
    YearEndAsOpening,  // December's, as the opening roster
    Opening,           // the opening roster's
    Monthly,           // every other month's, each under its own
};

// Adds the staff rows `which` takes from a source's rows (history::StaffColumns, then sMon), in
// the caller's transaction, as a roster save stores them: names without blanks, numbers trimmed,
// every answer coded and audited with this unit's rules (sIsok recomputed; the source's codes
// and flag are not taken). A row with a month outside 0..12, without a name, or with a control character in
// an answer is left out and added to `refused`. Returns the number of rows added.
int addHistoryStaff(Session& session, const std::vector<SqlParams>& rows, StaffMonths which,
                    std::vector<RefusedRow>& refused, const Progress& progress = {});

// Adds a source's wage rows (history::WageColumns, then sMon), in the caller's transaction, as a
// wage store checks them: the total is the sum of the parts, sFlag says whether the month's
// roster as stored by now holds the person, wFlag whether the total lies within the bounds. A row with a month outside 1..12, without a name number or name, with
// a control character, or with an amount that is no number or beyond the limit is left out and
// added to `refused`. Returns the number of rows added.
int addHistoryWages(Session& session, const std::vector<SqlParams>& rows,
                    std::vector<RefusedRow>& refused, const Progress& progress = {});

// Last year's figures for the data check, from an earlier installation's rows of last year:
// December's head count when they hold a December roster, and the year's wage total in thousands
// of yuan (as I102-1 gives it) when they also hold December's wages. A row whose month or total
// is no number counts for nothing.
struct LastYear {
    std::optional<long long> heads;
    std::optional<double> wagesThousands;
};
LastYear lastYearFigures(const std::vector<SqlParams>& staff, const std::vector<SqlParams>& wages);

// The lines that tell the clerk what was left out: a count, then at most `shown` rows, each with
// its kind, place, name and reason. Empty when nothing was.
QStringList refusedRowsReport(const std::vector<RefusedRow>& refused, int shown = 20);

}  // namespace vel
