#pragma once

#include "output/WorkbookLayout.h"
#include "sheet/Sheet.h"

#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace vel {

// Spreadsheet defaults that a layout leaves unset.
constexpr double DefaultColumnWidth = 8.43;  // characters
constexpr double DefaultRowHeight = 15;      // points
constexpr double DefaultSideMargin = 0.7 * 72;
constexpr double DefaultTopBottomMargin = 0.75 * 72;
// The room between a cell's lines and its text, left and right, in points.
constexpr double CellPadding = 0.75;

enum class Line { None, Thin, Thick };

struct CellStyle {
    QString fontName = BodyFont;
    double fontSize = 10;
    bool bold = false;
    HAlign align = HAlign::General;
    bool wrap = false;
    // Set smaller where it is too wide for its cell: a figure is never wrapped, cut or "###".
    bool shrink = false;
};

struct CellEdges {
    Line top = Line::None;
    Line bottom = Line::None;
    Line left = Line::None;
    Line right = Line::None;
};

struct LaidOutCell {
    QString text;
    CellStyle style;
    CellEdges edges;
    // A figure: the value, shown with `decimals` places as `text` is.
    std::optional<double> number;
    int decimals = 0;
};

using CellKey = std::pair<int, int>;  // row, column

// A form's page as both renderers take it, the workbook writer and the printed page: every cell
// with its text, style and lines, the merges, the sizes and the page setup, all resolved from
// the report's sheet and its layout. Rows and columns from 1.
struct LaidOutSheet {
    QString sheetName;
    std::map<CellKey, LaidOutCell> cells;  // row order
    std::vector<CellRange> merges;         // the text of the top left cell stays
    std::map<int, double> columnWidths;    // characters; others DefaultColumnWidth
    // Points, every row of the printed block; 0 hides the row.
    std::map<int, double> rowHeights;
    // The printed block: rows 1..lastRow and columns 1..lastColumn.
    int lastRow = 0;
    int lastColumn = 0;
    // Points, the spreadsheet's defaults filled in.
    double marginLeft = DefaultSideMargin;
    double marginRight = DefaultSideMargin;
    double marginTop = DefaultTopBottomMargin;
    double marginBottom = DefaultTopBottomMargin;
    bool landscape = false;
    std::optional<std::pair<int, int>> headingRows;
    PageStamp stamp;

    double columnWidth(int col) const;
    double rowHeight(int row) const;
    const LaidOutCell* cell(int row, int col) const;
    // The merge whose block holds the cell, if any.
    const CellRange* mergeAt(int row, int col) const;
};

// The distance between two lines of wrapped text in `fontSize` points, on paper as in the
// workbook's row heights.
double lineHeight(double fontSize);
// The height of a row of `lines` lines of text in `fontSize` points.
double lineRowHeight(double fontSize, int lines = 1);
// The lines a wrapped text takes in `width` points at `fontSize`, reckoned generously: Chinese
// and full-width characters an em each, every other character six tenths of one.
int wrappedLines(const QString& text, double fontSize, double width);

// Copies the sheet's cells the layout names, applies its decorations, merges and lines and
// marks the figures. A row of the printed block that the layout does not size is as high as its
// wrapped texts need (one line of its largest font at least), so that every program that prints
// the form gives it the same height.
LaidOutSheet layOutSheet(const Sheet& sheet, const WorkbookLayout& layout);

// The number a figure cell shows, when its text is a plain decimal ("12", "-3", "4.50") that
// the number with as many decimals gives back exactly; nullopt for anything else ("01", "--").
std::optional<std::pair<double, int>> figureValue(const QString& text);

}  // namespace vel
