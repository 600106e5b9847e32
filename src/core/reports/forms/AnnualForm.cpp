#include "Errors.h"
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

// The annual form I102-1 "从业人员及工资总额": December's head counts by sex, working time,
// status, education and occupation in the left half; average head counts over the opening roster
// and the twelve months, wage totals by status, part and occupation, and average wages in the
// right half; the supplementary block of the unit's class below.

namespace {

constexpr int Rows = 52;
constexpr int Columns = 9;

constexpr int LeftLabelCol = 1;
constexpr int LeftValueCol = 4;
constexpr int GapCol = 5;
constexpr int RightLabelCol = 6;
constexpr int RightValueCol = 9;
constexpr int WorkbookRowOffset = 6;
constexpr int FirstSupplementRow = 42;

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
        {3, "一、从业人员"},
        {4, "(一)从业人员期末人数", "人", "01"},
        {5, "其中：女性", "人", "02"},
        {6, "其中：非全日制", "人", "03"},
        {7, "按人员类型分"},
        {8, "在岗职工", "人", "05"},
        {9, "劳务派遣人员", "人", "06"},
        {10, "其他从业人员", "人", "07"},
        {11, "按文化程度分"},
        {12, "大学本科及以上", "人", "A01"},
        {13, "大专", "人", "A02"},
        {14, "中专及高中", "人", "A03"},
        {15, "初中及以下", "人", "A04"},
        {16, "按职业类型分"},
        {17, "单位负责人", "人"},
        {18, "专业技术人员", "人"},
        {19, "其中：高级技术职称人员", "人", "A05"},
        {20, "中级技术职称人员", "人", "A06"},
        {21, "初级技术职称人员", "人", "A07"},
        {22, "专业技术岗位工作人员", "人", "A08"},
        {23, "办事人员和有关人员", "人"},
        {24, "其中：一般管理人员", "人", "A09"},
        {25, "商业、服务业人员", "人"},
        {26, "技术岗位操作人员及其他有关人员", "人", "A10"},
        {27, "其中：生产运输设备操作人员及有关人员", "人"},
        {28, "其中：高级技师", "人", "A11"},
        {29, "技师", "人", "A12"},
        {30, "高级工", "人", "A13"},
        {31, "中级工", "人", "A14"},
        {32, "初级工", "人", "A15"},
        {33, "其他技术岗位操作人员", "人", "A16"},
        {34, "辅助生产人员", "人", "A17"},
        {35, "其他岗位工作人员", "人", "A18"},
        {36, "(二)从业人员平均人数", "人", "08"},
        {37, "按照人员类型分"},
        {38, "在岗职工", "人", "09"},
        {39, "劳务派遣人员", "人"},
    };
    return rows;
}

const std::vector<FormRow>& rightRows()
{
    static const std::vector<FormRow> rows = {
        {1, "指标名称", "计量单位", "代码"},
        {2, "甲", "乙", "丙"},
        {3, "其他从业人员", "人"},
        {4, "按职业类型分"},
        {5, "单位负责人", "人"},
        {6, "专业技术人员", "人"},
        {7, "办事人员和有关人员", "人"},
        {8, "商业、服务业人员", "人"},
        {9, "技术岗位操作人员及其他有关人员", "人"},
        {10, "其中：生产运输设备操作人员及有关人员", "人"},
        {11, "二、工资"},
        {12, "(一)从业人员工资总额", "千元"},
        {13, "按人员类型分"},
        {14, "在岗职工", "千元"},
        {15, "基本工资", "千元"},
        {16, "绩效工资", "千元"},
        {17, "工资性津贴和补贴", "千元"},
        {18, "其他工资", "千元"},
        {19, "劳务派遣人员", "千元"},
        {20, "其他从业人员", "千元"},
        {21, "按职业类型分"},
        {22, "单位负责人", "千元"},
        {23, "专业技术人员", "千元"},
        {24, "办事人员和有关人员", "千元"},
        {25, "商业、服务业人员", "千元"},
        {26, "技术岗位操作人员及其他有关人员", "千元"},
        {27, "其中：生产运输设备操作人员及有关人员", "千元"},
        {28, "(二)从业人员平均工资", "元"},
        {29, "按人员类型分"},
        {30, "在岗职工", "元"},
        {31, "劳务派遣人员", "元"},
        {32, "其他从业人员", "元"},
        {33, "按职业类型分"},
        {34, "单位负责人", "元"},
        {35, "专业技术人员", "元"},
        {36, "办事人员和有关人员", "元"},
        {37, "商业、服务业人员", "元"},
        {38, "技术岗位操作人员及其他有关人员", "元"},
        {39, "其中：生产运输设备操作人员及有关人员", "元"},
        {40, "三、单位数", "个"},
    };
    return rows;
}

