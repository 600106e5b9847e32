#include "TestSession.h"
#include "monthly/PayoutList.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

// A wage row of a person on the month's roster.
void addWage(Db& db, int month, const char* number, const char* name, SqlValue total)
{
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
            " VALUES (?, ?, ?, ?, '1', '1')",
            {QString(number), QString(name), static_cast<long long>(month), total});
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES (?, ?, ?, '1')",
            {QString(name), QString(number), static_cast<long long>(month)});
}

// A row of the list: name, number, the twelve month cells as given, total.
QStringList row(const char* name, const char* number, const QStringList& months, const char* total)
{
    QStringList cells{name, number};
    cells << months;
    while (cells.size() < 14)
        cells << QString();
    cells << total;
    return cells;
}

}  // namespace

TEST(PayoutList, ChooserMonthsAndRange)
{
    TestSession s;
    EXPECT_TRUE(payoutMonths(s.db()).empty());
    for (int month : {0, 5, 2, 2})
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES ('甲', '1', ?,"
                    " '1')",
                    {static_cast<long long>(month)});
    EXPECT_EQ(payoutMonths(s.db()), (std::vector<int>{2, 5}));

    EXPECT_EQ(payoutRangeRefusal(3, 2), "开始、截止月份错误!");
    EXPECT_EQ(payoutRangeRefusal(0, 2), payout::RangeError);
    EXPECT_EQ(payoutRangeRefusal(1, 13), payout::RangeError);
    EXPECT_EQ(payoutRangeRefusal(4, 4), "");
}

TEST(PayoutList, PeopleByNumberWithTheirOwnTotalsAndTheGrandTotal)
{
    TestSession s;
    addWage(s.db(), 2, "10", "甲", 3000.0);
    addWage(s.db(), 3, "10", "甲", 3100.5);
    addWage(s.db(), 3, "9", "乙", 2000.0);
    addWage(s.db(), 3, "9", "乙", 500.0);  // twice in a month: the cell shows what the total counts
    addWage(s.db(), 6, "9", "乙", 2500.0);
    addWage(s.db(), 7, "9", "乙", 9999.0);  // outside the range
    addWage(s.db(), 2, "10", "丙", 1000.0);  // the same number under another name: a row of its own
    addWage(s.db(), 8, " 11 ", "丁 ", 4000.0);  // wages only outside the range still give a row
    addWage(s.db(), 4, "12", "戊", nullptr);  // no total stored: an empty cell
    // Wages of nobody on the month's roster count nowhere, as in the forms.
    s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                " VALUES ('13', '己', 3, 5000, '0', '1'), ('9', '乙', 5, 700, '0', '1')");

    const PayoutList list = listPayouts(s.db(), 2, 6);
    ASSERT_EQ(list.rows.size(), 7u);
    EXPECT_EQ(list.rows[0], (QStringList{"姓名", "编号", "1月", "2月", "3月", "4月", "5月", "6月 ",
                                         "7月", "8月", "9月", "10月", "11月", "12月", "合计"}));
    EXPECT_EQ(list.rows[1], row("乙", "9", {"", "", "2500", "", "", "2500"}, "5000"));
    EXPECT_EQ(list.rows[2], row("丙", "10", {"", "1000"}, "1000"));
    EXPECT_EQ(list.rows[3], row("甲", "10", {"", "3000", "3100.5"}, "6100.5"));
    EXPECT_EQ(list.rows[4], row("丁", "11", {}, "0"));
    EXPECT_EQ(list.rows[5], row("戊", "12", {}, "0"));
    QStringList total(15);
    total[13] = "总计：";
    total[14] = "12100.5";
    EXPECT_EQ(list.rows[6], total);
}

TEST(PayoutList, NumbersOrderAsTheirValueThenAsTextWithoutANumberFirst)
{
    TestSession s;
    for (const char* number : {"10", "010", "9a", "abc", "", "10"})
        addWage(s.db(), 1, number, number[0] ? "乙" : "丙", 1.0);
    s.db().exec("UPDATE Wage_Info SET sName = '甲' WHERE id = (SELECT MAX(id) FROM Wage_Info)");

    const PayoutList list = listPayouts(s.db(), 1, 1);
    QStringList order;
    for (size_t i = 1; i + 1 < list.rows.size(); ++i)
        order << list.rows[i][1] + list.rows[i][0];
    EXPECT_EQ(order, (QStringList{"丙", "abc乙", "9a乙", "010乙", "10乙", "10甲"}));
}

TEST(PayoutList, ATotalThatIsNoNumberStopsTheListWithItsPerson)
{
    TestSession s;
    addWage(s.db(), 3, "1", "甲", QString("三千"));
    try {
        listPayouts(s.db(), 1, 12);
        FAIL() << "listed a total that is no number";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "甲（1）3月的合计不是数字：三千");
    }
    EXPECT_THROW(listPayouts(s.db(), 5, 4), Error);
}
