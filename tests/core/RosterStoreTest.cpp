#include "TestSession.h"
#include "sheet/Sheet.h"
#include "staff/RosterStore.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

// A sheet with people from row 3: name, number, then answers by column.
Sheet sheetOf(const std::vector<std::vector<QString>>& people)
{
    Sheet sheet(200, staff::ColumnCount);
    int row = staff::FirstPersonRow;
    for (const auto& person : people) {
        for (size_t c = 0; c < person.size(); ++c)
            sheet.setText(row, static_cast<int>(c) + 1, person[c]);
        ++row;
    }
    return sheet;
}

StaffPassResult passedRows(const Sheet& sheet, std::vector<int> failing = {})
{
    StaffPassResult result;
    for (int row = staff::FirstPersonRow; row <= lastPersonRow(sheet); ++row) {
        StaffRowResult r;
        r.row = row;
        r.passed = std::find(failing.begin(), failing.end(), row) == failing.end();
        result.rows.push_back(r);
    }
    return result;
}

QStringList storedNames(Db& db, int month)
{
    QStringList names;
    Query q(db, "SELECT sName FROM Staff_moninfo WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    while (q.next())
        names << q.text("sName");
    return names;
}

}  // namespace

TEST(RosterStore, StoresOnlyTheColumnsTheClassAnswersWithFlagsAndQuotes)
{
    TestSession s;
    Sheet sheet = sheetOf({
        {"O'Brien", "001", "男", "否", "是", "1967-01", "20", "5", "大学本科", "管理人员", "", "",
         "在岗职工", "是", "是", "否", "否", "是"},
        {"张三", "", "女"},
    });
    sheet.setText(3, 25, "1");
    sheet.setText(3, 29, "41");
    sheet.setText(3, 34, "1");
    replaceRoster(s.db(), 0, sheet, StaffClass::Other, passedRows(sheet, {4}));

    Query q(s.db(), "SELECT * FROM Staff_moninfo WHERE sMon = 0 ORDER BY id");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("sName"), "O'Brien");
    EXPECT_EQ(q.integer("sSex"), 1);
    EXPECT_EQ(q.integer("sPost"), 41);
    EXPECT_EQ(q.integer("sWorks"), 20);
    EXPECT_TRUE(q.isNull("sTGrade"));
    EXPECT_TRUE(q.isNull("sTgc"));  // a unit of this class does not answer column 15
    EXPECT_TRUE(q.isNull("sgc"));
    EXPECT_EQ(q.text("sIsok"), "1");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("sNumber"), "");  // stored as it stands, not null
    EXPECT_FALSE(q.isNull("sNumber"));
    EXPECT_EQ(q.text("sIsok"), "0");

    replaceRoster(s.db(), 0, sheet, StaffClass::Construction, passedRows(sheet));
    Query c(s.db(), "SELECT sTgc, sgc, sTyg FROM Staff_moninfo WHERE sName = 'O''Brien'");
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.text("sTgc"), "是");
    EXPECT_EQ(c.integer("sgc"), 1);
    EXPECT_EQ(c.text("sTyg"), "是");
    EXPECT_EQ(storedNames(s.db(), 0).size(), 2);  // replaced, not added
}

TEST(RosterStore, ASaveFailingMidwayLeavesTheStoredRosterAsItWas)
{
    TestSession s;
    Sheet before = sheetOf({{"甲", "1"}, {"乙", "2"}});
    replaceRoster(s.db(), 3, before, StaffClass::Other, passedRows(before));
    s.db().exec("CREATE TRIGGER boom BEFORE INSERT ON Staff_moninfo WHEN NEW.sName = '坏'"
                " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");

    Sheet after = sheetOf({{"丙", "3"}, {"坏", "4"}, {"丁", "5"}});
    EXPECT_THROW(replaceRoster(s.db(), 3, after, StaffClass::Other, passedRows(after)),
                 DatabaseError);
    EXPECT_EQ(storedNames(s.db(), 3), (QStringList{"甲", "乙"}));
}

// Every pass ends at the first row without a name, so the people below it would be lost: the
// save and the correction refuse the sheet, naming that row, and change nothing.
TEST(RosterStore, PeopleBelowARowWithoutANameAreRefusedBeforeAnythingChanges)
{
    const struct {
        const char* what;
        std::vector<std::vector<QString>> people;
        QString refusal;  // empty: stored
    } cases[] = {
        {"an empty row", {{"乙", "2"}, {}, {"丙", "4"}}, "第4行没有姓名，其下还有人员。"},
        {"a number without a name", {{"乙", "2"}, {"", "3"}, {"丙", "4"}},
         "第4行没有姓名，其下还有人员。"},
        {"two empty rows", {{"乙", "2"}, {}, {}, {"丙", "4"}}, "第4行没有姓名，其下还有人员。"},
        {"a name of blanks", {{"乙", "2"}, {"   ", "3"}, {"丙", "4"}},
         "第4行姓名只有空格，请填写姓名或删除该行后再保存。"},
        {"nobody below the gap", {{"乙", "2"}, {"", "3"}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestSession s;
        Sheet before = sheetOf({{"甲", "1"}});
        replaceRoster(s.db(), 0, before, StaffClass::Other, passedRows(before));
        Sheet sheet = sheetOf(c.people);
        try {
            replaceRoster(s.db(), 0, sheet, StaffClass::Other, passedRows(sheet));
            EXPECT_EQ(c.refusal, "");
            EXPECT_EQ(storedNames(s.db(), 0), QStringList{"乙"});
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), c.refusal);
            EXPECT_EQ(storedNames(s.db(), 0), QStringList{"甲"});
        }
    }

    TestSession s;
    Sheet failing = sheetOf({{"甲", "1", "?"}, {"乙", "2", "?"}});
    replaceRoster(s.db(), 0, failing, StaffClass::Other, passedRows(failing, {3, 4}));
    Sheet wrong(100, staff::ColumnCount);
    ASSERT_EQ(loadRoster(s.db(), 0, RosterFilter::Failed, wrong), 2);
    wrong.insertRows(4, 1);
    try {
        updateCorrectedRows(s.db(), 0, wrong, passedRows(wrong));
        ADD_FAILURE() << "the correction below the gap was dropped";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "第4行没有姓名，其下还有人员。");
    }
    EXPECT_EQ(std::get<long long>(s.db().scalar("SELECT COUNT(*) FROM Staff_moninfo"
                                                " WHERE sIsok = '0'")),
              2);
}

