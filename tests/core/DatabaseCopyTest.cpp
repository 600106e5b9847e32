#include "MaintenanceFixture.h"
#include "WorkFolderLock.h"
#include "db/Schema.h"
#include "io/FileIdentity.h"
#include "maintenance/DatabaseCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

using namespace vel;

namespace {

long long staffCount(Db& db)
{
    return countOf(db, "SELECT COUNT(*) FROM Staff_moninfo");
}

QStringList bakFiles(const TestSession& s, QDir::Filters also = {})
{
    return QDir(s.path() + "/BAK").entryList(QDir::Files | also, QDir::Name);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(DatabaseCopy, BackupDuringAnotherWriteHoldsOnlyCommittedRowsAndRestores)
{
    TestSession s;
    fillYearStart(*s);
    {
        Transaction tx(s.db());
        for (int i = 0; i < 5000; ++i)  // enough pages for the copy to take several steps
            staffRow(s.db(), 3, QString("人%1").arg(i), QString::number(i));
        tx.commit();
    }
    const long long committed = staffCount(s.db());

    // Another program holds a write open while the backup runs, and commits between two steps.
    SQLite::Database other(s.db().path().toStdString(), SQLite::OPEN_READWRITE);
    other.exec("BEGIN IMMEDIATE");
    other.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon) VALUES ('未提交', 'x', 4)");
    const QString copy = s.path() + "/copy.db";
    backupDatabase(s.db(), copy);
    other.exec("ROLLBACK");

    Db restored(copy);
    EXPECT_EQ(staffCount(restored), committed);
    EXPECT_EQ(std::get<QString>(restored.scalar("PRAGMA integrity_check")), "ok");

    bool wrote = false;
    const QString second = s.path() + "/second.db";
    backupDatabase(s.db(), second, [&](int) {
        if (!wrote) {
            wrote = true;
            other.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon) VALUES ('中途', 'y', 4)");
        }
    });
    ASSERT_TRUE(wrote);
    // The copy started over after the commit: it holds the committed row too, and is whole.
    Db again(second);
    EXPECT_EQ(staffCount(again), committed + 1);
    EXPECT_EQ(std::get<QString>(again.scalar("PRAGMA integrity_check")), "ok");

    s.db().exec("DELETE FROM Staff_moninfo");
    restoreDatabase(s.db(), s->folder(), copy);
    EXPECT_EQ(staffCount(s.db()), committed);
}

TEST(DatabaseCopy, DefaultBackupNameIsTheUnitNumberInBak)
{
    TestSession s;
    EXPECT_EQ(defaultBackupPath(s->folder(), "12345678X"), s.path() + "/BAK/12345678X.db");
    EXPECT_EQ(defaultBackupPath(s->folder(), "../x"), s.path() + "/BAK/RCdatabase.db");
}

TEST(DatabaseCopy, RestoreKeepsTheReplacedDatabase)
{
    TestSession s;
    fillYearStart(*s);
    const QString copy = s.path() + "/copy.db";
    backupDatabase(s.db(), copy);
    s.db().exec("DELETE FROM Wage_Info");

    const QString kept = restoreDatabase(s.db(), s->folder(), copy);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), 2);
    EXPECT_TRUE(kept.startsWith(s.path() + "/BAK/before-restore-"));
    Db old(kept);
    EXPECT_EQ(countOf(old, "SELECT COUNT(*) FROM Wage_Info"), 0);
    EXPECT_EQ(QDir(s.path() + "/Database").entryList(QDir::Files), QStringList{"RCdatabase.db"});
}

