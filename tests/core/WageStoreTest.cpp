#include "TestSession.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"

#include <gtest/gtest.h>

#include <set>

using namespace vel;

namespace {

constexpr int Month = 3;

void rosterOf(Db& db, int month, const std::vector<std::pair<QString, QString>>& people)
{
    for (const auto& [number, name] : people)
        db.exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES (?, ?, ?, '1')",
                {number, name, static_cast<long long>(month)});
}

// Rows from sheet row 2: number, name, then the four parts.
Sheet wageSheet(const std::vector<QStringList>& rows)
{
    Sheet sheet(300, wage::ColumnCount);
    int row = wage::FirstPersonRow;
    for (const QStringList& cells : rows) {
        for (int c = 0; c < cells.size(); ++c)
            sheet.setText(row, c + 1, cells[c]);
        ++row;
    }
    return sheet;
}

std::set<int> markedColumns(const Sheet& sheet, int row)
{
    std::set<int> cols;
    for (int col = 1; col <= wage::TotalCol; ++col)
        if (sheet.mark(row, col) != CellMark::None)
            cols.insert(col);
    return cols;
}

QString stored(Db& db, int month)
{
    return wageExportText(db, month);
}

}  // namespace

TEST(WageStore, TotalsFlagsAndMarksRowByRow)
{
    struct Case {
        const char* what;
        QStringList cells;
        QString rosterName;  // the name the month's roster holds under the number; "" for none
        QString total;
        QString sFlag;
        QString wFlag;
        std::set<int> marked;
    };
    const std::vector<Case> cases = {
        {"blank inside the name, empty allowance", {"1", "张 三", "3000", "500", "", "200"}, "张三",
         "3700", "1", "1", {}},
        {"all parts empty", {"2", "乙"}, "乙", "0", "1", "0", {7}},
        {"exactly the lower bound", {"3", "丙", "500"}, "丙", "500", "1", "1", {}},
        {"exactly the upper bound", {"4", "丁", "60000", "40000"}, "丁", "100000", "1", "1", {}},
        {"a cent below the lower bound", {"5", "戊", "", "499.99"}, "戊", "499.99", "1", "0", {7}},
        {"a cent above the upper bound", {"6", "己", "100000", "0.01"}, "己", "100000.01", "1", "0",
         {7}},
        {"basic wage with fen alone", {"7", "庚", "3000.5"}, "庚", "3000.5", "1", "1", {}},
        {"every part with fen, to the fen", {"8", "辛", "3554.48", "809.18", "4011.39"}, "辛",
         "8375.05", "1", "1", {}},
        {"a whole basic wage written with .0", {"9", "壬", "3000.0", " 1000 "}, "壬", "4000", "1",
         "1", {}},
        {"a basic wage of -1 counts like any other", {"10", "癸", "-1", "601"}, "癸", "600", "1", "1",
         {}},
        {"decimal parts add up exactly", {"11", "子", "1000", "0.1", "0.2"}, "子", "1000.3", "1", "1",
         {}},
        {"a negative sum shows 0", {"12", "丑", "-2000", "1000"}, "丑", "0", "1", "0", {7}},
        {"number not in the roster", {"99", "寅", "3000"}, "", "3000", "0", "1", {1, 2}},
        {"number in the roster under another name", {"14", "别人", "3000"}, "卯", "3000", "0", "1",
         {2}},
    };
    TestSession s;
    std::vector<std::pair<QString, QString>> roster;
    for (const Case& c : cases)
        if (!c.rosterName.isEmpty())
            roster.emplace_back(c.cells[0], c.rosterName);
    rosterOf(s.db(), Month, roster);

    std::vector<QStringList> rows;
    for (const Case& c : cases)
        rows.push_back(c.cells);
    Sheet sheet = wageSheet(rows);
    const WageCheckResult result = storeWages(s.db(), Month, sheet);
    ASSERT_FALSE(result.refused());
    EXPECT_EQ(result.people, static_cast<int>(cases.size()));
    EXPECT_EQ(result.writtenRows, static_cast<int>(cases.size()));

    Query q(s.db(), "SELECT * FROM Wage_Info WHERE sMon = 3 ORDER BY id");
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const int row = wage::FirstPersonRow + static_cast<int>(i);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(sheet.text(row, wage::TotalCol), c.total);
        EXPECT_EQ(markedColumns(sheet, row), c.marked);
        ASSERT_TRUE(q.next());
        EXPECT_EQ(decimalText(q.number("sTotal")), c.total);
        EXPECT_EQ(q.text("sFlag"), c.sFlag);
        EXPECT_EQ(q.text("wFlag"), c.wFlag);
    }
    EXPECT_FALSE(q.next());

    Query first(s.db(), "SELECT * FROM Wage_Info WHERE sNumber = '1' AND sMon = 3");
    ASSERT_TRUE(first.next());
    EXPECT_EQ(first.text("sName"), "张三");
    EXPECT_EQ(sheet.text(2, wage::NameCol), "张三");
    EXPECT_EQ(first.number("sN2"), 500);
    EXPECT_TRUE(first.isNull("sN3"));
    EXPECT_EQ(std::get<double>(s.db().scalar("SELECT sN1 FROM Wage_Info WHERE sNumber = '7'")),
              3000.5);
}

