#pragma once

#include "period/PeriodChecks.h"

#include <QString>

#include <vector>

namespace vel {

class Db;

// The months of the year a summary covers, both ends included.
struct MonthRange {
    int from = 0;
    int to = 0;

    int months() const { return to - from + 1; }
    // 1 <= from <= to <= 12: the only ranges a summary is computed or stored for.
    bool valid() const { return from >= 1 && from <= to && to <= 12; }
    bool operator==(const MonthRange& o) const { return from == o.from && to == o.to; }
};

// A month as typed: a whole number, blanks around allowed; 0 for any other text.
int monthOfText(const QString& text);

inline const QString RecomputeQuestion = QStringLiteral("已经有汇总数据，是否重新汇总？");

// What opening the month-range chooser "选择汇总月度区间" found: the months both lists offer
// (every month with a monthly roster, ascending), or why it is not shown: a missing month list is
// an error, the audit checks are confirmed with their single Yes, the rest information.
struct ChooserOpening {
    CheckOutcome checks;
    std::vector<int> months;
};

// The chooser's own checks: the month lists, then the three year-wide checks of wage and monthly
// staff rows that failed the audit, each refusal with its months.
ChooserOpening rangeChooserOpens(Db& db);

// "按人员分类工资情况汇总" once the unit is registered: no staff row of any month failed the
// audit (StaffErrorsList), then the chooser's checks.
ChooserOpening wageSummaryOpens(Db& db);

// What the chooser's button found for the two typed months; a wrong range is an error, the rest
// information.
struct RangeChoice {
    CheckOutcome checks;
    MonthRange range;
    // A copy of the summary is stored for the range: ask RecomputeQuestion, whose No reuses it.
    bool copyStored = false;
};

// The range checks: both months whole numbers 1..12 and in order, no wage row of the range that
// failed the audit, no name number shared by two persons of a month the range's summaries read
// (the month before it too). With `summaryRows`, whether the period copy of a summary with that
// many rows is stored; 0 looks for none (a report that always recomputes).
RangeChoice checkRange(Db& db, const QString& fromText, const QString& toText, int summaryRows = 0);

// The chooser's answer: the range, and whether the stored copy is shown instead of recomputing.
struct ChosenRange {
    MonthRange range;
    bool reuseCopy = false;
};

// Yes at RecomputeQuestion, or no stored copy, recomputes; No reuses the copy.
ChosenRange decideRange(const RangeChoice& choice, bool recomputeAnswer);

}  // namespace vel
