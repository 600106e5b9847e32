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
// month open in the month sequence, the previous month audited (from month 2), and the month's
// roster, whose absence asks to open the month's roster window.
CheckOutcome wageMonthOpens(Session& session, int month);

// Before the wage payout list: a registered unit, and a month with a roster to choose.
CheckOutcome payoutOpens(Session& session);

}  // namespace vel