TEST(DatabaseCopy, ExplanationsTravelWithABackupAndAnOlderBackupGainsTheirTable)
{
    TestSession s;
    fillYearStart(*s);
    s.db().exec("INSERT INTO Check_Note (Code, Period, Place, Note, NoteDate)"
                " VALUES ('W02', '5', '5/1', '补发奖金', '2012-06-01')");
    const QString copy = s.path() + "/copy.db";
    backupDatabase(s.db(), copy);
    s.db().exec("DELETE FROM Check_Note");
    restoreDatabase(s.db(), s->folder(), copy);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Check_Note WHERE Note = '补发奖金'"), 1);

    // Backups of earlier programs: before the explanations, between the two versions (the
    // figures' table already there), before a form existed. Each restores whole.
    const std::pair<const char*, const char*> older[] = {
        {"before explanations", "DROP TABLE Check_Note; DROP TABLE Unit_Figures;"
                                " PRAGMA user_version = 1"},
        {"between versions", "DROP TABLE Check_Note; PRAGMA user_version = 1"},
        {"before a form", "DROP TABLE Total_BaseInfo"},
    };
    for (const auto& [name, change] : older) {
        const QString path = s.path() + "/" + name + ".db";
        QFile::copy(copy, path);
        SQLite::Database(path.toStdString(), SQLite::OPEN_READWRITE).exec(change);
        EXPECT_EQ(restoreRefusal(path), "") << name;
        EXPECT_NO_THROW(restoreDatabase(s.db(), s->folder(), path)) << name;
        EXPECT_EQ(countOf(s.db(), "PRAGMA user_version"), SchemaVersion) << name;
        EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), 2) << name;
        EXPECT_EQ(countOf(s.db(), "SELECT MAX(Gid) FROM Total_BaseInfo"), 17) << name;
    }
}