// Government organs have no commerce, services, auxiliary or transport posts: post 100 stands for
// no post and takes nobody. Their ordinary workers (18) count as office staff and their other
// personnel (19) with the technical operators.
const std::vector<FigureRule>& figureRules()
{
    static const std::vector<FigureRule> rules = [] {
        using M = Measure;
        const auto status = [](long long code) { return codesOf("ssf", {code}); };
        const auto posts = [](std::vector<long long> codes) {
            return codesOf("sPost", std::move(codes));
        };
        const Selection heads = postClasses("2");
        const Selection organHeads = leaderPosts(LeaderRule::Heads);
        const Selection office = posts({41, 42});
        const Selection organOffice = leaderPosts(LeaderRule::Office);
        const Selection noPost = posts({100});
        const Selection operators = postClasses("5", {61, 64});
        const Selection organOperators = postClasses("5", {19});
        return std::vector<FigureRule>{
            {"I01", left(4), M::EndCount, everyone()},
            {"I02", left(5), M::EndCount, codesOf("sSex", {2})},
            {"I03", left(6), M::EndCount, codesOf("sqrz", {2})},
            {"I05", left(8), M::EndCount, status(1)},
            {"I06", left(9), M::EndCount, status(2)},
            {"I07", left(10), M::EndCount, status(3)},
            {"A01", left(12), M::EndCount, codesOf("sEducation", {1, 2, 3})},
            {"A02", left(13), M::EndCount, codesOf("sEducation", {4})},
            {"A03", left(14), M::EndCount, codesOf("sEducation", {5, 6, 7})},
            {"A04", left(15), M::EndCount, codesOf("sEducation", {8, 9})},
            {"I71", left(17), M::EndCount, heads, organHeads},
            {"I72", left(18), M::EndCount, postClasses("3")},
            {"A05", left(19), M::EndCount, posts({31, 32})},
            {"A06", left(20), M::EndCount, posts({33})},
            {"A07", left(21), M::EndCount, posts({34})},
            {"A08", left(22), M::EndCount, posts({35})},
            {"I73", left(23), M::EndCount, office, organOffice},
            {"A09", left(24), M::EndCount, posts({41})},
            {"I74", left(25), M::EndCount, posts({62, 63}), noPost},
            {"A10", left(26), M::EndCount, operators, organOperators},
            {"I75", left(27), M::EndCount, operators, noPost},
            {"A11", left(28), M::EndCount, posts({51})},
            {"A12", left(29), M::EndCount, posts({52})},
            {"A13", left(30), M::EndCount, posts({53})},
            {"A14", left(31), M::EndCount, posts({54})},
            {"A15", left(32), M::EndCount, posts({55})},
            {"A16", left(33), M::EndCount, posts({56})},
            {"A17", left(34), M::EndCount, posts({61}), noPost},
            {"A18", left(35), M::EndCount, posts({64}), posts({19})},
            {"I08", left(36), M::AverageCount, everyone()},
            {"I09", left(38), M::AverageCount, status(1)},
            {"I10", left(39), M::AverageCount, status(2)},

            {"I11", right(3), M::AverageCount, status(3)},
            {"I76", right(5), M::AverageCount, heads, organHeads},
            {"I77", right(6), M::AverageCount, postClasses("3")},
            {"I78", right(7), M::AverageCount, office, organOffice},
            {"I79", right(8), M::AverageCount, posts({62, 63}), noPost},
            {"A19", right(9), M::AverageCount, operators, organOperators},
            {"I80", right(10), M::AverageCount, operators, noPost},
            {"I12", right(12), M::WageSum, everyone()},
            {"I13", right(14), M::WageSum, status(1)},
            {"I14", right(15), M::WageSum, status(1), std::nullopt, Amount::Basic},
            {"I15", right(16), M::WageSum, status(1), std::nullopt, Amount::Performance},
            {"I16", right(17), M::WageSum, status(1), std::nullopt, Amount::Allowance},
            {"I17", right(18), M::WageSum, status(1), std::nullopt, Amount::Other},
            {"I18", right(19), M::WageSum, status(2)},
            {"I19", right(20), M::WageSum, status(3)},
            {"I81", right(22), M::WageSumWithOpening, heads, organHeads},
            {"I82", right(23), M::WageSum, postClasses("3")},
            {"I83", right(24), M::WageSum, office, organOffice},
            {"I84", right(25), M::WageSum, posts({62, 63})},
            {"A20", right(26), M::WageSum, postClasses("5", {61, 64, 19})},

            // The supplementary figures stand in the lines' texts.
            {"I48", {}, M::AverageCount, codesOf("syg", {1})},
            {"I41", {}, M::EndCount, codesOf("sgc", {1})},
            {"I42", {}, M::EndCount, codesOf("sjzs", {1})},
            {"I43", {}, M::EndCount, codesOf("ssg", {2, 3})},
            {"I44", {}, M::EndCount, codesOf("ssg", {3})},
            {"I46", {}, M::EndCount, codesOf("sgc", {1})},
            {"I47", {}, M::EndCount, codesOf("ssg", {2, 3})},
        };
    }();
    return rules;
}

