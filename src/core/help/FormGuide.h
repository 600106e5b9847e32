#pragma once

#include "reports/FigureFormRules.h"

#include <QString>

#include <vector>

namespace vel::help {

// One line of a form's indicator table: a figure, its name as the form prints it, the persons it
// takes and how it is made.
struct IndicatorLine {
    QString field;  // the stored column, as the submission file names it
    QString code;   // the form's own code, where it prints one
    QString name;
    QString unit;
    QString who;
    QString how;
};

// How a form names the first month its averages take: "年初名册（0 月）" for most forms.
struct AveragesFrom {
    QString start;
};

// Every figure the rules make, in the order the form prints them.
std::vector<IndicatorLine> indicatorLines(const FigureFormRules& rules, const AveragesFrom& period);

// The form's indicator table, then the rules that act on figures already made (balancing, the
// construction figures a unit class does not report), as Markdown.
QString indicatorTable(const FigureFormRules& rules, const AveragesFrom& period);

}  // namespace vel::help
