#pragma once

#include "sheet/Sheet.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace vel {

// Titles use 黑体; every other cell the body font of Chinese spreadsheets.
inline const QString TitleFont = QStringLiteral("黑体");
inline const QString BodyFont = QStringLiteral("宋体");

enum class HAlign { General, Center };
enum class EdgeWeight { Thin, Thick };

// A workbook cell, rows and columns from 1.
struct CellAddress {
    int row = 1;
    int col = 1;
};

// What a decoration sets on one workbook cell. What it leaves unset keeps the value the copied
// sheet gave, or the default (size 10, body font, general alignment, no wrap).
struct CellDecoration {
    CellAddress at;
    std::optional<QString> text;
    std::optional<QString> fontName;
    std::optional<double> fontSize;
    std::optional<bool> bold;
    std::optional<HAlign> align;
    std::optional<bool> wrap;

    CellDecoration& font(const QString& name, double size)
    {
        fontName = name;
        fontSize = size;
        return *this;
    }
    CellDecoration& size(double points)
    {
        fontSize = points;
        return *this;
    }
    CellDecoration& inBold()
    {
        bold = true;
        return *this;
    }
    CellDecoration& centred()
    {
        align = HAlign::Center;
        return *this;
    }
    CellDecoration& general()
    {
        align = HAlign::General;
        return *this;
    }
    CellDecoration& wrapped()
    {
        wrap = true;
        return *this;
    }
};

// The report's sheet cells that go into the workbook, each as wrapped text of one font size.
struct CopiedBlock {
    CellRange sheetCells;             // sheet rows and columns; a sheet column keeps its number
    int rowOffset = 0;                // workbook row = sheet row + rowOffset
    std::optional<double> rowHeight;  // points, for every copied row
    double fontSize = 10;
    // Sheet columns left in general alignment; the others are centred.
    std::set<int> generalColumns{1};
    // Workbook cells of those columns centred all the same (the header rows).
    std::vector<CellAddress> centred;
    // Sheet cells that hold figures: a text there that reads as a decimal number goes into the
    // workbook as a number, shown with the decimals the text has, so that a spreadsheet sums it.
    // Codes, labels and "--" stay text, as does everything outside these blocks.
    std::vector<CellRange> figures;
};

struct BottomEdge {
    CellRange cells;
    EdgeWeight weight = EdgeWeight::Thick;
};

// Page margins in points; an unset one keeps the spreadsheet's default (0.7 inch left and right,
// 0.75 inch top and bottom).
struct PageMargins {
    std::optional<double> left;
    std::optional<double> right;
    std::optional<double> top;
    std::optional<double> bottom;
};

enum class PageNumbers { None, Always, WhenSeveral };

// What every printed page carries besides the form, so that a loose page can be attributed.
struct PageStamp {
    QString owner;  // whose pages they are, at the head of each; empty for none
    PageNumbers numbers = PageNumbers::None;  // "第 N 页 共 M 页" at the foot
};

// The line that names the unit at the head of a list's pages.
inline QString unitPageOwner(const QString& name, const QString& code)
{
    return QStringLiteral("单位名称：") + name + QStringLiteral("　单位代码：") + code;
}

// How a report's sheet becomes a printable form: everything the workbook holds besides the
// copied texts. Ranges are workbook cells, rows and columns from 1.
struct WorkbookLayout {
    QString sheetName;
    CopiedBlock copy;
    // The progress reported after sheet row r is r × 100 ÷ divisor (at most 100); 0 takes the
    // last copied row.
    int progressDivisor = 0;
    std::map<int, double> columnWidths;   // column → width in characters
    std::map<int, double> rowHeights;     // row → points; 0 hides the row
    std::vector<CellDecoration> cells;    // applied in order, over the copied cells
    std::vector<CellRange> merges;        // the text of the top left cell stays
    std::vector<CellRange> grids;         // thin lines on every edge of every cell
    std::vector<BottomEdge> bottomEdges;  // drawn over the grids
    PageMargins margins;
    bool landscape = false;
    // A second sheet of plain text rows after the form's page, named `notesSheetName`, when it
    // has rows (the data check's explanations).
    QString notesSheetName;
    std::vector<QStringList> notesRows;
    // Workbook rows repeated at the top of every printed page: the column headings. Every form
    // is printed on A4, one page wide, as many pages high as its rows need.
    std::optional<std::pair<int, int>> headingRows;
    PageStamp stamp;

    void setColumnWidths(int c1, int c2, double width)
    {
        for (int c = c1; c <= c2; ++c)
            columnWidths[c] = width;
    }
    void setRowHeights(int r1, int r2, double points)
    {
        for (int r = r1; r <= r2; ++r)
            rowHeights[r] = points;
    }
    CellDecoration& cell(int row, int col, const QString& text)
    {
        CellDecoration& d = format(row, col);
        d.text = text;
        return d;
    }
    // Formatting without touching the text.
    CellDecoration& format(int row, int col)
    {
        CellDecoration& d = cells.emplace_back();
        d.at = {row, col};
        return d;
    }
    void merge(int r1, int c1, int r2, int c2) { merges.push_back({r1, c1, r2, c2}); }
    void grid(int r1, int c1, int r2, int c2) { grids.push_back({r1, c1, r2, c2}); }
    void bottomEdge(int r1, int c1, int r2, int c2, EdgeWeight weight)
    {
        bottomEdges.push_back({{r1, c1, r2, c2}, weight});
    }
};

}  // namespace vel