// The status parts first, so that the wage parts of the on-post staff split the balanced figure.
const std::vector<BalanceGroup> Balance = {
    {"I12", {"I13", "I18", "I19"}},
    {"I13", {"I14", "I15", "I16", "I17"}},
    {"I12", {"I81", "I82", "I83", "I84", "A20"}},
};

// Transport equipment operators are counted among the technical operators; their wages are the
// whole of that group's.
const char* const TransportWages = "I85";
const FormCell TransportWagesCell = right(27);
const FormCell UnitCount = right(40);

const std::vector<AverageWageRule>& averageWageRules()
{
    static const std::vector<AverageWageRule> rules = {
        {"I20", right(28), "I12", "I08"}, {"I21", right(30), "I13", "I09"},
        {"I22", right(31), "I18", "I10"}, {"I23", right(32), "I19", "I11"},
        {"I86", right(34), "I81", "I76"}, {"I87", right(35), "I82", "I77"},
        {"I88", right(36), "I83", "I78"}, {"I89", right(37), "I84", "I79"},
        {"A21", right(38), "A20", "A19"}, {"I90", right(39), TransportWages, "I80"},
    };
    return rules;
}

const std::vector<SupplementLine>& supplementLines()
{
    static const QStringList producing = {"规上", "是1", "是2"};
    static const std::vector<SupplementLine> lines = {
        {42, "I48", producing, 3, "一、直接从事生产经营活动的平均人数(48)", 3, 5,
         "人(限规模以上工业和有资质的建筑业法人单位填报)"},
        {44, "I41", {"是1"}, 11,
         "总承包和专业承包法人单位从业人员期末人数：其中：工程技术人员(41)", 3, 7, "人"},
        {45, "I42", {"是1"}, 95, "其中：一级建造师(42)", 3, 6, "人"},
        {46, "I43", {"是1"}, 95, "其中：现场施工人员(43)", 3, 7, "人"},
        {47, "I44", {"是1"}, 103, "其中：持证上岗人员(44)", 3, 6, "人"},
        {48, "I46", {"是2"}, 12,
         "劳务分包法人单位从业人员期末人数：其中：工程技术人员(46)", 3, 7, "人"},
        {49, "I47", {"是2"}, 87, "其中：现场施工人员(47)", 2, 6, "人"},
    };
    return lines;
}

Sheet formTemplate()
{
    Sheet sheet(Rows, Columns);
    writeFormRows(sheet, LeftLabelCol, leftRows());
    writeFormRows(sheet, RightLabelCol, rightRows());
    for (int col : {LeftValueCol, RightValueCol}) {
        sheet.setText(1, col, QStringLiteral("数量"));
        sheet.setText(2, col, QStringLiteral("1"));
    }
    sheet.setText(41, 1, QStringLiteral("补充资料："));
    sheet.setText(
        43, 1,
        blanks(3) +
            QStringLiteral("二、有资质的建筑业法人单位用工情况(限有资质的建筑业法人单位填报)") +
            blanks(15));
    sheet.setText(
        50, 1,
        blanks(3) + QStringLiteral("三、不能填报\"从业人员\"和\"工资总额\"数据的法人单位填报"));
    sheet.setText(
        51, 1,
        blanks(11) + QStringLiteral("发放工资的法人单位：组织机构代码(49)") + blanks(2) + ":");
    sheet.setText(52, 1, blanks(50) + QStringLiteral("单位详细名称(50)") + blanks(2) + ": ");
    for (int col : {LeftLabelCol, RightLabelCol}) {
        sheet.setColumnWidths(col, col, 30 * 256);
        sheet.setColumnWidths(col + 1, col + 2, 5 * 256);
        sheet.setColumnWidths(col + 3, col + 3, 8 * 256);
    }
    sheet.setColumnWidths(GapCol, GapCol, 256);
    return sheet;
}

