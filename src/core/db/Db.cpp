#include "Db.h"

#include "Schema.h"

#include <QFile>
#include <QStringEncoder>
#include <sqlite3.h>

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

// A file only read: nothing of it is saved, and the advice is about choosing or copying it.
QString sourceErrorText(int code, const QString& file)
{
    switch (code) {
    case SQLITE_NOTADB:
        return QStringLiteral("文件 %1 不是本程序的数据库，无法读取。请确认选对了文件。").arg(file);
    case SQLITE_CORRUPT:
        return QStringLiteral("数据库文件 %1 已损坏，无法读取。请换一个文件。").arg(file);
    case SQLITE_READONLY:
        return QStringLiteral("数据库文件 %1 留有未完成的写入，只读方式无法读取。请把它所在的文件夹"
                              "复制到可写的位置，或先用写成它的程序打开一次，然后再试。")
            .arg(file);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("无法打开数据库文件 %1。请检查文件是否存在以及读权限。").arg(file);
    case SQLITE_IOERR:
        return QStringLiteral("读取数据库文件 %1 时磁盘出错。请检查磁盘后再试。").arg(file);
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足，无法读取数据库文件 %1。请关闭其他程序后再试。").arg(file);
    default:
        return QStringLiteral("数据库文件 %1 的内容与本程序的数据库不符，无法读取（错误代码 %2）。"
                              "请确认选对了文件。")
            .arg(file)
            .arg(code);
    }
}

}  // namespace

QString databaseErrorText(const SQLite::Exception& e, const QString& file, DatabaseRole role)
{
    const int code = e.getErrorCode() & 0xFF;
    if (role == DatabaseRole::Source && code != SQLITE_BUSY && code != SQLITE_LOCKED)
        return sourceErrorText(code, file);
    switch (code) {
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

SQLite::Database openSourceDatabase(const QString& path)
{
    return guarded(
        path,
        [&] {
            SQLite::Database source(QFile::encodeName(path).toStdString(), SQLite::OPEN_READONLY);
            source.setBusyTimeout(Db::BusyTimeoutMs);
            return source;
        },
        DatabaseRole::Source);
}

Db::Db(const QString& path, bool readOnly, const std::vector<OwnedTable>& ownedTables)
    : path_(path)
{
    guarded(*this, [&] {
        // One connection used by one thread: the engine's own locking would only cost time.
        const int mode = readOnly ? SQLite::OPEN_READONLY
                                  : SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE;
        db_ = std::make_unique<SQLite::Database>(path.toStdString(), mode | SQLite::OPEN_NOMUTEX);
        db_->setBusyTimeout(BusyTimeoutMs);
        db_->exec("PRAGMA foreign_keys = OFF");
        return 0;
    });
    prepareSchema(*this, ownedTables);
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
        return columnValue(stmt.getColumn(0));
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

SqlValue Query::value(const char* column) const
{
    return guarded(db_, [&] { return columnValue(stmt_.getColumn(column)); });
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
        bindWithoutCopies(stmt_, params, utf8_);
        stmt_.exec();
        return 0;
    });
}

long long Db::dataVersion()
{
    return std::get<long long>(scalar("PRAGMA data_version"));
}

Transaction::Transaction(Db& db)
    : db_(db), nested_(sqlite3_get_autocommit(db.handle().getHandle()) == 0)
{
    db_.exec(nested_ ? "SAVEPOINT part" : "BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (open_) {
        try {
            if (nested_) {
                db_.exec("ROLLBACK TO part");
                db_.exec("RELEASE part");
            } else {
                db_.exec("ROLLBACK");
            }
        } catch (...) {
            // The engine already rolled back (for example after a full disk); nothing is left open.
        }
    }
}

void Transaction::commit()
{
    db_.exec(nested_ ? "RELEASE part" : "COMMIT");
    open_ = false;
}

}  // namespace vel
