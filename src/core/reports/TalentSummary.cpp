#include "TalentSummary.h"

#include "Session.h"
#include "output/DbfWriter.h"
#include "reports/BirthMonth.h"
#include "reports/LaborForms.h"
#include "staff/RosterSubmission.h"

#include <QFileInfo>

namespace vel {

namespace {

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
    Sheet sheet(TalentSummary::Rows, TalentSummary::Columns);
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
    sheet.setColumnWidths(FirstValueCol, TalentSummary::Columns, 8 * 256);
    return sheet;
}

}  // namespace

const std::vector<Category>& TalentSummary::rows()
{
    return categories();
}

const std::vector<HeadedColumn>& TalentSummary::columns()
{
    return valueColumns();
}

TalentSummary::TalentSummary(Session& session)
    : CategoryForm(session,
                   {Month, "Total_BaseInfo", true, rowSelections(), categoryColumns(),
                    FirstCategoryRow, FirstValueCol, QStringLiteral("汇总表")},
                   formTemplate())
{
}

WorkbookLayout TalentSummary::workbookLayout() const
{
    const UnitAttributes& unit = session_.unit();
    WorkbookLayout l;
    l.sheetName = QStringLiteral("人员基本信息");
    l.copy.sheetCells = {2, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{11, 1}};
    l.progressDivisor = 20;
    l.setColumnWidths(1, 1, 22);
    l.setColumnWidths(2, 3, 3);
    l.setColumnWidths(4, Columns, 4.5);

    l.cell(1, 1, QStringLiteral("企业事业单位汇总表")).font(TitleFont, 16).centred();
    l.merge(1, 1, 1, 19);
    l.rowHeights[1] = 40;
    l.setRowHeights(2, 8, 13);
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
    l.fitToPageWidth = true;
    return l;
}

QString TalentSummary::submissionPath() const
{
    return vel::submissionPath(session_.folder(), SubmissionFolder::Rcsb,
                               session_.unit().CurDepNo + QStringLiteral("_i505.dbf"));
}

QString TalentSummary::submit()
{
    store();
    const QString summary = submissionPath();
    writeDbf(session_.db(), {"SELECT * FROM Total_BaseInfo ORDER BY Gid", {}}, summary);
    const QString roster = writeRosterSubmission(session_.db(), session_.folder(),
                                                 session_.unit().CurDepNo);
    return savedMessage(submissionFolder(), QStringLiteral("汇总文件名为:%1，过录表为：%2")
                                                .arg(QFileInfo(summary).fileName(),
                                                     QFileInfo(roster).fileName()));
}

}  // namespace vel
