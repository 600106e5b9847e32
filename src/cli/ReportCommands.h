#pragma once

#include <QString>

namespace vel {
class Session;
}

namespace vel::cli {

// What to write besides printing the report sheet.
struct ReportFiles {
    bool workbook = false;
    bool submission = false;
};

// Computes and stores a report as its window does, after the checks that opening it runs; prints
// the sheet as tab-separated text, then the path of each file written.
int quarterlyReport(Session& session, int quarter, ReportFiles files);
int annualReport(Session& session, ReportFiles files);
int basicQuarterlyReport(Session& session, int quarter, ReportFiles files);
// The range path writes no submission file: asking for one is refused.
int basicRangeReport(Session& session, int from, int to, ReportFiles files);
int basicAnnualReport(Session& session, ReportFiles files);
int talentSummary(Session& session, ReportFiles files);
int talentOpeningSummary(Session& session, ReportFiles files);

// The wage summary by staff category of months from..to in the form of the unit's type, after
// the checks of its menu entry and of the month-range chooser: recomputed and stored, or with
// `reuse` shown from the range's stored copy.
int wageSummary(Session& session, const QString& from, const QString& to, bool reuse,
                ReportFiles files);

}  // namespace vel::cli
