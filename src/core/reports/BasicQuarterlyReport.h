#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/FigureFormRules.h"
#include "reports/ReportFolders.h"
#include "sheet/Sheet.h"

#include <QString>

namespace vel {

class Session;

// The older quarterly form I202-2 "劳动情况" over months s..e: head counts at e, average head
// counts and remunerations in whole yuan from January (or, for a range of months, over the range),
// average remunerations, and the construction supplement. Computed, stored in JLabor_info, shown
// and written as workbook and, for a quarter, as submission file.
class BasicQuarterlyReport : public ReportFolders<BasicQuarterlyReport> {
public:
    static constexpr int Rows = 26;
    static constexpr int Columns = 5;

    // The quarter entries: months 1 to 3, 6 or 9.
    static BasicQuarterlyReport forQuarter(Session& session, int quarter);
    // The range path: months from..to, no submission file.
    static BasicQuarterlyReport forRange(Session& session, int from, int to);

    // The rows and rules the form computes with, for describing it.
    static FigureFormRules rules();

    int startMonth() const { return start_; }
    int endMonth() const { return end_; }
    // 1 to 3, or 0 for a range of months.
    int quarter() const { return quarter_; }
    // "2012年1季度"; for a range "2012年4-6月", so that its workbook names the months.
    QString periodLabel() const;
    // The window's caption with the period it covers.
    QString caption() const;

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const Figures& figures() const { return figures_; }

    // `progress` hears the passes over the records end.
    void compute(const Progress& progress = {});
    // Replaces JLabor_info with the computed figures (updateJLabor).
    void store();

    QString workbookPath() const;
    // "导出Excel": writes the workbook; returns the closing message.
    QString exportWorkbook(const Progress& progress = {}) const;

    QString submissionPath() const;
    // "生成上报" of a quarter: stores this report's figures, writes RCSB/{CurDepNo}_{q}_i202.dbf
    // and removes the quarter-less file of earlier versions. Throws Error for a range of months,
    // whose figures the authority does not take.
    QString submit();

private:
    BasicQuarterlyReport(Session& session, int start, int end, int quarter);
    WorkbookLayout workbookLayout() const;

    Session& session_;
    int start_;
    int end_;
    int quarter_;
    Sheet sheet_;
    Figures figures_;
};

}  // namespace vel
