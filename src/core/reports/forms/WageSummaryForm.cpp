#include "Errors.h"
#include "Session.h"
#include "reports/FormDefinition.h"
#include "reports/PeriodCopy.h"
#include "reports/ReportOutput.h"
#include "reports/WageSummary.h"

namespace vel {

// The wage summary by staff category of a month range: I704 for enterprises and institutions,
// I705 for government organs. Both run on one engine and differ in their tables
// (WageSummaryForms); the unit's kind chooses the one drawn. Computed and stored, or shown from
// the copy kept for the range; only 1–6, 1–12 and 6–12 are submitted, from that copy.

namespace {

constexpr int Columns = WageSummary::Columns;
constexpr int WorkbookRowOffset = WageSummary::WorkbookRowOffset;

WorkbookLayout workbookLayout(const WageSummaryForm& form, const FormContext& c, const Sheet& sheet)
{
    const UnitAttributes& unit = c.unit;
    const int lastRow = sheet.maxRow() + WorkbookRowOffset;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("人员基本信息");
    l.copy.sheetCells = {2, 1, sheet.maxRow(), Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{11, 1}, {12, 1}};
    l.copy.figures = {{4, 3, sheet.maxRow(), Columns}};
    l.headingRows = {9, 11};
    l.setColumnWidths(1, 1, form.firstColumnWidth);
    l.setColumnWidths(2, Columns, 6.5);

    l.cell(1, 1, form.title).font(TitleFont, 16).centred();
    l.merge(1, 1, 1, Columns);
    l.rowHeights[1] = 40;
    l.setRowHeights(2, 8, 13);
    // Room for the longest column header, wrapped in its narrow column onto seven lines.
    l.rowHeights[10] = 92;
    l.cell(7, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(8);
    l.cell(8, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(8);
    for (int i = 0; i < form.formLines.size(); ++i) {
        l.cell(4 + i, 9, form.formLines[i]).size(8);
        l.merge(4 + i, 9, 4 + i, Columns);
    }
    // The header block: columns with one heading span both header rows.
    const std::pair<int, QString> spanning[] = {{1, QString()},
                                                {2, QStringLiteral("代码")},
                                                {3, QStringLiteral("期末从业人员总数")},
                                                {12, QStringLiteral("平均人数")},
                                                {13, QStringLiteral("工资总额")}};
    for (const auto& [col, text] : spanning) {
        l.cell(9, col, text).size(10).centred().wrapped();
        l.cell(10, col, QString());  // under the merge, the copied header would hide there
        l.merge(9, col, 10, col);
    }
    l.cell(9, 4, QString()).size(10).centred();
    l.merge(9, 4, 9, 6);
    l.cell(9, 7, QStringLiteral("学历状况")).size(10).centred();
    l.merge(9, 7, 9, 11);

    l.grid(9, 1, lastRow, Columns);
    l.bottomEdge(lastRow, 1, lastRow, Columns, EdgeWeight::Thick);
    l.bottomEdge(8, 1, 8, Columns, EdgeWeight::Thick);
    l.margins.top = 100;
    l.margins.left = 30;
    l.margins.right = 30;
    return l;
}

// The file is written from the range's copy: the figures on screen, also after a reload.
DbfSource copySource(const WageSummaryForm& form, Db& db, const FormPeriod& period)
{
    const MonthRange range = period.range();
    if (!periodCopyStored(db, range, form.rowCount()))
        throw Error(WageSummary::noStoredCopyMessage(range));
    return {std::string("SELECT Gid, Dep_id, Tdate, frmc, ") + WageSummary::FigureColumns +
                " FROM " + periodCopyTable(range) + " ORDER BY Gid",
            {},
            {},
            reportTextWidths()};
}

FormDefinition definition(SummaryForm which)
{
    const WageSummaryForm& form = wageSummaryForm(which);
    const bool organ = which == SummaryForm::Organ;
    FormDefinition d;
    d.number = organ ? QStringLiteral("I705") : QStringLiteral("I704");
    d.command = QStringLiteral("wage-summary");
    d.description =
        QStringLiteral("wages by staff category over months (I704, or I705 for a government organ)");
    d.position = organ ? 40 : 30;
    d.forOrgans = organ;
    d.periods = {PeriodKind::MonthRange};
    d.chooserChecks = wageSummaryOpens;
    d.engine = SummarySetup{which};
    d.table = totalInfoTable();

    d.workbook.name = [](const FormContext& c) {
        const MonthRange r = c.period.range();
        return QStringLiteral("工资%1_%2").arg(r.from).arg(r.to);
    };
    d.workbook.layout = [&form](const FormContext& c, const Sheet& sheet) {
        return workbookLayout(form, c, sheet);
    };
    d.workbook.message = exportedToMessage;

    d.submission.folder = SubmissionFolder::Gzsb;
    d.submission.periods = {PeriodKind::MonthRange};
    d.submission.ranges = {{1, 6}, {1, 12}, {6, 12}};
    d.submission.notSubmittedMessage = WageSummary::NotSubmittedMessage;
    d.submission.storesFirst = false;
    d.submission.files = {{[&form](const QString& unit, const FormPeriod&) {
                               return unit + "_" + form.submissionSuffix + ".dbf";
                           },
                           [&form](Db& db, const FormPeriod& p) { return copySource(form, db, p); }, {}}};
    d.submission.message = savedFileMessage;

    d.window.caption = fixedCaption(form.caption);
    d.window.title = form.title;
    d.window.unitLines = summaryUnitLines;
    d.window.identityLines = form.formLines;
    d.window.exportCaption = QStringLiteral("导成Excel");
    d.window.submitCaption = QStringLiteral("生成上报文件");
    d.window.copyMenu = true;

    d.menus = {{QString(), true,
                {{QStringLiteral("按人员分类工资情况汇总"),
                  organ ? QStringLiteral("actWageSummaryOrgan")
                        : QStringLiteral("actWageSummaryEnterprise"),
                  FormPeriod::ofRange(QString(), QString()), true, true, true}}}};
    if (!organ) {
        d.toolButton = FormToolButton{QStringLiteral("工资情况"), QStringLiteral("btnWageSituation")};
        d.picture = QStringLiteral("wage-summary");
    }
    d.helpKey = organ ? QStringLiteral("i705") : QStringLiteral("i704");
    return d;
}

}  // namespace

const FormDefinition& enterpriseWageSummaryForm()
{
    static const FormDefinition form = definition(SummaryForm::Enterprise);
    return form;
}

const FormDefinition& organWageSummaryForm()
{
    static const FormDefinition form = definition(SummaryForm::Organ);
    return form;
}

}  // namespace vel
