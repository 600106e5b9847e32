#include "TestSession.h"
#include "sheet/Sheet.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

using namespace vel;

// Readable failures; static so that no other test file's printer can clash with it.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int Row = 3;

// A person every enterprise class accepts, columns 1 to 18.
const QStringList ValidPerson = {"张三",   "A001",     "男",       "否",       "是", "1967-05",
                                 "20",     "5",        "大学本科", "管理人员", "中级", "无",
                                 "在岗职工", "是",     "否",       "否",       "否", "是"};

UnitAttributes unitOf(const QString& type, const QString& unitClass)
{
    UnitAttributes a;
    a.CurDepType = type;
    a.CurDepInfo = unitClass;
    return a;
}

// A fresh database's code lists for the unit's kind, and a sheet to audit against them.
class StaffRulesTest : public ::testing::Test {
protected:
    void useUnit(const QString& type, const QString& unitClass)
    {
        attributes = unitOf(type, unitClass);
        s->codes().load(s.db(), attributes.isOrgan() ? "0" : "1");
        rules.emplace(s->codes(), attributes);
    }
    void putPerson(int row, const QStringList& answers = ValidPerson)
    {
        for (int col = 1; col <= answers.size(); ++col)
            sheet.setText(row, col, answers[col - 1]);
    }
    QString code(int row, int col) const { return sheet.text(row, staffColumn(col).codeCol); }

    TestSession s;
    UnitAttributes attributes;
    std::optional<StaffRules> rules;
    Sheet sheet{40, staff::ColumnCount};
};

struct AnswerCase {
    int col;
    const char* typed;
    const char* after;
    bool passes;
    const char* code;  // for a column that has one
};

TEST_F(StaffRulesTest, EachAnswerIsCodedOrRefused)
{
    useUnit(unit::EnterpriseType, unit::ClassGeneralContractor);
    const std::vector<AnswerCase> cases = {
        {1, " 张 三\t", "张三", true, ""},
        {1, "   ", "   ", false, ""},  // refused but kept, so the rows below stay people
        {2, "", "", false, ""},
        {2, "  ", "  ", false, ""},
        {3, "男", "男", true, "1"},
        {3, "女", "女", true, "2"},
        {3, "男 ", "男 ", false, ""},
        {3, "1", "1", false, ""},
        {3, "", "", false, ""},
        {4, "1", "是", true, "1"},
        {4, "0", "否", true, "2"},
        {4, "否", "否", true, "2"},
        {4, "2", "2", false, ""},
        {5, "是", "是", true, "1"},
        {5, "否", "否", true, "2"},
        {5, "0", "否", true, "2"},
        {5, "1", "是", true, "1"},
        {5, "", "", false, ""},
        {7, " 12 ", " 12 ", true, ""},
        {7, "", "", true, ""},
        {7, "x", "x", false, ""},  // working years go into number columns
        {7, "5.5", "5.5", false, ""},
        {8, "-1", "-1", false, ""},
        {8, "100", "100", false, ""},
        {9, "硕士研究生", "硕士研究生", true, "2"},
        {9, "大学", "大学", false, ""},
        {9, "", "", false, ""},
        {10, "专业技术岗位工作人员", "专业技术岗位工作人员", true, "35"},
        {10, "县处级公务员", "县处级公务员", false, ""},  // a post of organs only
        {11, "副高级", "副高级", true, "32"},
        {11, "高级工", "高级工", false, ""},  // a skill grade is no title
        {11, "", "", false, ""},
        {12, "高级工", "高级工", true, "53"},
        {12, "中级", "中级", false, ""},
        {13, "劳务派遣人员", "劳务派遣人员", true, "2"},  // enterprises may employ them
        {13, " 在岗职工", " 在岗职工", false, ""},
        {14, "0", "否", true, "2"},
        {14, "是", "是", true, "1"},
        {14, "", "", false, ""},
        {15, "1", "是", true, "1"},
        {16, "不", "不", false, ""},
        {17, "0", "否", true, "1"},
        {17, "是(持证上岗)", "是(持证上岗)", true, "3"},
        {17, "是", "是", false, ""},
        {18, "否", "否", true, "2"},
        {18, "", "", false, ""},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE("column " + std::to_string(c.col) + " '" + c.typed + "'");
        putPerson(Row);
        sheet.setText(Row, c.col, c.typed);
        // Left over from an earlier pass: a failing rule must empty the code, a passing one
        // must take the red off.
        sheet.setMark(Row, c.col, CellMark::Error);
        const int codeCol = staffColumn(c.col).codeCol;
        if (codeCol)
            sheet.setText(Row, codeCol, "99");

        const StaffRowResult r = rules->auditRow(sheet, Row, staffpass::OpeningSave);

        EXPECT_EQ(sheet.text(Row, c.col), QString(c.after));
        if (codeCol) {
            EXPECT_EQ(code(Row, c.col), QString(c.code));
        }
        EXPECT_EQ(sheet.mark(Row, c.col), c.passes ? CellMark::None : CellMark::Error);
        EXPECT_EQ(r.failedColumns, c.passes ? std::vector<int>{} : std::vector<int>{c.col});
        EXPECT_EQ(r.sIsok(), c.passes ? "1" : "0");
    }
}

