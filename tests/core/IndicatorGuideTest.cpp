#include "help/FormGuide.h"
#include "help/GeneratedSections.h"
#include "help/SelectionWords.h"
#include "help/StaffGuide.h"
#include "staff/BirthMonth.h"
#include "reports/LaborForms.h"
#include "reports/Forms.h"
#include "reports/WageSummaryForms.h"
#include "staff/StaffSheet.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

// The rules a figure form of the registry is computed with.
FigureFormRules rulesOf(const char* command)
{
    return std::get<FigureFormSetup>(formFor(command, false)->engine).rules;
}

// The rows and columns a category form of the registry counts with.
const CategoryFormSetup& categoriesOf(const char* command)
{
    return std::get<CategoryFormSetup>(formFor(command, false)->engine);
}

Selection gradesBetween(std::optional<long long> lowest, std::optional<long long> highest)
{
    Selection s = codesOf("sPostGrade", {});
    s.lowest = lowest;
    s.highest = highest;
    return s;
}

struct WordsCase {
    const char* what;
    Selection selection;
    const char* words;
};

}  // namespace

TEST(IndicatorGuide, SelectionsReadInTheCodeListsWords)
{
    const WordsCase cases[] = {
        {"everyone", everyone(), "全部人员"},
        {"codes", codesOf("sPost", {21, 22}), "岗位名称 = 单位负责人、部门负责人"},
        {"fixed-rule column", codesOf("sSex", {2}), "性别 = 女"},
        {"leading digit", postClasses("2"), "岗位名称 = 单位负责人、部门负责人、专业技术负责人"},
        {"leading digit and codes", postClasses("6", {19}),
         "岗位名称 = 其他人员、辅助生产人员、商业人员、服务业人员、其他岗位工作人员"},
        {"range from", gradesBetween(11, std::nullopt),
         "具有国家评定的专业技术等级 = 正高级、副高级、中级、初级"},
        {"range taking no listed code", gradesBetween(std::nullopt, 9), "不计任何人（填 0）"},
        {"code outside the list", codesOf("sPost", {100}), "不计任何人（填 0）"},
        {"any of with a part taking nobody",
         anyOf({codesOf("sPost", {56}),
                allOf({codesOf("sPost", {61}), codesOf("sJGrade", {56})})}),
         "岗位名称 = 其他技术岗位操作人员"},
        {"birth band", bornBetween(birthMonthNumber(1966, 1), birthMonthNumber(1975, 12)),
         "出生年月 1966-01 至 1975-12"},
        {"birth band ending in month 0",
         bornBetween(birthMonthNumber(1972, 2), birthMonthNumber(1977, 0)),
         "出生年月 1972-02 至 1976-12"},
        {"birth from", bornBetween(birthMonthNumber(1977, 1), std::nullopt),
         "出生年月在 1977-01 及以后"},
        {"birth up to", bornBetween(std::nullopt, birthMonthNumber(1957, 1)),
         "出生年月在 1957-01 及以前"},
        {"all of", allOf({codesOf("sPost", {42}), codesOf("sPostGrade", {31, 32})}),
         "岗位名称 = 办事人员，且具有国家评定的专业技术等级 = 正高级、副高级"},
        {"any of with a nested all of", laborManagers(),
         "岗位名称 = 单位负责人、部门负责人、专业技术负责人、管理人员；或（岗位名称 = 办事人员，"
         "且具有国家评定的专业技术等级 = 正高级、副高级、中级、初级）"},
        {"organ heads", leaderPosts(LeaderRule::Heads), "岗位名称为本机关的最高职级及其下一级"},
        {"organ office", leaderPosts(LeaderRule::Office),
         "岗位名称为本机关最高职级以下第二至第四级，或普通工人"},
    };
    for (const WordsCase& c : cases)
        EXPECT_EQ(help::selectionWords(c.selection).toStdString(), c.words) << c.what;
}

TEST(IndicatorGuide, EveryFigureAFormComputesHasANamedLine)
{
    const help::AveragesFrom period{QStringLiteral("年初名册（0 月）")};
    const std::pair<const char*, FigureFormRules> forms[] = {
        {"I202-1", rulesOf("quarterly")},
        {"I102-1", rulesOf("annual")},
        {"I202-2", rulesOf("basic-quarterly")},
        {"I102-2", rulesOf("basic-annual")},
    };
    for (const auto& [form, rules] : forms) {
        std::vector<QString> fields;
        for (const FigureRule& r : rules.figures)
            fields.push_back(QString::fromLatin1(r.field));
        for (const SumRule& r : rules.sums)
            fields.push_back(QString::fromLatin1(r.field));
        for (const AverageWageRule& r : rules.averages)
            fields.push_back(QString::fromLatin1(r.field));
        for (const PerHeadRule& r : rules.perHeads)
            fields.push_back(QString::fromLatin1(r.field));
        const std::vector<help::IndicatorLine> lines = help::indicatorLines(rules, period);
        const QString table = help::indicatorTable(rules, period);
        for (const QString& field : fields) {
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&](const auto& l) { return l.field == field; });
            ASSERT_NE(line, lines.end()) << form << " " << field.toStdString();
            EXPECT_FALSE(line->name.isEmpty()) << form << " " << field.toStdString();
            EXPECT_FALSE(line->unit.isEmpty()) << form << " " << field.toStdString();
            EXPECT_FALSE(line->how.isEmpty()) << form << " " << field.toStdString();
            EXPECT_TRUE(table.contains(QStringLiteral("| %1 |\n").arg(field)))
                << form << " " << field.toStdString();
        }
    }
}

