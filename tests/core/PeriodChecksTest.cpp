#include "TestSession.h"
#include "period/PeriodChecks.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

void staff(Db& db, int month, const char* isok, const char* number = "1")
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES ('甲', ?, ?, ?)",
            {QString(number), static_cast<long long>(month), QString(isok)});
}

void wage(Db& db, int month, const char* sFlag, const char* wFlag, const char* number = "1")
{
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
            " VALUES (?, '甲', ?, 3000, ?, ?)",
            {QString(number), static_cast<long long>(month), QString(sFlag), QString(wFlag)});
}

void registerFounded(Session& s, const QString& createMon)
{
    UnitRegistration r;
    r.name = "单位";
    r.code = "123456789";
    r.type = unit::EnterpriseType;
    r.unitClass = "否";
    r.createMon = createMon;
    saveRegistration(s.db(), r);
}

}  // namespace

TEST(PeriodChecks, PreviousMonthWagesThenStaff)
{
    TestSession s;
    registerFounded(*s, "99");
    EXPECT_TRUE(PrevMonthAudited(*s, 1).passed);

    wage(s.db(), 1, "1", "0");
    CheckOutcome o = PrevMonthAudited(*s, 1);
    EXPECT_FALSE(o.passed);
    EXPECT_EQ(o.messages, QStringList{"必须先核实1月[工资]数据，否则无法进行本月操作！"});

    staff(s.db(), 1, "0");
    o = PrevMonthAudited(*s, 1);
    EXPECT_EQ(o.messages, (QStringList{"必须先核实1月[工资]数据，否则无法进行本月操作！",
                                       "必须先核实1月[人员]数据，否则无法进行本月操作！"}));
    // Errors of another month do not count.
    EXPECT_TRUE(PrevMonthAudited(*s, 2).passed);
}

TEST(PeriodChecks, FoundingMonthSkipsThePreviousMonth)
{
    TestSession s;
    registerFounded(*s, "3");  // founded in April
    staff(s.db(), 3, "0");
    const CheckOutcome o = PrevMonthAudited(*s, 3);
    EXPECT_TRUE(o.passed);
    EXPECT_EQ(s->lastWageMonth(), 4);
}

TEST(PeriodChecks, MonthRosterAndData)
{
    TestSession s;
    EXPECT_FALSE(MonthRosterVerified(s.db(), 5));
    EXPECT_EQ(rosterQuestion(5), "必须先核实5月名单！");
    staff(s.db(), 5, "0");
    EXPECT_TRUE(MonthRosterVerified(s.db(), 5));

    EXPECT_FALSE(MonthHasData(s.db(), 5));  // a roster that failed the audit is no data
    staff(s.db(), 5, "1", "2");
    EXPECT_TRUE(MonthHasData(s.db(), 5));
    EXPECT_FALSE(MonthHasData(s.db(), 12));
    wage(s.db(), 12, "1", "1", "9");  // a wage row without its person in the roster
    EXPECT_FALSE(MonthHasData(s.db(), 12));
    wage(s.db(), 12, "1", "0", "9");
    EXPECT_TRUE(MonthHasData(s.db(), 12));
}

TEST(PeriodChecks, ErrorListsKeepTheirExactForms)
{
    TestSession s;
    staff(s.db(), 0, "0");
    staff(s.db(), 3, "0");
    staff(s.db(), 4, "0");
    CheckOutcome o = NoErrorsUpTo(s.db(), 3);
    EXPECT_FALSE(o.passed);
    EXPECT_EQ(o.messages, QStringList{"期初中,3月份,有人员数据错误，请纠正。"});
    o = StaffErrorsList(s.db());
    EXPECT_EQ(o.messages, QStringList{"年初,3月度,4月度,人员有错误信息，请核对。"});

    TestSession w;
    wage(w.db(), 2, "0", "1");
    wage(w.db(), 11, "1", "0");
    EXPECT_EQ(NoErrorsUpTo(w.db(), 6).messages, QStringList{"2月份,有工资数据错误，请纠正。"});
    EXPECT_EQ(WageErrorsUpTo(w.db(), 12).messages, QStringList{"[2,11]月有工资错误信息，请核查!"});
    EXPECT_EQ(WageErrorsUpTo(w.db(), 1).messages, QStringList{});
    EXPECT_TRUE(StaffErrorsList(w.db()).passed);
}

TEST(PeriodChecks, QuarterWithoutJoinedWagesFailsSilently)
{
    TestSession s;
    staff(s.db(), 3, "1");
    CheckOutcome o = NoErrorsUpTo(s.db(), 3);
    EXPECT_FALSE(o.passed);
    EXPECT_TRUE(o.messages.isEmpty());
    wage(s.db(), 3, "1", "1");
    EXPECT_TRUE(NoErrorsUpTo(s.db(), 3).passed);
}
