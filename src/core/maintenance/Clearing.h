#pragma once

#include "CheckOutcome.h"

#include <optional>

namespace vel {

class Db;
class Session;

// What "清空期初从业人员", "清空从业人员", "清空月度从业人员" and "清空月度工资" empty.
enum class ClearKind {
    Opening,       // the opening roster (month 0)
    Staff,         // the monthly rosters and every wage
    MonthlyStaff,  // the monthly rosters with their wages, all or the last month
    Wages,         // the wages, all or the last month
};

// The month the monthly clears offer besides "all": the last month holding monthly staff
// (MonthlyStaff) or wages (Wages); nullopt when there is none, and for the other kinds.
std::optional<int> lastClearableMonth(Db& db, ClearKind kind);

// Before the clear's dialog opens: a registered unit, and for the monthly clears data to clear.
CheckOutcome clearOpens(Session& session, ClearKind kind);

// The whole check of a clear of `month` (nullopt: everything of its kind): what clearOpens
// checks, a month only for the monthly clears and only the last one, and the question whose Yes
// clears.
CheckOutcome clearChecks(Session& session, ClearKind kind, std::optional<int> month);

// Clears in one transaction and returns the message that says what was cleared. The checks run
// again inside it, so that no other program's store slips in between them and the clear; when
// they no longer pass, throws Error with their messages and clears nothing.
QString clearData(Session& session, ClearKind kind, std::optional<int> month);

}  // namespace vel