struct BirthCase {
    const char* typed;
    const char* after;
    bool passes;
};

TEST_F(StaffRulesTest, BirthIsNormalisedThenChecked)
{
    useUnit(unit::EnterpriseType, unit::ClassOther);
    const std::vector<BirthCase> cases = {
        {"1967年5月20日", "1967-05", true},
        {"67年5月", "1967-05", true},
        {"1967.5", "1967-05", true},
        {"1967.10.5", "1967-10", true},
        {"1967-5", "1967-05", true},  // stored as every report reads it
        {"1967-005", "1967-05", true},
        {"1967.005", "1967-05", true},
        {"196705", "196705", false},
        {"1933-05", "1933-05", false},
        {"1996-01", "1996-01", false},
        {"1967-13", "1967-13", false},
        {"1934-01", "1934-01", true},
        {"1995-12", "1995-12", true},
        {"1967-00", "1967-00", true},  // only months above 12 are refused
        {"1967-0", "1967-00", true},
        {"1967-0013", "1967-0013", false},
        {"1967年12月", "1967-12", true},
        {"1967年5", "1967-05", true},  // no "月" typed
        {" 1967-05", " 1967-05", false},
        {"967年5月20日", "967年5月", false},  // no century to guess
        {"19a7-05", "19a7-05", false},
        {"1967-1a", "1967-1a", false},
        {"1967-", "1967-", false},
        {"1967--1", "1967--1", false},
        {"1967-05-20", "1967-05-20", false},
        {"", "", false},
    };
    for (const BirthCase& c : cases) {
        SCOPED_TRACE(c.typed);
        sheet.setText(Row, staff::BirthCol, c.typed);
        sheet.setMark(Row, staff::BirthCol, CellMark::Error);
        EXPECT_EQ(rules->checkBirthday(sheet, Row), c.passes);
        EXPECT_EQ(sheet.text(Row, staff::BirthCol), QString(c.after));
        EXPECT_EQ(sheet.mark(Row, staff::BirthCol), c.passes ? CellMark::None : CellMark::Error);
    }
}

struct ClassCase {
    const char* unitClass;
    QStringList columns15to18;
    std::vector<int> failed;
};

TEST_F(StaffRulesTest, UnitClassDecidesWhichAnswersAreAudited)
{
    const std::vector<ClassCase> cases = {
        {"否", {"", "", "", ""}, {}},
        {"", {"", "", "", ""}, {}},  // an unknown class answers what "否" answers
        {"规上", {"", "", "", ""}, {18}},
        {"规上", {"x", "x", "x", "是"}, {}},
        {"是1", {"", "", "", ""}, {15, 16, 17, 18}},
        {"是2", {"是", "否", "0", "1"}, {}},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.unitClass);
        useUnit(unit::EnterpriseType, c.unitClass);
        putPerson(Row, ValidPerson.mid(0, 14) + c.columns15to18);
        const StaffRowResult r = rules->auditRow(sheet, Row, staffpass::OpeningSave);
        EXPECT_EQ(r.failedColumns, c.failed);
        for (int col = 15; col <= 18; ++col)
            EXPECT_EQ(sheet.mark(Row, col) == CellMark::Error,
                      std::count(c.failed.begin(), c.failed.end(), col) == 1);
    }
}

