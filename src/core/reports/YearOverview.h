#pragma once

#include "output/TablePage.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace vel {

struct UnitAttributes;

class Session;

// One month of "全年概况": its roster, its wages and what was submitted for the period it ends.
struct MonthOverview {
    int month = 0;                  // 0 for the opening roster
    int persons = 0;                // roster rows
    std::vector<int> byRole;        // roster rows per employment status, in roleNames order
    int wageRows = 0;
    std::array<double, 4> parts{};  // sums of sN1..sN4
    double total = 0;               // sum of sTotal
    int failedStaff = 0;            // roster rows with sIsok "0"
    int flaggedWages = 0;           // wage rows with sFlag or wFlag "0"
    QStringList reports;            // the forms whose submission file for this period holds
                                    // what the stored records give now
    QStringList olderReports;       // the forms whose file holds something else: it is older

    bool hasProblems() const { return failedStaff > 0 || flaggedWages > 0; }
};

// The window a month's row opens: where its problems are mended, else where its data is kept.
enum class MonthWindow { None, OpeningRoster, MonthlyRoster, Wages };
MonthWindow windowFor(const MonthOverview& month);

// The thirteen months side by side: what a clerk checks before the quarterly and annual work.
struct YearOverview {
    QStringList roleNames;  // the employment statuses of the code table, in code order
    std::array<MonthOverview, 13> months;
};

// Counts and sums through one grouped query per table. A form counts as submitted when its file
// in GZSB for the registered unit (none without one) holds, read back as the receiver reads it,
// the figures the stored records give now; a file that holds others is older than the data.
YearOverview yearOverview(Session& session);

// The table as rows of text: the header, then months 0..12: month, persons, one column per
// employment status, the four parts and the total (shortest decimal form, empty without wages),
// failed roster rows, flagged wage rows, the forms submitted, the forms whose file is older than
// the data.
std::vector<QStringList> yearOverviewTable(const YearOverview& overview);

// The base name of the overview's PDF under XLS.
inline const QString YearOverviewName = QStringLiteral("全年概况");

// The table as it is printed, under "全年概况" and the unit's name.
TablePage yearOverviewPage(const YearOverview& overview, const UnitAttributes& unit);

}  // namespace vel
