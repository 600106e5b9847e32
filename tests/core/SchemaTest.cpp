#include "TestSession.h"
#include "db/Schema.h"
#include "reports/Forms.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vel;

namespace {
long long count(Db& db, const char* sql)
{
    return std::get<long long>(db.scalar(sql));
}
}  // namespace

TEST(Schema, FreshDatabaseHoldsEveryTableViewAndPrenumberedRow)
{
    TestSession s;
    Db& db = s.db();
    EXPECT_EQ(count(db, "PRAGMA user_version"), SchemaVersion);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Total_Info"), 40);
    EXPECT_EQ(count(db, "SELECT MAX(Gid) FROM Total_BaseInfo"), 17);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Code_Post"), 27);
    for (const char* table : {"Dep_Info", "Staff_moninfo", "Wage_Info", "Tmp_Del", "Initial_Info",
                              "Staff_Info", "Check_Note", "Unit_Figures", "V", "Vmon", "VmonWage"})
        EXPECT_NO_THROW(Query(db, std::string("SELECT * FROM ") + table)) << table;
    for (const StoredTable* table : formTables())
        EXPECT_NO_THROW(Query(db, std::string("SELECT * FROM ") + table->name)) << table->name;
    // Columns are named as the reports write them; the annual table has 73.
    EXPECT_NO_THROW(Query(db, "SELECT frdm, I01, I90, A21, I47, frmc FROM NGLabor_info"));
    EXPECT_NO_THROW(Query(db, "SELECT G11, G19, G110, G116 FROM Total_BaseInfo"));
    EXPECT_NO_THROW(Query(db, "SELECT G11, G20, G21 FROM Total_Info"));
}

TEST(Schema, MonthsCompareAsNumbersAndCodesMatchLikePatterns)
{
    TestSession s;
    Db& db = s.db();
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sPost) VALUES ('a', '1', '3', 21)");
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sPost) VALUES ('b', '2', 3, 23)");
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sPost) VALUES ('c', '3', 3, 33)");
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 3"), 3);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sPost LIKE '2%'"), 2);

    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal) VALUES ('2', 'b', 3, 800)");
    Query q(db, "SELECT sName, ssf FROM VmonWage WHERE sMon IN (3)");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("sName"), "b");
    EXPECT_FALSE(q.next());
}

TEST(Schema, RefusesAFileThatIsNotOursOrIsNewer)
{
    QTemporaryDir dir;
    const QString foreign = dir.path() + "/foreign.db";
    {
        Db db(foreign);
        db.exec("PRAGMA user_version = 0");
        db.exec("DROP VIEW VmonWage");
        db.exec("DROP VIEW Vmon");
        db.exec("DROP VIEW V");
        db.exec("DROP TABLE Staff_moninfo");
    }
    EXPECT_THROW(Db{foreign}, DatabaseError);

    const QString newer = dir.path() + "/newer.db";
    { Db(newer).exec("PRAGMA user_version = 99"); }
    EXPECT_THROW(Db{newer}, DatabaseError);

    const QString empty = dir.path() + "/empty.db";
    QFile(empty).open(QIODevice::WriteOnly);
    Db db(empty, false, formTableSchemas());  // an empty file is simply given the schema
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Total_Info"), 40);
}

// Opening brings an earlier program's file up to date, whatever of the later tables it already
// holds, and adds a form's table to a file from before the form; nothing else changes.
TEST(Schema, AnOlderFileGainsWhatItLacksOnOpening)
{
    const std::pair<const char*, const char*> older[] = {
        {"version 1", "DROP TABLE Check_Note; DROP TABLE Unit_Figures; PRAGMA user_version = 1"},
        {"version 1 holding a later table", "DROP TABLE Check_Note; PRAGMA user_version = 1"},
        {"before a form", "DROP TABLE Total_BaseInfo"},
    };
    for (const auto& [name, change] : older) {
        TestSession s;
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon) VALUES ('甲', '1', 0)");
        s.db().exec("UPDATE Total_Info SET G11 = 7 WHERE Gid = 3");
        s.db().handle().exec(change);
        Session reopened{WorkFolder(s.path())};
        Db& db = reopened.db();
        EXPECT_EQ(count(db, "PRAGMA user_version"), SchemaVersion) << name;
        EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Check_Note"), 0) << name;
        EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Unit_Figures"), 0) << name;
        EXPECT_EQ(count(db, "SELECT MAX(Gid) FROM Total_BaseInfo"), 17) << name;
        EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo"), 1) << name;
        EXPECT_EQ(count(db, "SELECT G11 FROM Total_Info WHERE Gid = 3"), 7) << name;
        EXPECT_TRUE(schemaGaps(db.handle(), formTableSchemas()).isEmpty()) << name;
    }
}

// The kept column matchings come with the upgrade, also to a file that has the table already
// (written by a build that added it before the version was raised).
TEST(Schema, AFileOfTheVersionBeforeGainsTheColumnMatchingsTable)
{
    QTemporaryDir dir;
    for (const bool hasTable : {false, true}) {
        const QString path = dir.path() + (hasTable ? "/with.db" : "/without.db");
        {
            Db db(path);
            db.exec("INSERT INTO Column_Match (Kind, Headings, Matching) VALUES ('wages', 'a', 'b')");
            if (!hasTable)
                db.exec("DROP TABLE Column_Match");
            db.exec("PRAGMA user_version = 2");
        }
        Db db(path);
        EXPECT_EQ(count(db, "PRAGMA user_version"), SchemaVersion);
        EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Column_Match"), hasTable ? 1 : 0);
    }
}

// The checks for failed rows read a partial index only when they spell its condition; a file
// made before the indexes gains them at its next opening.
TEST(Schema, ChecksForFailedRowsUseTheirIndexesAlsoInAnOlderFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/older.db";
    {
        Db db(path);
        for (const char* index : {"Staff_moninfo_failed", "Wage_Info_failed",
                                  "Staff_moninfo_organ_posts"})
            db.exec(std::string("DROP INDEX ") + index);
    }
    Db db(path);
    const std::pair<const char*, const char*> checks[] = {
        {"SELECT 1 FROM Staff_moninfo WHERE sMon = 3 AND sIsok = '0'", "Staff_moninfo_failed"},
        {"SELECT sMon FROM Wage_Info WHERE sMon <= 3 AND (sFlag = '0' OR wFlag = '0')",
         "Wage_Info_failed"},
        {"SELECT MIN(sPost) FROM Staff_moninfo WHERE sPost < 20", "Staff_moninfo_organ_posts"},
    };
    for (const auto& [sql, index] : checks) {
        Query plan(db, std::string("EXPLAIN QUERY PLAN ") + sql);
        ASSERT_TRUE(plan.next());
        EXPECT_TRUE(plan.text("detail").contains(index)) << sql;
    }
}

TEST(Schema, TransactionRollsBackUnlessCommitted)
{
    TestSession s;
    Db& db = s.db();
    try {
        Transaction tx(db);
        db.exec("INSERT INTO Tmp_Del (sName) VALUES ('x')");
        db.exec("INSERT INTO NoSuchTable VALUES (1)");
        tx.commit();
    } catch (const DatabaseError&) {
    }
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Tmp_Del"), 0);
}
