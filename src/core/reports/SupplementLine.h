#pragma once

#include "reports/FigureRules.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

class Sheet;

// A line of a form's supplementary block that carries a figure. For the unit classes that report
// it the line reads indent, label, gap, the figure, two blanks and the tail; for the others the
// figure's place is left blank (emptyGap blanks) and the figure is stored as null.
struct SupplementLine {
    int row;
    const char* field;
    QStringList classes;  // CurDepInfo values that report the figure
    int indent;
    QString label;
    int gap;
    int emptyGap;
    QString tail;

    QString text(const std::optional<long long>& figure) const;
};

// Writes the lines into column 1, the figure of each line kept in `figures` for the classes that
// report it and set to null for the others.
void writeSupplement(Sheet& sheet,
                     const std::vector<SupplementLine>& lines,
                     const QString& unitClass,
                     Figures& figures);

}  // namespace vel
