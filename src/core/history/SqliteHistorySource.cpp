#include "SqliteHistorySource.h"

#include "Errors.h"
#include "db/Schema.h"

#include <QStringList>

#include <sqlite3.h>

namespace vel {
namespace {

template <size_t N>
std::string columnList(const std::array<const char*, N>& columns)
{
    std::string out;
    for (const char* c : columns)
        out += std::string(c) + ", ";
    return out + "sMon";
}

QStringList columnsOf(SQLite::Database& db, const char* table)
{
    QStringList columns;
    SQLite::Statement info(db, "SELECT name FROM pragma_table_info(?)");
    info.bind(1, table);
    while (info.executeStep())
        columns << QString::fromStdString(info.getColumn(0).getString());
    return columns;
}

// The columns of `table` the import reads that the source lacks, as "Table.column".
template <size_t N>
QStringList missingColumns(SQLite::Database& db, const char* table,
                           const std::array<const char*, N>& columns)
{
    const QStringList present = columnsOf(db, table);
    QStringList missing;
    for (const char* c : columns)
        if (!present.contains(QLatin1String(c), Qt::CaseInsensitive))
            missing << QStringLiteral("%1.%2").arg(QLatin1String(table), QLatin1String(c));
    for (const char* c : {"sMon", "id"})
        if (!present.contains(QLatin1String(c), Qt::CaseInsensitive))
            missing << QStringLiteral("%1.%2").arg(QLatin1String(table), QLatin1String(c));
    return missing;
}

// Why the import cannot take rows from the file; empty when it can.
QString refusalOf(SQLite::Database& db, const QString& path)
{
    if (db.execAndGet("PRAGMA user_version").getInt() > SchemaVersion)
        return QStringLiteral("原系统数据库由较新版本的程序写成，不能导入：%1").arg(path);
    if (columnsOf(db, "Staff_moninfo").isEmpty() || columnsOf(db, "Wage_Info").isEmpty())
        return QStringLiteral("原系统数据库不是本系统的数据库文件：%1").arg(path);
    const QStringList missing = missingColumns(db, "Staff_moninfo", history::StaffColumns) +
                                missingColumns(db, "Wage_Info", history::WageColumns);
    if (!missing.isEmpty())
        return missingColumnsRefusal(missing, path);
    return {};
}

}  // namespace

SqliteHistorySource::SqliteHistorySource(const QString& path)
    : path_(path), db_(openSourceDatabase(path))
{
    QString refusal;
    try {
        refusal = refusalOf(db_, path);
    } catch (const SQLite::Exception& e) {
        if ((e.getErrorCode() & 0xFF) == SQLITE_NOTADB)
            refusal = QStringLiteral("原系统数据库不是本系统的数据库文件：%1").arg(path);
        else
            throw DatabaseError(databaseErrorText(e, path, DatabaseRole::Source));
    }
    if (!refusal.isEmpty())
        throw Error(refusal);
}

std::optional<HistoryUnit> SqliteHistorySource::unit()
{
    return guarded(
        path_,
        [&]() -> std::optional<HistoryUnit> {
            const QStringList columns = columnsOf(db_, "Dep_Info");
            for (const char* c : {"DepNo", "DepName", "DepType", "Flag"})
                if (!columns.contains(QLatin1String(c), Qt::CaseInsensitive))
                    return std::nullopt;
            SQLite::Statement q(db_, "SELECT DepNo, DepName, DepType FROM Dep_Info"
                                     " WHERE Flag = '1'");
            if (!q.executeStep())
                return std::nullopt;
            const auto text = [&](int i) {
                return QString::fromStdString(q.getColumn(i).getString()).trimmed();
            };
            return HistoryUnit{text(0), text(1), text(2)};
        },
        DatabaseRole::Source);
}

std::vector<SqlParams> SqliteHistorySource::staffRows()
{
    return rows("SELECT " + columnList(history::StaffColumns) + " FROM Staff_moninfo ORDER BY id");
}

std::vector<SqlParams> SqliteHistorySource::wageRows()
{
    return rows("SELECT " + columnList(history::WageColumns) +
                " FROM Wage_Info ORDER BY sMon DESC, id");
}

std::vector<SqlParams> SqliteHistorySource::rows(const std::string& sql)
{
    return guarded(
        path_,
        [&] {
            std::vector<SqlParams> out;
            SQLite::Statement q(db_, sql);
            while (q.executeStep()) {
                SqlParams row;
                row.reserve(static_cast<size_t>(q.getColumnCount()));
                for (int i = 0; i < q.getColumnCount(); ++i)
                    row.push_back(columnValue(q.getColumn(i)));
                out.push_back(std::move(row));
            }
            return out;
        },
        DatabaseRole::Source);
}

}  // namespace vel
