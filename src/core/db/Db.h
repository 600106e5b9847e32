#pragma once

#include <QString>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vel {

// A value bound to a '?' of a statement; values never become part of the SQL text.
using SqlValue = std::variant<std::nullptr_t, long long, double, QString>;
using SqlParams = std::vector<SqlValue>;

// A table that another part of the program describes (each form's stored table): the schema
// makes it for a new file and adds it to an existing file that lacks it.
struct OwnedTable {
    std::string name;
    std::vector<std::string> statements;  // make it, and fill what it holds from the start
};

// The one connection to a unit's database file.
class Db {
public:
    // How long a statement waits for another program's write to end before it gives up.
    static constexpr int BusyTimeoutMs = 5000;

    // Opens the file, creating it with the full schema when it does not exist yet, or adding the
    // owned tables it lacks; or, read-only, only reads an existing one.
    explicit Db(const QString& path, bool readOnly = false,
                const std::vector<OwnedTable>& ownedTables = {});

    const QString& path() const { return path_; }
    void exec(const std::string& sql, const SqlParams& params = {});
    // First column of the first row, or null when there is none.
    SqlValue scalar(const std::string& sql, const SqlParams& params = {});
    bool exists(const std::string& sql, const SqlParams& params = {});
    // Moves on whenever another connection (another program) commits a change to the file; this
    // connection's own changes leave it as it is.
    long long dataVersion();
    SQLite::Database& handle() { return *db_; }

private:
    QString path_;
    std::unique_ptr<SQLite::Database> db_;
};

// A statement that returns rows, read one after the other; fields are read by name.
class Query {
public:
    Query(Db& db, const std::string& sql, const SqlParams& params = {});
    bool next();
    QString text(const char* column) const;  // empty for null
    // With the type the engine holds it in.
    SqlValue value(const char* column) const;
    long long integer(const char* column) const;
    double number(const char* column) const;
    bool isNull(const char* column) const;

private:
    const Db& db_;
    SQLite::Statement stmt_;
};

// A statement prepared once and run for many rows with their own values.
class Statement {
public:
    Statement(Db& db, const std::string& sql);
    void run(const SqlParams& params);

private:
    const Db& db_;
    SQLite::Statement stmt_;
    // The texts of the current run as UTF-8, bound without a copy and reused row after row.
    std::vector<std::string> utf8_;
};

// All-or-nothing: rolls back unless commit() was reached. The outermost one takes the write lock
// at once, so what is read inside it stays true until the commit; one begun inside another is a
// part of it that rolls back alone.
class Transaction {
public:
    explicit Transaction(Db& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Db& db_;
    bool nested_;
    bool open_ = true;
};

// The working database is written; a source (a backup to restore, an earlier installation to
// import from) is only read, and its failures call for other advice.
enum class DatabaseRole { Working, Source };

// Runs f and turns engine failures into DatabaseError with a message that names the database
// file and says what to do.
template <class F>
auto guarded(const QString& file, F&& f, DatabaseRole role = DatabaseRole::Working) -> decltype(f());
template <class F>
auto guarded(const Db& db, F&& f) -> decltype(f());

// The message for an engine failure on the database file.
QString databaseErrorText(const SQLite::Exception& e, const QString& file,
                          DatabaseRole role = DatabaseRole::Working);

// Opens a source database only for reading, with the same wait for another program's write as
// the working database; failures throw DatabaseError in the source's words.
SQLite::Database openSourceDatabase(const QString& path);

void bindAll(SQLite::Statement& stmt, const SqlParams& params);
// A column's value with the type the engine holds it in.
SqlValue columnValue(const SQLite::Column& c);

}  // namespace vel

#include "Errors.h"

namespace vel {
template <class F>
auto guarded(const QString& file, F&& f, DatabaseRole role) -> decltype(f())
{
    try {
        return f();
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(databaseErrorText(e, file, role));
    }
}

template <class F>
auto guarded(const Db& db, F&& f) -> decltype(f())
{
    return guarded(db.path(), std::forward<F>(f));
}
}  // namespace vel
