#pragma once

#include "io/WorkbookSheet.h"

#include <QString>

#include <vector>

namespace vel {

// The cells of an .xlsx workbook's first worksheet, each as shown under its number format
// (shared and inline strings, numbers, booleans, errors, formulas by their stored result).
// Throws FileError naming the file for a damaged workbook, or one that unpacks past
// MaxWorkbookPartBytes.
std::vector<ShownCell> readXlsxSheet(const QString& path);

}  // namespace vel
