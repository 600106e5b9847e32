#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/FigureFormRules.h"
#include "reports/ReportFolders.h"
#include "sheet/Sheet.h"

#include <QString>

namespace vel {

class Session;

// The older annual form I102-2 "劳动情况": December's head counts, average head counts over the
// opening roster and the twelve months, remunerations in whole yuan and their averages per head
// to the fen in the left half; education, talent and construction supplements in the right half.
// Computed, stored in NLabor_info, shown and written as workbook and submission file.
class BasicAnnualReport : public ReportFolders<BasicAnnualReport> {
public:
    static constexpr int Rows = 34;
    static constexpr int Columns = 9;
    // The year the window shows and the workbook's name carries.
    static inline const QString YearLabel = QStringLiteral("2011年");

    explicit BasicAnnualReport(Session& session);

    // The rows and rules the form computes with, for describing it.
    static FigureFormRules rules();

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    // The figures as stored; the averages per head (I20 to I23) in fen.
    const Figures& figures() const { return figures_; }

    // `progress` hears the passes over the records end.
    void compute(const Progress& progress = {});
    // Replaces NLabor_info with the computed figures (updateNLabor).
    void store();

    QString workbookPath() const;
    QString exportWorkbook(const Progress& progress = {}) const;

    QString submissionPath() const;
    // "生成上报": stores this report's figures and writes RCSB/{CurDepNo}_i102.dbf.
    QString submit();

private:
    WorkbookLayout workbookLayout() const;

    Session& session_;
    Sheet sheet_;
    Figures figures_;
};

}  // namespace vel
