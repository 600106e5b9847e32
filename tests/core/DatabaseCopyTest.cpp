#include "MaintenanceFixture.h"
#include "db/Schema.h"
#include "maintenance/DatabaseCopy.h"

#include <QDir>
#include <QFile>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

using namespace vel;

namespace {

long long staffCount(Db& db)
{
    return countOf(db, "SELECT COUNT(*) FROM Staff_moninfo");
}

QStringList bakFiles(const TestSession& s)
{
    return QDir(s.path() + "/BAK").entryList(QDir::Files);
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
