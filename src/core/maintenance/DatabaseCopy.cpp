#include "DatabaseCopy.h"

#include "Errors.h"
#include "Session.h"
#include "WorkFolder.h"
#include "WorkFolderLock.h"
#include "db/Db.h"
#include "db/Schema.h"
#include "io/FileIdentity.h"
#include "output/PendingFile.h"
#include "period/CommandChecks.h"
#include "reports/Forms.h"
#include "unit/UnitRegistration.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QThread>

#include <SQLiteCpp/Backup.h>
#include <sqlite3.h>

#include <algorithm>
#include <optional>

namespace vel {
namespace {

constexpr int StepPages = 64;
constexpr int BusyRetries = 200;  // of 50 ms: ten seconds for another program's write to end
// How many of a damaged file's missing tables and columns a refusal names.
constexpr int GapsNamed = 5;

// The program keeps its database in the rollback journal's mode, so that it stays one file.
void restoreJournalMode(SQLite::Database& db)
{
    db.exec("PRAGMA journal_mode = DELETE");
}

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

// Writes a copy of the open database under BAK as before-{why}-{date-time}.db, with a number
// added when that name is taken: the name is taken only if no file has it, so two programs
// never write their copies over one another.
QString keepCopy(Db& db, const WorkFolder& folder, const QString& why)
{
    const QString base = QStringLiteral("before-%1-%2")
                             .arg(why, QDateTime::currentDateTime().toString("yyyy-MM-dd-HHmmss"));
    PendingFile file(folder.filePath("BAK", base + ".db"), ".db");
    {
        SQLite::Database copy = guarded(file.path(), [&] {
            return SQLite::Database(QFile::encodeName(file.path()).toStdString(),
                                    SQLite::OPEN_READWRITE);
        });
        copyPages(copy, db.handle(), {});
    }
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? base + ".db" : QStringLiteral("%1-%2.db").arg(base).arg(n);
        const QString path = folder.filePath("BAK", name);
        if (file.commitAsNew(path))
            return path;
    }
}

// An empty file beside the working database, removed when done.
std::unique_ptr<QTemporaryFile> stagingFile(const WorkFolder& folder)
{
    auto file = std::make_unique<QTemporaryFile>(folder.folder("Database") + "/.staging-XXXXXX.db");
    if (!file->open())
        throw FileError(QStringLiteral("无法在数据库文件夹中写入文件：%1")
                            .arg(folderWriteProblem(folder.folder("Database"))));
    file->close();
    return file;
}

// Staging copies are made only under the work folder's lock: with the lock held, any one found is
// left over from a program that was stopped.
void removeStagingCopies(const WorkFolder& folder)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.staging-[A-Za-z0-9]{6}\\.db(-journal|-wal|-shm)?$"));
    const QDir dir(folder.folder("Database"));
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (pattern.match(entry.fileName()).hasMatch())
            QFile::remove(entry.absoluteFilePath());
}

// Keeps the open database under BAK, then puts the staged one in its place, in the program's
// journal mode whatever the staged file's.
QString replaceWith(Db& db, const WorkFolder& folder, Db& staged, const QString& why)
{
    const QString kept = keepCopy(db, folder, why);
    copyPages(db.handle(), staged.handle(), {});
    guarded(db, [&] {
        restoreJournalMode(db.handle());
        return 0;
    });
    return kept;
}

// A restore needs room for the staged copy, the database growing to its size, and the copy of
// the replaced one.
void requireSpace(const WorkFolder& folder, qint64 incoming, qint64 current)
{
    const QStorageInfo disk(folder.folder("Database"));
    const qint64 needed = 2 * incoming + current;
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < needed)
        throw Error(QStringLiteral("磁盘空间不足：还原需要约 %1 MB，只剩 %2 MB。"
                                   "请腾出磁盘空间后再试；当前数据未作任何改动。")
                        .arg(needed / (1024 * 1024) + 1)
                        .arg(disk.bytesAvailable() / (1024 * 1024)));
}

qint64 databaseBytes(SQLite::Database& db)
{
    return db.execAndGet("PRAGMA page_count").getInt64() *
           db.execAndGet("PRAGMA page_size").getInt64();
}

const char* const MainTables[] = {"Dep_Info", "Staff_moninfo", "Wage_Info"};

QString contentRefusal(SQLite::Database& source, const QString& path)
{
    // A file longer than its pages is no copy this program wrote; reading it whole could fill
    // the disk.
    const qint64 size = QFileInfo(path).size();
    const qint64 content = databaseBytes(source);
    if (size > content)
        return QStringLiteral("文件的大小（%1 字节）与其中数据库的大小（%2 字节）不符，"
                              "不是完整的备份，无法还原：%3")
            .arg(size)
            .arg(content)
            .arg(path);
    SQLite::Statement check(source, "PRAGMA integrity_check");
    if (!check.executeStep() || check.getColumn(0).getString() != "ok")
        return QStringLiteral("数据库文件已损坏，无法还原：%1").arg(path);
    const int version = source.execAndGet("PRAGMA user_version").getInt();
    if (version > SchemaVersion)
        return QStringLiteral("数据库文件由较新版本的程序写成，无法还原：%1").arg(path);
    const QStringList gaps = schemaGaps(source, formTableSchemas());
    const bool foreign = std::all_of(std::begin(MainTables), std::end(MainTables),
                                     [&](const char* t) { return gaps.contains(t); });
    if (version < 1 || foreign)
        return QStringLiteral("不是本系统的数据库文件，无法还原：%1").arg(path);
    if (!gaps.isEmpty()) {
        QStringList named = gaps.mid(0, GapsNamed);
        if (gaps.size() > GapsNamed)
            named << QStringLiteral("等%1处").arg(gaps.size());
        return QStringLiteral("数据库文件缺少本系统的表或列（%1），无法还原：%2")
            .arg(named.join(QStringLiteral("、")), path);
    }
    return {};
}

}  // namespace

