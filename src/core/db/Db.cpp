#include "Db.h"

#include "Schema.h"

#include <QStringEncoder>

namespace vel {
namespace {

void bindNumberOrNull(SQLite::Statement& stmt, int index, const SqlValue& v)
{
    if (const auto* i = std::get_if<long long>(&v))
        stmt.bind(index, static_cast<int64_t>(*i));
    else if (const auto* d = std::get_if<double>(&v))
        stmt.bind(index, *d);
    else
        stmt.bind(index);
}

// Encodes into the reused buffer, so that a long run of rows allocates nothing per text.
void encodeUtf8(const QString& text, std::string& out)
{
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    out.resize(static_cast<size_t>(encoder.requiredSpace(text.size())));
    const char* end = encoder.appendToBuffer(out.data(), text);
    out.resize(static_cast<size_t>(end - out.data()));
}

// Texts are bound from `utf8`, which keeps them until the statement has run.
void bindWithoutCopies(SQLite::Statement& stmt, const SqlParams& params,
                       std::vector<std::string>& utf8)
{
    if (utf8.size() < params.size())
        utf8.resize(params.size());
    int index = 1;
    for (const SqlValue& v : params) {
        if (const auto* t = std::get_if<QString>(&v)) {
            std::string& bytes = utf8[static_cast<size_t>(index - 1)];
            encodeUtf8(*t, bytes);
            stmt.bindNoCopy(index, bytes);
        } else {
            bindNumberOrNull(stmt, index, v);
        }
        ++index;
    }
}

}  // namespace

void bindAll(SQLite::Statement& stmt, const SqlParams& params)
{
    int index = 1;
    for (const SqlValue& v : params) {
        if (const auto* t = std::get_if<QString>(&v))
            stmt.bind(index, t->toStdString());
        else
            bindNumberOrNull(stmt, index, v);
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
        // One connection used by one thread: the engine's own locking would only cost time.
        db_ = std::make_unique<SQLite::Database>(path.toStdString(),
                                                 SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE |
                                                     SQLite::OPEN_NOMUTEX);
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
        bindWithoutCopies(stmt_, params, utf8_);
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
