#include "LaidOutSheet.h"

#include "output/PagePlan.h"
#include "output/TextFit.h"

#include <QRegularExpression>

#include <algorithm>

namespace vel {

namespace {

bool inRange(const CellRange& r, int row, int col)
{
    return row >= r.r1 && row <= r.r2 && col >= r.c1 && col <= r.c2;
}

void copyCells(const Sheet& sheet, const CopiedBlock& copy, LaidOutSheet& page)
{
    for (int r = copy.sheetCells.r1; r <= copy.sheetCells.r2; ++r) {
        for (int c = copy.sheetCells.c1; c <= copy.sheetCells.c2; ++c) {
            LaidOutCell& cell = page.cells[{r + copy.rowOffset, c}];
            cell.text = sheet.text(r, c);
            cell.style.fontSize = copy.fontSize;
            cell.style.wrap = true;
            cell.style.align = copy.generalColumns.count(c) ? HAlign::General : HAlign::Center;
            const bool figure = std::any_of(copy.figures.begin(), copy.figures.end(),
                                            [&](const CellRange& f) { return inRange(f, r, c); });
            if (figure)
                if (const auto value = figureValue(cell.text)) {
                    cell.number = value->first;
                    cell.decimals = value->second;
                    cell.style.wrap = false;
                    cell.style.shrink = true;
                }
        }
    }
    for (const CellAddress& a : copy.centred)
        page.cells[{a.row, a.col}].style.align = HAlign::Center;
}

void decorate(const std::vector<CellDecoration>& decorations, LaidOutSheet& page)
{
    for (const CellDecoration& d : decorations) {
        LaidOutCell& cell = page.cells[{d.at.row, d.at.col}];
        if (d.text) {
            // A decoration's text is the form's own wording, never a figure.
            cell.text = *d.text;
            if (cell.number) {
                cell.number.reset();
                cell.style.wrap = true;
                cell.style.shrink = false;
            }
        }
        if (d.fontName)
            cell.style.fontName = *d.fontName;
        if (d.fontSize)
            cell.style.fontSize = *d.fontSize;
        if (d.bold)
            cell.style.bold = *d.bold;
        if (d.align)
            cell.style.align = *d.align;
        if (d.wrap)
            cell.style.wrap = *d.wrap;
    }
}

Line lineOf(EdgeWeight weight)
{
    // The forms' weight 4 is the spreadsheet's thick line, 2 its thin one.
    return weight == EdgeWeight::Thick ? Line::Thick : Line::Thin;
}

// A line between two cells is one line: the bottom edge of a cell and the top edge of the one
// below are the same entry, so the two cells can never disagree about it. The cells on either
// side are added so that both carry it.
void drawLines(const WorkbookLayout& layout, LaidOutSheet& page)
{
    std::map<CellKey, Line> above;   // the line above cell (row, col)
    std::map<CellKey, Line> before;  // the line left of cell (row, col)
    for (const CellRange& g : layout.grids) {
        for (int r = g.r1; r <= g.r2 + 1; ++r)
            for (int c = g.c1; c <= g.c2; ++c)
                above[{r, c}] = Line::Thin;
        for (int r = g.r1; r <= g.r2; ++r)
            for (int c = g.c1; c <= g.c2 + 1; ++c)
                before[{r, c}] = Line::Thin;
    }
    for (const BottomEdge& e : layout.bottomEdges)
        for (int c = e.cells.c1; c <= e.cells.c2; ++c)
            above[{e.cells.r2 + 1, c}] = lineOf(e.weight);

    for (const auto& [key, line] : above) {
        page.cells[key].edges.top = line;
        if (key.first > 1)
            page.cells[{key.first - 1, key.second}].edges.bottom = line;
    }
    for (const auto& [key, line] : before) {
        page.cells[key].edges.left = line;
        if (key.second > 1)
            page.cells[{key.first, key.second - 1}].edges.right = line;
    }
}

void growTo(LaidOutSheet& page, const CellRange& r)
{
    page.lastRow = std::max(page.lastRow, r.r2);
    page.lastColumn = std::max(page.lastColumn, r.c2);
}

// The block the form fills: what is copied, decorated, merged, lined or sized; not the cells
// beside it that only carry the other side of a line.
void measureExtent(const WorkbookLayout& layout, LaidOutSheet& page)
{
    const CopiedBlock& copy = layout.copy;
    if (!copy.sheetCells.isEmpty())
        growTo(page, {copy.sheetCells.r1 + copy.rowOffset, copy.sheetCells.c1,
                      copy.sheetCells.r2 + copy.rowOffset, copy.sheetCells.c2});
    for (const CellDecoration& d : layout.cells)
        growTo(page, {d.at.row, d.at.col, d.at.row, d.at.col});
    for (const CellRange& r : layout.merges)
        growTo(page, r);
    for (const CellRange& r : layout.grids)
        growTo(page, r);
    for (const BottomEdge& e : layout.bottomEdges)
        growTo(page, e.cells);
    if (!layout.columnWidths.empty())
        page.lastColumn = std::max(page.lastColumn, layout.columnWidths.rbegin()->first);
}

// The points from the left of column c1 to the right of column c2.
double columnsWidth(const LaidOutSheet& page, int c1, int c2)
{
    double width = 0;
    for (int c = c1; c <= c2; ++c)
        width += columnPoints(page.columnWidth(c));
    return width;
}

void fitRowHeights(LaidOutSheet& page)
{
    std::map<int, double> needed;
    for (const auto& [key, cell] : page.cells) {
        const auto [row, col] = key;
        if (row > page.lastRow || col > page.lastColumn || page.rowHeights.count(row))
            continue;
        int lines = 1;
        const CellRange* merge = page.mergeAt(row, col);
        // A block over several rows is sized by the form itself.
        if (cell.style.wrap && !cell.text.isEmpty() && (!merge || merge->r1 == merge->r2)) {
            const int lastCol = merge ? std::min(merge->c2, page.lastColumn) : col;
            lines = wrappedLines(cell.text, cell.style.fontSize,
                                 columnsWidth(page, col, lastCol) - 2 * CellPadding);
        }
        double& height = needed[row];
        height = std::max(height, lineRowHeight(cell.style.fontSize, lines));
    }
    for (int r = 1; r <= page.lastRow; ++r)
        if (!page.rowHeights.count(r)) {
            const auto it = needed.find(r);
            page.rowHeights[r] =
                it == needed.end() ? lineRowHeight(CellStyle{}.fontSize) : it->second;
        }
}

}  // namespace

double lineHeight(double fontSize)
{
    return fontSize + 3;
}

double lineRowHeight(double fontSize, int lines)
{
    return lines * lineHeight(fontSize) + 0.5;
}

int wrappedLines(const QString& text, double fontSize, double width)
{
    int lines = 1;
    double used = 0;
    for (const QChar c : text) {
        if (c == u'\n') {
            ++lines;
            used = 0;
            continue;
        }
        const bool wide = c.unicode() >= 0x2E80;  // CJK, full-width forms and their punctuation
        const double advance = (wide ? 1.0 : 0.6) * fontSize;
        if (used > 0 && used + advance > width) {
            ++lines;
            used = 0;
        }
        used += advance;
    }
    return lines;
}

double LaidOutSheet::columnWidth(int col) const
{
    const auto it = columnWidths.find(col);
    return it == columnWidths.end() ? DefaultColumnWidth : it->second;
}

double LaidOutSheet::rowHeight(int row) const
{
    const auto it = rowHeights.find(row);
    return it == rowHeights.end() ? DefaultRowHeight : it->second;
}

const LaidOutCell* LaidOutSheet::cell(int row, int col) const
{
    const auto it = cells.find({row, col});
    return it == cells.end() ? nullptr : &it->second;
}

const CellRange* LaidOutSheet::mergeAt(int row, int col) const
{
    for (const CellRange& m : merges)
        if (inRange(m, row, col))
            return &m;
    return nullptr;
}

std::optional<std::pair<double, int>> figureValue(const QString& text)
{
    static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(\\.([0-9]+))?$"));
    const QRegularExpressionMatch m = plain.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int decimals = static_cast<int>(m.capturedLength(2));
    bool ok = false;
    const double value = text.toDouble(&ok);
    // "01" or "-0" would come back otherwise: they are codes or marks, not figures.
    if (!ok || QString::number(value, 'f', decimals) != text)
        return std::nullopt;
    return std::make_pair(value, decimals);
}

LaidOutSheet layOutSheet(const Sheet& sheet, const WorkbookLayout& layout)
{
    LaidOutSheet page;
    page.sheetName = layout.sheetName;
    copyCells(sheet, layout.copy, page);
    decorate(layout.cells, page);
    // A merged block shows only its top left text, as the spreadsheet's own merge keeps.
    for (const CellRange& m : layout.merges) {
        page.cells[{m.r1, m.c1}];
        for (int r = m.r1; r <= m.r2; ++r)
            for (int c = m.c1; c <= m.c2; ++c)
                if (r != m.r1 || c != m.c1) {
                    LaidOutCell& cell = page.cells[{r, c}];
                    cell.text.clear();
                    cell.number.reset();
                }
    }
    drawLines(layout, page);
    page.merges = layout.merges;
    page.columnWidths = layout.columnWidths;
    if (layout.copy.rowHeight)
        for (int r = layout.copy.sheetCells.r1; r <= layout.copy.sheetCells.r2; ++r)
            page.rowHeights[r + layout.copy.rowOffset] = *layout.copy.rowHeight;
    for (const auto& [row, points] : layout.rowHeights)
        page.rowHeights[row] = points;
    measureExtent(layout, page);
    fitRowHeights(page);

    const PageMargins& m = layout.margins;
    page.marginLeft = m.left.value_or(DefaultSideMargin);
    page.marginRight = m.right.value_or(DefaultSideMargin);
    page.marginTop = m.top.value_or(DefaultTopBottomMargin);
    page.marginBottom = m.bottom.value_or(DefaultTopBottomMargin);
    page.landscape = layout.landscape;
    page.headingRows = layout.headingRows;
    page.stamp = layout.stamp;
    fitHeaderTexts(page);
    fitHeadings(page);
    return page;
}

}  // namespace vel
