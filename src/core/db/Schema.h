#pragma once

#include <QStringList>

namespace SQLite {
class Database;
}

namespace vel {

class Db;

// The schema version a file of this program carries (PRAGMA user_version).
constexpr int SchemaVersion = 3;

// Gives an empty file every table, view, index, code row and pre-numbered report row (in one
// transaction); brings a file of an older version up to date; refuses a file that is not ours or
// was written by a newer version.
void prepareSchema(Db& db);

// What a database file lacks of this version's schema: each missing table or view as "Name" and
// each missing column as "Table.column", in schema order; empty when nothing is missing (more is
// allowed; a file of an older version need not hold what later versions add). Only reads the file.
QStringList schemaGaps(SQLite::Database& file);

}  // namespace vel
