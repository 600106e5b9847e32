#include "Session.h"
#include "staff/BirthMonth.h"
#include "reports/FormDefinition.h"
#include "reports/ReportChecks.h"
#include "reports/ReportOutput.h"

namespace vel {

// The older talent-resources summary Ⅰ303-1 over the opening roster: 40 staff categories by sex,
// age, qualification and education. Stored in Total_Info (head counts only: the wage summary's
// average head counts and wage totals stay) and submitted as RCSB/{CurDepNo}.dbf.

namespace {

constexpr int Rows = 43;
constexpr int Columns = 11;

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

Sheet formTemplate()
{
    Sheet sheet(Rows, Columns);
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
        if (!columnsOf(valueColumns())[3].forRow(static_cast<int>(g) + 1))
            sheet.setText(row, 6, QStringLiteral("——"));
    }
    sheet.setColumnWidths(1, 1, 40 * 256);
    sheet.setColumnWidths(2, Columns, 8 * 256);
    sheet.setFont(1, 1, 11, Columns, {8});
    return sheet;
}

WorkbookLayout workbookLayout(const FormContext& c, const Sheet&)
{
    const UnitAttributes& unit = c.unit;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("人员基本信息");
    l.copy.sheetCells = {2, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{10, 1}, {11, 1}};
    l.copy.figures = {{FirstCategoryRow, FirstValueCol, Rows, Columns}};
    l.headingRows = {8, 10};
    l.progressDivisor = 44;
    l.setColumnWidths(1, 1, 40);
    l.setColumnWidths(2, Columns, 7.5);

    l.cell(1, 1, QStringLiteral("非公有制企业（单位）人才资源状况调查表"))
        .font(TitleFont, 16)
        .centred();
    l.merge(1, 1, 1, 11);
    l.rowHeights[1] = 40;
    l.setRowHeights(2, 7, 13);
    l.rowHeights[9] = 72;  // the qualification heading wraps onto five lines
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
    return l;
}

FormDefinition definition()
{
    FormDefinition d;
    d.number = QStringLiteral("Ⅰ303-1");
    d.command = QStringLiteral("talent-opening");
    d.description = QStringLiteral("talent resources of the opening roster (Ⅰ303-1)");
    d.position = 20;
    d.periods = {PeriodKind::OpeningRoster};

    CategoryFormSetup setup;
    setup.month = 0;
    setup.rows = categories();
    setup.columns = valueColumns();
    setup.firstRow = FirstCategoryRow;
    setup.firstValueCol = FirstValueCol;
    setup.stampsName = false;
    setup.sheet = formTemplate;
    setup.guard = openingStaffAudited;
    d.engine = setup;
    d.table = totalInfoTable();

    d.workbook.name = [](const FormContext&) { return QStringLiteral("汇总"); };
    d.workbook.layout = workbookLayout;
    d.workbook.message = exportedToMessage;

    d.submission.folder = SubmissionFolder::Rcsb;
    d.submission.periods = {PeriodKind::OpeningRoster};
    const DbfSource summary{"SELECT * FROM Total_Info ORDER BY Gid", {}, {}, reportTextWidths()};
    d.submission.files = {
        {[](const QString& unit, const FormPeriod&) { return unit + QStringLiteral(".dbf"); },
         [summary](Db&, const FormPeriod&) { return summary; }, {}}};
    d.submission.message = savedFileMessage;

    d.window.caption = fixedCaption(QStringLiteral("人才资源汇总"));
    d.window.title = QStringLiteral("非公有制企业（单位）人才资源状况调查表");
    d.window.unitLines = summaryUnitLines;
    d.window.exportCaption = QStringLiteral("导成Excel");
    d.window.submitCaption = QStringLiteral("生成上报文件");

    d.menus = {{QString(), true,
                {{QStringLiteral("人才资源汇总"), QStringLiteral("actTalent"),
                  FormPeriod::ofOpeningRoster(), false, true, true}}}};
    d.helpKey = QStringLiteral("talent-opening");
    return d;
}

}  // namespace

const FormDefinition& talentOpeningForm()
{
    static const FormDefinition form = definition();
    return form;
}

}  // namespace vel