// The form is valid for these two years.
bool yearAccepted(const QString& year)
{
    const QString y = year.trimmed();
    return y == QLatin1String("2012") || y == QLatin1String("2013");
}

FigureFormRules rules()
{
    FigureFormRules r;
    r.halves = {{LeftLabelCol, LeftValueCol, leftRows()}, {RightLabelCol, RightValueCol, rightRows()}};
    r.figures = figureRules();
    r.balance = Balance;
    r.averages = averageWageRules();
    r.averagesWithoutHeads = WithoutHeads::Zero;
    r.supplement = supplementLines();
    return r;
}

Figures compute(const FigureInput& in, Sheet& sheet, const Progress& progress)
{
    const UnitAttributes& unit = in.unit;
    FigureBasis basis;
    basis.endMonth = 12;
    basis.organ = unit.isOrgan();
    basis.leaderPost = LookLeader(in.db);
    Figures figures = computeFigures(in.db, figureRules(), basis, progress);
    balanceGroups(figures, Balance);
    figures[TransportWages] = basis.organ ? 0 : figure(figures, "A20");
    averageWages(figures, averageWageRules(), WithoutHeads::Zero);
    figures["I51"] = 1;

    const SheetBatch batch(sheet);
    showFigures(sheet, figures, figureRules());
    sheet.setText(TransportWagesCell.row, TransportWagesCell.col,
                   figureText(figures[TransportWages]));
    for (const AverageWageRule& r : averageWageRules())
        sheet.setText(r.cell.row, r.cell.col, figureText(figures[r.field]));
    sheet.setText(UnitCount.row, UnitCount.col, figureText(figures["I51"]));
    writeSupplement(sheet, supplementLines(), unit.CurDepInfo, figures);
    return figures;
}

