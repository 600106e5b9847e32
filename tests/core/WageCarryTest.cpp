#include "TestSession.h"
#include "monthly/WageCarry.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

void rosterOf(Db& db, int month, const std::vector<std::pair<QString, QString>>& people)
{
    for (const auto& [number, name] : people)
        db.exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES (?, ?, ?, '1')",
                {number, name, static_cast<long long>(month)});
}

void wagesOf(Db& db, int month, const std::vector<QStringList>& rows)
{
    for (const QStringList& r : rows)
        db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                " VALUES (?, ?, ?, ?, ?, ?, '1', '1')",
                {r[0], r[1], static_cast<long long>(month), r[2].toDouble(),
                 r[3].isEmpty() ? SqlValue(nullptr) : SqlValue(r[3].toDouble()),
                 r[2].toDouble() + r[3].toDouble()});
}

QStringList sheetRow(const Sheet& sheet, int row)
{
    QStringList cells;
    for (int col = 1; col <= wage::TotalCol; ++col)
        cells << sheet.text(row, col);
    return cells;
}

}  // namespace

TEST(WageCarry, TakesLastMonthsWagesForThisMonthsRoster)
{
    TestSession s;
    wagesOf(s.db(), 4, {{"001", "甲", "3000", "500"},
                        {"002", "乙", "2800", ""},
                        {"003", "丙", "4000", ""},
                        {"005", "戊", "1000", ""},
                        {"005", "己", "2000", ""}});
    // 乙 married and changed the name; 丙 left; 丁 joined; the two 005 keep their own wages.
    rosterOf(s.db(), 5, {{"005", "己"}, {"002", "乙二"}, {"004", "丁"}, {"001", "甲"}, {"005", "戊"}});

    Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
    sheet.setText(9, wage::BasicCol, "typed before");
    sheet.setMark(3, wage::TotalCol, CellMark::Error);
    const WageCarryResult r = carryWages(s.db(), 5, sheet);

    EXPECT_EQ(r.carried, 4);
    EXPECT_EQ(r.joined, 1);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(sheetRow(sheet, 2), (QStringList{"005", "己", "2000", "", "", "", "2000"}));
    EXPECT_EQ(sheetRow(sheet, 3), (QStringList{"002", "乙二", "2800", "", "", "", "2800"}));
    EXPECT_EQ(sheetRow(sheet, 4), (QStringList{"004", "丁", "", "", "", "", ""}));
    EXPECT_EQ(sheetRow(sheet, 5), (QStringList{"001", "甲", "3000", "500", "", "", "3500"}));
    EXPECT_EQ(sheetRow(sheet, 6), (QStringList{"005", "戊", "1000", "", "", "", "1000"}));
    EXPECT_EQ(lastWageRow(sheet), 6);  // what was typed before is gone, and its marks
    EXPECT_EQ(sheet.mark(3, wage::TotalCol), CellMark::None);
    EXPECT_EQ(wageCarryMessage(r), "导入成功，共计5人：4人沿用上月工资，1人为新增人员（工资待填写）；"
                                   "上月1人不在本月名单中，未导入。");

    // Stored as any typed month: a number twice is refused, as every report would count it
    // twice; without it, the person without wages is flagged below the bound.
    WageCheckResult stored = storeWages(s.db(), 5, sheet);
    EXPECT_EQ(wageRefusalMessage(stored), "第2行与第6行的姓名编号都是005，一人一月只能有一行工资，"
                                          "请合并或改正。\n\r本月工资未作任何改动。");
    sheet.deleteRows(6, 1);
    stored = storeWages(s.db(), 5, sheet);
    EXPECT_EQ(stored.writtenRows, 4);
    EXPECT_EQ(stored.flagged, 1);
}

TEST(WageCarry, RefusesWhatHasNothingToTakeOver)
{
    TestSession s;
    EXPECT_EQ(wageCarryRefusal(s.db(), 1), "1月没有上一月，无法导入上一月工资。");
    EXPECT_EQ(wageCarryRefusal(s.db(), 3), "2月没有已存储的工资，无法导入。");
    wagesOf(s.db(), 2, {{"001", "甲", "3000", ""}});
    EXPECT_EQ(wageCarryRefusal(s.db(), 3), "名册内没有数据！");
    rosterOf(s.db(), 3, {{"001", "甲"}});
    EXPECT_EQ(wageCarryRefusal(s.db(), 3), "");
}
