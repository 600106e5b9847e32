#pragma once

#include "reports/FormEngine.h"
#include "reports/FormPeriod.h"
#include "reports/WageSummaryForms.h"
#include "sheet/Sheet.h"

#include <QString>

#include <vector>

namespace vel {

class Session;

// The wage summary by staff category of a month range, in one of its two forms: computed and
// stored (Total_Info and the range's copy), or shown from the copy.
class WageSummary : public FormEngine {
public:
    static constexpr int Columns = 13;
    static constexpr int FirstRow = 4;  // the sheet row of Gid 1
    static constexpr int WorkbookRowOffset = 8;
    static inline const QString UnauditedMessage =
        QStringLiteral("你没有<审核>数据及<存储>，无法进行统计汇总。");
    static inline const QString NotSubmittedMessage =
        QStringLiteral("只有1-6月、1-12月和6-12月的汇总可以生成上报文件。");
    // The refusal to show a range whose copy is not stored.
    static QString noStoredCopyMessage(const MonthRange& range);
    // The stored columns G11..G21, in order.
    static const char* const FigureColumns;

    // The headers of G11..G21, in column order.
    static QStringList figureHeaders(const WageSummaryForm& f);

    // The range must be valid(); the period's reuseStoredCopy shows the stored copy.
    WageSummary(Session& session, const WageSummaryForm& form, const FormPeriod& period);

    const WageSummaryForm& form() const { return form_; }
    const MonthRange& range() const { return range_; }
    Sheet& sheet() override { return sheet_; }
    const std::vector<SummaryLine>& lines() const { return lines_; }
    // "统计月份：…", after a computation or a reload.
    QString rangeLabel() const { return rangeLabel_; }
    std::optional<QString> periodLine() const override { return rangeLabel_; }

    // Computes every figure and shows it, or with a reused copy shows the copy; refuses,
    // computing nothing, while a monthly staff row failed the audit (UnauditedMessage).
    CheckOutcome compute(const Progress& progress) override;
    // Writes the figures into Total_Info and replaces the range's copy, in one transaction; a
    // reused copy stays as it is.
    void store() override;

private:
    // Shows the range's stored copy and writes nothing; throws Error when none is stored.
    void reload();
    void showLines(const QString& missingQualified);

    Session& session_;
    const WageSummaryForm& form_;
    MonthRange range_;
    bool reuse_;
    Sheet sheet_;
    std::vector<SummaryLine> lines_;
    QString rangeLabel_;
};

}  // namespace vel
