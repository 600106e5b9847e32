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

// The sheet's rows as a delimited file's lines: row n is line n, from row 1 to the last row
// with a cell, each with its cells up to its last filled one. Throws ConversionError naming row
// and column for a cell that holds a control character.
std::vector<DelimitedLine> sheetLines(std::vector<ShownCell> cells);

// The refusals every workbook reader shares, naming the file.
[[noreturn]] void refuseDamagedWorkbook(const QString& path);
[[noreturn]] void refuseProtectedWorkbook(const QString& path);
[[noreturn]] void refuseLargeWorkbook(const QString& path);
[[noreturn]] void refuseOldWorkbook(const QString& path);
[[noreturn]] void refuseWorkbookWithoutSheet(const QString& path);

}  // namespace vel
