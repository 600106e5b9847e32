#include "Errors.h"
#include "TestSession.h"
#include "io/MatchedImport.h"
#include "monthly/WageSheet.h"
#include "staff/RosterFile.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

std::vector<DelimitedLine> linesOf(const std::vector<QStringList>& rows)
{
    std::vector<DelimitedLine> lines;
    for (const QStringList& r : rows)
        lines.push_back({static_cast<int>(lines.size()) + 1, r});
    return lines;
}

const QStringList PayrollHeadings = {"序号",     "工号",     "姓名",     "岗位工资",   "薪级工资",
                                     "交通补贴", "通讯补贴", "高温补贴", "加班费",     "应发合计",
                                     "代扣个税", "社保个人部分", "实发工资"};
const QString PayrollMatching = "姓名编号=工号;姓名=姓名;基本工资=岗位工资+薪级工资;"
                            "工资性津贴和补贴=交通补贴+通讯补贴+高温补贴;其他工资=加班费";

// March as the finance office sends it: a title, an empty line, the headings, a part-month joiner
// with fen in every part, a subtotal, and the grand total with its label in 序号.
std::vector<DelimitedLine> payrollMarch()
{
    return linesOf({
        {"某公司2026年3月工资表"},
        {},
        PayrollHeadings,
        {"1", "1001", "张伟", "3000", "554.48", "300", "200", "309.18", "4011.39", "8375.05", "120",
         "800", "7455.05"},
        {"2", "1002", "李 娜", "2000", "", "", "", "", "", "2000", "0", "200", "1800"},
        {"", "", "小计", "5000", "554.48", "300", "200", "309.18", "4011.39", "10375.05"},
        {"3", "1003", "王五", "800.5", "0", "100", "", "", "", "900.5", "", "", "900.5"},
        {"合计", "", "", "5800.5", "554.48", "400", "200", "309.18", "4011.39", "11275.55"},
        {},
    });
}

}  // namespace

TEST(ColumnMatch, APayrollIsReadBelowItsTitleWithPartsSummedAndTotalRowsSkipped)
{
    const ImportLayout& layout = wageImportLayout();
    const ColumnMatch match = parseColumnMatch(layout, PayrollMatching);
    EXPECT_EQ(match.text(layout), PayrollMatching);
    const MatchedRows read = applyColumnMatch(layout, match, payrollMarch());
    EXPECT_EQ(read.headingLine, 3);
    EXPECT_EQ(read.headings, PayrollHeadings);
    EXPECT_EQ(read.skipped, 2);
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[0].line, 4);
    EXPECT_EQ(read.rows[0].cells,
              (QStringList{"1001", "张伟", "3554.48", "", "809.18", "4011.39"}));
    EXPECT_EQ(read.rows[1].cells, (QStringList{"1002", "李 娜", "2000", "", "", ""}));
    EXPECT_EQ(read.rows[2].line, 7);
    EXPECT_EQ(read.rows[2].cells, (QStringList{"1003", "王五", "800.5", "", "100", ""}));

    // Full-width separators and blanks inside headings read the same.
    EXPECT_EQ(parseColumnMatch(layout, "姓名编号＝ 工号 ；姓名=姓名;基本工资=岗位工资＋薪级工资").text(layout),
              "姓名编号=工号;姓名=姓名;基本工资=岗位工资+薪级工资");
}

