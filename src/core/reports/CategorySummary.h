#pragma once

#include "Progress.h"
#include "reports/MonthRange.h"
#include "reports/Selection.h"

#include <array>
#include <optional>
#include <vector>

namespace vel {

class Db;

// A staff category of a wage summary: its posts, for the "其中" rows also its grades, the grades
// its qualified count takes where the form has one, and the rows whose figures add up to it.
struct SummaryCategory {
    int gid;
    const char* label;
    bool coded;  // the form prints the row's number as its code
    Selection post;
    std::optional<Selection> grade = std::nullopt;
    std::optional<Selection> qualified = std::nullopt;
    std::vector<int> parts = {};
};

// How the average head count of a range is taken: over the range's months, or over them and the
// month before (the opening roster before January).
enum class AverageRule { OverRange, WithMonthBefore };

// What a wage summary form counts: its rows, the birth month from which a person is under 35
// (birthMonthNumber), and its average.
struct SummaryRules {
    std::vector<SummaryCategory> rows;
    int youngFrom = 0;
    AverageRule average = AverageRule::OverRange;
};

// The figures G11..G21 of a row in the form's column order; G14 is empty where the row does not
// count it.
enum SummaryColumn { G11, G12, G13, G14, G15, G16, G17, G18, G19, G20, G21, SummaryColumns };
using SummaryLine = std::array<std::optional<long long>, SummaryColumns>;

// The persons G12 counts, and those G15..G19 count, in column order.
const Selection& summaryWomen();
const std::array<Selection, 5>& summaryEducationBands();

// Every row's figures from one pass over the wage rows joined to their roster (and, before
// January, one over the opening roster): head counts of the end month's wage rows, the average
// head count, the wage total in thousands of yuan. A parent's average is the sum of its parts'
// averages, and its parts' wage totals are balanced to add up to its own.
std::vector<SummaryLine> computeSummary(Db& db, const SummaryRules& rules, const MonthRange& range,
                                        const Progress& progress = {});

}  // namespace vel
