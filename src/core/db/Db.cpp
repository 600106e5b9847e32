#include "Db.h"

#include "Schema.h"

#include <sqlite3.h>

namespace vel {

QString databaseErrorText(const SQLite::Exception& e, const QString& file)
{
    switch (e.getErrorCode() & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库文件 %1 正被另一个程序使用，等待%2秒后仍未释放。"
                              "请等它完成或关闭它，然后再试；本次操作没有改动数据。")
            .arg(file)
            .arg(Db::BusyTimeoutMs / 1000);
    case SQLITE_NOTADB:
        return QStringLiteral("文件 %1 不是本程序的数据库。请检查工作文件夹是否选对，"
                              "或从备份还原数据库。")
            .arg(file);
    case SQLITE_CORRUPT:
        return QStringLiteral("数据库文件 %1 已损坏。请从备份还原数据库。").arg(file);
    case SQLITE_READONLY:
        return QStringLiteral("数据库文件 %1 是只读的，无法保存。请检查该文件及其文件夹的写权限。")
            .arg(file);
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，数据库文件 %1 无法写入。请腾出磁盘空间后再试；"
                              "本次操作没有改动数据。")
            .arg(file);
    case SQLITE_CANTOPEN:
        return QStringLiteral("无法打开数据库文件 %1。请检查文件夹是否存在以及读写权限。").arg(file);
    case SQLITE_IOERR:
        return QStringLiteral("读写数据库文件 %1 时磁盘出错。请检查磁盘后再试。").arg(file);
    default:
        return QStringLiteral("数据库文件 %1 出错：%2").arg(file, QString::fromUtf8(e.what()));
    }
}

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

Db::Db(const QString& path) : path_(path)
{
    guarded(*this, [&] {
        db_ = std::make_unique<SQLite::Database>(path.toStdString(),
                                                 SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db_->setBusyTimeout(BusyTimeoutMs);
        db_->exec("PRAGMA foreign_keys = OFF");
        return 0;
    });
    prepareSchema(*this);
}

void Db::exec(const std::string& sql, const SqlParams& params)
{
    guarded(*this, [&] {
        SQLite::Statement stmt(*db_, sql);
        bindAll(stmt, params);
        stmt.exec();
        return 0;
    });
}

SqlValue Db::scalar(const std::string& sql, const SqlParams& params)
{
    return guarded(*this, [&]() -> SqlValue {
        SQLite::Statement stmt(*db_, sql);
        bindAll(stmt, params);
        if (!stmt.executeStep())
            return nullptr;
        const SQLite::Column c = stmt.getColumn(0);
        if (c.isNull())
            return nullptr;
        if (c.isInteger())
            return static_cast<long long>(c.getInt64());
        if (c.isFloat())
            return c.getDouble();
        return QString::fromStdString(c.getString());
    });
}

bool Db::exists(const std::string& sql, const SqlParams& params)
{
    return guarded(*this, [&] {
        SQLite::Statement stmt(*db_, sql);
        bindAll(stmt, params);
        return stmt.executeStep();
    });
}

Query::Query(Db& db, const std::string& sql, const SqlParams& params)
    : db_(db), stmt_(guarded(db, [&] { return SQLite::Statement(db.handle(), sql); }))
{
    guarded(db_, [&] {
        bindAll(stmt_, params);
        return 0;
    });
}

bool Query::next()
{
    return guarded(db_, [&] { return stmt_.executeStep(); });
}

QString Query::text(const char* column) const
{
    return guarded(db_, [&] { return QString::fromStdString(stmt_.getColumn(column).getString()); });
}

long long Query::integer(const char* column) const
{
    return guarded(db_, [&] { return static_cast<long long>(stmt_.getColumn(column).getInt64()); });
}

double Query::number(const char* column) const
{
    return guarded(db_, [&] { return stmt_.getColumn(column).getDouble(); });
}

bool Query::isNull(const char* column) const
{
    return guarded(db_, [&] { return stmt_.getColumn(column).isNull(); });
}

Statement::Statement(Db& db, const std::string& sql)
    : db_(db), stmt_(guarded(db, [&] { return SQLite::Statement(db.handle(), sql); }))
{
}

void Statement::run(const SqlParams& params)
{
    guarded(db_, [&] {
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
