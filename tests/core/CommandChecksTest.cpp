#include "MaintenanceFixture.h"
#include "period/CommandChecks.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

#include <gtest/gtest.h>

using namespace vel;

TEST(CommandChecks, WageMonthRunsItsChecksInOrderWithTheirOffers)
{
    TestSession s;
    CheckOutcome c = wageMonthOpens(*s, 1);  // month 1 offers the unit window
    EXPECT_FALSE(c.passed);
    EXPECT_EQ(c.messages, QStringList{"请先填写单位基本信息！"});
    EXPECT_EQ(c.offer, CheckOffer::UnitWindow);
    EXPECT_EQ(wageMonthOpens(*s, 2).offer, CheckOffer::None);

    registerUnit(*s);
    c = wageMonthOpens(*s, 1);  // no roster yet: the question offers the monthly roster window
    EXPECT_FALSE(c.passed);
    EXPECT_TRUE(c.messages.isEmpty());
    EXPECT_EQ(c.question, "必须先核实1月名单！");
    EXPECT_EQ(c.offer, CheckOffer::MonthlyRoster);
    EXPECT_EQ(c.offerMonth, 1);
    EXPECT_EQ(wageMonthOpens(*s, 2).messages, QStringList{"2月工资过录表未开放。"});

    staffRow(s.db(), 1, "甲");
    EXPECT_TRUE(wageMonthOpens(*s, 1).passed);
    s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                " VALUES ('1', '甲', 1, 3000, '1', '0')");
    s.db().exec("UPDATE Staff_moninfo SET sIsok = '0'");
    c = wageMonthOpens(*s, 2);  // both audit messages, as boxes with a single Yes
    EXPECT_FALSE(c.passed);
    EXPECT_EQ(c.messages.size(), 2);
    EXPECT_EQ(c.shownAs, MessageKind::Confirm);
    EXPECT_TRUE(c.question.isEmpty());
}

TEST(CommandChecks, PayoutAndReportsNeedAUnitFirst)
{
    TestSession s;
    CheckOutcome c = payoutOpens(*s);
    EXPECT_EQ(c.messages, QStringList{"请先填写单位基本信息。"});
    EXPECT_EQ(c.offer, CheckOffer::UnitWindow);
    // A form's checks, as its first menu entry runs them.
    const auto formChecks = [&](const char* command, const FormPeriod& period) {
        const FormDefinition& form = *formFor(command, false);
        return FormRun(*s, form, period).check({}, form.menus.front().entries.front().offersUnitWindow);
    };
    c = formChecks("quarterly", FormPeriod::ofQuarter(1));
    EXPECT_EQ(c.messages, QStringList{"请先填写单位基本信息！"});
    EXPECT_EQ(c.offer, CheckOffer::None);
    EXPECT_EQ(formChecks("annual", FormPeriod::ofYear()).offer, CheckOffer::UnitWindow);

    registerUnit(*s);
    EXPECT_EQ(payoutOpens(*s).messages, QStringList{"没有输入月工资信息！"});
    EXPECT_EQ(formChecks("quarterly", FormPeriod::ofQuarter(1)).messages,
              QStringList{"无3月工资数据，无法统计。"});
    EXPECT_EQ(formChecks("annual", FormPeriod::ofYear()).messages,
              QStringList{"无12月数据，无法统计。"});
}
