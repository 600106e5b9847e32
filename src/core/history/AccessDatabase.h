#pragma once

#include "db/Db.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <vector>

namespace vel {

// A whole table of an Access database: its column names and every row's values in that order,
// NULL as nullptr, an empty text as an empty QString, whole numbers as long long and the
// stored doubles as they are (99.99 stays 99.99).
struct AccessTable {
    QString name;
    QStringList columns;
    std::vector<SqlParams> rows;

    // The column's place, found without regard to case; -1 when the table has none.
    int column(const QString& name) const;
};

// Reads the named tables of an Access (Jet 3 or 4) database with mdbtools' library, in a child
// process (veldrassa-mdb-reader): a damaged file that crashes the library or makes it run past
// `limit` ends that process only, and what the library prints reaches nobody. Each table is
// nullopt when the file has none of that name (in any letter case), and must otherwise yield as
// many rows as its definition stores. Throws FileError naming the file for a file that cannot be
// read whole, and when the reader program cannot be found or started.
std::vector<std::optional<AccessTable>> readAccessTables(
    const QString& path, const QStringList& tables,
    std::chrono::milliseconds limit = std::chrono::minutes(2));

}  // namespace vel
