#pragma once

#include "io/ImportFile.h"
#include "staff/StaffSheet.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

class Db;
class Sheet;

// One person of a roster file: the staff sheet's answer columns 1..18 in order, and the file
// line it came from.
struct RosterFileRow {
    int line = 0;
    QStringList cells;
};

struct RosterFile {
    ImportSource source;  // a workbook, or the encoding a delimited file was read in
    std::vector<RosterFileRow> rows;
};

// Reads a roster file with one header row: a workbook's first worksheet, or a CSV or
// tab-separated file in the given encoding or the one its bytes show (readImportFile). Throws
// Error naming the line for a row with more columns than the sheet, an empty name above filled
// rows, or a file that cannot be read.
RosterFile readRosterFile(const QString& path, std::optional<TextEncoding> encoding = std::nullopt);

// The file's people written into the staff sheet from row 3, the sheet's rows below the headers
// cleared first. Throws Error for a file without people ("第一行没有数据。") and more people than
// the sheet holds; the sheet is then untouched.
void placeRosterFile(const RosterFile& file, Sheet& sheet, StaffClass staffClass);

// "从文件导入" in the roster windows: readRosterFile, then placeRosterFile.
RosterFile loadRosterFile(const QString& path, Sheet& sheet, StaffClass staffClass,
                          std::optional<TextEncoding> encoding = std::nullopt);

// The stored roster of a month as tab-separated text: a header row, then the 18 answers and
// sIsok of each person in the order they were stored.
QString rosterExportText(Db& db, int month);

}  // namespace vel
