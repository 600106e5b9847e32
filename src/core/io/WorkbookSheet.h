#pragma once

#include "io/DelimitedFile.h"

#include <QString>

#include <vector>

namespace vel {

// One cell of a workbook's first worksheet as the clerk sees it; rows and columns count from 1.
struct ShownCell {
    int row = 0;
    int column = 0;
    QString text;
};

// A workbook unpacks to far more than its size on disk; past this it is no roster or wage list.
constexpr qint64 MaxWorkbookPartBytes = 16 * MaxImportFileBytes;

// Where a roster or wage list can hold something: the program's sheets have 16,384 rows, and no
// list needs more columns than an Excel 97 sheet has. A cell beyond is refused as it is read, so
// that the lines built from a sheet stay as small as what it holds.
constexpr int MaxWorkbookRows = 16384;
constexpr int MaxWorkbookColumns = 256;
// Throws FileError naming the file and the place for a cell that holds something beyond them.
void checkCellPlace(const QString& path, int row, int column);

// The sheet's rows as a delimited file's lines: row n is line n, from row 1 to the last row
// with a cell, each with its cells up to its last filled one. Throws ConversionError naming row
// and column for a cell that holds a control character. The cells must lie within
// checkCellPlace's limits.
std::vector<DelimitedLine> sheetLines(std::vector<ShownCell> cells);

// The refusals every workbook reader shares, naming the file, or the cell.
[[noreturn]] void refuseDamagedWorkbook(const QString& path);
[[noreturn]] void refuseNotWorkbook(const QString& path);
[[noreturn]] void refuseProtectedWorkbook(const QString& path);
[[noreturn]] void refuseLargeWorkbook(const QString& path);
[[noreturn]] void refuseOldWorkbook(const QString& path);
[[noreturn]] void refuseWorkbookWithoutSheet(const QString& path);
// A formula the writing program left for the office suite to work out: its value is not known.
[[noreturn]] void refuseFormulaWithoutResult(int row, int column);

}  // namespace vel
