#include "WageSummary.h"

#include "Errors.h"
#include "Session.h"
#include "reports/PeriodCopy.h"

#include <QDate>

#include <stdexcept>

namespace vel {
namespace {

constexpr int QualifiedCol = 6;
constexpr int FirstFigureCol = 3;  // G11; G21 in column 13

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

const char* const WageSummary::FigureColumns = "G11, G12, G13, G14, G15, G16, G17, G18, G19, G20, G21";

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

WageSummary::WageSummary(Session& session, const WageSummaryForm& form, const FormPeriod& period)
    : session_(session),
      form_(form),
      range_(period.range()),
      reuse_(period.reuseStoredCopy),
      sheet_(formTemplate(form_))
{
    if (!range_.valid())
        throw std::invalid_argument("a wage summary covers months within 1..12");
}

CheckOutcome WageSummary::compute(const Progress& progress)
{
    if (reuse_) {
        reload();
        return {};
    }
    if (session_.db().exists("SELECT 1 FROM Staff_moninfo WHERE sIsok = '0' AND sMon > 0"))
        return CheckOutcome::refused(UnauditedMessage);
    lines_ = computeSummary(session_.db(), form_.rules, range_, progress);
    rangeLabel_ = form_.computedLabel.arg(range_.from).arg(range_.to);
    showLines(QStringLiteral("——"));
    return {};
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
    if (reuse_)
        return;
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

}  // namespace vel
