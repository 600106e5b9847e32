#pragma once

#include <QByteArray>
#include <QString>

namespace vel {

// libxlsxwriter stores a number with 16 significant digits, so 81988.4 lands in the file as
// 81988.39999999999, which every reader takes at its word. A figure of ours is a decimal text of
// at most 15 digits read as a double: rounded to 15 digits, the stored text is that decimal again.

// The worksheet part's number cells rewritten; everything else as it was.
QByteArray withShortestNumbers(const QByteArray& sheetXml);

// Rewrites the worksheets of the closed workbook at `path` in place. Throws FileError when the
// package cannot be read or written.
void storeShortestNumbers(const QString& path);

}  // namespace vel
