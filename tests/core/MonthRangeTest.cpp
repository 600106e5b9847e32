#include "TestSession.h"
#include "reports/MonthRange.h"
#include "reports/PeriodCopy.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

void staff(Db& db, int month, const char* number = "1", const char* isok = "1")
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES ('甲', ?, ?, ?)",
            {QString(number), static_cast<long long>(month), QString(isok)});
}

void wage(Db& db, int month, const char* sFlag = "1", const char* wFlag = "1",
          const char* number = "1")
{
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
            " VALUES (?, '甲', ?, 3000, ?, ?)",
            {QString(number), static_cast<long long>(month), QString(sFlag), QString(wFlag)});
}

}  // namespace

TEST(MonthRange, ChooserOffersTheRosterMonthsOrSaysWhyNot)
{
    TestSession s;
    ChooserOpening none = rangeChooserOpens(s.db());
    EXPECT_FALSE(none.checks.passed);
    EXPECT_EQ(none.checks.messages, QStringList{"没有输入月工资信息！"});
    EXPECT_EQ(none.checks.shownAs, MessageKind::Error);

    staff(s.db(), 0);
    staff(s.db(), 5);
    staff(s.db(), 2);
    const ChooserOpening open = rangeChooserOpens(s.db());
    EXPECT_TRUE(open.checks.passed);
    EXPECT_EQ(open.months, (std::vector<int>{2, 5}));

    // Every year-wide check that finds rows speaks, each listing its months.
    wage(s.db(), 5, "0", "1");
    wage(s.db(), 3, "0", "0");
    wage(s.db(), 2, "1", "0");
    staff(s.db(), 4, "2", "0");
    staff(s.db(), 0, "2", "0");  // the opening roster is the menu's check, not the chooser's
    const ChooserOpening refused = rangeChooserOpens(s.db());
    EXPECT_FALSE(refused.checks.passed);
    EXPECT_EQ(refused.checks.shownAs, MessageKind::Confirm);
    EXPECT_TRUE(refused.months.empty());
    EXPECT_EQ(refused.checks.messages,
              (QStringList{"[3,5]月工资数据还有错误，不能汇总，请核实！",
                           "[2,3]月工资数据还有【审核性】错误，不能汇总，请核实！",
                           "[4]月度人员还有错误，不能汇总，请核实！"}));

    // The menu entry refuses first on any month's staff errors, the opening roster's too.
    const ChooserOpening menu = wageSummaryOpens(s.db());
    EXPECT_EQ(menu.checks.messages, QStringList{"年初,4月度,人员有错误信息，请核对。"});
    EXPECT_EQ(menu.checks.shownAs, MessageKind::Info);
}

TEST(MonthRange, RangeChecksRefuseWhatCannotBeSummarised)
{
    TestSession s;
    for (int m = 0; m <= 12; ++m)
        staff(s.db(), m);
    wage(s.db(), 4, "0", "1");
    wage(s.db(), 5, "1", "0");
    // Month 8's roster lists number 7 twice while 7 has wages.
    staff(s.db(), 8, "7");
    staff(s.db(), 8, "7");
    wage(s.db(), 8, "1", "1", "7");
    struct Case {
        const char* from;
        const char* to;
        const char* refusal;
        MessageKind shownAs;
    };
    const QString shared = "当月人员名册中姓名编号重复，工资会被重复统计：8月[7]。请核实人员名册。";
    const Case cases[] = {
        {"3", "2", "开始、截止月份错误!", MessageKind::Error},
        {"0", "2", "开始、截止月份错误!", MessageKind::Error},
        {"1", "13", "开始、截止月份错误!", MessageKind::Error},
        {"一", "2", "开始、截止月份错误!", MessageKind::Error},
        {" 2", "", "开始、截止月份错误!", MessageKind::Error},
        {"1", "6", "4,5月有工资错误信息，请核查", MessageKind::Info},
        {"5", "5", "5月有工资错误信息，请核查", MessageKind::Info},
        {"8", "12", "", MessageKind::Info},
        {"9", "12", "", MessageKind::Info},  // the month before the range is read too
        {"10", "12", nullptr, MessageKind::Info},
        {" 1 ", "3", nullptr, MessageKind::Info},
        {"6", "6", nullptr, MessageKind::Info},
    };
    for (const Case& c : cases) {
        const RangeChoice choice = checkRange(s.db(), c.from, c.to);
        const QString expected = !c.refusal ? QString() : *c.refusal ? c.refusal : shared;
        EXPECT_EQ(choice.checks.passed, !c.refusal) << c.from << "-" << c.to;
        EXPECT_EQ(choice.checks.messages.join('|'), expected) << c.from << "-" << c.to;
        if (c.refusal) {
            EXPECT_EQ(choice.checks.shownAs, c.shownAs) << c.from << "-" << c.to;
        }
        EXPECT_FALSE(choice.copyStored);
    }
    EXPECT_EQ(checkRange(s.db(), " 1 ", "3").range, (MonthRange{1, 3}));
}

TEST(MonthRange, StoredCopyOfTheSameFormIsOfferedForReuse)
{
    TestSession s;
    staff(s.db(), 1);
    staff(s.db(), 6);
    EXPECT_FALSE(checkRange(s.db(), "1", "6", 40).copyStored);
    {
        Transaction tx(s.db());
        savePeriodCopy(s.db(), {1, 6}, 21);
        tx.commit();
    }
    EXPECT_EQ(std::get<long long>(s.db().scalar("SELECT COUNT(*) FROM Total_1_6")), 21);
    // The other form's copy is none: recomputing replaces it.
    EXPECT_FALSE(checkRange(s.db(), "1", "6", 40).copyStored);
    const RangeChoice organ = checkRange(s.db(), "1", "6", 21);
    EXPECT_TRUE(organ.copyStored);
    EXPECT_FALSE(checkRange(s.db(), "1", "6").copyStored);  // a report that always recomputes

    EXPECT_EQ(decideRange(organ, false).reuseCopy, true);
    EXPECT_EQ(decideRange(organ, true).reuseCopy, false);
    EXPECT_EQ(decideRange(checkRange(s.db(), "1", "6", 40), false).reuseCopy, false);
    EXPECT_EQ(decideRange(organ, false).range, (MonthRange{1, 6}));

    {
        Transaction tx(s.db());
        savePeriodCopy(s.db(), {1, 6}, 40);
        tx.commit();
    }
    EXPECT_TRUE(checkRange(s.db(), "1", "6", 40).copyStored);
    EXPECT_EQ(periodCopyTable({6, 12}), "Total_6_12");
    for (const MonthRange bad : {MonthRange{0, 3}, MonthRange{4, 3}, MonthRange{1, 13}})
        EXPECT_THROW(periodCopyTable(bad), std::logic_error);
}
