#include "Session.h"
#include "staff/BirthMonth.h"
#include "reports/FormDefinition.h"
#include "reports/LaborForms.h"
#include "reports/ReportChecks.h"
#include "reports/ReportOutput.h"
#include "staff/RosterSubmission.h"

#include <QFileInfo>

namespace vel {

// The year-end talent-resources summary (X505): December's staff in 17 talent categories by sex,
// minority, party, education, age band and certificates; submitted together with the opening
// roster's file.

namespace {

constexpr int Rows = 20;
constexpr int Columns = 19;

constexpr int FirstCategoryRow = 4;  // sheet row of Gid 1
constexpr int FirstValueCol = 4;
constexpr int WorkbookRowOffset = 8;

Selection posts(std::vector<long long> codes)
{
    return codesOf("sPost", std::move(codes));
}

Selection titled(std::vector<long long> grades)
{
    return allOf({posts({21, 22, 23, 41, 42}), codesOf("sPostGrade", std::move(grades))});
}

Selection skilled(std::vector<long long> postsAndGrades)
{
    return anyOf({posts(postsAndGrades), allOf({posts({56, 61, 62, 63, 64}),
                                                codesOf("sJGrade", postsAndGrades)})});
}

const std::vector<Category>& categories()
{
    static const std::vector<Category> rows = {
        {"1.年末从业人员", everyone()},
        {"2.经营管理人员", laborManagers()},
        {"其中：高级", posts({21})},
        {"中级", posts({22, 23})},
        {"初级", anyOf({posts({41}),
                      allOf({posts({42}), codesOf("sPostGrade", {31, 32, 33, 34})})})},
        {"3.专业技术人员", anyOf({posts({31, 32, 33, 34, 35}), titled({31, 32, 33, 34})})},
        {"其中：在管理岗位工作", titled({31, 32, 33, 34})},
        {"其中：正高级", anyOf({posts({31}), titled({31})})},
        {"副高级", anyOf({posts({32}), titled({32})})},
        {"中级", anyOf({posts({33}), titled({33})})},
        {"初级", anyOf({posts({34, 35}), titled({34})})},
        {"4.技能人员", skilled({51, 52, 53, 54, 55})},
        {"其中：高级技师", skilled({51})},
        {"技师", skilled({52})},
        {"高级工", skilled({53})},
        {"中级工", skilled({54})},
        {"初级工", skilled({55})},
    };
    return rows;
}

// Age on the form's reference date: fixed birth months, not today's.
const std::vector<HeadedColumn>& valueColumns()
{
    static const std::vector<HeadedColumn> columns = {
        {"总数", allRows("G11", everyone())},
        {"女性", allRows("G12", codesOf("sSex", {2}))},
        {"少数民族", allRows("G13", codesOf("sNation", {1}))},
        {"中共党员", allRows("G14", codesOf("sParty", {1}))},
        {"研究生及以上 ", allRows("G15", codesOf("sEducation", {1, 2}))},
        {"大学本科", allRows("G16", codesOf("sEducation", {3}))},
        {"大学专科", allRows("G17", codesOf("sEducation", {4}))},
        {"中专及以下", allRows("G18", codesOf("sEducation", {5, 6, 7, 8, 9}))},
        {"35岁及以下", allRows("G19", bornBetween(birthMonthNumber(1977, 1), std::nullopt))},
        {"36-40岁", allRows("G110", bornBetween(birthMonthNumber(1972, 2), birthMonthNumber(1977, 0)))},
        {"41-45岁", allRows("G111", bornBetween(birthMonthNumber(1967, 2), birthMonthNumber(1972, 1)))},
        {"46-50岁", allRows("G112", bornBetween(birthMonthNumber(1962, 2), birthMonthNumber(1967, 1)))},
        {"51-54岁", allRows("G113", bornBetween(birthMonthNumber(1957, 2), birthMonthNumber(1962, 1)))},
        {"55岁及以上", allRows("G114", bornBetween(std::nullopt, birthMonthNumber(1957, 1)))},
        {"具有国家评定的专业技术职称",
         {"G115", {{6, 11, codesOf("sPostGrade", {31, 32, 33, 34, 35})}}}},
        {"取得国家职业资格证书", {"G116", {{12, 17, codesOf("sJGrade", {51, 52, 53, 54, 55})}}}},
    };
    return columns;
}

Sheet formTemplate()
{
    Sheet sheet(Rows, Columns);
    sheet.setText(1, 8, QStringLiteral("学历"));
    sheet.setText(1, 12, QStringLiteral("年龄"));
    sheet.setText(1, 18, QStringLiteral("证书情况"));
    sheet.setText(2, 2, QStringLiteral("代码"));
    sheet.setText(2, 3, QStringLiteral("计量单位"));
    for (size_t c = 0; c < valueColumns().size(); ++c)
        sheet.setText(2, FirstValueCol + static_cast<int>(c),
                      QString::fromUtf8(valueColumns()[c].header));
    sheet.setText(3, 1, QStringLiteral("甲"));
    sheet.setText(3, 2, QStringLiteral("乙"));
    sheet.setText(3, 3, QStringLiteral("丙"));
    for (size_t g = 0; g < categories().size(); ++g) {
        const int row = FirstCategoryRow + static_cast<int>(g);
        sheet.setText(row, 1, QString::fromUtf8(categories()[g].label));
        sheet.setText(row, 2, QString::number(g + 1));
        sheet.setText(row, 3, QStringLiteral("人"));
        const int gid = static_cast<int>(g) + 1;
        if (gid <= 5 || gid >= 12)
            sheet.setText(row, 18, QStringLiteral("-"));
        if (gid <= 11)
            sheet.setText(row, 19, QStringLiteral("-"));
    }
    sheet.setColumnWidths(1, 1, 22 * 256);
    sheet.setColumnWidths(2, 3, 5 * 256);
    sheet.setColumnWidths(FirstValueCol, Columns, 8 * 256);
    return sheet;
}

WorkbookLayout workbookLayout(const FormContext& c, const Sheet&)
{
    const UnitAttributes& unit = c.unit;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("人员基本信息");
    l.copy.sheetCells = {2, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{11, 1}};
    l.copy.figures = {{FirstCategoryRow, FirstValueCol, Rows, Columns}};
    l.headingRows = {9, 11};
    l.progressDivisor = 20;
    l.setColumnWidths(1, 1, 22);
    l.setColumnWidths(2, 3, 3);
    l.setColumnWidths(4, Columns, 4.5);

    l.cell(1, 1, QStringLiteral("企业事业单位汇总表")).font(TitleFont, 16).centred();
    l.merge(1, 1, 1, 19);
    l.rowHeights[1] = 40;
    l.setRowHeights(2, 8, 13);
    // The age and certificate headings wrap two characters a line, the longest onto seven.
    l.rowHeights[10] = 100;
    l.cell(7, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(8);
    l.cell(8, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(8);
    const QString header[] = {
        QString(), QString(), QStringLiteral("表    号： X505表"),
        QStringLiteral("制定机关：Ardelm委人才办"), QStringLiteral("文    号：Zorv统制[2012]41号"),
        QStringLiteral("有效期至：2013年12月底"), QStringLiteral("计量单位：   人")};
    for (int row = 2; row <= 8; ++row) {
        if (!header[row - 2].isEmpty())
            l.cell(row, 15, header[row - 2]).size(8);
        l.merge(row, 15, row, 19);
    }
    struct Block {
        int c1, c2;
        bool twoRows;
        const char* text;
    };
    const Block blocks[] = {{1, 1, true, ""},          {2, 2, true, "代码"},
                            {3, 3, true, "计量单位"},  {4, 4, true, "总数"},
                            {5, 5, true, "女性"},      {6, 6, true, "少数民族"},
                            {7, 7, true, "中共党员"},  {8, 11, false, "学历状况"},
                            {12, 17, false, "年龄状况"}, {18, 19, false, "持证状况"}};
    for (const Block& b : blocks) {
        CellDecoration& d = l.cell(9, b.c1, QString::fromUtf8(b.text)).size(10).centred();
        if (b.c1 >= 3 && b.c1 <= 7)
            d.wrapped();
        l.merge(9, b.c1, b.twoRows ? 10 : 9, b.c2);
    }
    l.grid(9, 1, 28, 19);
    l.bottomEdge(8, 1, 8, 19, EdgeWeight::Thick);
    l.bottomEdge(28, 1, 28, 19, EdgeWeight::Thick);
    l.margins.top = 50;
    l.margins.left = 130;
    l.margins.right = 30;
    l.landscape = true;
    return l;
}

FormDefinition definition()
{
    FormDefinition d;
    d.number = QStringLiteral("X505");
    d.command = QStringLiteral("talent");
    d.description = QStringLiteral("year-end talent resources (X505) with the opening roster's file");
    d.position = 10;
    d.periods = {PeriodKind::Year};
    d.checks = [](Db& db, const FormPeriod&) { return talentSummaryOpens(db); };

    CategoryFormSetup setup;
    setup.month = 12;
    setup.rows = categories();
    setup.columns = valueColumns();
    setup.firstRow = FirstCategoryRow;
    setup.firstValueCol = FirstValueCol;
    setup.stampsName = true;
    setup.sheet = formTemplate;
    setup.guard = monthlyStaffAudited;
    d.engine = setup;
    d.table = {"Total_BaseInfo",
               StoredTable::Shape::CategoryRows,
               {"G11", "G12", "G13", "G14", "G15", "G16", "G17", "G18", "G19", "G110", "G111",
                "G112", "G113", "G114", "G115", "G116"},
               17};

    d.workbook.name = [](const FormContext&) { return QStringLiteral("汇总表"); };
    d.workbook.layout = workbookLayout;
    d.workbook.message = exportedToMessage;

    d.submission.folder = SubmissionFolder::Rcsb;
    d.submission.periods = {PeriodKind::Year};
    const DbfSource summary{"SELECT * FROM Total_BaseInfo ORDER BY Gid", {}, {}, reportTextWidths()};
    d.submission.files = {
        {[](const QString& unit, const FormPeriod&) { return unit + QStringLiteral("_i505.dbf"); },
         [summary](Db&, const FormPeriod&) { return summary; }, {}},
        {[](const QString& unit, const FormPeriod&) { return rosterSubmissionName(unit); },
         [](Db&, const FormPeriod&) { return rosterSubmissionSource(); }, {}}};
    d.submission.message = [](const QStringList& paths) {
        const QFileInfo summary(paths[0]);
        return savedMessage(summary.path(), QStringLiteral("汇总文件名为:%1，过录表为：%2")
                                                .arg(summary.fileName(), QFileInfo(paths[1]).fileName()));
    };

    d.window.caption = fixedCaption(QStringLiteral("期初人才调查汇总表（统计上年末人才情况）"));
    d.window.title = QStringLiteral("年末人才调查汇总表  ");
    d.window.unitLines = [](const UnitAttributes& u) {
        return QStringList{QStringLiteral("单位名称：%1 ").arg(u.CurDepName),
                           QStringLiteral("单位法人代码：%1 ").arg(u.CurDepNo)};
    };
    d.window.exportCaption = QStringLiteral("导成Excel");
    d.window.printCaption = QStringLiteral("打  印");
    d.window.submitCaption = QStringLiteral("生成上报文件");

    d.menus = {{QString(), true,
                {{QStringLiteral("年末人才资源情况汇总"), QStringLiteral("actTalentYearEnd"),
                  FormPeriod::ofYear(), true, true, true}}}};
    d.toolButton = FormToolButton{QStringLiteral("人才资源"), QStringLiteral("btnTalent"), false};
    d.picture = QStringLiteral("talent-summary");
    d.helpKey = QStringLiteral("talent-year");
    return d;
}

}  // namespace

const FormDefinition& talentForm()
{
    static const FormDefinition form = definition();
    return form;
}

}  // namespace vel
