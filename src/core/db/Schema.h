#pragma once

#include <QStringList>

#include <vector>

namespace SQLite {
class Database;
}

namespace vel {

class Db;
struct OwnedTable;

// The schema version a file of this program carries (PRAGMA user_version).
constexpr int SchemaVersion = 3;

// Gives an empty file every table, view, index, code row and owned table (in one transaction);
// brings a file of an older version up to date and adds the owned tables it lacks; refuses a file
// that is not ours or was written by a newer version.
void prepareSchema(Db& db, const std::vector<OwnedTable>& ownedTables);

// What a database file lacks of this version's schema: each missing table or view as "Name" and
// each missing column as "Table.column", in schema order; empty when nothing is missing. More is
// allowed, and so is lacking what opening adds: what later versions add to an older file, and
// an owned table. Only reads the file.
QStringList schemaGaps(SQLite::Database& file, const std::vector<OwnedTable>& ownedTables);

}  // namespace vel
