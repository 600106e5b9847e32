#include "TestSession.h"
#include "monthly/WageErrors.h"
#include "monthly/WageSheet.h"
#include "sheet/Sheet.h"

#include <gtest/gtest.h>

#include <set>

using namespace vel;

namespace {

constexpr int Month = 3;

// Month 3: one clean row and one error of each kind, the last a row an earlier version stored
// with its basic wage with fen left out of the total.
class WageErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [number, name] : {std::pair{"1", "甲"}, {"2", "乙"}, {"3", "丙"}})
            s.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok)"
                        " VALUES (?, ?, 3, '1')",
                        {QString(number), QString(name)});
        Sheet entry(100, wage::ColumnCount);
        const std::vector<QStringList> rows = {{"1", "甲", "3000"},
                                               {"9", "乙", "3000"},
                                               {"3", "丙", "150000", "50000"}};
        for (size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                entry.setText(static_cast<int>(r) + 2, c + 1, rows[r][c]);
        storeWages(s.db(), Month, entry);
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                    " VALUES ('2', '乙', 3, 3000.5, 1000, 1000, '1', '0')");
    }

    QString stored() { return wageExportText(s.db(), Month); }

    std::set<int> marked(int row) const
    {
        std::set<int> cols;
        for (int col = 1; col <= wage::TotalCol; ++col)
            if (sheet.mark(row, col) != CellMark::None)
                cols.insert(col);
        return cols;
    }

    TestSession s;
    Sheet sheet{100, wage::ColumnCount};
};

}  // namespace

TEST_F(WageErrors, ListsTheFailedRowsAndSavesCorrectionsTogether)
{
    EXPECT_TRUE(hasWageErrors(s.db(), Month));
    applyWageLayout(sheet, WageTemplate::Errors);
    ASSERT_EQ(loadWageErrors(s.db(), Month, sheet), 3);
    EXPECT_EQ(sheet.text(wage::HeaderRow, wage::AllowanceCol), "福利工资");
    EXPECT_EQ(sheet.maxCol(), wage::TotalCol);  // the ids stay out of reach of a paste
    EXPECT_EQ(sheet.text(2, wage::NumberCol), "9");
    EXPECT_EQ(marked(2), (std::set<int>{1, 2}));
    EXPECT_EQ(marked(3), std::set<int>{wage::TotalCol});
    EXPECT_EQ(marked(4), std::set<int>{wage::TotalCol});
    EXPECT_FALSE(sheet.text(2, wage::ErrorsIdCol).isEmpty());

    sheet.setText(2, wage::NumberCol, " 2 ");
    sheet.setText(3, wage::BasicCol, "5000");
    sheet.setText(3, wage::PerformanceCol, "");  // emptied: stored empty, as the total counts it
    const WageCheckResult result = saveWageCorrections(s.db(), Month, sheet);
    ASSERT_FALSE(result.refused());
    EXPECT_EQ(result.writtenRows, 3);
    EXPECT_EQ(result.flagged, 0);
    EXPECT_EQ(sheet.text(3, wage::TotalCol), "5000");
    EXPECT_EQ(sheet.text(4, wage::TotalCol), "4000.5");

    EXPECT_EQ(stored(),
              "姓名编号\t姓名\t基本工资\t绩效工资\t工资性津贴和补贴\t其他工资\t合计\tsFlag\twFlag\n"
              "1\t甲\t3000\t\t\t\t3000\t1\t1\n"
              "2\t乙\t3000\t\t\t\t3000\t1\t1\n"
              "3\t丙\t5000\t\t\t\t5000\t1\t1\n"
              "2\t乙\t3000.5\t1000\t\t\t4000.5\t1\t1\n");
    EXPECT_EQ(loadWageErrors(s.db(), Month, sheet), 0);
}

TEST_F(WageErrors, ABadCellOrAMissingRecordSavesNothing)
{
    loadWageErrors(s.db(), Month, sheet);
    const QString before = stored();
    sheet.setText(2, wage::NumberCol, "2");
    sheet.setText(3, wage::OtherCol, "一千");
    sheet.setText(5, wage::NameCol, "丁");  // typed under the list: no stored record
    const WageCheckResult result = saveWageCorrections(s.db(), Month, sheet);
    ASSERT_TRUE(result.refused());
    EXPECT_EQ(wageRefusalMessage(result),
              "第3行“其他工资”不是数字：一千\n\r第5行不是已存储的工资记录，无法保存。\n\r"
              "本月工资未作任何改动。");
    EXPECT_EQ(sheet.mark(3, wage::OtherCol), CellMark::Error);
    EXPECT_EQ(stored(), before);
}