WorkbookLayout workbookLayout(const FormContext& c, const Sheet& sheet)
{
    if (!yearAccepted(c.year))
        throw Error(QStringLiteral("年份只能是2012或2013，未导出工作簿。"));
    const UnitAttributes& unit = c.unit;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("基础定期报表");
    l.copy.sheetCells = {1, 1, Rows, Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.fontSize = 9;
    l.copy.generalColumns = {LeftLabelCol, RightLabelCol};
    l.copy.centred = {{7, 1}, {8, 1}, {7, 6}, {8, 6}};
    l.copy.figures = {{3, LeftValueCol, FirstSupplementRow - 1, LeftValueCol},
                      {3, RightValueCol, FirstSupplementRow - 1, RightValueCol}};
    l.headingRows = {7, 8};
    l.progressDivisor = 54;
    l.columnWidths = {{1, 30}, {2, 3}, {3, 3}, {4, 9}, {5, 1}, {6, 30}, {7, 3}, {8, 3}, {9, 10}};

    // The supplementary lines are set off by blanks of their own in the workbook.
    const int leading[] = {1, 1, 4, 46, 46, 49, 4, 41, 1, 4, 24};
    for (int row = FirstSupplementRow; row <= Rows; ++row) {
        const int workbookRow = row + WorkbookRowOffset;
        l.cell(workbookRow, 1,
               blanks(leading[row - FirstSupplementRow]) + sheet.text(row, 1).trimmed());
        l.rowHeights[workbookRow] = 12;
    }

    l.cell(1, 1, QStringLiteral("基础定期报表")).font(TitleFont, 18).centred();
    l.merge(1, 1, 1, 9);
    l.rowHeights[1] = 20;
    l.rowHeights[7] = 30;  // "计量单位" wraps onto two lines in its narrow column
    l.cell(2, 1, QStringLiteral("从业人员及工资总额")).centred().size(9);
    l.merge(2, 1, 2, 9);
    l.cell(5, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(9);
    l.cell(6, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(9);
    const QString header[] = {
        QStringLiteral("表   号：102-1表"), QStringLiteral("制定机关：Ardelm统计局"),
        QStringLiteral("批准文号：国统字(2012)174号"), QStringLiteral("有效期至:2014年1月 ")};
    for (int i = 0; i < 4; ++i) {
        l.cell(3 + i, 7, header[i]).general().size(9);
        l.merge(3 + i, 7, 3 + i, 9);
    }
    l.cell(3, 4, blanks(6) + c.year.trimmed() + QStringLiteral("年")).size(9);
    l.merge(7, GapCol, 45, GapCol);
    for (int row = 48; row <= 59; ++row)
        l.merge(row, 1, row, 9);
    l.rowHeights[46] = 12;
    l.cell(59, 1,
           QStringLiteral("单位负责人：             统计负责人：            填表人：             "
                          "联系电话：        分机号：     报出日期：20  年   月   日"))
        .size(8);

    l.bottomEdge(58, 1, 58, 9, EdgeWeight::Thin);
    l.grid(7, 1, 46, 9);
    l.bottomEdge(6, 1, 6, 9, EdgeWeight::Thick);
    l.bottomEdge(46, 1, 46, 9, EdgeWeight::Thick);
    l.margins = {30, 10, 10, 10};
    return l;
}

FormDefinition definition()
{
    FormDefinition d;
    d.number = QStringLiteral("I102-1");
    d.command = QStringLiteral("annual");
    d.description = QStringLiteral("employees and wages of the year (I102-1)");
    d.position = 80;
    d.periods = {PeriodKind::Year};
    d.checks = [](Db& db, const FormPeriod&) { return annualReportOpens(db); };

    FigureFormSetup setup;
    setup.rules = rules();
    setup.averagesFrom = QStringLiteral("年初名册（0 月）");
    setup.sheet = [](const FormPeriod&) { return formTemplate(); };
    setup.compute = compute;
    d.engine = setup;
    d.table = {
        "NGLabor_info",
        StoredTable::Shape::OneRow,
        {"I01", "I02", "I03", "I05", "I06", "I07", "A01", "A02", "A03", "A04", "I71", "I72",
         "A05", "A06", "A07", "A08", "I73", "A09", "I74", "A10", "I75", "A11", "A12", "A13",
         "A14", "A15", "A16", "A17", "A18", "I08", "I09", "I10", "I11", "I76", "I77", "I78",
         "I79", "A19", "I80", "I12", "I13", "I14", "I15", "I16", "I17", "I18", "I19", "I81",
         "I82", "I83", "I84", "A20", "I85", "I20", "I21", "I22", "I23", "I86", "I87", "I88",
         "I89", "A21", "I90", "I51", "I48", "I41", "I42", "I43", "I44", "I46", "I47"}};

    d.workbook.name = [](const FormContext& c) {
        return QStringLiteral("基础定期报表I102-1_") + c.unit.CurDepNo;
    };
    d.workbook.layout = workbookLayout;
    d.workbook.message = writtenFileMessage;
    d.workbook.defaultYear = QStringLiteral("2012");

    d.submission.folder = SubmissionFolder::Gzsb;
    d.submission.periods = {PeriodKind::Year};
    d.submission.files = {{[](const QString& unit, const FormPeriod&) {
                               return unit + QStringLiteral("_i102.dbf");
                           },
                           tableSource("NGLabor_info"), {}}};
    d.submission.message = [](const QStringList& paths) { return writtenFileMessage(paths[0]); };

    d.window.caption = fixedCaption(QStringLiteral("从业人员及工资总额（年报）"));
    d.window.title = QStringLiteral("从业人员及工资总额");
    d.window.unitLines = [](const UnitAttributes& u) {
        return QStringList{QStringLiteral("组织机构代码 : ") + u.CurDepNo,
                           QStringLiteral("企业（单位）详细名称 : ") + u.CurDepName};
    };
    d.window.identityLines = {QStringLiteral("表         号：１ ０ ２ - １ 表"),
                              QStringLiteral("制定机关：Ardelm统计局"),
                              QStringLiteral("批准文号：国统字(2012)174号"),
                              QStringLiteral("有效期至：２０１４年１月")};

    d.menus = {{QString(), true,
                {{QStringLiteral("从业人员及工资总额年报"), QStringLiteral("actAnnual"),
                  FormPeriod::ofYear(), true, true, true}}}};
    d.toolButton = FormToolButton{QStringLiteral("年  报"), QStringLiteral("btnAnnual")};
    d.picture = QStringLiteral("annual-report");
    d.helpKey = QStringLiteral("i102-1");
    d.listedInOverview = true;
    return d;
}

}  // namespace

const FormDefinition& annualForm()
{
    static const FormDefinition form = definition();
    return form;
}

}  // namespace vel
