#pragma once

#include "io/MatchedImport.h"
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
    // How it was read and matched; its rows are moved into `rows`.
    MatchedFile file;
    std::vector<RosterFileRow> rows;
};

// The columns a staff list is read into (the 18 answers) with the headings personnel offices
// give them.
const ImportLayout& rosterImportLayout();

// The persons of a matched staff list: its rows with a name. Throws Error naming the line for an
// empty name above filled rows.
RosterFile rosterFileOf(MatchedFile file);

// Reads a roster file (readMatchedFile with the roster columns), then rosterFileOf.
RosterFile readRosterFile(Db& db, const QString& path, const ImportOptions& options = {});

// The file's people written into the staff sheet from row 3, the sheet's rows below the headers
// cleared first. Throws Error for a file without people ("第一行没有数据。") and more people than
// the sheet holds; the sheet is then untouched.
void placeRosterFile(const RosterFile& file, Sheet& sheet, StaffClass staffClass);


// The stored roster of a month as tab-separated text: a header row, then the 18 answers and
// sIsok of each person in the order they were stored.
QString rosterExportText(Db& db, int month);

}  // namespace vel
