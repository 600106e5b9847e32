#include "Db.h"

#include "Schema.h"

namespace vel {

void bindAll(SQLite::Statement& stmt, const SqlParams& params)
{
    int index = 1;
    for (const SqlValue& v : params) {
        if (std::holds_alternative<std::nullptr_t>(v))
            stmt.bind(index);
        else if (const auto* i = std::get_if<long long>(&v))
            stmt.bind(index, static_cast<int64_t>(*i));
        else if (const auto* d = std::get_if<double>(&v))
            stmt.bind(index, *d);
        else
            stmt.bind(index, std::get<QString>(v).toStdString());
        ++index;
    }
}

SqlValue columnValue(const SQLite::Column& c)
{
    if (c.isNull())
        return nullptr;
    if (c.isInteger())
        return static_cast<long long>(c.getInt64());
    if (c.isFloat())
        return c.getDouble();
    return QString::fromStdString(c.getString());
}

Db::Db(const QString& path) : path_(path)
{
    guarded([&] {
        db_ = std::make_unique<SQLite::Database>(path.toStdString(),
                                                 SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db_->exec("PRAGMA foreign_keys = OFF");
        return 0;
    });
    prepareSchema(*this);
}

void Db::exec(const std::string& sql, const SqlParams& params)
{
    guarded([&] {
        SQLite::Statement stmt(*db_, sql);
        bindAll(stmt, params);
        stmt.exec();
        return 0;
    });
}

SqlValue Db::scalar(const std::string& sql, const SqlParams& params)
{
    return guarded([&]() -> SqlValue {
        SQLite::Statement stmt(*db_, sql);
        bindAll(stmt, params);
        if (!stmt.executeStep())
            return nullptr;
        return columnValue(stmt.getColumn(0));
    });
}

bool Db::exists(const std::string& sql, const SqlParams& params)
{
    return guarded([&] {
        SQLite::Statement stmt(*db_, sql);
        bindAll(stmt, params);
        return stmt.executeStep();
    });
}

Query::Query(Db& db, const std::string& sql, const SqlParams& params)
    : stmt_(guarded([&] { return SQLite::Statement(db.handle(), sql); }))
{
    guarded([&] {
        bindAll(stmt_, params);
        return 0;
    });
}

bool Query::next()
{
    return guarded([&] { return stmt_.executeStep(); });
}

QString Query::text(const char* column) const
{
    return guarded([&] { return QString::fromStdString(stmt_.getColumn(column).getString()); });
}

long long Query::integer(const char* column) const
{
    return guarded([&] { return static_cast<long long>(stmt_.getColumn(column).getInt64()); });
}

double Query::number(const char* column) const
{
    return guarded([&] { return stmt_.getColumn(column).getDouble(); });
}

bool Query::isNull(const char* column) const
{
    return guarded([&] { return stmt_.getColumn(column).isNull(); });
}

Statement::Statement(Db& db, const std::string& sql)
    : stmt_(guarded([&] { return SQLite::Statement(db.handle(), sql); }))
{
}

void Statement::run(const SqlParams& params)
{
    guarded([&] {
        stmt_.reset();
        stmt_.clearBindings();
        bindAll(stmt_, params);
        stmt_.exec();
        return 0;
    });
}

Transaction::Transaction(Db& db) : db_(db)
{
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (open_) {
        try {
            db_.exec("ROLLBACK");
        } catch (...) {
            // The engine already rolled back (for example after a full disk); nothing is left open.
        }
    }
}

void Transaction::commit()
{
    db_.exec("COMMIT");
    open_ = false;
}

}  // namespace vel