TEST(WageStore, MessagesAsTheWindowShowsThem)
{
    TestSession s;
    rosterOf(s.db(), Month, {{"001", "甲"}, {"002", "乙"}, {"003", "己"}});
    Sheet sheet = wageSheet({{"009", "丙", "3000"},
                             {"002", "丁", "3000"},
                             {"001", "甲", "200000"},
                             {"", "戊", "3000"},
                             {"003", "己", "3000.5", "1000"}});
    const WageCheckResult result = storeWages(s.db(), Month, sheet);
    EXPECT_EQ(result.writtenRows, 4);  // the row without a number is checked, not stored
    EXPECT_EQ(result.flagged, 3);
    EXPECT_EQ(wageStoreMessages(result),
              (QStringList{"以下：\n\r[009] [002] \n\r姓名编号或姓名不在当月名单中或姓名编号有重复，"
                           "\r请核实当月人员名册和工资输入表人员信息。",
                           "工资总额超出额定范围：\n\r上限不超过100000,下限不低于500.\n\r"
                           "请到[显示错误]中核实！",
                           "以下行没有姓名编号，未存储：\n\r第5行（戊）"}));
    EXPECT_EQ(wageSavedMessage(Month, result.people), "3月保存成功！共5人输入。");
    EXPECT_EQ(markedColumns(sheet, 5), std::set<int>{wage::NumberCol});
}

TEST(WageStore, ABadCellOrNamelessWagesStoreNothingAndGapsAreNotTheEnd)
{
    TestSession s;
    rosterOf(s.db(), Month, {{"1", "甲"}, {"2", "乙"}, {"3", "丙"}});
    Sheet first = wageSheet({{"1", "甲", "3000"}, {"2", "乙", "4000"}});
    storeWages(s.db(), Month, first);
    const QString before = stored(s.db(), Month);

    Sheet bad = wageSheet({{"1", "甲", "5000"}, {"2", "乙", "3千"}, {"3", "丙", "", "", "1e999"}});
    WageCheckResult result = storeWages(s.db(), Month, bad);
    ASSERT_TRUE(result.refused());
    EXPECT_EQ(wageStoreMessages(result),
              QStringList{"第3行“基本工资”不是数字：3千\n\r第4行“工资性津贴和补贴”不是数字："
                          "1e999\n\r本月工资未作任何改动。"});
    EXPECT_EQ(markedColumns(bad, 3), std::set<int>{wage::BasicCol});
    EXPECT_EQ(stored(s.db(), Month), before);

    // Wages whose name was lost would be dropped by every later pass: refused, not stored.
    Sheet nameless = wageSheet({{"1", "甲", "5000"}, {"2", "  ", "4000"}});
    result = storeWages(s.db(), Month, nameless);
    EXPECT_EQ(wageRefusalMessage(result),
              "第3行没有姓名，请填写姓名或删除该行。\n\r本月工资未作任何改动。");
    EXPECT_EQ(stored(s.db(), Month), before);

    // A number twice would count its wages twice in every report: both rows are named.
    Sheet twice = wageSheet({{"1", "甲", "5000"}, {"2", "乙", "4000"}, {" 1", "甲", "600"}});
    result = storeWages(s.db(), Month, twice);
    EXPECT_EQ(wageRefusalMessage(result),
              "第2行与第4行的姓名编号都是1，一人一月只能有一行工资，请合并或改正。\n\r"
              "本月工资未作任何改动。");
    EXPECT_EQ(markedColumns(twice, 2), std::set<int>{wage::NumberCol});
    EXPECT_EQ(markedColumns(twice, 4), std::set<int>{wage::NumberCol});
    EXPECT_EQ(stored(s.db(), Month), before);

    // An empty row between people is passed over, never the end of the month.
    Sheet gap = wageSheet({{"1", "甲", "5000"}, {}, {" ", " "}, {"3", "丙", "6000"}});
    result = storeWages(s.db(), Month, gap);
    EXPECT_FALSE(result.refused());
    EXPECT_EQ(result.people, 2);
    EXPECT_EQ(stored(s.db(), Month),
              "姓名编号\t姓名\t基本工资\t绩效工资\t工资性津贴和补贴\t其他工资\t合计\tsFlag\twFlag\n"
              "1\t甲\t5000\t\t\t\t5000\t1\t1\n"
              "3\t丙\t6000\t\t\t\t6000\t1\t1\n");
}

