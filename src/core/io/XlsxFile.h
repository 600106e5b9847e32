#pragma once

#include "io/WorkbookSheet.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

// The cells of an .xlsx workbook's worksheet `index` (from 0, in the workbook's order), each as
// shown under its number format (shared and inline strings, numbers, booleans, errors, formulas
// by their stored result). Throws FileError naming the file for a damaged workbook, one that
// unpacks past MaxWorkbookPartBytes, or one without that worksheet.
std::vector<ShownCell> readXlsxSheet(const QString& path, int index = 0);
// The names of its worksheets, in the workbook's order.
QStringList readXlsxSheetNames(const QString& path);

}  // namespace vel
