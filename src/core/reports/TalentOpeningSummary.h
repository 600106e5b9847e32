#pragma once

#include "reports/CategoryForm.h"

namespace vel {

class Session;

// The older talent-resources summary Ⅰ303-1 over the opening roster: 40 staff categories by sex,
// age, qualification and education. Computed, stored in Total_Info (head counts only: the wage
// summary's average head counts and wage totals stay), shown, written as workbook and as
// RCSB/{CurDepNo}.dbf.
class TalentOpeningSummary : public CategoryForm {
public:
    static constexpr int Rows = 43;
    static constexpr int Columns = 11;
    static constexpr int Month = 0;

    explicit TalentOpeningSummary(Session& session);

    // The category rows and value columns the form counts with, for describing it.
    static const std::vector<Category>& rows();
    static const std::vector<HeadedColumn>& columns();

    QString submissionPath() const;
    // "生成上报文件": stores the counts and writes Total_Info as the submission file. Other files
    // in the folder are left alone.
    QString submit();

private:
    WorkbookLayout workbookLayout() const override;
};

}  // namespace vel