TEST(WageStore, AStoreFailingMidwayLeavesTheMonthAsItWas)
{
    TestSession s;
    rosterOf(s.db(), Month, {{"1", "甲"}, {"2", "坏"}});
    Sheet first = wageSheet({{"1", "甲", "3000"}});
    storeWages(s.db(), Month, first);
    const QString before = stored(s.db(), Month);
    s.db().exec("CREATE TRIGGER boom BEFORE INSERT ON Wage_Info WHEN NEW.sName = '坏'"
                " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");

    Sheet sheet = wageSheet({{"1", "甲", "9000"}, {"2", "坏", "3000"}});
    EXPECT_THROW(storeWages(s.db(), Month, sheet), DatabaseError);
    EXPECT_EQ(stored(s.db(), Month), before);
}

TEST(WageStore, OpeningShowsStoredRowsWithTheirFlagsAndRosterImportReplacesValues)
{
    TestSession s;
    rosterOf(s.db(), Month, {{"1", "甲"}, {"2", "乙"}});
    Sheet entry = wageSheet({{"9", "某", "3000"}, {"2", "乙", "3000.5", "600"}, {"1", "甲", "400"}});
    storeWages(s.db(), Month, entry);

    Sheet sheet(300, wage::ColumnCount);
    sheet.setText(40, 1, "left over");
    EXPECT_EQ(openWageSheet(s.db(), 2, Month, sheet), std::nullopt);
    EXPECT_EQ(sheet.text(40, 1), "");

    EXPECT_EQ(openWageSheet(s.db(), 3, Month, sheet), 3);
    EXPECT_EQ(sheet.text(3, wage::BasicCol), "3000.5");
    EXPECT_EQ(sheet.text(3, wage::TotalCol), "3600.5");
    EXPECT_EQ(markedColumns(sheet, 2), (std::set<int>{1, 2}));
    EXPECT_EQ(markedColumns(sheet, 3), std::set<int>{});
    EXPECT_EQ(markedColumns(sheet, 4), std::set<int>{wage::TotalCol});

    // The roster replaces the values of the data area; the marks stay until the next check.
    EXPECT_EQ(loadMonthRoster(s.db(), Month, sheet), 2);
    EXPECT_EQ(sheet.text(2, wage::NumberCol), "1");
    EXPECT_EQ(sheet.text(2, wage::NameCol), "甲");
    EXPECT_EQ(sheet.text(2, wage::TotalCol), "");
    EXPECT_EQ(sheet.text(4, wage::NameCol), "");
    EXPECT_EQ(sheet.mark(4, wage::TotalCol), CellMark::Error);
}

TEST(WageStore, AmountsBeyondAnyWageAndControlCharactersAreRefused)
{
    TestSession s;
    rosterOf(s.db(), Month, {{"1", "甲"}, {"2", "乙"}, {"3", "丙"}});
    Sheet sheet = wageSheet({{"1", "甲", "1.79e308", "1.79e308"},
                             {"2", "乙", "1e14"},
                             {"3", QString("丙") + QChar(0x1F), "3000"},
                             {"4", "丁", "100000000", "-100000000"}});
    const WageCheckResult result = storeWages(s.db(), Month, sheet);
    EXPECT_EQ(wageRefusalMessage(result),
              "第2行“基本工资”超出上限100000000元：1.79e308\n\r"
              "第3行“基本工资”超出上限100000000元：1e14\n\r"
              "第4行“姓名”含有控制字符 U+001F，请删除。\n\r"
              "本月工资未作任何改动。");
    EXPECT_EQ(stored(s.db(), Month).count('\n'), 1);
}