TEST(DatabaseCopy, RestoreRefusesWhatIsNoBackupOfThisProgramAndChangesNothing)
{
    TestSession s;
    fillYearStart(*s);
    const QString good = s.path() + "/good.db";
    backupDatabase(s.db(), good);
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();

    const QString truncated = s.path() + "/truncated.db";
    writeFile(truncated, bytes.left(bytes.size() / 2));
    const QString text = s.path() + "/text.db";
    writeFile(text, "姓名,姓名编号\n张三,001\n");
    const QString foreign = s.path() + "/foreign.db";
    SQLite::Database(foreign.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
        .exec("CREATE TABLE t (a)");
    const QString newer = s.path() + "/newer.db";
    QFile::copy(good, newer);
    SQLite::Database(newer.toStdString(), SQLite::OPEN_READWRITE)
        .exec("PRAGMA user_version = " + std::to_string(SchemaVersion + 1));
    const QString empty = s.path() + "/empty.db";
    writeFile(empty, "");
    // A file with this program's table names only, a backup missing a column or a table, and one
    // padded beyond its pages.
    const auto variant = [&](const char* name, const char* sql) {
        const QString path = s.path() + "/" + name;
        QFile::copy(good, path);
        SQLite::Database(path.toStdString(), SQLite::OPEN_READWRITE).exec(sql);
        return path;
    };
    const QString noColumn = variant(
        "no-column.db", "DROP INDEX Wage_Info_failed; ALTER TABLE Wage_Info DROP COLUMN sFlag");
    const QString noTable = variant("no-table.db", "DROP TABLE Tmp_Del");
    const QString namesOnly = s.path() + "/names-only.db";
    SQLite::Database(namesOnly.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
        .exec("PRAGMA user_version = 1; CREATE TABLE Dep_Info (a); CREATE TABLE Staff_moninfo (a);"
              " CREATE TABLE Wage_Info (a); CREATE TABLE Initial_Info (a);"
              " CREATE TABLE Total_Info (a); CREATE TABLE Total_BaseInfo (a)");
    const QString padded = s.path() + "/padded.db";
    QFile::copy(good, padded);
    const qint64 size = QFileInfo(good).size();
    const qint64 gigabyte = 1024 * 1024 * 1024;
    ASSERT_EQ(::truncate(QFile::encodeName(padded).constData(), size + gigabyte), 0);

    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {truncated, "数据库文件已损坏"},
        {text, "不是数据库文件"},
        {foreign, "不是本系统的数据库文件"},
        {empty, "不是本系统的数据库文件"},
        {newer, "数据库文件由较新版本的程序写成"},
        {s.path() + "/missing.db", "找不到要还原的文件"},
        {"/dev/null", "不是普通文件，无法还原：/dev/null"},
        {noColumn, "数据库文件缺少本系统的表或列（Wage_Info.sFlag），无法还原：" + noColumn},
        {noTable, "数据库文件缺少本系统的表或列（Tmp_Del），无法还原：" + noTable},
        {namesOnly, "数据库文件缺少本系统的表或列（Dep_Info.DepName、Dep_Info.DepNo、"
                    "Dep_Info.DepType、Dep_Info.DepInfo、Dep_Info.Flag、等"},
        {padded, QStringLiteral("文件的大小（%1 字节）与其中数据库的大小（%2 字节）不符，"
                                "不是完整的备份，无法还原：%3")
                     .arg(size + gigabyte)
                     .arg(size)
                     .arg(padded)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_TRUE(restoreRefusal(c.path).startsWith(c.reason)) << restoreRefusal(c.path).toStdString();
        EXPECT_THROW(restoreDatabase(s.db(), s->folder(), c.path), Error);
        EXPECT_EQ(staffCount(s.db()), 3);
        EXPECT_TRUE(bakFiles(s).isEmpty());
    }
    EXPECT_TRUE(restoreRefusal(good).isEmpty());
}

TEST(DatabaseCopy, InitialiseLeavesABlankDatabaseAndKeepsTheOldOne)
{
    TestSession s;
    fillYearStart(*s);
    const QString kept = initialiseDatabase(s.db(), s->folder());
    EXPECT_EQ(staffCount(s.db()), 0);
    EXPECT_FALSE(loadRegistration(s.db()));
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Total_Info"), 40);
    EXPECT_GT(countOf(s.db(), "SELECT COUNT(*) FROM Code_Edu"), 0);
    EXPECT_TRUE(kept.startsWith(s.path() + "/BAK/before-init-"));
    Db old(kept);
    EXPECT_EQ(staffCount(old), 3);
}

TEST(DatabaseCopy, TwoRestoresAtOnceAlwaysKeepTheDatabaseTheyReplace)
{
    TestSession s;
    fillYearStart(*s);
    const QString first = s.path() + "/first.db";
    const QString second = s.path() + "/second.db";
    backupDatabase(s.db(), first);
    backupDatabase(s.db(), second);

    // Each round marks the working database, then two programs restore at the same moment: the
    // marked state must be kept under BAK whichever goes first.
    const QDateTime end = QDateTime::currentDateTime().addSecs(3);
    int rounds = 0;
    for (; QDateTime::currentDateTime() < end; ++rounds) {
        s.db().exec("DELETE FROM Initial_Info");
        s.db().exec("INSERT INTO Initial_Info (DepNo, sInitial) VALUES ('mark', ?)",
                    {QString::number(rounds)});
        const QStringList before = bakFiles(s);
        const auto restore = [&](const QString& from) {
            Session other{WorkFolder(s.path())};
            try {
                restoreDatabase(other.db(), other.folder(), from);
            } catch (const Error&) {
                // Refused after waiting: the other restore kept what it replaced.
            }
        };
        std::thread a(restore, first);
        std::thread b(restore, second);
        a.join();
        b.join();
        QStringList kept;
        for (const QString& name : bakFiles(s))
            if (!before.contains(name)) {
                Db copy(s.path() + "/BAK/" + name);
                kept << std::get<QString>(copy.scalar("SELECT COALESCE(MAX(sInitial), '') FROM"
                                                      " Initial_Info WHERE DepNo = 'mark'"));
            }
        ASSERT_TRUE(kept.contains(QString::number(rounds))) << "round " << rounds;
    }
    EXPECT_GT(rounds, 1);
}

TEST(DatabaseCopy, BackupWritesOnlyToARegularFileOrANewNameAndAsksBeforeReplacing)
{
    TestSession s;
    fillYearStart(*s);
    const QString fifo = s.path() + "/pipe";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString hardLink = s.path() + "/same.db";
    ASSERT_EQ(::link(QFile::encodeName(s.db().path()).constData(),
                     QFile::encodeName(hardLink).constData()),
              0);
    const QString older = s.path() + "/older.db";
    writeFile(older, "an earlier backup");

    const struct {
        QString target;
        QString refusal;
        QString question;
    } cases[] = {
        {"/dev/null", "/dev/null 不是普通文件（是设备或管道），不能用作备份文件。", ""},
        {fifo, fifo + " 不是普通文件（是设备或管道），不能用作备份文件。", ""},
        {s.path() + "/Database", s.path() + "/Database 是文件夹，请给备份文件起一个名字。", ""},
        {s.db().path(), s.db().path() + " 就是正在使用的数据库，不能用作备份文件。请另选位置。",
         ""},
        {hardLink, hardLink + " 就是正在使用的数据库，不能用作备份文件。请另选位置。", ""},
        {older, "", "文件 " + older + " 已存在，是否用这次备份替换它？"},
        {s.path() + "/new.db", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        const CheckOutcome out = backupChecks(*s, c.target);
        EXPECT_EQ(out.passed, c.refusal.isEmpty());
        EXPECT_EQ(out.messages.value(0), c.refusal);
        EXPECT_EQ(out.question, c.question);
        if (!c.refusal.isEmpty())
            EXPECT_THROW(backupDatabase(s.db(), c.target), Error);
    }
    EXPECT_EQ(fileKind("/dev/null"), FileKind::Other);
    EXPECT_EQ(fileKind(fifo), FileKind::Other);
    EXPECT_EQ(staffCount(s.db()), 3);
}

TEST(DatabaseCopy, ARestoredWalBackupLeavesTheDatabaseInItsOwnJournalMode)
{
    TestSession s;
    fillYearStart(*s);
    const QString wal = s.path() + "/wal.db";
    backupDatabase(s.db(), wal);
    SQLite::Database(wal.toStdString(), SQLite::OPEN_READWRITE).exec("PRAGMA journal_mode = WAL");

    restoreDatabase(s.db(), s->folder(), wal);
    EXPECT_EQ(std::get<QString>(s.db().scalar("PRAGMA journal_mode")), "delete");
    // And the next restore works as the first did.
    restoreDatabase(s.db(), s->folder(), wal);
    EXPECT_EQ(staffCount(s.db()), 3);
    EXPECT_EQ(QDir(s.path() + "/Database").entryList(QDir::Files),
              QStringList{"RCdatabase.db"});
}

TEST(DatabaseCopy, LeftoversOfStoppedCopiesGoWhileNoRestoreRuns)
{
    TestSession s;
    const auto touch = [&](const QString& name, int minutesAgo) {
        QFile f(s.path() + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo),
                      QFileDevice::FileModificationTime);
    };
    QDir(s.path()).mkpath("BAK");
    touch("Database/.staging-aB3dE9.db", 0);
    touch("BAK/.123456789.db-xY7wV2.db", 60);  // a backup killed an hour ago
    touch("BAK/.before-restore-2026-01-01-101010.db-Qq09Zz.db", 60);
    // The engine's journal beside a copy killed while it was written.
    touch("BAK/.before-restore-2026-01-01-101010.db-Qq09Zz.db-journal", 60);
    touch("BAK/.before-init-2026-01-02-090000.db-Rr18Yy.db-journal", 60);
    touch("Database/.staging-aB3dE9.db-journal", 0);
    touch("BAK/.123456789.db-kL5mN6.db", 1);   // another backup may still write it
    touch("BAK/.123456789.db-kL5mN6.db-journal", 1);
    touch("BAK/123456789.db", 60);

    {
        // A restore in another program holds the folder: its staging copy stays.
        const WorkFolderLock other(s->folder(), 0);
        removeStaleCopies(s->folder());
        EXPECT_TRUE(QFile::exists(s.path() + "/Database/.staging-aB3dE9.db"));
    }
    removeStaleCopies(s->folder());
    EXPECT_EQ(QDir(s.path() + "/Database").entryList(QDir::Files | QDir::Hidden),
              (QStringList{".maintenance.lock", "RCdatabase.db"}));
    EXPECT_EQ(bakFiles(s, QDir::Hidden),
              (QStringList{".123456789.db-kL5mN6.db", ".123456789.db-kL5mN6.db-journal",
                           "123456789.db"}));
    EXPECT_NE(WorkFolderLock::tryTake(s->folder()), nullptr);
}

TEST(DatabaseCopy, ASecondRestoreWaitsForTheFirstOrIsRefused)
{
    TestSession s;
    fillYearStart(*s);
    const QString copy = s.path() + "/copy.db";
    backupDatabase(s.db(), copy);
    auto held = std::make_unique<WorkFolderLock>(s->folder(), 0);
    EXPECT_THROW(WorkFolderLock(s->folder(), 0), Error);
    EXPECT_EQ(WorkFolderLock::tryTake(s->folder()), nullptr);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.reset();
    });
    EXPECT_NO_THROW(restoreDatabase(s.db(), s->folder(), copy));  // waited, then went ahead
    release.join();
}