struct OrganCase {
    const char* type;
    const char* post;
    const char* role;
    bool passes;
};

TEST_F(StaffRulesTest, OrgansMayNotFillTheirOwnPostsWithDispatchedWorkers)
{
    const std::vector<OrganCase> cases = {
        {"机关单位", "普通工人", "劳务派遣人员", false},
        {"机关单位", "科级公务员", "劳务派遣人员", false},
        {"机关单位", "其他人员", "劳务派遣人员", true},
        {"机关单位", "普通工人", "在岗职工", true},
        {"企业事业单位", "办事人员", "劳务派遣人员", true},
    };
    for (const OrganCase& c : cases) {
        SCOPED_TRACE(std::string(c.post) + " / " + c.role);
        useUnit(c.type, unit::ClassOther);
        putPerson(Row);
        sheet.setText(Row, staff::PostCol, c.post);
        sheet.setText(Row, staff::RoleCol, c.role);
        const StaffRowResult r = rules->auditRow(sheet, Row, staffpass::OpeningSave);
        EXPECT_EQ(r.passed, c.passes);
        EXPECT_EQ(code(Row, staff::RoleCol).isEmpty(), !c.passes);
        EXPECT_FALSE(code(Row, staff::PostCol).isEmpty());
    }
}

struct PassCase {
    const char* name;
    StaffPass pass;
    bool forcesFullTime;
    bool siteWorkerZeroIsNo;
    CellMark missingNumber;
    bool cleansName;
};

TEST_F(StaffRulesTest, WindowsRunTheirOwnPasses)
{
    const std::vector<PassCase> cases = {
        {"opening load", staffpass::OpeningLoad, true, true, CellMark::None, false},
        {"opening activation", staffpass::OpeningActivation, false, true, CellMark::Error, false},
        {"opening save", staffpass::OpeningSave, true, true, CellMark::Error, true},
        {"correction activation", staffpass::CorrectionActivation, false, false,
         CellMark::ErrorPattern, false},
        {"correction show errors", staffpass::CorrectionShowErrors, false, false, CellMark::None,
         false},
        {"correction save", staffpass::CorrectionSave, false, false, CellMark::Error, false},
        {"monthly activation", staffpass::MonthlyActivation, false, true, CellMark::Error, false},
        {"monthly save", staffpass::MonthlySave, false, true, CellMark::Error, true},
    };
    for (const PassCase& c : cases) {
        SCOPED_TRACE(c.name);

        // A civil servant recorded as part-time, without a name number.
        useUnit(unit::OrganType, unit::ClassOther);
        sheet.clearRange(1, 1, sheet.maxRow(), sheet.columnCount(), ClearWhat::Everything);
        putPerson(Row);
        sheet.setText(Row, staff::NameCol, " 李 四 ");
        sheet.setText(Row, staff::NumberCol, "");
        sheet.setText(Row, staff::PostCol, "县处级公务员");
        sheet.setText(Row, staff::FullTimeCol, "否");
        StaffRowResult r = rules->runPass(sheet, c.pass).rows.at(0);
        EXPECT_EQ(sheet.text(Row, staff::FullTimeCol), c.forcesFullTime ? "是" : "否");
        EXPECT_EQ(code(Row, staff::FullTimeCol), c.forcesFullTime ? "1" : "2");
        EXPECT_EQ(sheet.mark(Row, staff::NumberCol), c.missingNumber);
        EXPECT_EQ(r.passed, c.missingNumber == CellMark::None);
        EXPECT_EQ(sheet.text(Row, staff::NameCol), c.cleansName ? "李四" : " 李 四 ");

        // A construction unit's site worker typed as "0".
        useUnit(unit::EnterpriseType, unit::ClassLabourSubcontractor);
        putPerson(Row);
        sheet.setText(Row, staff::SiteWorkerCol, "0");
        r = rules->runPass(sheet, c.pass).rows.at(0);
        EXPECT_EQ(r.passed, c.siteWorkerZeroIsNo);
        EXPECT_EQ(code(Row, staff::SiteWorkerCol), c.siteWorkerZeroIsNo ? "1" : "");
    }
}

