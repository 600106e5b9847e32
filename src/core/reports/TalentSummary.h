#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/CategoryCounts.h"
#include "sheet/Sheet.h"

#include <QString>

namespace vel {

class Session;

// The year-end talent-resources summary (X505): December's staff in 17 talent categories by sex,
// minority, party, education, age band and certificates. Computed, stored in Total_BaseInfo,
// shown, written as workbook, and submitted together with the opening roster's file.
class TalentSummary {
public:
    static constexpr int Rows = 20;
    static constexpr int Columns = 19;
    static constexpr int Month = 12;

    explicit TalentSummary(Session& session);

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const CategoryCounts& counts() const { return counts_; }

    void compute();
    // Updates Total_BaseInfo rows 1 to 17 with the computed counts, in one transaction.
    void store();

    QString workbookPath() const;
    QString workbookFolder() const;
    QString exportWorkbook(const Progress& progress = {}) const;

    // RCSB/{CurDepNo}_i505.dbf; the roster file beside it is rosterSubmissionPath().
    QString submissionPath() const;
    QString submissionFolder() const;
    // "生成上报文件": stores the counts, writes the summary's file from Total_BaseInfo and the
    // opening roster's file; returns the message naming both.
    QString submit();

private:
    WorkbookLayout workbookLayout() const;

    Session& session_;
    Sheet sheet_;
    CategoryCounts counts_;
};

}  // namespace vel
