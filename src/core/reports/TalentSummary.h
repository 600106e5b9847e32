#pragma once

#include "reports/CategoryForm.h"

namespace vel {

class Session;

// The year-end talent-resources summary (X505): December's staff in 17 talent categories by sex,
// minority, party, education, age band and certificates. Computed, stored in Total_BaseInfo,
// shown, written as workbook, and submitted together with the opening roster's file.
class TalentSummary : public CategoryForm {
public:
    static constexpr int Rows = 20;
    static constexpr int Columns = 19;
    static constexpr int Month = 12;

    explicit TalentSummary(Session& session);

    // The category rows and value columns the form counts with, for describing it.
    static const std::vector<Category>& rows();
    static const std::vector<HeadedColumn>& columns();

    // RCSB/{CurDepNo}_i505.dbf; the roster file beside it is rosterSubmissionPath().
    QString submissionPath() const;
    // "生成上报文件": stores the counts, writes the summary's file from Total_BaseInfo and the
    // opening roster's file; returns the message naming both.
    QString submit();

private:
    WorkbookLayout workbookLayout() const override;
};

}  // namespace vel
