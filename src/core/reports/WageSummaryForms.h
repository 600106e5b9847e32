#pragma once

#include "reports/CategorySummary.h"

#include <QString>
#include <QStringList>

namespace vel {

// The wage summary by staff category: I704 for enterprises and institutions, I705 for
// government organs. Both run on one engine and differ only in these tables.
enum class SummaryForm { Enterprise, Organ };

struct WageSummaryForm {
    SummaryForm form = SummaryForm::Enterprise;
    SummaryRules rules;
    QString title;           // the workbook's and the window's heading
    QString caption;         // the window caption
    QString lastHeader;      // the header of G21
    QStringList formLines;   // 表号, 制定机关, 批准文号, 有效期, 计量单位
    // The range label after a computation and after a reload; %1 and %2 the months.
    QString computedLabel;
    QString reloadedLabel;
    QString submissionSuffix;  // "{DepNo}_{suffix}.dbf"
    double firstColumnWidth = 0;

    int rowCount() const { return static_cast<int>(rules.rows.size()); }
};

const WageSummaryForm& wageSummaryForm(SummaryForm form);

}  // namespace vel