QString defaultBackupPath(const WorkFolder& folder, const QString& unitCode)
{
    const QString code = unitCode.trimmed();
    const bool usable = !code.isEmpty() && std::all_of(code.begin(), code.end(), isUnitCodeChar);
    return folder.filePath("BAK", (usable ? code : QStringLiteral("RCdatabase")) + ".db");
}

QString backupTargetRefusal(const Db& db, const QString& target)
{
    const QString shown = QDir::toNativeSeparators(target);
    switch (fileKind(target)) {
    case FileKind::Directory:
        return QStringLiteral("%1 是文件夹，请给备份文件起一个名字。").arg(shown);
    case FileKind::Other:
        return QStringLiteral("%1 不是普通文件（是设备或管道），不能用作备份文件。").arg(shown);
    case FileKind::Regular:
        if (sameFileOnDisk(target, db.path()))
            return QStringLiteral("%1 就是正在使用的数据库，不能用作备份文件。请另选位置。")
                .arg(shown);
        break;
    case FileKind::Missing:
        break;
    }
    return {};
}

CheckOutcome backupChecks(Session& session, const QString& target)
{
    CheckOutcome out = unitCheck(session, false);
    if (!out.passed)
        return out;
    const QString refusal = backupTargetRefusal(session.db(), target);
    if (!refusal.isEmpty())
        return {false, {refusal}};
    if (fileKind(target) == FileKind::Regular)
        out.question = QStringLiteral("文件 %1 已存在，是否用这次备份替换它？")
                           .arg(QDir::toNativeSeparators(target));
    return out;
}

void backupDatabase(Db& db, const QString& target, const Progress& progress)
{
    const QString refusal = backupTargetRefusal(db, target);
    if (!refusal.isEmpty())
        throw Error(refusal);
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
    switch (fileKind(path)) {
    case FileKind::Missing:
        return QStringLiteral("找不到要还原的文件：%1").arg(path);
    case FileKind::Directory:
    case FileKind::Other:
        return QStringLiteral("不是普通文件，无法还原：%1").arg(path);
    case FileKind::Regular:
        break;
    }
    try {
        SQLite::Database source = openSourceDatabase(path);
        return contentRefusal(source, path);
    } catch (const SQLite::Exception& e) {
        if ((e.getErrorCode() & 0xFF) == SQLITE_NOTADB)
            return QStringLiteral("不是数据库文件，无法还原：%1").arg(path);
        if ((e.getErrorCode() & 0xFF) == SQLITE_CORRUPT)
            return QStringLiteral("数据库文件已损坏，无法还原：%1").arg(path);
        return databaseErrorText(e, path, DatabaseRole::Source);
    } catch (const DatabaseError& e) {
        return e.message();
    }
}

QString restoreDatabase(Db& db, const WorkFolder& folder, const QString& source)
{
    const WorkFolderLock lock(folder, Db::BusyTimeoutMs);
    removeStagingCopies(folder);
    const QString refusal = restoreRefusal(source);
    if (!refusal.isEmpty())
        throw Error(refusal);
    // The chosen file is only read; it is checked and brought up to date as a staged copy.
    const std::unique_ptr<QTemporaryFile> staging = stagingFile(folder);
    {
        SQLite::Database from = openSourceDatabase(source);
        requireSpace(folder,
                     guarded(source, [&] { return databaseBytes(from); }, DatabaseRole::Source),
                     QFileInfo(db.path()).size());
        SQLite::Database to = guarded(staging->fileName(), [&] {
            return SQLite::Database(QFile::encodeName(staging->fileName()).toStdString(),
                                    SQLite::OPEN_READWRITE);
        });
        copyPages(to, from, {});
        guarded(staging->fileName(), [&] {
            restoreJournalMode(to);
            return 0;
        });
    }
    // The clerk knows the file by the name chosen, never by the staged copy's.
    std::optional<Db> staged;
    try {
        staged.emplace(staging->fileName(), false, formTableSchemas());
    } catch (const DatabaseError&) {
        throw DatabaseError(
            QStringLiteral("数据库文件无法转换为本版本的格式，无法还原：%1").arg(source));
    }
    return replaceWith(db, folder, *staged, QStringLiteral("restore"));
}

QString initialiseDatabase(Db& db, const WorkFolder& folder)
{
    const WorkFolderLock lock(folder, Db::BusyTimeoutMs);
    removeStagingCopies(folder);
    const std::unique_ptr<QTemporaryFile> staging = stagingFile(folder);
    Db blank(staging->fileName(), false, formTableSchemas());  // an empty file gets the schema
    return replaceWith(db, folder, blank, QStringLiteral("init"));
}

void removeStaleCopies(const WorkFolder& folder)
{
    if (const std::unique_ptr<WorkFolderLock> lock = WorkFolderLock::tryTake(folder))
        removeStagingCopies(folder);
    // Looked at, not made: a folder without BAK has nothing left in it, and one only read takes none.
    removeStaleTemporaries(QDir(folder.root()).filePath(QStringLiteral("BAK")));
}

QString maintenance::backupDone(const QString& path)
{
    return QStringLiteral("备份成功，备份在：%1").arg(QDir::toNativeSeparators(path));
}

}  // namespace vel
