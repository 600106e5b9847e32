#include "TablePage.h"

#include <algorithm>

namespace vel {

TablePage tablePage(const TableOutline& outline, const std::vector<QStringList>& rows)
{
    const int rowCount = std::max(static_cast<int>(rows.size()), 1);
    const int columns = static_cast<int>(outline.columnWidths.size());
    TablePage page{Sheet(rowCount, columns), {}};
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < std::min(columns, static_cast<int>(rows[r].size())); ++c)
            page.sheet.setText(r + 1, c + 1, rows[r][c]);

    WorkbookLayout& l = page.layout;
    l.sheetName = outline.sheetName;
    l.copy.sheetCells = {1, 1, rowCount, columns};
    l.copy.rowOffset = 1;  // the title takes row 1
    l.copy.generalColumns = outline.generalColumns;
    for (int c : outline.figureColumns)
        l.copy.figures.push_back({2, c, rowCount, c});
    for (int c = 1; c <= columns; ++c)
        l.copy.centred.push_back({2, c});
    l.cell(1, 1, outline.title).font(TitleFont, 12);
    l.merge(1, 1, 1, columns);
    l.rowHeights[1] = 24;
    if (outline.headerHeight)
        l.rowHeights[2] = *outline.headerHeight;
    l.grid(2, 1, rowCount + 1, columns);
    for (int c = 1; c <= columns; ++c)
        l.columnWidths[c] = outline.columnWidths[static_cast<size_t>(c) - 1];
    l.landscape = outline.landscape;
    l.headingRows = {2, 2};
    l.stamp = {outline.owner, PageNumbers::Always};
    return page;
}

}  // namespace vel
