#pragma once

#include "Progress.h"
#include "output/WorkbookLayout.h"
#include "reports/CategoryCounts.h"
#include "sheet/Sheet.h"

#include <QString>

namespace vel {

class Session;

// The older talent-resources summary Ⅰ303-1 over the opening roster: 40 staff categories by sex,
// age, qualification and education. Computed, stored in Total_Info (head counts only), shown,
// written as workbook and as RCSB/{CurDepNo}.dbf.
class TalentOpeningSummary {
public:
    static constexpr int Rows = 43;
    static constexpr int Columns = 11;
    static constexpr int Month = 0;

    explicit TalentOpeningSummary(Session& session);

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    const CategoryCounts& counts() const { return counts_; }

    void compute();
    // Updates G11 to G19 of Total_Info rows 1 to 40, in one transaction; the wage summary's
    // average head counts and wage totals stay.
    void store();

    QString workbookPath() const;
    QString workbookFolder() const;
    QString exportWorkbook(const Progress& progress = {}) const;

    QString submissionPath() const;
    QString submissionFolder() const;
    // "生成上报文件": stores the counts and writes Total_Info as the submission file. Other files
    // in the folder are left alone.
    QString submit();

private:
    WorkbookLayout workbookLayout() const;

    Session& session_;
    Sheet sheet_;
    CategoryCounts counts_;
};

}  // namespace vel
