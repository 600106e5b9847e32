#include "Session.h"
#include "reports/AverageWage.h"
#include "reports/FormDefinition.h"
#include "reports/FormTemplate.h"
#include "reports/LaborForms.h"
#include "reports/ReportChecks.h"
#include "reports/ReportOutput.h"

namespace vel {

// The older annual form I102-2 "劳动情况": December's head counts, average head counts over the
// opening roster and the twelve months, remunerations in whole yuan and their averages per head
// to the fen in the left half; education, talent and construction supplements in the right half.

namespace {

constexpr int Rows = 34;
constexpr int Columns = 9;
// The year the window shows and the workbook's name carries.
const QString YearLabel = QStringLiteral("2011年");

constexpr int LeftLabelCol = 1;
constexpr int LeftValueCol = 4;
constexpr int RightLabelCol = 6;
constexpr int RightValueCol = 9;
constexpr int WorkbookRowOffset = 8;
const QString NotApplicable = QStringLiteral("--");

FormCell left(int row)
{
    return {row, LeftValueCol};
}

FormCell right(int row)
{
    return {row, RightValueCol};
}

const std::vector<FormRow>& leftRows()
{
    static const std::vector<FormRow> rows = {
        {1, "指标名称", "计量单位", "代码"},
        {2, "甲", "乙", "丙"},
        {3, "一、从业人员期末人数", "人", "I01"},
        {4, "其中：女性", "人", "I02"},
        {5, "其中：非全日制用工", "人", "I03"},
        {6, "其中：管理人员（机关单位填中层及以上人员）", "人", "I04"},
        {7, "（一）在岗职工", "人", "I05"},
        {8, "（二）劳务派遣工", "人", "I06"},
        {9, "（三）其他从业人员", "人", "I07"},
        {10, "二、从业人员年平均人数", "人", "I08"},
        {11, "（一）在岗职工", "人", "I09"},
        {12, "（二）劳务派遣工", "人", "I10"},
        {13, "（三）其他从业人员", "人", "I11"},
        {14, "三、从业人员劳动报酬", "元", "I12"},
        {15, "（一）在岗职工工作总额", "元", "I13"},
        {16, "其中：基本工资", "元", "I14"},
        {17, "绩效工资", "元", "I15"},
        {18, "工资性津贴和补贴", "元", "I16"},
        {19, "其他工资", "元", "I17"},
        {20, "（二）劳务派遣人员劳动报酬", "元", "I18"},
        {21, "（三）其他从业人员劳动报酬", "元", "I19"},
        {22, "四、从业人员平均劳动报酬", "元", "I20"},
        {23, "在岗职工平均工资", "元", "I21"},
        {24, "劳务派遣工平均劳动报酬", "元", "I22"},
        {25, "其他从业人员平均劳动报酬", "元", "I23"},
        {26, "五、单位数", "个", "I24"},
    };
    return rows;
}

const std::vector<FormRow>& rightRows()
{
    static const std::vector<FormRow> rows = {
        {1, "指标名称", "计量单位", "代码"},
        {2, "甲", "乙", "丙"},
        {5, "1.大学本科及以上", "人", "A1"},
        {6, "2.大专", "人", "A2"},
        {7, "3.中专及高中", "人", "A3"},
        {8, "4.初中及以下", "人", "A4"},
        {9, "（二）年末单位从业人员中人才资源", "人", "A5"},
        {10, "（三）单位从业人员中经营管理人员", "人", "A6"},
        {11, "（四）单位从业人员中专业技术人员", "人", "A7"},
        {12, "1.高级技术职称人员", "人", "A8"},
        {13, "2.中级技术职称人员", "人", "A9"},
        {14, "3.初级技术职称人员", "人", "A10"},
        {15, "4.在专业技术岗位工作人员", "人", "A11"},
        {16, "（五）单位从业人员中技术工人", "人", "A12"},
        {17, "1.高级技师", "人", "A13"},
        {18, "2.技师", "人", "A14"},
        {19, "3.高级工", "人", "A15"},
        {20, "4.中级工", "人", "A16"},
        {21, "5.初级工", "人", "A17"},
        {22, "6. 在技术操作岗位工作人员", "人", "A18"},
        {23, "补充：限有资质的建筑法人单位填报"},
        {25, "一、有总承包和专业承包资质的建筑业法人填报"},
        {26, "其中：工程技术人员", "人", "B1"},
        {27, "其中：一级建造师", "人", "B2"},
        {28, "其中：现场施工人员", "人", "B3"},
        {29, "其中：持证上岗人员", "人", "B4"},
        {30, "计算建筑业劳动生产率的平均人数", "人", "B5"},
        {31, "二、有劳务分包资质的建筑法人单位填报"},
        {33, "其中：工程技术人员", "人", "B6"},
        {34, "其中：现场施工人员", "人", "B7"},
    };
    return rows;
}

// A skilled worker of a grade: in the grade's own post, or in an operating post with that skill.
Selection skilled(long long grade)
{
    return anyOf({codesOf("sPost", {grade}),
                  allOf({codesOf("sPost", {61, 62, 63, 64}), codesOf("sJGrade", {grade})})});
}

const std::vector<FigureRule>& figureRules()
{
    static const std::vector<FigureRule> rules = [] {
        using M = Measure;
        const auto status = [](long long code) { return codesOf("ssf", {code}); };
        const auto posts = [](std::vector<long long> codes) {
            return codesOf("sPost", std::move(codes));
        };
        const auto education = [](std::vector<long long> codes) {
            return codesOf("sEducation", std::move(codes));
        };
        const Selection managers =
            anyOf({laborManagers(), posts({11, 12, 13, 14, 15})});
        return std::vector<FigureRule>{
            {"I01", left(3), M::EndCount, everyone()},
            {"I02", left(4), M::EndCount, codesOf("sSex", {2})},
            {"I03", left(5), M::EndCount, codesOf("sqrz", {2})},
            {"I04", left(6), M::EndCount, managers},
            {"I05", left(7), M::EndCount, status(1)},
            {"I06", left(8), M::EndCount, status(2)},
            {"I07", left(9), M::EndCount, status(3)},
            {"I09", left(11), M::AverageCount, status(1)},
            {"I10", left(12), M::AverageCount, status(2)},
            {"I11", left(13), M::AverageCount, status(3)},
            {"I12", left(14), M::WageYuan, everyone()},
            {"I13", left(15), M::WageYuan, status(1)},
            {"I14", left(16), M::WageYuan, status(1), std::nullopt, Amount::Basic},
            {"I15", left(17), M::WageYuan, status(1), std::nullopt, Amount::Performance},
            {"I16", left(18), M::WageYuan, status(1), std::nullopt, Amount::Allowance},
            {"I17", left(19), M::WageYuan, status(1), std::nullopt, Amount::Other},
            {"I18", left(20), M::WageYuan, status(2)},
            {"I19", left(21), M::WageYuan, status(3)},

            {"A1", right(5), M::EndCount, education({1, 2, 3})},
            {"A2", right(6), M::EndCount, education({4})},
            {"A3", right(7), M::EndCount, education({5, 6, 7})},
            {"A4", right(8), M::EndCount, education({8, 9})},
            {"A6", right(10), M::EndCount, managers},
            {"A8", right(12), M::EndCount, posts({31, 32})},
            {"A9", right(13), M::EndCount, posts({33})},
            {"A10", right(14), M::EndCount, posts({34})},
            {"A11", right(15), M::EndCount, posts({35})},
            {"A13", right(17), M::EndCount, skilled(51)},
            {"A14", right(18), M::EndCount, skilled(52)},
            {"A15", right(19), M::EndCount, skilled(53)},
            {"A16", right(20), M::EndCount, skilled(54)},
            {"A17", right(21), M::EndCount, skilled(55)},
            {"A18", right(22), M::EndCount, skilled(56)},
            {"B1", right(26), M::EndCount, codesOf("sgc", {1})},
            {"B2", right(27), M::EndCount, codesOf("sjzs", {1})},
            {"B3", right(28), M::EndCount, codesOf("ssg", {2, 3})},
            {"B4", right(29), M::EndCount, codesOf("ssg", {3})},
            {"B5", right(30), M::EndCount, codesOf("syg", {1})},
            {"B6", right(33), M::EndCount, codesOf("sgc", {1})},
            {"B7", right(34), M::EndCount, codesOf("ssg", {2, 3})},
        };
    }();
    return rules;
}

const std::vector<SumRule>& sumRules()
{
    static const std::vector<SumRule> rules = {
        {"I08", left(10), {"I09", "I10", "I11"}},
        {"A7", right(11), {"A8", "A9", "A10", "A11"}},
        {"A12", right(16), {"A13", "A14", "A15", "A16", "A17", "A18"}},
        {"A5", right(9), {"A6", "A7", "A12"}},
    };
    return rules;
}

// In fen, shown to two decimals.
const std::vector<PerHeadRule>& perHeadRules()
{
    static const std::vector<PerHeadRule> rules = {
        {"I20", left(22), "I12", "I08"},
        {"I21", left(23), "I13", "I09"},
        {"I22", left(24), "I18", "I10"},
        {"I23", left(25), "I19", "I11"},
    };
    return rules;
}

const std::vector<ClassZeros>& classZeros()
{
    static const std::vector<ClassZeros> zeros = {
        {{"否"}, true, {"B1", "B2", "B3", "B4", "B5", "B6", "B7"}},
        {{"是1"}, false, {"B6", "B7"}},
        {{"是2"}, false, {"B1", "B2", "B3", "B4", "B5"}},
        // A government organ's talent total keeps its management staff, counted before the cell
        // is blanked.
        {{}, true, {"A6"}},
    };
    return zeros;
}

const FormCell UnitCount = left(26);
const FormCell Managers = right(10);

const std::set<std::string> InFen = {"I20", "I21", "I22", "I23"};

// An average per head as the form shows it: two decimals, or "0" without heads.
QString fenText(long long fen, long long heads)
{
    if (heads == 0)
        return QStringLiteral("0");
    const long long whole = fen / 100;
    const long long rest = (fen < 0 ? -fen : fen) % 100;
    return QStringLiteral("%1%2.%3")
        .arg(fen < 0 && whole == 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(rest, 2, 10, QChar(u'0'));
}

Sheet formTemplate()
{
    Sheet sheet(Rows, Columns);
    writeFormRows(sheet, LeftLabelCol, leftRows());
    writeFormRows(sheet, RightLabelCol, rightRows());
    for (int col : {LeftValueCol, RightValueCol})
        sheet.setText(1, col, QStringLiteral("本年实际"));
    for (int col : {LeftLabelCol, RightLabelCol}) {
        sheet.setColumnWidths(col, col, 30 * 256);
        sheet.setColumnWidths(col + 1, col + 2, 5 * 256);
        sheet.setColumnWidths(col + 3, col + 3, 9 * 256);
    }
    sheet.setColumnWidths(5, 5, 256);
    sheet.setFont(1, 1, 11, Columns, {8});
    return sheet;
}

FigureFormRules rules()
{
    FigureFormRules r;
    r.halves = {{LeftLabelCol, LeftValueCol, leftRows()}, {RightLabelCol, RightValueCol, rightRows()}};
    r.figures = figureRules();
    r.sums = sumRules();
    r.perHeads = perHeadRules();
    r.perHeadScale = 100;
    r.zeros = classZeros();
    return r;
}

Figures compute(const FigureInput& in, Sheet& sheet, const Progress& progress)
{
    const UnitAttributes& unit = in.unit;
    const bool organ = unit.isOrgan();
    FigureBasis basis;
    basis.endMonth = 12;
    Figures figures = computeFigures(in.db, figureRules(), basis, progress);
    addUpSums(figures, sumRules());
    perHeads(figures, perHeadRules(), 100);
    figures["I24"] = 1;

    const SheetBatch batch(sheet);
    showFigures(sheet, figures, figureRules());
    for (const SumRule& r : sumRules())
        sheet.setText(r.cell.row, r.cell.col, figureText(figures[r.field]));
    for (const PerHeadRule& r : perHeadRules())
        sheet.setText(r.cell.row, r.cell.col,
                       fenText(figure(figures, r.field), figure(figures, r.heads)));
    sheet.setText(UnitCount.row, UnitCount.col, figureText(figures["I24"]));
    // Not reported: shown as "--", stored as 0, after the sums have counted them.
    const std::vector<const char*> blank =
        zeroUnreported(figures, classZeros(), unit.CurDepInfo, organ);
    for (const char* field : blank)
        for (const FigureRule& r : figureRules())
            if (std::string(r.field) == field)
                sheet.setText(r.cell.row, r.cell.col, NotApplicable);
    return figures;
}

WorkbookLayout workbookLayout(const FormContext& c, const Sheet&)
{
    const UnitAttributes& unit = c.unit;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("基础定期报表");
    l.copy.sheetCells = {1, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.generalColumns = {LeftLabelCol, RightLabelCol};
    l.copy.centred = {{9, 1}, {10, 1}, {9, 6}, {10, 6}};
    l.copy.figures = {{3, LeftValueCol, Rows, LeftValueCol}, {3, RightValueCol, Rows, RightValueCol}};
    l.headingRows = {9, 10};
    l.progressDivisor = 20;
    l.columnWidths = {{1, 40}, {2, 4}, {3, 4}, {4, 10}, {5, 1},
                      {6, 40}, {7, 4}, {8, 4}, {9, 10}};

    l.cell(2, 1, QStringLiteral("基础定期报表")).font(TitleFont, 18).centred();
    l.merge(2, 1, 2, 9);
    l.rowHeights[2] = 20;
    l.rowHeights[9] = 32;  // "计量单位" wraps onto two lines in its narrow column
    l.cell(3, 1, QStringLiteral("劳 动 情 况")).centred().size(9);
    l.merge(3, 1, 3, 9);
    l.cell(5, 1, YearLabel).centred().size(9);
    l.merge(5, 1, 5, 9);
    l.cell(7, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(9);
    l.cell(8, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(9);
    l.cell(7, 7, QStringLiteral("表  号:I102-2表")).centred().size(10);
    l.merge(7, 7, 7, 9);
    l.cell(8, 7, QStringLiteral("有效期至:2012年6月 ")).centred().size(10);
    l.merge(8, 7, 8, 9);
    for (int row : {1, 4, 6})
        l.rowHeights[row] = 0;

    l.grid(9, 1, 42, 9);
    l.bottomEdge(8, 1, 8, 9, EdgeWeight::Thick);
    l.bottomEdge(42, 1, 42, 9, EdgeWeight::Thick);
    l.margins = {70, 30, 10, 10};
    l.landscape = true;
    return l;
}

FormDefinition definition()
{
    FormDefinition d;
    d.number = QStringLiteral("I102-2");
    d.command = QStringLiteral("basic-annual");
    d.description = QStringLiteral("labor situation of the year (I102-2)");
    d.position = 60;
    d.periods = {PeriodKind::Year};
    d.checks = [](Db& db, const FormPeriod&) { return basicAnnualOpens(db); };

    FigureFormSetup setup;
    setup.rules = rules();
    setup.averagesFrom = QStringLiteral("年初名册（0 月）");
    setup.sheet = [](const FormPeriod&) { return formTemplate(); };
    setup.compute = compute;
    setup.inFen = {InFen.begin(), InFen.end()};
    setup.periodLine = [](const FormPeriod&) { return YearLabel; };
    d.engine = setup;
    d.table = {"NLabor_info",
               StoredTable::Shape::OneRow,
               {"I01", "I02", "I03", "I04", "I05", "I06", "I07", "I08", "I09", "I10", "I11",
                "I12", "I13", "I14", "I15", "I16", "I17", "I18", "I19", "I20", "I21", "I22",
                "I23", "I24", "A1",  "A2",  "A3",  "A4",  "A5",  "A6",  "A7",  "A8",  "A9",
                "A10", "A11", "A12", "A13", "A14", "A15", "A16", "A17", "A18", "B1",  "B2",
                "B3",  "B4",  "B5",  "B6",  "B7"}};

    d.workbook.name = [](const FormContext&) { return QStringLiteral("基础定期报表I102-2_") + YearLabel; };
    d.workbook.layout = workbookLayout;
    d.workbook.message = writtenFileMessage;

    d.submission.folder = SubmissionFolder::Rcsb;
    d.submission.periods = {PeriodKind::Year};
    d.submission.files = {{[](const QString& unit, const FormPeriod&) {
                               return unit + QStringLiteral("_i102.dbf");
                           },
                           tableSource("NLabor_info", {InFen.begin(), InFen.end()}), {}}};
    d.submission.message = [](const QStringList& paths) { return writtenFileMessage(paths[0]); };

    d.window.caption = fixedCaption(QStringLiteral("企事业单位劳动统计报表（年度）"));
    d.window.modal = false;
    d.window.kindLine = QStringLiteral("基层定期报表");
    d.window.title = QStringLiteral("劳   动   情   况");
    d.window.unitLines = laborUnitLines;
    d.window.identityLines = {QStringLiteral("表             号：I102-2表     "),
                              QStringLiteral("有效期至：2012年6月     ")};

    d.menus = {{QString(), true,
                {{QStringLiteral("劳动情况基层年报表"), QStringLiteral("actBasicAnnual"),
                  FormPeriod::ofYear(), false, false}}}};
    d.helpKey = QStringLiteral("i102-2");
    return d;
}

}  // namespace

const FormDefinition& basicAnnualForm()
{
    static const FormDefinition form = definition();
    return form;
}

}  // namespace vel
