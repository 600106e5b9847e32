#include "WageSummary.h"

#include "Errors.h"
#include "Session.h"
#include "output/DbfWriter.h"
#include "output/WorkbookWriter.h"
#include "reports/PeriodCopy.h"

#include <QDate>
#include <QFileInfo>

#include <stdexcept>

namespace vel {
namespace {

constexpr int QualifiedCol = 6;
constexpr int FirstFigureCol = 3;  // G11; G21 in column 13
constexpr int WorkbookRowOffset = 8;

const char* const FigureColumns = "G11, G12, G13, G14, G15, G16, G17, G18, G19, G20, G21";

int sheetRow(int gid)
{
    return gid + WageSummary::FirstRow - 1;
}

Sheet formTemplate(const WageSummaryForm& f)
{
    Sheet sheet(f.rowCount() + WageSummary::FirstRow - 1, WageSummary::Columns);
    sheet.setText(1, 2, QStringLiteral("代码"));
    sheet.setText(1, 7, QStringLiteral("学历状况"));
    const QStringList headers = WageSummary::figureHeaders(f);
    for (int k = 0; k < SummaryColumns; ++k)
        sheet.setText(2, FirstFigureCol + k, headers[k]);
    sheet.setText(3, 1, QStringLiteral("甲"));
    sheet.setText(3, 2, QStringLiteral("乙"));
    for (const SummaryCategory& c : f.rules.rows) {
        const int row = sheetRow(c.gid);
        sheet.setText(row, 1, QString::fromUtf8(c.label));
        if (c.coded)
            sheet.setText(row, 2, QString::number(c.gid));
        if (!c.qualified)
            sheet.setText(row, QualifiedCol, QStringLiteral("——"));
    }
    sheet.setColumnWidths(1, 1, static_cast<int>(f.firstColumnWidth * 256 * 0.8));
    sheet.setColumnWidths(2, WageSummary::Columns, 7 * 256);
    sheet.setRowHeights(2, 2, 84 * 20);
    sheet.setFont(1, 1, sheet.maxRow(), WageSummary::Columns, {9});
    return sheet;
}

}  // namespace

QStringList WageSummary::figureHeaders(const WageSummaryForm& f)
{
    return {QStringLiteral("期末从业人员总数"),
            QStringLiteral("女性"),
            QStringLiteral("35岁以下"),
            QStringLiteral("具有国家评定的专业技术职称、技能等级的"),
            QStringLiteral("研究生"),
            QStringLiteral("大学本科"),
            QStringLiteral("大学专科"),
            QStringLiteral("中专及高中"),
            QStringLiteral("初中及以下"),
            QStringLiteral("平均人数"),
            f.lastHeader};
}

QString WageSummary::noStoredCopyMessage(const MonthRange& range)
{
    return QStringLiteral("没有保存%1月至%2月的汇总数据，请重新汇总。").arg(range.from).arg(range.to);
}

WageSummary::WageSummary(Session& session, const MonthRange& range)
    : session_(session),
      form_(wageSummaryForm(formOf(session))),
      range_(range),
      sheet_(formTemplate(form_))
{
    if (!range.valid())
        throw std::invalid_argument("a wage summary covers months within 1..12");
}

SummaryForm WageSummary::formOf(const Session& session)
{
    return session.unit().EnterpriseFlag == 0 ? SummaryForm::Organ : SummaryForm::Enterprise;
}

bool WageSummary::compute(const Progress& progress)
{
    if (session_.db().exists("SELECT 1 FROM Staff_moninfo WHERE sIsok = '0' AND sMon > 0"))
        return false;
    lines_ = computeSummary(session_.db(), form_.rules, range_, progress);
    rangeLabel_ = form_.computedLabel.arg(range_.from).arg(range_.to);
    showLines(QStringLiteral("——"));
    return true;
}

void WageSummary::showLines(const QString& missingQualified)
{
    const SheetBatch batch(sheet_);
    for (size_t i = 0; i < lines_.size(); ++i) {
        const int row = sheetRow(static_cast<int>(i) + 1);
        for (int k = 0; k < SummaryColumns; ++k) {
            const std::optional<long long>& v = lines_[i][k];
            sheet_.setText(row, FirstFigureCol + k, v ? QString::number(*v) : missingQualified);
        }
    }
}

void WageSummary::store()
{
    if (lines_.empty())
        throw std::logic_error("the wage summary is stored before it was computed");
    Db& db = session_.db();
    const UnitAttributes& unit = session_.unit();
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    Transaction tx(db);
    // The rows are replaced whole: no figure of an earlier computation or of another summary
    // that shares the table stays behind, and a missing row is made.
    Statement row(db, std::string("INSERT OR REPLACE INTO Total_Info (Gid, Dep_id, Tdate, frmc, ") +
                          FigureColumns + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (size_t i = 0; i < lines_.size(); ++i) {
        SqlParams values{static_cast<long long>(i + 1), unit.CurDepNo, today, unit.CurDepName};
        for (const std::optional<long long>& v : lines_[i]) {
            if (v)
                values.emplace_back(*v);
            else
                values.emplace_back(nullptr);
        }
        row.run(values);
    }
    savePeriodCopy(db, range_, form_.rowCount());
    tx.commit();
}

void WageSummary::reload()
{
    Db& db = session_.db();
    if (!periodCopyStored(db, range_, form_.rowCount()))
        throw Error(noStoredCopyMessage(range_));
    std::vector<SummaryLine> lines;
    Query q(db, std::string("SELECT ") + FigureColumns + " FROM " + periodCopyTable(range_) +
                    " ORDER BY Gid");
    static const char* const names[] = {"G11", "G12", "G13", "G14", "G15", "G16",
                                        "G17", "G18", "G19", "G20", "G21"};
    while (q.next()) {
        SummaryLine& line = lines.emplace_back();
        for (int k = 0; k < SummaryColumns; ++k)
            if (!q.isNull(names[k]))
                line[k] = q.integer(names[k]);
    }
    lines_ = std::move(lines);
    rangeLabel_ = form_.reloadedLabel.arg(range_.from).arg(range_.to);
    showLines(QStringLiteral("--"));
}

bool WageSummary::submissionOffered() const
{
    return range_ == MonthRange{1, 6} || range_ == MonthRange{1, 12} ||
           range_ == MonthRange{6, 12};
}

QString WageSummary::workbookPath() const
{
    return vel::workbookPath(session_.folder(),
                             QStringLiteral("工资%1_%2").arg(range_.from).arg(range_.to));
}

WorkbookLayout WageSummary::workbookLayout() const
{
    const UnitAttributes& unit = session_.unit();
    const int lastRow = sheet_.maxRow() + WorkbookRowOffset;
    WorkbookLayout l;
    l.sheetName = QStringLiteral("人员基本信息");
    l.copy.sheetCells = {2, 1, sheet_.maxRow(), Columns};
    l.copy.rowOffset = WorkbookRowOffset;
    l.copy.centred = {{11, 1}, {12, 1}};
    l.setColumnWidths(1, 1, form_.firstColumnWidth);
    l.setColumnWidths(2, Columns, 6.5);

    l.cell(1, 1, form_.title).font(TitleFont, 16).centred();
    l.merge(1, 1, 1, Columns);
    l.rowHeights[1] = 40;
    l.setRowHeights(2, 8, 13);
    l.rowHeights[10] = 90;  // room for the longest column header, wrapped in its narrow column
    l.cell(7, 1, QStringLiteral("单位名称：") + unit.CurDepName).size(8);
    l.cell(8, 1, QStringLiteral("法人单位代码：") + unit.CurDepNo).size(8);
    for (int i = 0; i < form_.formLines.size(); ++i) {
        l.cell(4 + i, 9, form_.formLines[i]).size(8);
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
    l.fitToPageWidth = true;
    return l;
}

QString WageSummary::exportWorkbook(const Progress& progress) const
{
    const QString path = workbookPath();
    writeWorkbook(sheet_, workbookLayout(), path, progress);
    const QFileInfo file(path);
    return QStringLiteral("你导出到'%1/'里,文件名为:%2").arg(file.path(), file.fileName());
}

QString WageSummary::submissionPath() const
{
    return vel::submissionPath(session_.folder(), SubmissionFolder::Gzsb,
                               session_.unit().CurDepNo + "_" + form_.submissionSuffix + ".dbf");
}

QString WageSummary::submit() const
{
    if (!submissionOffered())
        throw Error(NotSubmittedMessage);
    if (!periodCopyStored(session_.db(), range_, form_.rowCount()))
        throw Error(noStoredCopyMessage(range_));
    const QString path = submissionPath();
    writeDbf(session_.db(),
             {std::string("SELECT Gid, Dep_id, Tdate, frmc, ") + FigureColumns + " FROM " +
                  periodCopyTable(range_) + " ORDER BY Gid",
              {}},
             path);
    const QFileInfo file(path);
    return QStringLiteral("你保存在'%1/'里,文件名为:%2").arg(file.path(), file.fileName());
}

}  // namespace vel
