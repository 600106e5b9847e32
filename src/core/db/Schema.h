#pragma once

namespace vel {

class Db;

// The schema version a file of this program carries (PRAGMA user_version).
constexpr int SchemaVersion = 1;

// Gives an empty file every table, view, index, code row and pre-numbered report row (in one
// transaction); refuses a file that is not ours or was written by a newer version.
void prepareSchema(Db& db);

}  // namespace vel