TEST(RosterStore, LoadsInStoredOrderWithCodesAndIdsAndFilters)
{
    TestSession s;
    Sheet sheet = sheetOf({{"甲", "1", "男"}, {"乙", "2", "女"}, {"丙", "3"}});
    sheet.setText(3, 25, "1");
    replaceRoster(s.db(), 5, sheet, StaffClass::Other, passedRows(sheet, {4}));

    Sheet loaded(100, staff::ColumnCount);
    loaded.setText(40, 1, "left over");
    EXPECT_EQ(loadRoster(s.db(), 5, RosterFilter::All, loaded), 3);
    EXPECT_EQ(loaded.text(3, 1), "甲");
    EXPECT_EQ(loaded.text(3, 25), "1");
    EXPECT_EQ(loaded.text(5, 1), "丙");
    EXPECT_FALSE(loaded.text(3, staff::IdCol).isEmpty());
    EXPECT_EQ(loaded.text(40, 1), "");

    EXPECT_EQ(loadRoster(s.db(), 5, RosterFilter::Failed, loaded), 1);
    EXPECT_EQ(loaded.text(3, 1), "乙");
    EXPECT_EQ(loaded.text(4, 1), "");
    EXPECT_EQ(loadRoster(s.db(), 5, RosterFilter::Passed, loaded, false), 2);
    EXPECT_EQ(loaded.text(3, 25), "");
}

TEST(RosterStore, CorrectionsUpdateInPlaceAndRefuseNonNumericYears)
{
    TestSession s;
    Sheet sheet = sheetOf({{"甲", "1", "男"}, {"乙", "", "女"}});
    replaceRoster(s.db(), 0, sheet, StaffClass::Other, passedRows(sheet, {4}));
    replaceRoster(s.db(), 2, sheet, StaffClass::Other, passedRows(sheet, {4}));

    Sheet wrong(100, staff::ColumnCount);
    ASSERT_EQ(loadRoster(s.db(), 0, RosterFilter::Failed, wrong), 1);
    wrong.setText(3, 2, "7");
    wrong.setText(3, 7, "x");
    EXPECT_THROW(updateCorrectedRows(s.db(), 0, wrong, passedRows(wrong)), ConversionError);
    EXPECT_EQ(std::get<long long>(s.db().scalar("SELECT COUNT(*) FROM Staff_moninfo"
                                                " WHERE sIsok = '0'")),
              2);

    wrong.setText(3, 7, "12");
    updateCorrectedRows(s.db(), 0, wrong, passedRows(wrong));
    Query q(s.db(), "SELECT sNumber, sWorks, sIsok FROM Staff_moninfo WHERE sMon = 0 ORDER BY id");
    ASSERT_TRUE(q.next());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("sNumber"), "7");
    EXPECT_EQ(q.integer("sWorks"), 12);
    EXPECT_EQ(q.text("sIsok"), "1");
    // The same person in another month is untouched.
    EXPECT_TRUE(s.db().exists("SELECT 1 FROM Staff_moninfo WHERE sMon = 2 AND sIsok = '0'"));
}

TEST(RosterStore, YearsAreStoredAsNumbersAndControlCharactersRefused)
{
    TestSession s;
    Sheet sheet = sheetOf({{"甲", "1", "男", "", "", "", "20", "5"},
                           {"乙", "2", "女", "", "", "", "x", "5.5"}});
    replaceRoster(s.db(), 0, sheet, StaffClass::Other, passedRows(sheet, {4}));
    Query q(s.db(), "SELECT typeof(sWorks) AS t, sWorks, sWork FROM Staff_moninfo ORDER BY id");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("t"), "integer");
    EXPECT_EQ(q.integer("sWorks"), 20);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("sWorks"), "x");  // kept as typed in the failed row, for correction
    EXPECT_EQ(q.text("sWork"), "5.5");

    // A NUL typed or pasted into a cell would cut every print of it: refused, nothing changes.
    Sheet cut = sheetOf({{"丙", "3"}, {QString("丁") + QChar(0) + "x", "4"}});
    try {
        replaceRoster(s.db(), 0, cut, StaffClass::Other, passedRows(cut));
        ADD_FAILURE() << "stored";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "第4行“姓名”含有控制字符 U+0000，请删除后再保存。");
    }
    EXPECT_EQ(storedNames(s.db(), 0), (QStringList{"甲", "乙"}));
}
