#pragma once

#include "period/PeriodChecks.h"

namespace vel {

class Session;

namespace checks {
inline const QString UnitFirst = QStringLiteral("请先填写单位基本信息！");
}

// UnitRegistered: loads the registered unit into the session; without one it refuses with
// `message`, offering the unit window for the commands that offer it.
CheckOutcome unitCheck(Session& session, bool offerUnitWindow,
                       const QString& message = checks::UnitFirst);

// Before a month's wage entry: a registered unit (the unit window is offered for month 1), the
// month open in the month sequence, WorkMon set, the previous month audited (from month 2), and
// the month's roster, whose absence asks to open the monthly roster window.
CheckOutcome wageMonthOpens(Session& session, int month);

// Before the wage payout list: a registered unit, and a month with a roster to choose.
CheckOutcome payoutOpens(Session& session);

// Before the quarterly and the annual employees-and-wages report: a registered unit (it heads the
// report and names its files; the annual report offers the unit window), then the report's data
// checks.
CheckOutcome quarterlyReportChecks(Session& session, int quarter);
CheckOutcome annualReportChecks(Session& session);

// The same for the older labor forms (a quarter, a range of months, the year), whose entries offer
// no unit window, and for the year-end talent summary, which does.
CheckOutcome basicQuarterlyChecks(Session& session, int quarter);
CheckOutcome basicRangeChecks(Session& session, int from, int to);
CheckOutcome basicAnnualChecks(Session& session);
CheckOutcome talentSummaryChecks(Session& session);

}  // namespace vel
