#include "DatabaseCopy.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "db/Db.h"
#include "db/Schema.h"
#include "output/PendingFile.h"
#include "unit/UnitRegistration.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

#include <SQLiteCpp/Backup.h>
#include <sqlite3.h>

namespace vel {
namespace {

constexpr int StepPages = 64;
constexpr int BusyRetries = 200;  // of 50 ms: ten seconds for another program's write to end

// Page by page from `source` into `target`. Another connection's commit in between makes the
// engine start over, so what arrives is always one committed state.
void copyPages(SQLite::Database& target, SQLite::Database& source, const Progress& progress)
{
    guarded(QString::fromStdString(target.getFilename()), [&] {
        SQLite::Backup backup(target, source);
        int busy = 0;
        for (;;) {
            const int rc = backup.executeStep(StepPages);
            if (rc == SQLITE_DONE)
                break;
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                if (++busy > BusyRetries)
                    throw DatabaseError(QStringLiteral("数据库正被其他程序使用，请稍后再试。"));
                QThread::msleep(50);
                continue;
            }
            const int total = backup.getTotalPageCount();
            if (progress && total > 0)
                progress(100 * (total - backup.getRemainingPageCount()) / total);
        }
        return 0;
    });
}

// A new, unused name under BAK for the database about to be replaced.
QString keptCopyPath(const WorkFolder& folder, const QString& why)
{
    const QString bak = folder.folder("BAK");
    const QString stamp = QDateTime::currentDateTime().toString("yyyy-MM-dd-HHmmss");
    QString path = QStringLiteral("%1/before-%2-%3.db").arg(bak, why, stamp);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1/before-%2-%3-%4.db").arg(bak, why, stamp).arg(n);
    return path;
}

// An empty file beside the working database, removed when done.
std::unique_ptr<QTemporaryFile> stagingFile(const WorkFolder& folder)
{
    auto file = std::make_unique<QTemporaryFile>(folder.folder("Database") + "/.staging-XXXXXX.db");
    if (!file->open())
        throw FileError(QStringLiteral("无法在数据库文件夹中写入文件：%1").arg(file->errorString()));
    file->close();
    return file;
}

// Keeps the open database under BAK, then puts the staged one in its place.
QString replaceWith(Db& db, const WorkFolder& folder, Db& staged, const QString& why)
{
    const QString kept = keptCopyPath(folder, why);
    backupDatabase(db, kept);
    copyPages(db.handle(), staged.handle(), {});
    return kept;
}

const char* const RequiredTables[] = {"Dep_Info",     "Staff_moninfo", "Wage_Info",
                                      "Initial_Info", "Total_Info",    "Total_BaseInfo"};

}  // namespace

QString defaultBackupPath(const WorkFolder& folder, const QString& unitCode)
{
    const QString code = unitCode.trimmed();
    const bool usable = !code.isEmpty() && std::all_of(code.begin(), code.end(), isUnitCodeChar);
    return folder.filePath("BAK", (usable ? code : QStringLiteral("RCdatabase")) + ".db");
}

void backupDatabase(Db& db, const QString& target, const Progress& progress)
{
    PendingFile file(target, ".db");
    {
        SQLite::Database copy = guarded(file.path(), [&] {
            return SQLite::Database(QFile::encodeName(file.path()).toStdString(),
                                    SQLite::OPEN_READWRITE);
        });
        copyPages(copy, db.handle(), progress);
    }
    file.commit();
}

QString restoreRefusal(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("找不到要还原的文件：%1").arg(path);
    try {
        SQLite::Database source(QFile::encodeName(path).toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement check(source, "PRAGMA integrity_check");
        if (!check.executeStep() || check.getColumn(0).getString() != "ok")
            return QStringLiteral("数据库文件已损坏，无法还原：%1").arg(path);
        for (const char* table : RequiredTables) {
            SQLite::Statement has(source, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND"
                                          " name = ? COLLATE NOCASE");
            has.bind(1, table);
            if (!has.executeStep())
                return QStringLiteral("不是本系统的数据库文件，无法还原：%1").arg(path);
        }
        const int version = source.execAndGet("PRAGMA user_version").getInt();
        if (version > SchemaVersion)
            return QStringLiteral("数据库文件由较新版本的程序写成，无法还原：%1").arg(path);
        if (version < 1)
            return QStringLiteral("不是本系统的数据库文件，无法还原：%1").arg(path);
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_NOTADB)
            return QStringLiteral("不是数据库文件，无法还原：%1").arg(path);
        if (e.getErrorCode() == SQLITE_CORRUPT)
            return QStringLiteral("数据库文件已损坏，无法还原：%1").arg(path);
        return QStringLiteral("无法读取要还原的文件：%1\n%2").arg(path, QString::fromUtf8(e.what()));
    }
    return {};
}

QString restoreDatabase(Db& db, const WorkFolder& folder, const QString& source)
{
    const QString refusal = restoreRefusal(source);
    if (!refusal.isEmpty())
        throw Error(refusal);
    // The chosen file is only read; it is checked and brought up to date as a staged copy.
    const std::unique_ptr<QTemporaryFile> staging = stagingFile(folder);
    {
        SQLite::Database from = guarded(source, [&] {
            return SQLite::Database(QFile::encodeName(source).toStdString(),
                                    SQLite::OPEN_READONLY);
        });
        SQLite::Database to = guarded(staging->fileName(), [&] {
            return SQLite::Database(QFile::encodeName(staging->fileName()).toStdString(),
                                    SQLite::OPEN_READWRITE);
        });
        copyPages(to, from, {});
    }
    Db staged(staging->fileName());
    return replaceWith(db, folder, staged, QStringLiteral("restore"));
}

QString initialiseDatabase(Db& db, const WorkFolder& folder)
{
    const std::unique_ptr<QTemporaryFile> staging = stagingFile(folder);
    Db blank(staging->fileName());  // an empty file receives the full schema
    return replaceWith(db, folder, blank, QStringLiteral("init"));
}

QString maintenance::backupDone(const QString& path)
{
    return QStringLiteral("备份成功，备份在：%1").arg(QDir::toNativeSeparators(path));
}

}  // namespace vel
