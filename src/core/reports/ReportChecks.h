#pragma once

#include "period/PeriodChecks.h"

namespace vel {

// The refusal that names each month of first..last and number that two persons of the
// month's roster share while the number has wages: they would be counted twice. Empty when none.
QString sharedNumbers(Db& db, int firstMonth, int lastMonth);

// The checks before the quarterly report of `quarter` (1 to 3) opens, once the unit is
// registered: the quarter's end month holds data, no staff or wage row up to it failed the audit,
// its wages are joined to its roster, and no wage row up to it belongs to a number that two
// persons of its month's roster share. Every refusal carries a message, also the one the window's
// checks leave silent.
CheckOutcome quarterlyReportOpens(Db& db, int quarter);

// The same checks for the annual report over December. Its figures cover the whole year, so rows
// that failed the audit in any month refuse it as they refuse the quarterly report.
CheckOutcome annualReportOpens(Db& db);

}  // namespace vel
