#include "CommandChecks.h"

#include "Session.h"
#include "monthly/PayoutList.h"

namespace vel {

CheckOutcome unitCheck(Session& session, bool offerUnitWindow, const QString& message)
{
    if (session.unitRegistered())
        return {};
    CheckOutcome out{false, {message}};
    if (offerUnitWindow)
        out.offer = CheckOffer::UnitWindow;
    return out;
}

CheckOutcome wageMonthOpens(Session& session, int month)
{
    CheckOutcome unit = unitCheck(session, month == 1);
    if (!unit.passed)
        return unit;
    if (month < 1 || month > 12 || !session.refreshMonthMenus()[static_cast<size_t>(month)])
        return {false, {QStringLiteral("%1月工资过录表未开放。").arg(month)}};
    if (month >= 2) {
        CheckOutcome previous = PrevMonthAudited(session, month - 1);
        previous.shownAs = MessageKind::Confirm;
        if (!previous.passed)
            return previous;
    }
    if (!MonthRosterVerified(session.db(), month)) {
        CheckOutcome out{false, {}};
        out.question = rosterQuestion(month);
        out.offer = CheckOffer::MonthlyRoster;
        out.offerMonth = month;
        return out;
    }
    return {};
}

CheckOutcome payoutOpens(Session& session)
{
    CheckOutcome unit = unitCheck(session, true, QStringLiteral("请先填写单位基本信息。"));
    if (!unit.passed)
        return unit;
    if (payoutMonths(session.db()).empty())
        return {false, {payout::NoMonthlyWages}};
    return {};
}

}  // namespace vel
