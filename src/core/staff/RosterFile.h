#pragma once

#include "staff/StaffSheet.h"

#include <QString>
#include <QStringList>

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

// Reads a CSV or tab-separated roster file with one header row. Throws Error naming the line for
// a row with more columns than the sheet, an empty name above filled rows, or an unreadable file.
std::vector<RosterFileRow> readRosterFile(const QString& path);

// Writes the people from sheet row 3 on; columns the unit's class does not answer stay empty.
void fillStaffSheet(Sheet& sheet, const std::vector<RosterFileRow>& rows, StaffClass staffClass);

// "从文件导入" in the roster windows and the command line's import: the file's people written
// into the staff sheet from row 3, the sheet's rows below the headers cleared first. Throws Error
// for a file readRosterFile refuses, a file without people ("第一行没有数据。") and more people
// than the sheet holds; the sheet is then untouched. Returns the rows read.
std::vector<RosterFileRow> loadRosterFile(const QString& path, Sheet& sheet, StaffClass staffClass);

// The stored roster of a month as tab-separated text: a header row, then the 18 answers and
// sIsok of each person in the order they were stored.
QString rosterExportText(Db& db, int month);

}  // namespace vel
