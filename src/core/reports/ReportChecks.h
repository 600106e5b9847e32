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

// The older quarterly labor report of `quarter` (1 to 3): the quarter's end month has a roster,
// no wage row up to it failed the audit, and no wage row up to it is counted twice.
CheckOutcome basicQuarterlyOpens(Db& db, int quarter);

// The older annual labor report: no wage row of the year failed the audit or is counted twice.
CheckOutcome basicAnnualOpens(Db& db);

// No wage row of months from..to belongs to a number that two persons of its month's roster
// share.
CheckOutcome noSharedNumbers(Db& db, int from, int to);

// The year-end talent summary: December has a roster.
CheckOutcome talentSummaryOpens(Db& db);

// The talent summaries before they compute: no staff row of the months they guard failed the
// audit (every month after the opening roster for the year-end summary, the opening roster for
// the older one).
CheckOutcome monthlyStaffAudited(Db& db);
CheckOutcome openingStaffAudited(Db& db);

}  // namespace vel
