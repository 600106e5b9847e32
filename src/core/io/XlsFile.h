#pragma once

#include "io/WorkbookSheet.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vel {

// The cells of an Excel 97-2003 (.xls) workbook's first worksheet, each as shown under its
// number format, from the file's bytes (read from `path`, which messages name). Throws FileError
// naming the file for a damaged or password-protected workbook, one older than Excel 97, and an
// encrypted .xlsx (which is kept in the same container).
std::vector<ShownCell> readXlsSheet(const QString& path, const QByteArray& bytes);

}  // namespace vel
