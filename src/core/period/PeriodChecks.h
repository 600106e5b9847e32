#pragma once

#include <QString>
#include <QStringList>

namespace vel {

class Db;
struct UnitAttributes;

// What a precondition check found: whether the command may go on, and the messages to show in
// order (a check may fail silently, with no message).
struct CheckOutcome {
    bool passed = true;
    QStringList messages;
};

// The month's roster exists. The refusal question is rosterQuestion(m).
bool MonthRosterVerified(Db& db, int month);
QString rosterQuestion(int month);

// The month before the one being opened passed the audit (wages first, then staff); the unit's
// founding month has no previous month and sets LastWageMon to the month being opened.
CheckOutcome PrevMonthAudited(Db& db, UnitAttributes& unit, int previousMonth);

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
