#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/FigureFormRules.h"
#include "reports/ReportFolders.h"
#include "reports/ReportTable.h"
#include "sheet/Sheet.h"

#include <QString>

namespace vel {

class Session;

// The quarterly form I202-1 "从业人员及工资总额" for quarter 1, 2 or 3: head counts at the
// quarter's end, average head counts and wage totals from January, average wages, and the
// supplementary block of the unit's class. A window computes it, stores it, shows sheet() and
// offers the workbook and the submission file.
class QuarterlyReport : public ReportFolders<QuarterlyReport> {
public:
    static constexpr int Rows = 32;
    static constexpr int Columns = 5;

    // Reads the unit's attributes from the session when it computes, stores or writes.
    QuarterlyReport(Session& session, int quarter);

    // The rows and rules the form computes with, for describing it.
    static FigureFormRules rules();

    int quarter() const { return quarter_; }
    int endMonth() const { return quarter_ * 3; }
    // "(一季度)", "(二季度)" or "(三季度)".
    QString quarterLabel() const;

    // The form's template until compute(), then with every figure.
    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const Figures& figures() const { return figures_; }

    // `progress` hears the computation advance.
    void compute(const Progress& progress = {});
    // The computed figures as the report table stores them and the submission file carries them.
    ReportRow storedRow() const;
    // Replaces JGLabor_info with the computed figures (updateJGLabor).
    void store();

    QString workbookPath() const;
    // "导出Excel": writes the workbook; returns the closing message.
    QString exportWorkbook(const Progress& progress = {}) const;

    QString submissionPath() const;
    // The submission file's name in GZSB for the unit and quarter.
    static QString submissionFileName(const QString& unitCode, int quarter);
    // "生成上报": stores this report's figures, so that the file never carries another
    // quarter's, writes GZSB/{CurDepNo}_{quarter}_i202.dbf and removes the quarter-less file of
    // earlier versions. Returns the message naming folder and file.
    QString submit();

private:
    WorkbookLayout workbookLayout() const;

    Session& session_;
    int quarter_;
    Sheet sheet_;
    Figures figures_;
};

}  // namespace vel
