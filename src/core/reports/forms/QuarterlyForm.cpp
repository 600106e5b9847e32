#include "Session.h"
#include "reports/AverageWage.h"
#include "reports/Balancing.h"
#include "reports/FormDefinition.h"
#include "reports/FormTemplate.h"
#include "reports/LookLeader.h"
#include "reports/ReportChecks.h"
#include "reports/ReportOutput.h"
#include "reports/SupplementLine.h"

namespace vel {

// The quarterly form I202-1 "从业人员及工资总额" for quarter 1, 2 or 3: head counts at the
// quarter's end, average head counts and wage totals from January, average wages, and the
// supplementary block of the unit's class.

namespace {

constexpr int Rows = 32;
constexpr int Columns = 5;

constexpr int ThisQuarterCol = 4;
constexpr int ToDateCol = 5;
constexpr int LastCopiedRow = 31;
constexpr int WorkbookRowOffset = 6;

const std::vector<FormRow>& formRows()
{
    static const std::vector<FormRow> rows = {
        {1, "指标名称", "计量单位", "代码"},
        {2, "甲", "乙", "丙"},
        {3, "一、从业人员", "-", "-"},
        {4, "从业人员期末人数", "人", "01"},
        {5, "其中：单位负责人", "人", "71"},
        {6, "在岗职工", "人", "05"},
        {7, "劳务派遣人员", "人", "06"},
        {8, "其他从业人员", "人", "07"},
        {9, "从业人员平均人数", "人", "08"},
        {10, "在岗职工", "人", "09"},
        {11, "劳务派遣人员", "人", "10"},
        {12, "其他从业人员", "人", "11"},
        {13, "二、工资", "-", "-"},
        {14, "从业人员工资总额", "千元", "12"},
        {15, "在岗职工", "千元", "13"},
        {16, "劳务派遣人员", "千元", "18"},
        {17, "其他从业人员", "千元", "19"},
        {18, "从业人员平均工资", "元", "20"},
        {19, "在岗职工", "元", "21"},
        {20, "劳务派遣人员", "元", "22"},
        {21, "其他从业人员", "元", "23"},
        {22, "三、单位数", "个", "51"},
        {23, "补充资料："},
    };
    return rows;
}

const std::vector<FigureRule>& figureRules()
{
    static const std::vector<FigureRule> rules = [] {
        using M = Measure;
        const auto status = [](long long code) { return codesOf("ssf", {code}); };
        const Selection organHeads = leaderPosts(LeaderRule::Heads);
        return std::vector<FigureRule>{
            {"I01", {4, ThisQuarterCol}, M::EndCount, everyone()},
            {"I71", {5, ThisQuarterCol}, M::EndCount, postClasses("2"), organHeads},
            {"I05", {6, ThisQuarterCol}, M::EndCount, status(1)},
            {"I06", {7, ThisQuarterCol}, M::EndCount, status(2)},
            {"I07", {8, ThisQuarterCol}, M::EndCount, status(3)},
            {"I08", {9, ToDateCol}, M::AverageCount, everyone()},
            {"I09", {10, ToDateCol}, M::AverageCount, status(1)},
            {"I10", {11, ToDateCol}, M::AverageCount, status(2)},
            {"I11", {12, ToDateCol}, M::AverageCount, status(3)},
            {"I12", {14, ToDateCol}, M::WageSum, everyone()},
            {"I13", {15, ToDateCol}, M::WageSum, status(1)},
            {"I18", {16, ToDateCol}, M::WageSum, status(2)},
            {"I19", {17, ToDateCol}, M::WageSum, status(3)},
            // The supplementary figures stand in the lines' texts.
            {"I48", {}, M::AverageCount, codesOf("syg", {1})},
            {"I41", {}, M::EndCount, codesOf("sgc", {1})},
            {"I42", {}, M::EndCount, codesOf("sjzs", {1})},
            {"I47", {}, M::EndCount, codesOf("ssg", {2, 3})},
        };
    }();
    return rules;
}

const std::vector<BalanceGroup> Balance = {{"I12", {"I13", "I18", "I19"}}};

const std::vector<AverageWageRule>& averageWageRules()
{
    static const std::vector<AverageWageRule> rules = {
        {"I20", {18, ToDateCol}, "I12", "I08"},
        {"I21", {19, ToDateCol}, "I13", "I09"},
        {"I22", {20, ToDateCol}, "I18", "I10"},
        {"I23", {21, ToDateCol}, "I19", "I11"},
    };
    return rules;
}

const FormCell UnitCount{22, ToDateCol};

const std::vector<SupplementLine>& supplementLines()
{
    static const QStringList producing = {"规上", "是1", "是2"};
    static const std::vector<SupplementLine> lines = {
        {24, "I48", producing, 3, "一、直接从事生产经营活动的平均人数(48)", 3, 7,
         "人(限规模以上工业和有资质的建筑业法人单位填报)"},
        {26, "I41", {"是1"}, 7,
         "总承包和专业承包法人单位从业人员期末人数：其中：工程技术人员(41)", 3, 8, "人"},
        {27, "I42", {"是1"}, 69, "其中：一级建造师(42)", 3, 6, "人"},
        {28, "I47", {"是2"}, 7,
         "劳务分包法人单位从业人员期末人数：其中：现场施工人员(47)", 3, 6, "人"},
    };
    return lines;
}

Sheet formTemplate()
{
    Sheet sheet(Rows, Columns);
    writeFormRows(sheet, 1, formRows());
    sheet.setText(1, ThisQuarterCol, QStringLiteral("本季"));
    sheet.setText(1, ToDateCol, QStringLiteral("1-本季"));
    // Head counts at the quarter's end stand in "本季", everything else from January on in
    // "1-本季"; the other column of each row and both of a heading are marked "-".
    for (int row = 3; row <= 22; ++row) {
        const bool heading = row == 3 || row == 13;
        if (heading || row >= 9)
            sheet.setText(row, ThisQuarterCol, QStringLiteral("-"));
        if (heading || row <= 8)
            sheet.setText(row, ToDateCol, QStringLiteral("-"));
    }
    sheet.setText(
        25, 1,
        blanks(3) +
            QStringLiteral("二、有资质的建筑业法人单位用工情况(限有资质的建筑业法人单位填报)") +
            blanks(4));
    sheet.setText(29, 1,
                  blanks(3) +
                      QStringLiteral("三、不能填报\"从业人员\"和\"工资总额\"数据的法人单位填报") +
                      blanks(7));
    sheet.setText(30, 1,
                  blanks(7) + QStringLiteral("发放工资的法人单位：组织机构代码(49)") + blanks(2) +
                      ":" + blanks(23));
    sheet.setText(31, 1,
                  blanks(31) + QStringLiteral("单位详细名称(50)") + blanks(6) + ":" + blanks(14));
    sheet.setColumnWidths(1, 1, 40 * 256);
    sheet.setColumnWidths(2, Columns, 10 * 256);
    sheet.setFont(1, 1, 11, Columns, {8});
    return sheet;
}

// "(一季度)", "(二季度)" or "(三季度)".
QString quarterLabel(int quarter)
{
    static const QString labels[] = {QStringLiteral("(一季度)"), QStringLiteral("(二季度)"),
                                     QStringLiteral("(三季度)")};
    return labels[quarter - 1];
}

Figures compute(const FigureInput& in, Sheet& sheet, const Progress& progress)
{
    FigureBasis basis;
    basis.endMonth = in.period.quarter * 3;
    basis.organ = in.unit.isOrgan();
    basis.leaderPost = LookLeader(in.db);
    Figures figures = computeFigures(in.db, figureRules(), basis, progress);
    balanceGroups(figures, Balance);
    averageWages(figures, averageWageRules(), WithoutHeads::Empty);
    figures["I51"] = 1;

    const SheetBatch batch(sheet);
    showFigures(sheet, figures, figureRules());
    for (const AverageWageRule& r : averageWageRules())
        sheet.setText(r.cell.row, r.cell.col, figureText(figures[r.field]));
    sheet.setText(UnitCount.row, UnitCount.col, figureText(figures["I51"]));
    writeSupplement(sheet, supplementLines(), in.unit.CurDepInfo, figures);
    return figures;
}

FigureFormRules rules()
{
    FigureFormRules r;
    r.halves = {{1, ToDateCol, formRows()}};
    r.figures = figureRules();
    r.balance = Balance;
    r.averages = averageWageRules();
    r.averagesWithoutHeads = WithoutHeads::Empty;
    r.supplement = supplementLines();
    return r;
}

WorkbookLayout workbookLayout(const FormContext& c, const Sheet&)
{
    WorkbookLayout l;
    l.sheetName = QStringLiteral("基础定期报表");
    l.copy.sheetCells = {1, 1, LastCopiedRow, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.rowHeight = 13;
    l.copy.centred = {{7, 1}, {8, 1}};
    l.copy.figures = {{3, ThisQuarterCol, LastCopiedRow, ToDateCol}};
    l.headingRows = {7, 8};
    l.progressDivisor = 30;
    l.columnWidths = {{1, 55}, {2, 16}, {3, 15}, {4, 22}, {5, 22}};

    l.cell(1, 1, QStringLiteral("(二)基层定报表式")).font(TitleFont, 18).centred();
    l.merge(1, 1, 1, 5);
    l.rowHeights[1] = 40;
    l.cell(5, 1, QStringLiteral("单位名称：") + c.unit.CurDepName).size(9);
    l.cell(6, 1, QStringLiteral("法人单位代码：") + c.unit.CurDepNo).size(9);
    l.cell(3, 5, QStringLiteral("表   号：202-1表")).general().size(9);
    l.cell(4, 5, QStringLiteral("制定机关：Ardelm统计局")).general().size(9);
    l.cell(5, 5, QStringLiteral("批准文号：国统字(2012)174号")).general().size(9);
    l.cell(6, 5, QStringLiteral("有效期至:2014年1月 ")).general().size(9);
    l.cell(2, 2, quarterLabel(c.period.quarter)).centred().size(10);
    for (int row = 30; row <= 38; ++row)
        l.merge(row, 1, row, 5);
    l.cell(38, 1,
           QStringLiteral("单位负责人：          统计负责人：         填表人：         "
                          "联系电话：         分机号：        报出日期：20  年   月   日"));

    l.grid(7, 1, 28, 5);
    l.bottomEdge(6, 1, 6, 5, EdgeWeight::Thick);
    l.bottomEdge(28, 1, 28, 5, EdgeWeight::Thick);
    l.bottomEdge(37, 1, 37, 5, EdgeWeight::Thin);
    l.margins.top = 25;
    l.margins.bottom = 10;
    l.landscape = true;
    return l;
}

FormDefinition definition()
{
    FormDefinition d;
    d.number = QStringLiteral("I202-1");
    d.command = QStringLiteral("quarterly");
    d.description = QStringLiteral("employees and wages of a quarter (I202-1)");
    d.position = 70;
    d.periods = {PeriodKind::Quarter};
    d.checks = [](Db& db, const FormPeriod& p) { return quarterlyReportOpens(db, p.quarter); };

    FigureFormSetup setup;
    setup.rules = rules();
    setup.averagesFrom = QStringLiteral("年初名册（0 月）");
    setup.sheet = [](const FormPeriod&) { return formTemplate(); };
    setup.compute = compute;
    setup.periodLine = [](const FormPeriod& p) { return quarterLabel(p.quarter); };
    d.engine = setup;
    d.table = {"JGLabor_info",
               StoredTable::Shape::OneRow,
               {"I01", "I71", "I05", "I06", "I07", "I08", "I09", "I10", "I11", "I12", "I13",
                "I18", "I19", "I20", "I21", "I22", "I23", "I51", "I48", "I41", "I42", "I47"}};

    d.workbook.name = [](const FormContext& c) {
        return QStringLiteral("基础定期报表I202-1_") + quarterLabel(c.period.quarter);
    };
    d.workbook.layout = workbookLayout;
    d.workbook.message = writtenFileMessage;

    d.submission.folder = SubmissionFolder::Gzsb;
    d.submission.periods = {PeriodKind::Quarter};
    d.submission.files = {{[](const QString& unit, const FormPeriod& p) {
                               return QStringLiteral("%1_%2_i202.dbf").arg(unit).arg(p.quarter);
                           },
                           tableSource("JGLabor_info"), QStringLiteral("%1_i202.dbf")}};
    d.submission.message = [](const QStringList& paths) { return writtenFileMessage(paths[0]); };

    d.window.caption = fixedCaption(QStringLiteral("从业人员及工资总额（季报）"));
    d.window.modal = false;
    d.window.title = QStringLiteral("从业人员及工资总额");
    d.window.unitLines = [](const UnitAttributes& u) {
        return QStringList{QStringLiteral("组织机构代码 ：") + u.CurDepNo,
                           QStringLiteral("企业（单位）详细名称 ：") + u.CurDepName};
    };
    d.window.identityLines = {QStringLiteral("表         号：202 - 1  表  "),
                              QStringLiteral("制定机关：Ardelm统计局     "),
                              QStringLiteral("批准文号：国统字(2012)174号          "),
                              QStringLiteral("有效期至：2014年1月   ")};

    FormMenu menu{QStringLiteral("从业人员及工资总额季报"), true, {}};
    const char* names[] = {"一", "二", "三"};
    for (int q = 1; q <= 3; ++q)
        menu.entries.push_back({QStringLiteral("%1季度").arg(QString::fromUtf8(names[q - 1])),
                                QStringLiteral("actQuarterly%1").arg(q), FormPeriod::ofQuarter(q)});
    d.menus = {menu};
    d.toolButton = FormToolButton{QStringLiteral("季  报"), QStringLiteral("btnQuarterly"), true, true};
    d.picture = QStringLiteral("quarterly-report");
    d.helpKey = QStringLiteral("i202-1");
    d.listedInOverview = true;
    return d;
}

}  // namespace

const FormDefinition& quarterlyForm()
{
    static const FormDefinition form = definition();
    return form;
}

}  // namespace vel
