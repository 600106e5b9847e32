#pragma once

#include "output/LaidOutSheet.h"
#include "output/WorkbookLayout.h"
#include "sheet/Sheet.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <vector>

namespace vel {

// How a list is printed as a plain table under a title line: the roster changes, the payout
// list, the year overview. Columns from 1.
struct TableOutline {
    QString sheetName;
    QString title;
    std::vector<double> columnWidths;  // characters, one per column
    std::set<int> generalColumns;      // left as texts are; the others centred
    std::set<int> figureColumns;       // their numbers are figures, below the header row
    bool landscape = false;
    // Room for headers that wrap onto more than one line.
    std::optional<double> headerHeight;
    // Whose list it is, at the head of every printed page.
    QString owner;
};

// The list's sheet and its layout, for the workbook writer and the printed pages alike.
struct TablePage {
    Sheet sheet;
    WorkbookLayout layout;

    LaidOutSheet laidOut() const { return layOutSheet(sheet, layout); }
};

// The title in row 1, `rows` from row 2 (the first of them the header, repeated on every
// printed page), every cell of the table lined; every page names the owner and is numbered.
TablePage tablePage(const TableOutline& outline, const std::vector<QStringList>& rows);

}  // namespace vel
