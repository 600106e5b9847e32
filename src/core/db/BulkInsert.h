#pragma once

#include "db/Db.h"

#include <QStringList>

#include <optional>
#include <string>

namespace vel {

// Inserts many rows into one table, in the order they are added, through statements of many rows
// each: a statement per row pays the statement's fixed cost, and the update of the table's
// AUTOINCREMENT counter, on every row. Rows wait until a statement is full; finish() writes the
// rest and must run before the transaction commits.
class BulkInsert {
public:
    BulkInsert(Db& db, const std::string& table, const QStringList& columns);

    // One value per column, in the order of the columns.
    void add(const SqlParams& row);
    void finish();

private:
    std::string statementFor(int rows) const;

    Db& db_;
    std::string head_;
    int columns_;
    int rowsPerStatement_;
    SqlParams pending_;
    std::optional<Statement> full_;
};

}  // namespace vel
