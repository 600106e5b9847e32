#include "MaintenanceFixture.h"
#include "maintenance/Clearing.h"
#include "maintenance/PeriodEndTotal.h"
#include "staff/StaffBrowser.h"

#include <gtest/gtest.h>

using namespace vel;

TEST(Clearing, EachClearRemovesItsRowsInOneGo)
{
    const struct {
        ClearKind kind;
        std::optional<int> month;
        const char* message;
        long long opening, monthly, wages;
    } cases[] = {
        {ClearKind::Opening, std::nullopt, "   成功清空。   ", 0, 2, 2},
        {ClearKind::Staff, std::nullopt, "成功清空！", 1, 0, 0},
        {ClearKind::MonthlyStaff, std::nullopt, "成功清空全部月度数据！", 1, 0, 0},
        {ClearKind::MonthlyStaff, 2, "成功清空 2 月份数据！", 1, 1, 1},
        {ClearKind::Wages, std::nullopt, "成功清空全部月度工资数据！", 1, 2, 0},
        {ClearKind::Wages, 2, "成功清空 2 月份工资数据！", 1, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TestSession s;
        fillYearStart(*s);
        const CheckOutcome checks = clearChecks(*s, c.kind, c.month);
        ASSERT_TRUE(checks.passed);
        EXPECT_FALSE(checks.question.isEmpty());
        EXPECT_EQ(clearData(*s, c.kind, c.month), c.message);
        EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 0"), c.opening);
        EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon > 0"), c.monthly);
        EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), c.wages);
    }
}

TEST(Clearing, ChecksRefuseWithoutUnitDataOrTheLastMonth)
{
    TestSession s;
    CheckOutcome c = clearChecks(*s, ClearKind::Opening, std::nullopt);
    EXPECT_FALSE(c.passed);
    EXPECT_EQ(c.messages, QStringList{"请先填写单位基本信息！"});
    EXPECT_EQ(c.offer, CheckOffer::None);

    registerUnit(*s);
    EXPECT_EQ(clearOpens(*s, ClearKind::MonthlyStaff).messages, QStringList{"没有月度从业人员数据！"});
    EXPECT_EQ(clearOpens(*s, ClearKind::Wages).messages, QStringList{"没有月度工资数据！"});
    c = clearChecks(*s, ClearKind::Opening, std::nullopt);
    EXPECT_TRUE(c.passed);
    EXPECT_EQ(c.question, "Yes:清空，无法恢复；No:不清空。");

    staffRow(s.db(), 1, "甲");
    staffRow(s.db(), 2, "甲");
    wageRow(s.db(), 1);
    EXPECT_EQ(lastClearableMonth(s.db(), ClearKind::MonthlyStaff), 2);
    EXPECT_EQ(lastClearableMonth(s.db(), ClearKind::Wages), 1);
    c = clearChecks(*s, ClearKind::MonthlyStaff, 1);  // months go from the end backwards
    EXPECT_FALSE(c.passed);
    EXPECT_TRUE(c.messages.value(0).startsWith("只能清空最后输入的月份（2月）"));
    EXPECT_FALSE(clearChecks(*s, ClearKind::Staff, 1).passed);
    EXPECT_EQ(clearChecks(*s, ClearKind::Wages, 1).question, "请慎重处理，一旦清空，无法恢复！");
}

TEST(PeriodEndTotal, StoresOneRowOfDigitsOnly)
{
    TestSession s;
    EXPECT_EQ(periodEndTotalRefusal("12a"), "非法数字，请核实！");
    EXPECT_EQ(periodEndTotalRefusal("-3"), "非法数字，请核实！");
    EXPECT_THROW(storePeriodEndTotal(s.db(), "123456789", "12a"), Error);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Initial_Info"), 0);

    storePeriodEndTotal(s.db(), " 123456789 ", " 15 ");
    storePeriodEndTotal(s.db(), "123456789", "");  // an empty box stores an empty total
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Initial_Info"), 1);
    EXPECT_EQ(std::get<QString>(s.db().scalar("SELECT DepNo || '|' || sInitial FROM Initial_Info")),
              "123456789|");

    s.db().exec("INSERT INTO Staff_Info (sName) VALUES ('甲'), ('乙')");
    EXPECT_EQ(legacyStaffCount(s.db()), 2);
}

TEST(StaffBrowser, ListsMonthsPresentAndFindsNamesLiterally)
{
    TestSession s;
    staffRow(s.db(), 0, "张三");
    staffRow(s.db(), 3, "张三丰", "7");
    staffRow(s.db(), 3, "李%四", "8");
    staffRow(s.db(), 3, "王五", "9");
    const std::vector<int> months = browserMonths(s.db());
    ASSERT_EQ(months, (std::vector<int>{0, 3}));
    EXPECT_EQ(browserMonthName(0), "期初");
    EXPECT_EQ(browserMonthName(3), "三月");
    EXPECT_EQ(browserMonthName(12), "十二月");

    BrowserPage page = browseStaff(s.db(), 3);
    EXPECT_EQ(page.rows.size(), 3u);
    EXPECT_EQ(page.status, "  三月, 共有3条记录。");
    EXPECT_EQ(page.rows[0][1], "7");
    EXPECT_EQ(page.rows[0][2], "张三丰");

    page = browseStaff(s.db(), 3, "张");
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.status, "  三月, 共有1条记录。");
    EXPECT_EQ(browseStaff(s.db(), 3, "%").rows.size(), 1u);  // only the name holding '%'
    page = browseStaff(s.db(), 3, "赵");
    EXPECT_TRUE(page.rows.empty());
    EXPECT_EQ(page.status, "  三月, 共有0条记录。");
}
