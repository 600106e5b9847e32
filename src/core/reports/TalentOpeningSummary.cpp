#include "TalentOpeningSummary.h"

#include "Session.h"
#include "output/DbfWriter.h"
#include "reports/BirthMonth.h"

#include <QFileInfo>

namespace vel {

namespace {

constexpr int FirstCategoryRow = 4;  // sheet row of Gid 1
constexpr int FirstValueCol = 3;
constexpr int WorkbookRowOffset = 7;

Selection post(long long code)
{
    return codesOf("sPost", {code});
}

// In this form the title grades are 31 senior, 32 intermediate and 33 junior.
Selection titled(long long postCode, long long grade)
{
    return allOf({post(postCode), codesOf("sPostGrade", {grade})});
}

const std::vector<Category>& categories()
{
    static const std::vector<Category> rows = [] {
        const char* const titles[] = {"其中: 具有国家评定的高级专业技术职称人员",
                                      "具有国家评定的中级专业技术职称人员",
                                      "具有国家评定的初级专业技术职称人员"};
        std::vector<Category> out = {{"合计", everyone()},
                                     {"一、企业单位负责人", postClasses("2")}};
        const auto headWithTitles = [&](const char* label, long long code) {
            out.push_back({label, post(code)});
            for (long long grade = 31; grade <= 33; ++grade)
                out.push_back({titles[grade - 31], titled(code, grade)});
        };
        headWithTitles("1、单位负责人", 21);
        headWithTitles("2、部门负责人", 22);
        headWithTitles("3、专业技术负责人", 23);
        out.push_back({"二、专业技术人员", postClasses("3")});
        out.push_back({"1、高级技术职称人员", post(31)});
        out.push_back({"2、中级技术职称人员", post(32)});
        out.push_back({"3、初级技术职称人员", post(33)});
        out.push_back({"4、专业技术岗位工作人员", post(34)});
        out.push_back({"三、管理人员和办事人员", postClasses("4")});
        headWithTitles("1、管理人员", 41);
        headWithTitles("2、办事人员", 42);
        out.push_back({"四、技术岗位操作人员", postClasses("5")});
        const char* const operators[] = {"1、高级技师", "2、技师", "3、高级工",
                                         "4、中级工", "5、初级工", "6、其他技术岗位操作人员"};
        for (int i = 0; i < 6; ++i)
            out.push_back({operators[i], post(51 + i)});
        out.push_back({"五、其他工作人员", postClasses("6")});
        const char* const others[] = {"1、辅助生产人员", "2、商业人员", "3、服务业人员",
                                      "4、其他岗位工作人员"};
        for (int i = 0; i < 4; ++i)
            out.push_back({others[i], post(61 + i)});
        return out;
    }();
    return rows;
}

// Any title grade but "none" (10), or a skill grade: the coding rules keep skill grades in
// sJGrade, never in sPostGrade.
Selection anyGrade()
{
    Selection below = codesOf("sPostGrade", {});
    below.highest = 9;
    Selection above = codesOf("sPostGrade", {});
    above.lowest = 11;
    return anyOf({below, above, codesOf("sJGrade", {51, 52, 53, 54, 55})});
}

const std::vector<HeadedColumn>& valueColumns()
{
    static const std::vector<HeadedColumn> columns = {
        {"总数", allRows("G11", everyone())},
        {"女性", allRows("G12", codesOf("sSex", {2}))},
        {"35岁以下", allRows("G13", bornBetween(birthMonthNumber(1972, 1), std::nullopt))},
        {"具有国家评定的专业技术职称、技能等级的",
         {"G14",
          {{15, 19, codesOf("sPostGrade", {31, 32, 33})}, {29, 40, anyGrade()}}}},
        {"研究生", allRows("G15", codesOf("sEducation", {1, 2}))},
        {"大学本科", allRows("G16", codesOf("sEducation", {3}))},
        {"大学专科", allRows("G17", codesOf("sEducation", {4}))},
        {"中专及高中", allRows("G18", codesOf("sEducation", {5, 6, 7}))},
        {"初中及以下", allRows("G19", codesOf("sEducation", {8, 9}))},
    };
    return columns;
}

const std::vector<CategoryColumn>& categoryColumns()
{
    static const std::vector<CategoryColumn> columns = columnsOf(valueColumns());
    return columns;
}

const std::vector<Selection>& rowSelections()
{
    static const std::vector<Selection> rows = selectionsOf(categories());
    return rows;
}

Sheet formTemplate()
{
    Sheet sheet(TalentOpeningSummary::Rows, TalentOpeningSummary::Columns);
    sheet.setText(1, 2, QStringLiteral("代码"));
    sheet.setText(1, 3, QStringLiteral("总数"));
    sheet.setText(1, 7, QStringLiteral("学历状况"));
    for (size_t c = 1; c < valueColumns().size(); ++c)
        sheet.setText(2, FirstValueCol + static_cast<int>(c),
                      QString::fromUtf8(valueColumns()[c].header));
    sheet.setText(3, 1, QStringLiteral("甲"));
    sheet.setText(3, 2, QStringLiteral("乙"));
    for (size_t g = 0; g < categories().size(); ++g) {
        const int row = FirstCategoryRow + static_cast<int>(g);
        sheet.setText(row, 1, QString::fromUtf8(categories()[g].label));
        sheet.setText(row, 2, QString::number(g + 1));
        if (!categoryColumns()[3].forRow(static_cast<int>(g) + 1))
            sheet.setText(row, 6, QStringLiteral("——"));
    }
    sheet.setColumnWidths(1, 1, 40 * 256);
    sheet.setColumnWidths(2, TalentOpeningSummary::Columns, 8 * 256);
    sheet.setFont(1, 1, 11, TalentOpeningSummary::Columns, {8});
    return sheet;
}

}  // namespace

const std::vector<Category>& TalentOpeningSummary::rows()
{
    return categories();
}

const std::vector<HeadedColumn>& TalentOpeningSummary::columns()
{
    return valueColumns();
}

TalentOpeningSummary::TalentOpeningSummary(Session& session)
    : CategoryForm(session,
                   {Month, "Total_Info", false, rowSelections(), categoryColumns(),
                    FirstCategoryRow, FirstValueCol, QStringLiteral("汇总")},
                   formTemplate())
{
}

WorkbookLayout TalentOpeningSummary::workbookLayout() const
{
    const UnitAttributes& unit = session_.unit();
    WorkbookLayout l;
    l.sheetName = QStringLiteral("人员基本信息");
    l.copy.sheetCells = {2, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{10, 1}, {11, 1}};
    l.progressDivisor = 44;
    l.setColumnWidths(1, 1, 40);
    l.setColumnWidths(2, Columns, 7.5);

    l.cell(1, 1, QStringLiteral("非公有制企业（单位）人才资源状况调查表"))
        .font(TitleFont, 16)
        .centred();
    l.merge(1, 1, 1, 11);
    l.rowHeights[1] = 40;
    l.setRowHeights(2, 7, 13);
    l.cell(6, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(8);
    l.cell(7, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(8);
    const QString header[] = {
        QStringLiteral("表  号： Ⅰ303-1   表"), QStringLiteral("制表机关:Ardelm委组织部"),
        QStringLiteral("批准机关:Ardelm统计局"), QStringLiteral("批准文号:Zorv统制表[2009]  号"),
        QStringLiteral("有效期至：2010  年 6 月"), QStringLiteral("计量单位：   人")};
    for (int row = 2; row <= 7; ++row) {
        l.cell(row, 7, header[row - 2]).size(8);
        l.merge(row, 7, row, 11);
    }
    struct Block {
        int r2, c1, c2;
        const char* text;
    };
    const Block blocks[] = {
        {9, 1, 1, ""}, {9, 2, 2, "代码"}, {9, 3, 3, "总数"}, {8, 4, 6, ""}, {8, 7, 11, "学历状况"}};
    for (const Block& b : blocks) {
        l.cell(8, b.c1, QString::fromUtf8(b.text)).size(10).centred();
        l.merge(8, b.c1, b.r2, b.c2);
    }
    l.grid(8, 1, 50, 11);
    l.bottomEdge(7, 1, 7, 11, EdgeWeight::Thick);
    l.bottomEdge(50, 1, 50, 11, EdgeWeight::Thick);
    l.margins.top = 100;
    l.margins.left = 30;
    l.margins.right = 30;
    l.landscape = true;
    l.fitToPageWidth = true;
    return l;
}

QString TalentOpeningSummary::submissionPath() const
{
    return vel::submissionPath(session_.folder(), SubmissionFolder::Rcsb,
                               session_.unit().CurDepNo + QStringLiteral(".dbf"));
}

QString TalentOpeningSummary::submit()
{
    store();
    const QString path = submissionPath();
    writeDbf(session_.db(), {"SELECT * FROM Total_Info ORDER BY Gid", {}}, path);
    return savedMessage(submissionFolder(),
                        QStringLiteral("文件名为:") + QFileInfo(path).fileName());
}

}  // namespace vel
