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

// The annual form I102-1 "从业人员及工资总额": December's head counts by sex, working time,
// status, education and occupation in the left half; average head counts over the opening roster
// and the twelve months, wage totals by status, part and occupation, and average wages in the
// right half; the supplementary block of the unit's class below. A window computes it, stores it,
// shows sheet() and offers the workbook and the submission file.
class AnnualReport : public ReportFolders<AnnualReport> {
public:
    static constexpr int Rows = 52;
    static constexpr int Columns = 9;
    // The year the form prints until the clerk types another; the form is valid for these two.
    static inline const QString DefaultYear = QStringLiteral("2012");
    static bool yearAccepted(const QString& year);

    // Reads the unit's attributes from the session when it computes, stores or writes.
    explicit AnnualReport(Session& session);

    // The rows and rules the form computes with, for describing it.
    static FigureFormRules rules();

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const Figures& figures() const { return figures_; }

    // `progress` hears the computation advance.
    void compute(const Progress& progress = {});
    // The computed figures as the report table stores them and the submission file carries them.
    ReportRow storedRow() const;
    // Replaces NGLabor_info with the computed figures (updateNLabor).
    void store();

    QString workbookPath() const;
    // "导出Excel" with the year box's text: writes the workbook and returns the closing message.
    // Throws Error, writing nothing, when the trimmed year is not one the form is valid for.
    QString exportWorkbook(const QString& year, const Progress& progress = {}) const;

    QString submissionPath() const;
    // The submission file's name in GZSB for the unit.
    static QString submissionFileName(const QString& unitCode);
    // "生成上报": stores this report's figures, writes GZSB/{CurDepNo}_i102.dbf and returns the
    // message naming folder and file.
    QString submit();

private:
    WorkbookLayout workbookLayout(const QString& year) const;

    Session& session_;
    Sheet sheet_;
    Figures figures_;
};

}  // namespace vel
