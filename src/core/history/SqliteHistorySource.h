#pragma once

#include "history/HistorySource.h"

#include <SQLiteCpp/Database.h>

namespace vel {

// An earlier installation of this program: its Database/RCdatabase.db, opened only for reading.
class SqliteHistorySource : public HistorySource {
public:
    // Throws Error for a file this program cannot take rows from: not a database, written by a
    // newer version, or without the tables and columns the import reads; and DatabaseError (in a
    // source's words) when it cannot be read.
    explicit SqliteHistorySource(const QString& path);

    QString path() const override { return path_; }
    std::optional<HistoryUnit> unit() override;
    std::vector<SqlParams> staffRows() override;
    std::vector<SqlParams> wageRows() override;

private:
    std::vector<SqlParams> rows(const std::string& sql);

    QString path_;
    SQLite::Database db_;
};

}  // namespace vel