TEST_F(StaffRulesTest, PassAuditsEveryPersonAndNeverStopsHalfway)
{
    useUnit(unit::EnterpriseType, unit::ClassIndustrial);
    for (int row = 3; row <= 7; ++row)
        putPerson(row);
    sheet.setText(4, staff::BirthCol, "967年5月");
    sheet.setText(4, staff::SexCol, "女");
    sheet.setText(5, staff::NameCol, "  ");
    sheet.setText(6, staff::BirthCol, "19a7-05");
    putPerson(9);  // below the first empty name: nobody

    const StaffPassResult result = rules->runPass(sheet, staffpass::MonthlySave);

    ASSERT_EQ(result.rows.size(), 5u);
    const std::vector<std::vector<int>> failed = {{}, {6}, {1}, {6}, {}};
    for (size_t i = 0; i < failed.size(); ++i) {
        EXPECT_EQ(result.rows[i].row, static_cast<int>(i) + 3);
        EXPECT_EQ(result.rows[i].failedColumns, failed[i]);
        EXPECT_EQ(result.rows[i].passed, failed[i].empty());
    }
    EXPECT_FALSE(result.allRowsOk());
    // The rest of a row with a refused birth is still coded.
    EXPECT_EQ(code(4, staff::SexCol), "2");
    EXPECT_EQ(code(4, staff::ProductionCol), "1");
    EXPECT_EQ(code(9, staff::SexCol), "");

    sheet.setText(4, staff::BirthCol, "1967-05");
    sheet.setText(5, staff::NameCol, "王五");
    sheet.setText(6, staff::BirthCol, "1967-05");
    EXPECT_TRUE(rules->runPass(sheet, staffpass::MonthlySave).allRowsOk());
}

struct LayoutCase {
    const char* unitClass;
    StaffTemplate window;
    int maxCol;
    bool hides15to17;
    int width15;
    const char* number18;
    const char* header2;
};

TEST(StaffSheet, LayoutFollowsUnitClassAndWindow)
{
    const std::vector<LayoutCase> cases = {
        {"是1", StaffTemplate::OpeningRoster, 18, false, 1280, "17", "   姓名     编号"},
        {"规上", StaffTemplate::OpeningRoster, 18, true, 1280, "14", "   姓名     编号"},
        {"否", StaffTemplate::OpeningRoster, 14, true, 1280, "17", "   姓名     编号"},
        {"规上", StaffTemplate::ErrorCorrection, 18, true, 1280, "14", "姓名编号"},
        {"规上", StaffTemplate::MonthlyRoster, 18, true, 0, "14", "姓名编号"},
        {"是2", StaffTemplate::MonthlyRoster, 18, false, 1280, "17", "姓名编号"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(std::string(c.unitClass) + " " + std::to_string(int(c.window)));
        Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
        // A sheet laid out for another class before must not keep its hidden columns.
        applyStaffLayout(sheet, StaffClass::Industrial, StaffTemplate::OpeningRoster);
        applyStaffLayout(sheet, staffClassOf(c.unitClass), c.window);
        EXPECT_EQ(sheet.maxCol(), c.maxCol);
        for (int col = 15; col <= 17; ++col)
            EXPECT_EQ(sheet.columnHidden(col), c.hides15to17);
        EXPECT_EQ(sheet.columnHidden(18), c.maxCol < 18);
        EXPECT_EQ(sheet.columnWidth(15), c.width15);
        EXPECT_EQ(sheet.text(2, 18), QString(c.number18));
        EXPECT_EQ(sheet.text(1, 2), QString(c.header2));
        EXPECT_EQ(sheet.text(2, 6), "1967-01");
        EXPECT_EQ(sheet.rowHeight(3), c.window == StaffTemplate::ErrorCorrection ? 320 : 310);
    }
}

TEST(StaffSheet, PeopleEndBeforeTheFirstEmptyName)
{
    Sheet sheet(20, staff::ColumnCount);
    EXPECT_EQ(lastPersonRow(sheet), 2);
    sheet.setText(3, 1, "甲");
    sheet.setText(4, 1, " ");  // blanks are a name until a rule says otherwise
    sheet.setText(6, 1, "乙");
    EXPECT_EQ(lastPersonRow(sheet), 4);
    for (int row = 5; row <= 20; ++row)
        sheet.setText(row, 1, "丙");
    EXPECT_EQ(lastPersonRow(sheet), 20);
}

}  // namespace