TEST(ColumnMatch, BadMatchingsAreRefusedNamingTheFault)
{
    const ImportLayout& layout = wageImportLayout();
    const std::vector<DelimitedLine> lines = payrollMarch();
    const struct {
        const char* what;
        QString matching;
        QString message;
    } cases[] = {
        {"a target named twice", "姓名编号=工号;姓名=姓名;基本工资=岗位工资;基本工资=薪级工资",
         "“基本工资”指定了两次。"},
        {"a heading not in the file", "姓名编号=职工编号;姓名=姓名;绩效工资=绩效奖金",
         "文件中找不到栏目“职工编号”、“绩效奖金”。"},
        {"a sum over a text column", "姓名编号=工号;姓名=姓名;其他工资=加班费+序号",
         "“序号”栏有文字，不能相加计入“其他工资”：第8行为“合计”。"},
        {"a deduction as a part", "姓名编号=工号;姓名=姓名;其他工资=加班费+社保个人部分",
         "“社保个人部分”是扣款、实发数或合计，不是应发工资的一部分，不能计入“其他工资”。"},
        {"the net pay as a part", "姓名编号=工号;姓名=姓名;基本工资=实发工资",
         "“实发工资”是扣款、实发数或合计，不是应发工资的一部分，不能计入“基本工资”。"},
        {"a sum into the name", "姓名编号=工号;姓名=姓名+序号", "“姓名”不是金额，只能对应文件中的一个栏目，不能相加。"},
        {"one heading for two targets", "姓名编号=工号;姓名=姓名;基本工资=岗位工资;绩效工资=岗位工资",
         "文件栏目“岗位工资”同时对应了“基本工资”和“绩效工资”。"},
        {"no number", "姓名=姓名;基本工资=岗位工资", "没有指定“姓名编号”对应的文件栏目。"},
        {"an unknown target", "姓名编号=工号;姓名=姓名;奖金=加班费",
         "“奖金”不是本系统的栏目。可以指定的栏目：姓名编号，姓名，基本工资，绩效工资，"
         "工资性津贴和补贴，其他工资"},
        {"no equals sign", "姓名编号 工号", "“姓名编号 工号”应写成“本系统栏目=文件栏目”。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            applyColumnMatch(layout, parseColumnMatch(layout, c.matching), lines);
            ADD_FAILURE() << "not refused";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    std::vector<DelimitedLine> twice = lines;
    twice[2].cells[0] = "工号";
    EXPECT_THROW(applyColumnMatch(layout, parseColumnMatch(layout, PayrollMatching), twice), Error);
}

TEST(ColumnMatch, ProposalsComeFromTheSynonymsAndNeverTakeDeductions)
{
    const std::optional<ColumnProposal> wages = proposeColumnMatch(wageImportLayout(), payrollMarch());
    ASSERT_TRUE(wages);
    EXPECT_EQ(wages->headingLine, 3);
    EXPECT_EQ(wages->match.text(wageImportLayout()), PayrollMatching);

    const std::vector<DelimitedLine> staffList =
        linesOf({{"人事处职工名单"},
                 {"工号", "姓名", "性别", "民族", "出生日期", "文化程度", "岗位", "联系电话"},
                 {"1001", "张伟", "男", "汉族", "1967-05", "大学本科", "管理人员", "123"}});
    const std::optional<ColumnProposal> roster = proposeColumnMatch(rosterImportLayout(), staffList);
    ASSERT_TRUE(roster);
    EXPECT_EQ(roster->match.text(rosterImportLayout()),
              "姓名=姓名;姓名编号=工号;性别=性别;少数民族=民族;出生年月=出生日期;学历=文化程度;"
              "岗位名称=岗位");
    EXPECT_FALSE(proposeColumnMatch(wageImportLayout(), linesOf({{"甲", "乙"}, {"1", "2"}})));
}

// Ours by name in any order, or in our order with the cells beyond the headings as our next
// columns, as our own files have always been read.
TEST(ColumnMatch, OurOwnHeadingsNeedNoMatching)
{
    const ImportLayout& roster = rosterImportLayout();
    const auto inOrder = standardColumnMatch(
        roster, linesOf({{"姓名", "姓名编号", "性别"}, {"甲", "1", "男", "否", "是"}}));
    ASSERT_TRUE(inOrder);
    EXPECT_TRUE(inOrder->inOrder);
    const MatchedRows rows = applyColumnMatch(
        roster, *inOrder, linesOf({{"姓名", "姓名编号", "性别"}, {"甲", "1", "男", "否", "是"}}));
    EXPECT_EQ(rows.rows[0].cells.mid(0, 6), (QStringList{"甲", "1", "男", "否", "是", ""}));

    const std::vector<DelimitedLine> shuffled =
        linesOf({{"姓名", "其他工资", "姓名编号"}, {"甲", "300", "1"}});
    const auto byName = standardColumnMatch(wageImportLayout(), shuffled);
    ASSERT_TRUE(byName);
    EXPECT_FALSE(byName->inOrder);
    EXPECT_EQ(applyColumnMatch(wageImportLayout(), *byName, shuffled).rows[0].cells,
              (QStringList{"1", "甲", "", "", "", "300"}));
    EXPECT_FALSE(standardColumnMatch(wageImportLayout(), payrollMarch()));
}

// Confirmed once, used for next month's file with the same headings; other headings ask again.
TEST(ColumnMatch, AGivenMatchingIsKeptForFilesWithTheSameHeadings)
{
    TestSession s;
    const ImportLayout& layout = wageImportLayout();
    try {
        matchImportLines(s.db(), layout, payrollMarch());
        ADD_FAILURE() << "a first file was matched silently";
    } catch (const ColumnMatchNeeded& e) {
        EXPECT_EQ(e.headings, PayrollHeadings);
        ASSERT_TRUE(e.proposal);
        EXPECT_EQ(e.proposal->match.text(layout), PayrollMatching);
    }
    const MatchedImport given = matchImportLines(s.db(), layout, payrollMarch(), PayrollMatching);
    EXPECT_EQ(given.origin, MatchOrigin::Given);
    rememberColumnMatch(s.db(), layout, given);
    rememberColumnMatch(s.db(), layout, given);  // kept once
    ASSERT_EQ(storedColumnMatches(s.db(), "wages").size(), 1u);
    EXPECT_TRUE(storedColumnMatches(s.db(), "roster").empty());

    std::vector<DelimitedLine> april = payrollMarch();
    april[0].cells = QStringList{"某公司2026年4月工资表"};
    april.erase(april.begin() + 1);  // no empty line this time
    const MatchedImport again = matchImportLines(s.db(), layout, april);
    EXPECT_EQ(again.origin, MatchOrigin::Stored);
    EXPECT_EQ(again.rows.rows.size(), 3u);
    rememberColumnMatch(s.db(), layout, again);

    std::vector<DelimitedLine> other = payrollMarch();
    other[2].cells << "备注";
    EXPECT_THROW(matchImportLines(s.db(), layout, other), ColumnMatchNeeded);
}
