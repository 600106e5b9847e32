#pragma once

#include "sheet/Sheet.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

// The clipboard text of spreadsheet programs: cells separated by tabs, every row ended by a line
// break; a cell holding a tab, a line break or a quote is put in quotes with its quotes doubled.

// The same quoting for any separator (a comma in CSV files).
std::vector<QStringList> parseDelimitedText(const QString& text, QChar separator);
QString delimitedLine(const QStringList& cells, QChar separator);

// The cells of `range` (clipped at the sheet) as clipboard text.
QString clipboardText(const Sheet& sheet, const CellRange& range);

// The rows of cells in clipboard text. Takes \r\n, \n or \r as the line break and ignores one
// trailing break; a quote that never closes is kept as ordinary text.
std::vector<QStringList> parseClipboardText(const QString& text);

// Writes the cells of clipboard text one by one with the first at (row, col). Whatever falls
// beyond the last row or the last shown column is dropped: the columns past maxCol() hold codes
// that only the rules write. Returns the range written; empty when nothing was.
CellRange pasteClipboardText(Sheet& sheet, int row, int col, const QString& text);

}  // namespace vel
