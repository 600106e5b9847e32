#pragma once

#include "CheckOutcome.h"

#include <QString>
#include <QStringList>

#include <climits>
#include <vector>

namespace vel {

class Db;
class Session;

// The months up to `upTo` (0 the opening roster) holding staff rows, or wage rows, that failed the
// audit, in order.
constexpr int AnyMonth = INT_MAX;
std::vector<int> staffErrorMonths(Db& db, int upTo);
std::vector<int> wageErrorMonths(Db& db, int upTo);

// The month's roster exists. The refusal question is rosterQuestion(m).
bool MonthRosterVerified(Db& db, int month);
QString rosterQuestion(int month);

// The month before the one being opened passed the audit (wages first, then staff); the unit's
// founding month has no previous month and sets the session's lastWageMonth to the month being
// opened.
CheckOutcome PrevMonthAudited(Session& session, int previousMonth);

// No staff or wage row up to the month failed the audit, and the month has wage rows joined to
// its roster (failing silently when it has none).
CheckOutcome NoErrorsUpTo(Db& db, int month);

// The month holds audited staff, wage rows or joined wage rows.
bool MonthHasData(Db& db, int month);

// No staff row of any month failed the audit.
CheckOutcome StaffErrorsList(Db& db);

// No wage row up to the month failed the audit.
CheckOutcome WageErrorsUpTo(Db& db, int month);

}  // namespace vel
