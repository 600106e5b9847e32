#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/MonthRange.h"
#include "reports/ReportFolders.h"
#include "reports/WageSummaryForms.h"
#include "sheet/Sheet.h"

#include <QString>

#include <vector>

namespace vel {

class Session;

// The wage summary by staff category of a month range, in the form of the unit's type: computed
// and stored (Total_Info and the range's copy), or shown from the copy, then written as workbook
// and, for 1–6, 1–12 and 6–12, as submission file.
class WageSummary : public ReportFolders<WageSummary> {
public:
    static constexpr int Columns = 13;
    static constexpr int FirstRow = 4;  // the sheet row of Gid 1
    static inline const QString UnauditedMessage =
        QStringLiteral("你没有<审核>数据及<存储>，无法进行统计汇总。");
    static inline const QString NotSubmittedMessage =
        QStringLiteral("只有1-6月、1-12月和6-12月的汇总可以生成上报文件。");
    // The refusal to show a range whose copy is not stored.
    static QString noStoredCopyMessage(const MonthRange& range);

    // The headers of G11..G21, in column order.
    static QStringList figureHeaders(const WageSummaryForm& f);

    // The form follows the unit's type; the range must be valid().
    WageSummary(Session& session, const MonthRange& range);

    static SummaryForm formOf(const Session& session);
    const WageSummaryForm& form() const { return form_; }
    const MonthRange& range() const { return range_; }
    // The form's template until compute() or reload(), then with every figure.
    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const std::vector<SummaryLine>& lines() const { return lines_; }
    // "统计月份：…", after a computation or a reload.
    QString rangeLabel() const { return rangeLabel_; }

    // Computes every figure and shows it; false, computing nothing, while a monthly staff row
    // failed the audit (UnauditedMessage).
    bool compute(const Progress& progress = {});
    // Writes the figures into Total_Info and replaces the range's copy, in one transaction.
    void store();
    // Shows the range's stored copy and writes nothing; throws Error when none is stored.
    void reload();

    // Only the ranges 1–6, 1–12 and 6–12 are submitted.
    bool submissionOffered() const;

    QString workbookPath() const;
    // "导成Excel": writes the workbook; returns the closing message naming the file.
    QString exportWorkbook(const Progress& progress = {}) const;

    QString submissionPath() const;
    // "生成上报文件": writes GZSB/{CurDepNo}_i704.dbf (i705) from this range's stored copy, the
    // figures on screen, and returns the message naming folder and file.
    QString submit() const;

private:
    void showLines(const QString& missingQualified);
    WorkbookLayout workbookLayout() const;

    Session& session_;
    const WageSummaryForm& form_;
    MonthRange range_;
    Sheet sheet_;
    std::vector<SummaryLine> lines_;
    QString rangeLabel_;
};

}  // namespace vel