TEST_F(WageErrors, ConfirmAcceptsOnlyOutOfBoundsTotalsAndDeleteStaysInTheMonth)
{
    EXPECT_EQ(confirmBoundsErrors(s.db(), Month), 1);
    EXPECT_EQ(s.db().scalar("SELECT wFlag FROM Wage_Info WHERE sNumber = '3'"), SqlValue("1"));
    // Confirming cannot make a total that left out a part right; saving the row again does.
    EXPECT_EQ(s.db().scalar("SELECT wFlag FROM Wage_Info WHERE sN1 = 3000.5"), SqlValue("0"));

    ASSERT_EQ(loadWageErrors(s.db(), Month, sheet), 2);
    const long long first = sheet.text(2, wage::ErrorsIdCol).toLongLong();
    const long long second = sheet.text(3, wage::ErrorsIdCol).toLongLong();
    deleteWageRow(s.db(), Month + 1, first);
    EXPECT_EQ(loadWageErrors(s.db(), Month, sheet), 2);
    deleteWageRow(s.db(), Month, first);
    deleteWageRow(s.db(), Month, second);
    EXPECT_FALSE(hasWageErrors(s.db(), Month));
    EXPECT_EQ(loadWageErrors(s.db(), Month, sheet), 0);
}

TEST(WageDuplicates, AllRowsOfANumberSharedWithTheSameNameAreListedAndEdited)
{
    TestSession s;
    const auto addWage = [&](int month, const char* number, const char* name) {
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                    " VALUES (?, ?, ?, 3000, 500, 3500, '1', '1')",
                    {QString(number), QString(name), static_cast<long long>(month)});
    };
    addWage(3, "1002", "甲");
    addWage(3, "1001", "甲");
    addWage(3, "1002", "乙");
    addWage(3, "1001", "乙");
    addWage(3, "1001", "甲");
    addWage(4, "1001", "甲");
    addWage(5, "1002", "甲");
    addWage(5, "1002", "乙");

    EXPECT_TRUE(hasDuplicatePersons(s.db(), 3));
    EXPECT_FALSE(hasDuplicatePersons(s.db(), 5));  // one number, two names: not a duplicate
    Sheet sheet(100, wage::ColumnCount);
    EXPECT_EQ(loadDuplicateWages(s.db(), 5, sheet), 0);
    ASSERT_EQ(loadDuplicateWages(s.db(), 3, sheet), 3);
    EXPECT_EQ(sheet.text(2, wage::NameCol), "甲");
    EXPECT_EQ(sheet.text(3, wage::NameCol), "乙");
    EXPECT_EQ(sheet.text(4, wage::NameCol), "甲");
    EXPECT_FALSE(sheet.text(4, wage::DuplicatesIdCol).isEmpty());

    sheet.setText(4, wage::NumberCol, "1003 ");
    sheet.setText(4, wage::PerformanceCol, "");
    sheet.setText(4, wage::TotalCol, "3000");
    sheet.setText(3, wage::NumberCol, " ");
    WageCheckResult result = saveDuplicateEdits(s.db(), 3, sheet);
    EXPECT_EQ(wageRefusalMessage(result),
              "第3行没有姓名编号，请填写姓名编号或删除该行。\n\r本月工资未作任何改动。");
    EXPECT_EQ(s.db().scalar("SELECT COUNT(*) FROM Wage_Info WHERE sNumber = '1003'"),
              SqlValue(0LL));

    sheet.setText(3, wage::NumberCol, "1001");
    result = saveDuplicateEdits(s.db(), 3, sheet);
    ASSERT_FALSE(result.refused());
    EXPECT_EQ(result.writtenRows, 3);
    Query q(s.db(), "SELECT * FROM Wage_Info WHERE sNumber = '1003'");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer("sMon"), 3);
    EXPECT_TRUE(q.isNull("sN2"));
    EXPECT_EQ(q.number("sTotal"), 3000);
    EXPECT_FALSE(hasDuplicatePersons(s.db(), 3));
}
