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

// Why the block cannot be pasted with its first cell at (row, col): it holds values in rows past
// the sheet's last row or in columns past its last shown one (the columns past maxCol() hold codes
// that only the rules write), named with how many would not fit; empty when it fits. Empty cells
// that would fall outside lose nothing and are no reason.
QString pasteRefusal(const Sheet& sheet, int row, int col, const std::vector<QStringList>& block);

// Writes the cells of clipboard text one by one with the first at (row, col). Returns the range
// written; empty when nothing was. A block that does not fit (pasteRefusal) throws Error with the
// reason and writes nothing: a clerk's rows are never cut off unseen.
CellRange pasteClipboardText(Sheet& sheet, int row, int col, const QString& text);

}  // namespace vel
