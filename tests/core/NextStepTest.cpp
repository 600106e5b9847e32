#include "MaintenanceFixture.h"
#include "maintenance/Clearing.h"
#include "period/CommandChecks.h"
#include "period/NextStep.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vel;

namespace {

// Months 0..last with a clean roster of one person, wages for 1..last.
void cleanYear(Session& s, int last)
{
    registerUnit(s);
    for (int m = 0; m <= last; ++m) {
        staffRow(s.db(), m, "甲");
        if (m > 0)
            wageRow(s.db(), m);
    }
}

void failStaff(Session& s, int month)
{
    s.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = ?", {static_cast<long long>(month)});
}

void failWages(Session& s, int month)
{
    s.db().exec("UPDATE Wage_Info SET wFlag = '0' WHERE sMon = ?", {static_cast<long long>(month)});
}

struct YearState {
    const char* name;
    std::function<void(Session&)> make;
    QString hint;
    int opens;  // the wage month the hint sends the clerk to, whose checks must pass; 0 for none
};

}  // namespace

TEST(NextStep, NamesOnlyAStepThatOpensOrWhatBlocksIt)
{
    const std::vector<YearState> states = {
        {"empty folder", [](Session&) {}, "下一步：从业人员管理 › 单位基本信息", 0},
        {"registered, no opening roster", [](Session& s) { registerUnit(s); },
         "下一步：从业人员管理 › 期初人员情况 › 从业人员批量输入", 0},
        {"opening roster with errors",
         [](Session& s) {
             cleanYear(s, 0);
             failStaff(s, 0);
         },
         "下一步：改正期初人员错误（从业人员管理 › 期初人员情况 › 从业人员批量输入）", 0},
        {"opening roster, no January roster", [](Session& s) { cleanYear(s, 0); },
         "下一步：核实1月名单（工资录入 › 1月工资过录表）", 0},
        {"January's roster in", [](Session& s) {
             cleanYear(s, 0);
             staffRow(s.db(), 1, "甲");
         },
         "下一步：工资录入 › 1月工资过录表", 1},
        {"mid-year", [](Session& s) {
             cleanYear(s, 5);
             staffRow(s.db(), 6, "甲");
         },
         "下一步：工资录入 › 6月工资过录表", 6},
        {"March's wages with errors",
         [](Session& s) {
             cleanYear(s, 3);
             failWages(s, 3);
         },
         "下一步：改正3月工资错误（工资录入 › 3月工资过录表 › 显示错误）", 3},
        {"March's roster with errors, wages after it",
         [](Session& s) {
             cleanYear(s, 5);
             failStaff(s, 3);
         },
         "下一步：改正3月人员错误（工资录入 › 3月工资过录表 › 核实名册）", 3},
        {"wage errors in February and May: the earlier first",
         [](Session& s) {
             cleanYear(s, 5);
             failWages(s, 5);
             failWages(s, 2);
             failStaff(s, 2);
         },
         "下一步：改正2月工资错误（工资录入 › 2月工资过录表 › 显示错误）", 2},
        {"a later month's roster with errors waits for its month",
         [](Session& s) {
             cleanYear(s, 3);
             staffRow(s.db(), 4, "甲");
             staffRow(s.db(), 6, "甲");
             failStaff(s, 6);
         },
         "下一步：工资录入 › 4月工资过录表", 4},
        {"all twelve months done", [](Session& s) { cleanYear(s, 12); },
         "下一步：数据汇总 › 从业人员及工资总额年报", 0},
        {"December's wages with errors",
         [](Session& s) {
             cleanYear(s, 12);
             failWages(s, 12);
         },
         "下一步：改正12月工资错误（工资录入 › 12月工资过录表 › 显示错误）", 12},
        {"opening roster cleared after a year",
         [](Session& s) {
             cleanYear(s, 12);
             clearData(s, ClearKind::Opening, std::nullopt);
         },
         "下一步：从业人员管理 › 期初人员情况 › 从业人员批量输入", 0},
        {"founded in May, errors before it count for nothing",
         [](Session& s) {
             UnitRegistration r;
             r.name = "单位";
             r.code = "123456789";
             r.type = unit::EnterpriseType;
             r.unitClass = "否";
             r.createMon = "4";
             saveRegistration(s.db(), r);
             staffRow(s.db(), 0, "甲");
             staffRow(s.db(), 3, "甲");
             failStaff(s, 3);
             staffRow(s.db(), 5, "甲");
         },
         "下一步：工资录入 › 5月工资过录表", 5},
    };
    for (const YearState& state : states) {
        SCOPED_TRACE(state.name);
        TestSession s;
        state.make(*s);
        s->setLastWageMonth(2);
        EXPECT_EQ(nextStepHint(*s), state.hint);
        // Finding the hint hands no window anything.
        EXPECT_EQ(s->lastWageMonth(), 2);
        if (state.opens > 0)
            EXPECT_TRUE(wageMonthOpens(*s, state.opens).passed);
    }
}

TEST(NextStep, AReadOnlyFolderSaysSoInstead)
{
    TestSession s;
    cleanYear(*s, 3);
    Session reader(WorkFolder(s.path()), true);
    EXPECT_EQ(nextStepHint(reader), "工作文件夹是只读的，只能查看数据。");
}
