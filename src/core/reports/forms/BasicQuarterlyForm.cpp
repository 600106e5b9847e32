#include "Session.h"
#include "reports/AverageWage.h"
#include "reports/FormDefinition.h"
#include "reports/FormTemplate.h"
#include "reports/LaborForms.h"
#include "reports/ReportChecks.h"
#include "reports/ReportOutput.h"

namespace vel {

// The older quarterly form I202-2 "劳动情况" over months s..e: head counts at e, average head
// counts and remunerations in whole yuan from January (or, for a range of months, over the range),
// average remunerations, and the construction supplement. A quarter is submitted; a range of
// months (the chooser's "期间报表") is not.

namespace {

constexpr int Rows = 26;
constexpr int Columns = 5;

constexpr int PeriodCol = 4;
constexpr int ToDateCol = 5;
constexpr int WorkbookRowOffset = 8;
const QString NotApplicable = QStringLiteral("--");

const std::vector<FormRow>& formRows()
{
    static const std::vector<FormRow> rows = {
        {1, "指标名称", "计量单位", "代码"},
        {2, "甲", "乙", "丙"},
        {3, "一、从业人员期末人数", "人", "I01"},
        {4, "其中：管理人员", "人", "I04"},
        {5, "（一）在岗职工", "人", "I05"},
        {6, "（二）劳务派遣工", "人", "I06"},
        {7, "（三）其他从业人员", "人", "I07"},
        {8, "二、从业人员平均人数", "人", "I08"},
        {9, "（一）在岗职工", "人", "I09"},
        {10, "（二）劳务派遣工", "人", "I10"},
        {11, "（三）其他从业人员", "人", "I11"},
        {12, "三、从业人员劳动报酬", "元", "I12"},
        {13, "（一）在岗职工工资总额", "元", "I13"},
        {14, "（二）劳务派遣工劳动报酬", "元", "I18"},
        {15, "（三）其他从业人员劳动报酬", "元", "I19"},
        {16, "四、从业人员平均劳动报酬", "元", "I20"},
        {17, "（一）在岗职工平均工资", "元", "I21"},
        {18, "（二）劳务派遣工平均劳动报酬", "元", "I22"},
        {19, "（三）其他从业人员平均劳动报酬", "元", "I23"},
        {20, "补充：限有资质的建筑法人单位填报"},
        {21, "一、有总承包和专业承包资质的建筑业法人填报"},
        {22, "从业人员期末数  其中：工程技术人员", "人", "B1"},
        {23, "其中：一级建造师", "人", "B2"},
        {24, "计算建筑业劳动生成率的平均人数", "人", "B5"},
        {25, "二、有劳务分包资质的建筑法人单位填报"},
        {26, "从业人员期末人数  其中：现场施工人员", "人", "B7"},
    };
    return rows;
}

const std::vector<FigureRule>& figureRules()
{
    static const std::vector<FigureRule> rules = [] {
        using M = Measure;
        const auto status = [](long long code) { return codesOf("ssf", {code}); };
        return std::vector<FigureRule>{
            {"I01", {3, PeriodCol}, M::EndCount, everyone()},
            {"I04", {4, PeriodCol}, M::EndCount, laborManagers()},
            {"I05", {5, PeriodCol}, M::EndCount, status(1)},
            {"I06", {6, PeriodCol}, M::EndCount, status(2)},
            {"I07", {7, PeriodCol}, M::EndCount, status(3)},
            {"I09", {9, ToDateCol}, M::AverageCount, status(1)},
            {"I10", {10, ToDateCol}, M::AverageCount, status(2)},
            {"I11", {11, ToDateCol}, M::AverageCount, status(3)},
            {"I12", {12, ToDateCol}, M::PeriodWageYuan, everyone()},
            {"I13", {13, ToDateCol}, M::PeriodWageYuan, status(1)},
            {"I18", {14, ToDateCol}, M::PeriodWageYuan, status(2)},
            {"I19", {15, ToDateCol}, M::PeriodWageYuan, status(3)},
            {"B1", {22, PeriodCol}, M::EndCount, codesOf("sgc", {1})},
            {"B2", {23, PeriodCol}, M::EndCount, codesOf("sjzs", {1})},
            {"B5", {24, ToDateCol}, M::TruncatedAverage, codesOf("syg", {1})},
            {"B7", {26, PeriodCol}, M::EndCount, codesOf("ssg", {2, 3})},
        };
    }();
    return rules;
}

const std::vector<PerHeadRule>& perHeadRules()
{
    static const std::vector<PerHeadRule> rules = {
        {"I20", {16, ToDateCol}, "I12", "I08"},
        {"I21", {17, ToDateCol}, "I13", "I09"},
        {"I22", {18, ToDateCol}, "I18", "I10"},
        {"I23", {19, ToDateCol}, "I19", "I11"},
    };
    return rules;
}

const std::vector<SumRule>& sumRules()
{
    static const std::vector<SumRule> rules = {{"I08", {8, ToDateCol}, {"I09", "I10", "I11"}}};
    return rules;
}

// The construction figures a unit class does not report are 0.
const std::vector<ClassZeros>& classZeros()
{
    static const std::vector<ClassZeros> zeros = {
        {{"否"}, true, {"B1", "B2", "B5", "B7"}},
        {{"是1"}, false, {"B7"}},
        {{"是2"}, false, {"B1", "B2", "B5"}},
    };
    return zeros;
}

Sheet formTemplate(bool range)
{
    Sheet sheet(Rows, Columns);
    writeFormRows(sheet, 1, formRows());
    sheet.setText(1, PeriodCol, QStringLiteral("本季实际"));
    sheet.setText(1, ToDateCol,
                  range ? QStringLiteral("统计月间") : QStringLiteral("年初至本季度"));
    // Head counts at the period's end stand in the first column, the rest in the second.
    for (int row = 3; row <= 26; ++row) {
        if (row == 20 || row == 21 || row == 25)
            continue;
        const bool atEnd = row <= 7 || row == 22 || row == 23 || row == 26;
        sheet.setText(row, atEnd ? ToDateCol : PeriodCol, NotApplicable);
    }
    sheet.setColumnWidths(1, 1, 40 * 256);
    sheet.setColumnWidths(2, Columns, 12 * 256);
    sheet.setFont(1, 1, 11, Columns, {8});
    return sheet;
}

const char* const QuarterNames[] = {"第一季度", "前二季度", "前三季度"};

// The months s..e: a quarter from January, or the range.
MonthRange monthsOf(const FormPeriod& p)
{
    return p.kind == PeriodKind::Quarter ? MonthRange{1, p.quarter * 3} : p.range();
}

// "2012年1季度"; for a range "2012年4-6月", so that its workbook names the months.
QString periodLabel(const FormPeriod& p)
{
    if (p.kind == PeriodKind::Quarter)
        return QStringLiteral("2012年%1季度").arg(p.quarter);
    const MonthRange m = monthsOf(p);
    return QStringLiteral("2012年%1-%2月").arg(m.from).arg(m.to);
}

QString caption(const FormPeriod& p)
{
    const QString base = QStringLiteral("企事业单位劳动统计报表（季度）");
    const MonthRange m = monthsOf(p);
    if (p.kind == PeriodKind::Quarter)
        return base + QStringLiteral(" 统计%1，即从 1 月到 %2月")
                          .arg(QString::fromUtf8(QuarterNames[p.quarter - 1]))
                          .arg(m.to);
    return base + QStringLiteral(" 统计从 %1月到%2月").arg(m.from).arg(m.to);
}

FigureFormRules rules()
{
    FigureFormRules r;
    r.halves = {{1, ToDateCol, formRows()}};
    r.figures = figureRules();
    r.sums = sumRules();
    r.perHeads = perHeadRules();
    r.perHeadScale = 1;
    r.zeros = classZeros();
    return r;
}

Figures compute(const FigureInput& in, Sheet& sheet, const Progress& progress)
{
    const MonthRange months = monthsOf(in.period);
    FigureBasis basis;
    basis.endMonth = months.to;
    basis.periodStart = months.from == 1 ? 0 : months.from;
    Figures figures = computeFigures(in.db, figureRules(), basis, progress);
    addUpSums(figures, sumRules());
    perHeads(figures, perHeadRules(), 1);
    const bool organ = in.unit.isOrgan();
    zeroUnreported(figures, classZeros(), in.unit.CurDepInfo, organ);

    const SheetBatch batch(sheet);
    showFigures(sheet, figures, figureRules());
    for (const SumRule& r : sumRules())
        sheet.setText(r.cell.row, r.cell.col, figureText(figures[r.field]));
    for (const PerHeadRule& r : perHeadRules())
        sheet.setText(r.cell.row, r.cell.col, figureText(figures[r.field]));
    return figures;
}

WorkbookLayout workbookLayout(const FormContext& c, const Sheet&)
{
    const UnitAttributes& unit = c.unit;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("基础定期报表");
    l.copy.sheetCells = {1, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{9, 1}, {10, 1}};
    l.copy.figures = {{3, PeriodCol, Rows, ToDateCol}};
    l.headingRows = {9, 10};
    l.progressDivisor = 20;
    l.columnWidths = {{1, 55}, {2, 16}, {3, 15}, {4, 19}, {5, 19}};

    l.cell(2, 1, QStringLiteral("劳   动   情   况")).font(TitleFont, 18).centred();
    l.merge(2, 1, 2, 5);
    l.rowHeights[2] = 40;
    l.cell(7, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(9);
    l.cell(8, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(9);
    const QString header[] = {QStringLiteral("表  号:I202-2表"),
                              QStringLiteral("制定机关：国家统计局"),
                              QStringLiteral("文  号:国统字（2011）82号"),
                              QStringLiteral("有效期至:2013年1月 ")};
    for (int i = 0; i < 4; ++i) {
        l.cell(5 + i, 4, header[i]).size(10);
        l.merge(5 + i, 4, 5 + i, 5);
    }
    l.cell(8, 2, periodLabel(c.period)).size(9);
    l.cell(35, 1,
           QStringLiteral("    单位负责人：          统计负责人：          填表人：            "
                          "联系电话：            报出日期：2012年   月    日"));
    l.merge(35, 1, 35, 5);
    l.rowHeights[35] = 35;

    l.grid(9, 1, 34, 5);
    l.bottomEdge(8, 1, 8, 5, EdgeWeight::Thick);
    l.bottomEdge(34, 1, 34, 5, EdgeWeight::Thick);
    l.margins = {70, 30, 10, 10};
    l.landscape = true;
    return l;
}

FormDefinition definition()
{
    FormDefinition d;
    d.number = QStringLiteral("I202-2");
    d.command = QStringLiteral("basic-quarterly");
    d.description = QStringLiteral("labor situation of a quarter or a range of months (I202-2)");
    d.position = 50;
    d.periods = {PeriodKind::Quarter, PeriodKind::MonthRange};
    d.chooserChecks = rangeChooserOpens;
    d.checks = [](Db& db, const FormPeriod& p) {
        return p.kind == PeriodKind::Quarter ? basicQuarterlyOpens(db, p.quarter) : CheckOutcome{};
    };

    FigureFormSetup setup;
    setup.rules = rules();
    setup.averagesFrom = QStringLiteral("起始月");
    setup.sheet = [](const FormPeriod& p) { return formTemplate(p.kind != PeriodKind::Quarter); };
    setup.compute = compute;
    setup.periodLine = [](const FormPeriod& p) {
        return p.kind == PeriodKind::Quarter ? periodLabel(p) : QString();
    };
    d.engine = setup;
    d.table = {"JLabor_info",
               StoredTable::Shape::OneRow,
               {"I01", "I04", "I05", "I06", "I07", "I08", "I09", "I10", "I11", "I12", "I13",
                "I18", "I19", "I20", "I21", "I22", "I23", "B1", "B2", "B5", "B7"}};

    d.workbook.name = [](const FormContext& c) {
        return QStringLiteral("基础定期报表I202-2_") + periodLabel(c.period);
    };
    d.workbook.layout = workbookLayout;
    d.workbook.message = writtenFileMessage;

    d.submission.folder = SubmissionFolder::Rcsb;
    d.submission.periods = {PeriodKind::Quarter};
    d.submission.notSubmittedMessage = QStringLiteral("期间报表不能生成上报文件。");
    d.submission.files = {{[](const QString& unit, const FormPeriod& p) {
                               return QStringLiteral("%1_%2_i202.dbf").arg(unit).arg(p.quarter);
                           },
                           tableSource("JLabor_info"), QStringLiteral("%1_i202.dbf")}};
    d.submission.message = [](const QStringList& paths) { return writtenFileMessage(paths[0]); };

    d.window.caption = caption;
    d.window.kindLine = QStringLiteral("基层定期报表");
    d.window.title = QStringLiteral("劳   动   情   况");
    d.window.unitLines = laborUnitLines;
    d.window.identityLines = {QStringLiteral("表           号：I202-2表     "),
                              QStringLiteral("有效期至：2013年1月     ")};

    FormMenu menu{QStringLiteral("劳动情况基层季报表"), false, {}};
    menu.entries.push_back({QStringLiteral("期间报表"), QStringLiteral("actBasicPeriod"),
                            FormPeriod::ofRange(QString(), QString()), true, true, true});
    const char* names[] = {"一", "二", "三"};
    for (int q = 1; q <= 3; ++q)
        menu.entries.push_back({QStringLiteral("%1季度报表").arg(QString::fromUtf8(names[q - 1])),
                                QStringLiteral("actBasicQuarter%1").arg(q), FormPeriod::ofQuarter(q),
                                true, false});
    d.menus = {menu};
    d.helpKey = QStringLiteral("i202-2");
    return d;
}

}  // namespace

const FormDefinition& basicQuarterlyForm()
{
    static const FormDefinition form = definition();
    return form;
}

}  // namespace vel