// A line says what the form prints and what the program does, organ rule and supplement included.
TEST(IndicatorGuide, LinesTakeTheFormsNamesUnitsAndRules)
{
    const help::AveragesFrom period{QStringLiteral("年初名册（0 月）")};
    struct Case {
        FigureFormRules rules;
        const char* field;
        const char* name;
        const char* unit;
        const char* contains;
    };
    const Case cases[] = {
        {rulesOf("quarterly"), "I71", "其中：单位负责人", "人",
         "机关单位：岗位名称为本机关的最高职级及其下一级"},
        {rulesOf("quarterly"), "I09", "在岗职工", "人", "÷（期末月 + 1），四舍五入到整数"},
        {rulesOf("quarterly"), "I48", "一、直接从事生产经营活动的平均人数(48)", "人",
         "限规模以上工业单位、有总承包和专业承包资质的建筑业单位、有劳务分包资质的建筑业单位填报"},
        {rulesOf("quarterly"), "I21", "在岗职工", "元", "I13 × 1000 ÷ I09"},
        {rulesOf("annual"), "I14", "基本工资", "千元", "基本工资之和，先四舍五入到元"},
        {rulesOf("annual"), "I81", "单位负责人", "千元", "年初名册（0 月）至期末月"},
        {rulesOf("basic-quarterly"), "B5", "计算建筑业劳动生成率的平均人数", "人", "舍去小数"},
        {rulesOf("basic-quarterly"), "I08", "二、从业人员平均人数", "人", "I09 + I10 + I11"},
        {rulesOf("basic-annual"), "I20", "四、从业人员平均劳动报酬", "元", "四舍五入到分"},
    };
    for (const Case& c : cases) {
        const auto lines = help::indicatorLines(c.rules, period);
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const auto& l) {
            return l.field == QLatin1String(c.field);
        });
        ASSERT_NE(line, lines.end()) << c.field;
        EXPECT_EQ(line->name.toStdString(), c.name) << c.field;
        EXPECT_EQ(line->unit.toStdString(), c.unit) << c.field;
        EXPECT_TRUE((line->who + line->how).contains(QString::fromUtf8(c.contains)))
            << c.field << ": " << (line->who + " / " + line->how).toStdString();
    }
    const QString annual = help::indicatorTable(rulesOf("annual"), period);
    EXPECT_TRUE(annual.contains(QStringLiteral("- I13、I18、I19 各自取整后，调整为合计等于 I12")));
    const QString basic = help::indicatorTable(rulesOf("basic-quarterly"), period);
    EXPECT_TRUE(basic.contains(QStringLiteral("- 有劳务分包资质的建筑业单位：B1、B2、B5 填 0。")));
}

// The summaries' tables hold one line per category row, so no row goes undescribed.
TEST(IndicatorGuide, SummaryTablesHaveALinePerRow)
{
    const auto tableLines = [](const QString& key) {
        const QString table = *help::generatedSection(key);
        return table.count(u'\n') - 2;
    };
    EXPECT_EQ(tableLines("i704-rows"), wageSummaryForm(SummaryForm::Enterprise).rowCount());
    EXPECT_EQ(tableLines("i705-rows"), wageSummaryForm(SummaryForm::Organ).rowCount());
    EXPECT_EQ(tableLines("i704-columns"), SummaryColumns);
    EXPECT_EQ(tableLines("talent-year-rows"), int(categoriesOf("talent").rows.size()));
    EXPECT_EQ(tableLines("talent-opening-rows"), int(categoriesOf("talent-opening").rows.size()));
    EXPECT_EQ(tableLines("talent-year-columns"), int(categoriesOf("talent").columns.size()));
    // The qualification column of the opening summary takes other persons in two row ranges.
    EXPECT_EQ(tableLines("talent-opening-columns"), int(categoriesOf("talent-opening").columns.size()) + 1);
    EXPECT_TRUE(help::generatedSection("i705-columns")->contains(QStringLiteral("1977-06 及以后")));
}

TEST(IndicatorGuide, EveryStaffColumnHasItsAnswersAndAudit)
{
    const QString table = help::staffAnswerTable();
    EXPECT_EQ(table.count(u'\n') - 2, staff::AnswerCount);
    for (const StaffColumn& c : staffColumns())
        EXPECT_TRUE(table.contains(QStringLiteral("| %1 | ").arg(c.col))) << c.col;
    EXPECT_TRUE(table.contains(
        QStringLiteral("在岗职工（1）、劳务派遣人员（2）、其他从业人员（3）")));
    EXPECT_TRUE(table.contains(QStringLiteral("1934 至 1995")));
    const QString posts = help::postTable();
    EXPECT_TRUE(posts.contains(QStringLiteral("| 31 | 正高级专业技术人员 | 企业事业单位、机关单位 |")));
    EXPECT_TRUE(posts.contains(QStringLiteral("| 11 | 省部级及以上公务员 | 机关单位 |")));
}
