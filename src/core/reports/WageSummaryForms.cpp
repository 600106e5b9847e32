#include "WageSummaryForms.h"

#include "staff/BirthMonth.h"

namespace vel {
namespace {

Selection posts(std::vector<long long> codes)
{
    return codesOf("sPost", std::move(codes));
}

Selection grades(std::vector<long long> codes)
{
    return codesOf("sPostGrade", std::move(codes));
}

// Titles are coded in sPostGrade, skill grades 51..55 in sJGrade: a holder of either counts.
Selection titlesOrSkills(std::vector<long long> titleCodes)
{
    return anyOf({grades(std::move(titleCodes)), codesOf("sJGrade", {51, 52, 53, 54, 55})});
}

// The three "其中" rows under a post: senior, intermediate and junior titles.
void addTitleRows(std::vector<SummaryCategory>& rows, int firstGid, long long post)
{
    rows.push_back({firstGid, "其中: 具有国家评定的高级专业技术职称人员", true, posts({post}),
                    grades({31, 32})});
    rows.push_back(
        {firstGid + 1, "具有国家评定的中级专业技术职称人员", true, posts({post}), grades({33})});
    rows.push_back(
        {firstGid + 2, "具有国家评定的初级专业技术职称人员", true, posts({post}), grades({34})});
}

// The skill grades' rows, in both forms.
const char* const SkilledRows[] = {"1、高级技师", "2、技师", "3、高级工",
                                   "4、中级工",   "5、初级工", "6、其他技术岗位操作人员"};

const QStringList FormTail = {QStringLiteral("批准文号：国统制[2011]170号"),
                              QStringLiteral("有效期至：2012年6月底"),
                              QStringLiteral("计量单位：   人、元")};

WageSummaryForm enterpriseForm()
{
    const Selection qualified = titlesOrSkills({31, 32, 33, 34, 51, 52, 53, 54, 55});
    std::vector<SummaryCategory> r;
    r.push_back({1, "合计", true, everyone(), {}, {}, {2, 15, 20, 29, 36}});
    r.push_back({2, "一、企业事业单位负责人", true, postClasses("2"), {}, {}, {3, 7, 11}});
    r.push_back({3, "1、单位负责人", true, posts({21})});
    addTitleRows(r, 4, 21);
    r.push_back({7, "2、部门负责人", true, posts({22})});
    addTitleRows(r, 8, 22);
    r.push_back({11, "3、专业技术负责人", true, posts({23})});
    addTitleRows(r, 12, 23);
    r.push_back({15, "二、专业技术人员", true, postClasses("3"), {}, qualified, {16, 17, 18, 19}});
    r.push_back({16, "1、高级技术职称人员", true, posts({31, 32}), {}, qualified});
    r.push_back({17, "2、中级技术职称人员", true, posts({33}), {}, qualified});
    r.push_back({18, "3、初级技术职称人员", true, posts({34}), {}, qualified});
    r.push_back({19, "4、专业技术岗位工作人员", true, posts({35}), {}, qualified});
    r.push_back({20, "三、管理人员和办事人员", true, postClasses("4"), {}, {}, {21, 25}});
    r.push_back({21, "1、管理人员", true, posts({41})});
    addTitleRows(r, 22, 41);
    r.push_back({25, "2、办事人员", true, posts({42})});
    addTitleRows(r, 26, 42);
    r.push_back(
        {29, "四、技术岗位操作人员", true, postClasses("5"), {}, qualified, {30, 31, 32, 33, 34, 35}});
    for (int k = 0; k < 6; ++k)
        r.push_back({30 + k, SkilledRows[k], true, posts({51 + k}), {}, qualified});
    r.push_back({36, "五、其他工作人员", true, postClasses("6"), {}, qualified, {37, 38, 39, 40}});
    const char* others[] = {"1、辅助生产人员", "2、商业人员", "3、服务业人员",
                            "4、其他岗位工作人员"};
    for (int k = 0; k < 4; ++k)
        r.push_back({37 + k, others[k], true, posts({61 + k}), {}, qualified});

    WageSummaryForm f;
    f.form = SummaryForm::Enterprise;
    f.rules = {std::move(r), birthMonthNumber(1976, 6), AverageRule::OverRange};
    f.title = QStringLiteral("企业事业单位工资情况汇总表");
    f.caption = QStringLiteral("企业事业单位汇总表（1）");
    f.lastHeader = QStringLiteral("  工资总额     (千元)");
    f.formLines = QStringList{QStringLiteral("表    号： ZorvI704表"),
                              QStringLiteral("制定机关：Ardelm统计局")} +
                  FormTail;
    f.computedLabel = QStringLiteral("统计月份：%1月 至 %2月");
    f.reloadedLabel = QStringLiteral("统计月份：%1月 至 %2 月");
    f.submissionSuffix = QStringLiteral("i704");
    f.firstColumnWidth = 40;
    return f;
}

WageSummaryForm organForm()
{
    const Selection titles = grades({31, 32, 33});
    const Selection skillsAndTitles = titlesOrSkills({51, 52, 53, 54, 55, 31, 32, 33});
    std::vector<SummaryCategory> r;
    r.push_back({1, "合计", true, everyone(), {}, {}, {2, 8, 13, 20, 21}});
    r.push_back({2, "一、公务员", true, posts({11, 12, 13, 14, 15}), {}, {}, {3, 4, 5, 6, 7}});
    const char* ranks[] = {"1、省部级及以上公务员", "2、地厅级公务员", "3 、县处级公务员",
                           "4、科级公务员", "5、科级以下公务员"};
    for (int k = 0; k < 5; ++k)
        r.push_back({3 + k, ranks[k], true, posts({11 + k})});
    r.push_back({8, "二、专业技术人员", false, postClasses("3"), {}, titles, {9, 10, 11, 12}});
    r.push_back({9, "1、高级技术职称人员", false, posts({31, 32}), {}, titles});
    r.push_back({10, "2、中级技术职称人员", false, posts({33}), {}, titles});
    r.push_back({11, "3、初级技术职称人员", false, posts({34}), {}, titles});
    r.push_back({12, "4、专业技术岗位工作人员", false, posts({35}), {}, titles});
    r.push_back({13, "三、技术岗位操作人员", false, postClasses("5"), {}, skillsAndTitles,
                 {14, 15, 16, 17, 18, 19}});
    for (int k = 0; k < 6; ++k)
        r.push_back({14 + k, SkilledRows[k], false, posts({51 + k}), {}, skillsAndTitles});
    r.push_back({20, "四、普通工人", false, posts({18}), {}, skillsAndTitles});
    r.push_back({21, "五、其他人员", true, posts({19}), {}, skillsAndTitles});

    WageSummaryForm f;
    f.form = SummaryForm::Organ;
    f.rules = {std::move(r), birthMonthNumber(1977, 6), AverageRule::WithMonthBefore};
    f.title = QStringLiteral("机关单位汇总表");
    f.caption = QStringLiteral("机关单位汇总表");
    f.lastHeader = QStringLiteral("工资总额   (千元)");
    f.formLines = QStringList{QStringLiteral("表    号：ZorvI705表"),
                              QStringLiteral("制定单位:Ardelm统计局")} +
                  FormTail;
    f.computedLabel = QStringLiteral("统计月份：%1月 至 %2 月");
    f.reloadedLabel = QStringLiteral("统计月份：%1月 至 %2月");
    f.submissionSuffix = QStringLiteral("i705");
    f.firstColumnWidth = 30;
    return f;
}

}  // namespace

const WageSummaryForm& wageSummaryForm(SummaryForm form)
{
    static const WageSummaryForm enterprise = enterpriseForm();
    static const WageSummaryForm organ = organForm();
    return form == SummaryForm::Enterprise ? enterprise : organ;
}

}  // namespace vel
