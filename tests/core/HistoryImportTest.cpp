#include "MaintenanceFixture.h"
#include "db/Schema.h"
#include "history/HistoryImport.h"
#include "staff/RosterStore.h"
#include "unit/UnitFigures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <unistd.h>

using namespace vel;

namespace {

const char* const StaffInsert =
    "INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sSex, sTnation, sTparty, sBirth, sWorks,"
    " sWork, sTedu, sTpost, sTGrade, sTJGrade, sTsf, sTqrz, sIsok, sMon)"
    " VALUES (?, ?, ?, 9, '否', '否', '1970-01', 10, 5, '大学专科', '管理人员', '无', '无',"
    " '在岗职工', '是', ?, ?)";

// An earlier installation of this program, registered for `unitCode`: opening roster, December
// and March rosters, March wages. The copied flags and codes are wrong on purpose: the import
// must work them out again.
struct OldInstallation {
    explicit OldInstallation(const QString& unitCode = "123456789",
                             const QString& unitType = unit::EnterpriseType)
    {
        QDir(dir.path()).mkpath("Database");
        Db db(historyDatabasePath(dir.path()));
        UnitRegistration r;
        r.name = "旧单位";
        r.code = unitCode;
        r.type = unitType;
        r.unitClass = "否";
        saveRegistration(db, r);
        const auto person = [&](const char* name, const char* number, const char* sex,
                                const char* isok, const SqlValue& month) {
            db.exec(StaffInsert, {QString::fromUtf8(name), QString::fromUtf8(number),
                                  QString::fromUtf8(sex), QString::fromLatin1(isok), month});
        };
        person(" 张 三 ", "001", "男", "0", 12LL);
        person("李四", "002", "未知", "1", 12LL);  // no sex the code list knows
        person("王五", "003", "女", "0", 0LL);
        person("赵六", "004", "男", "0", 3LL);
        db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN5, sTotal, sFlag, wFlag)"
                " VALUES (' 004 ', '赵 六', 3, 3000, 100, 99999, '0', '0'),"
                " ('005', '钱七', 3, 3000, NULL, 3000, '1', '1')");  // on no roster
    }
    QString path() const { return dir.path(); }
    QString database() const { return historyDatabasePath(dir.path()); }
    QTemporaryDir dir;
};

long long rows(Db& db, const char* where)
{
    return countOf(db, (std::string("SELECT COUNT(*) FROM Staff_moninfo WHERE ") + where).c_str());
}

struct Unit : TestSession {
    Unit() { registerUnit(**this); }
};

}  // namespace

TEST(HistoryImport, YearEndRosterBecomesTheOpeningRosterCodedAndAuditedHere)
{
    OldInstallation old;
    Unit s;
    ASSERT_TRUE(historyImportChecks(*s, old.path(), HistoryOption::YearEndAsOpening).passed);
    const HistoryImportResult result =
        importHistory(*s, old.path(), HistoryOption::YearEndAsOpening);
    EXPECT_EQ(result.messages, QStringList{"导入完成，共2条记录。"});
    EXPECT_TRUE(result.refused.isEmpty());
    EXPECT_EQ(rows(s.db(), "sMon = 0"), 2);
    EXPECT_EQ(rows(s.db(), "sMon <> 0"), 0);
    // Names lose their blanks; the flag and codes are this program's, not the copied ones.
    EXPECT_EQ(rows(s.db(), "sName = '张三' AND sIsok = '1' AND sSex = 1 AND ssf = 1"), 1);
    EXPECT_EQ(rows(s.db(), "sName = '李四' AND sIsok = '0' AND sSex IS NULL"), 1);
    EXPECT_TRUE(hasFailedRows(s.db(), 0));

    // A second import would double every person: it asks first.
    const CheckOutcome again = historyImportChecks(*s, old.path(), HistoryOption::Opening);
    EXPECT_TRUE(again.passed);
    EXPECT_EQ(again.question, "已有期初数据，是否继续导入？");
}

TEST(HistoryImport, LastYearsYearEndFiguresAreKeptWhenTheSourceHoldsThem)
{
    // December's roster of two but no December wages: the head count alone.
    OldInstallation old;
    Unit s;
    saveUnitFigures(s.db(), {2100.0, {}, {}});
    importHistory(*s, old.path(), HistoryOption::YearEndAsOpening);
    UnitFigures kept = loadUnitFigures(s.db());
    EXPECT_EQ(kept.lastYearHeads, 2);
    EXPECT_FALSE(kept.lastYearWages);
    EXPECT_EQ(kept.minWage, 2100.0);  // the clerk's own figure stays

    // With December's wages the year's total too, in thousands as I102-1 gives it: 3,000 and
    // 99,999 yuan in March, 1,500.5 in December; a total that is no number counts for nothing.
    {
        Db db(old.database());
        db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal)"
                " VALUES ('001', '张三', 12, 1500.5, 1500.5), ('002', '李四', 12, 1, 'x')");
    }
    Unit t;
    importHistory(*t, old.path(), HistoryOption::YearEndAsOpening);
    kept = loadUnitFigures(t.db());
    EXPECT_EQ(kept.lastYearHeads, 2);
    EXPECT_EQ(kept.lastYearWages, 105.0);  // 104,499.5 yuan: 104,500 whole yuan, 105 thousand
}

TEST(HistoryImport, OpeningMonthlyAndWageOptions)
{
    OldInstallation old;
    Unit s;
    EXPECT_EQ(importHistory(*s, old.path(), HistoryOption::Opening).messages,
              QStringList{"导入完成，共1条月度人员记录。"});
    EXPECT_EQ(rows(s.db(), "sMon = 0 AND sName = '王五' AND sIsok = '1'"), 1);

    const CheckOutcome noStaff = historyImportChecks(*s, old.path(), HistoryOption::MonthlyWages);
    EXPECT_FALSE(noStaff.passed);
    EXPECT_EQ(noStaff.messages, QStringList{"没有月度人员数据，请先导入月度人员数据。"});

    EXPECT_EQ(importHistory(*s, old.path(), HistoryOption::MonthlyStaff).messages,
              QStringList{"导入完成，共3条月度人员记录。"});
    EXPECT_EQ(rows(s.db(), "sMon = 12"), 2);
    EXPECT_EQ(rows(s.db(), "sMon = 3"), 1);

    EXPECT_EQ(historyImportChecks(*s, old.path(), HistoryOption::MonthlyWages).question, "");
    EXPECT_EQ(importHistory(*s, old.path(), HistoryOption::MonthlyWages).messages,
              QStringList{"导入完成，共2条工资记录。"});
    // The total is the parts' sum and both flags are worked out again: the person on March's
    // roster passes, the one on no roster is flagged whatever the source said.
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info WHERE sNumber = '004' AND"
                              " sName = '赵六' AND sN5 = 100 AND sTotal = 3000 AND sMon = 3"
                              " AND sFlag = '1' AND wFlag = '1'"),
              1);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info WHERE sNumber = '005' AND"
                              " sFlag = '0' AND wFlag = '1'"),
              1);
    EXPECT_EQ(historyImportChecks(*s, old.path(), HistoryOption::MonthlyAll).question,
              "已有月度人员、月度工资数据，是否继续导入？");
}

TEST(HistoryImport, RowsNoTypedRowCouldBeAreLeftOutAndNamed)
{
    OldInstallation old;
    {
        Db db(old.database());
        db.exec(StaffInsert, {QString("孙八"), QString("006"), QString("男"), QString("1"), 99LL});
        db.exec(StaffInsert, {QString("周九"), QString("007"), QString("男"), QString("1"),
                              QString("三月")});
        db.exec(StaffInsert, {QString("吴\x1b十"), QString("008"), QString("男"), QString("1"), 4LL});
        db.exec(StaffInsert, {QString("郑\u202e一"), QString("009"), QString("男"), QString("1"), 4LL});
        db.exec(StaffInsert, {QString("  "), QString("010"), QString("男"), QString("1"), 4LL});
        db.exec(StaffInsert, {QString("冯二"), QString("011"), QString("男"), QString("1"), nullptr});
        db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal) VALUES"
                " ('004', '赵六', 99, 3000, 3000), ('004', '赵六', 0, 3000, 3000),"
                " ('004', '赵六', 3, 'abc', 3000), ('004', '赵六', 3, 1e12, 3000),"
                " ('', '赵六', 3, 3000, 3000), ('004', '', 3, 3000, 3000),"
                " ('0\x07' || '04', '赵六', 3, 3000, 3000)");
    }
    Unit s;
    const HistoryImportResult result = importHistory(*s, old.path(), HistoryOption::MonthlyAll);
    EXPECT_EQ(result.messages,
              (QStringList{"导入完成，共3条月度人员记录。", "导入完成，共2条工资记录。"}));
    EXPECT_EQ(result.refused,
              (QStringList{
                  "另有13条记录不符合本系统的要求，未导入：",
                  "原系统人员记录第5条（孙八）：月份“99”不在1到12之间",
                  "原系统人员记录第6条（周九）：月份“三月”不在1到12之间",
                  "原系统人员记录第7条（吴[U+001B]十）：“姓名”含有控制字符 U+001B",
                  "原系统人员记录第8条（郑[U+202E]一）：“姓名”含有控制字符 U+202E",
                  "原系统人员记录第9条（）：没有姓名",
                  "原系统人员记录第10条（冯二）：没有月份",
                  "原系统工资记录第1条（赵六）：月份“99”不在1到12之间",
                  "原系统工资记录第4条（赵六）：“基本工资”不是数字或超出上限100000000元：abc",
                  "原系统工资记录第5条（赵六）："
                  "“基本工资”不是数字或超出上限100000000元：1000000000000",
                  "原系统工资记录第6条（赵六）：没有姓名编号",
                  "原系统工资记录第7条（）：没有姓名",
                  "原系统工资记录第8条（赵六）：“姓名编号”含有控制字符 U+0007",
                  "原系统工资记录第9条（赵六）：月份“0”不在1到12之间",
              }));
    // Nothing of a refused row arrives: no month outside 1..12, no control character.
    EXPECT_EQ(rows(s.db(), "sMon NOT BETWEEN 0 AND 12 OR typeof(sMon) <> 'integer'"), 0);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info WHERE sMon NOT BETWEEN 1 AND 12"), 0);
    EXPECT_EQ(rows(s.db(), "sName GLOB '*[\x01-\x1f]*'"), 0);
}

TEST(HistoryImport, AFailingImportLeavesNothingBehind)
{
    OldInstallation old;
    Unit s;
    // The working database refuses the wage row: the staff rows added before it must go too.
    s.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON Wage_Info BEGIN"
                " SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(importHistory(*s, old.path(), HistoryOption::MonthlyAll), DatabaseError);
    EXPECT_EQ(rows(s.db(), "1"), 0);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), 0);
}

TEST(HistoryImport, AnotherUnitsRecordsNeedAYesNamingBothUnits)
{
    const struct {
        const char* code;
        QString type;
        QString question;
    } cases[] = {
        {"123456789", unit::EnterpriseType, ""},
        {"987654321", unit::EnterpriseType,
         "原系统数据属于另一个单位：\n\r原系统：旧单位（987654321，企业事业单位）\n\r"
         "本单位：单位（123456789，企业事业单位）\n\r是否仍要导入？"},
        {"123456789", unit::OrganType,
         "原系统数据属于另一个单位：\n\r原系统：旧单位（123456789，机关单位）\n\r"
         "本单位：单位（123456789，企业事业单位）\n\r是否仍要导入？"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        OldInstallation old(c.code, c.type);
        Unit s;
        const CheckOutcome out = historyImportChecks(*s, old.path(), HistoryOption::MonthlyStaff);
        EXPECT_TRUE(out.passed);
        EXPECT_EQ(out.question, c.question);
    }
    // With rows already held, both are said before the one question.
    OldInstallation other("987654321");
    Unit s;
    staffRow(s.db(), 0, "甲");
    EXPECT_TRUE(historyImportChecks(*s, other.path(), HistoryOption::Opening)
                    .question.endsWith("本单位：单位（123456789，企业事业单位）\n\r"
                                       "已有期初数据，是否继续导入？"));
}

TEST(HistoryImport, ChecksNameWhatIsMissingOrWrong)
{
    OldInstallation old;
    Unit s;
    const auto message = [&](const QString& folder, HistoryOption option) {
        return historyImportChecks(*s, folder, option).messages.value(0);
    };
    EXPECT_EQ(message("", HistoryOption::None),
              "请依次 Step1:选择原始系统安装路径;\r\r       Step2:导入数据选项。");
    EXPECT_EQ(message(old.path(), HistoryOption::None), "请Step2:选择导入数据选项。");
    EXPECT_EQ(message("", HistoryOption::Opening), "请Step1:选择原始系统安装路径。");
    EXPECT_EQ(message(old.path() + "/Database", HistoryOption::Opening), "路径选择错误，请核对。");
    EXPECT_FALSE(isHistoryFolder(old.path() + "/Database"));
    EXPECT_TRUE(isHistoryFolder(old.path()));
    EXPECT_EQ(message(s.path(), HistoryOption::Opening),
              "所选路径是本系统正在使用的数据库，不能导入。");
    // The working database under another name is still itself.
    QTemporaryDir linked;
    QDir(linked.path()).mkpath("Database");
    ASSERT_EQ(::link(QFile::encodeName(s.db().path()).constData(),
                     QFile::encodeName(historyDatabasePath(linked.path())).constData()),
              0);
    EXPECT_EQ(message(linked.path(), HistoryOption::Opening),
              "所选路径是本系统正在使用的数据库，不能导入。");

    QTemporaryDir textFolder;
    QDir(textFolder.path()).mkpath("Database");
    QFile text(historyDatabasePath(textFolder.path()));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database at all, just some text that is long enough to be read");
    text.close();
    EXPECT_EQ(message(textFolder.path(), HistoryOption::Opening),
              "原系统数据库不是本系统的数据库文件：" + historyDatabasePath(textFolder.path()));

    // A pipe by the database's name is refused as such, never opened (it would block).
    for (const char* name : {"RCdatabase.db", "RCdatabase.mdb"}) {
        QTemporaryDir pipeFolder;
        QDir(pipeFolder.path()).mkpath("Database");
        const QString pipe = pipeFolder.filePath(QStringLiteral("Database/") + name);
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        EXPECT_EQ(message(pipeFolder.path(), HistoryOption::Opening),
                  "原系统数据库 " + pipe + " 不是普通文件（是设备或管道），无法导入。");
    }

    // A newer program's file and one without a copied column are refused in words, not engine
    // messages.
    OldInstallation newer;
    SQLite::Database(newer.database().toStdString(), SQLite::OPEN_READWRITE)
        .exec("PRAGMA user_version = " + std::to_string(SchemaVersion + 1));
    EXPECT_EQ(message(newer.path(), HistoryOption::Opening),
              "原系统数据库由较新版本的程序写成，不能导入：" + newer.database());
    OldInstallation dropped;
    SQLite::Database(dropped.database().toStdString(), SQLite::OPEN_READWRITE)
        .exec("DROP INDEX Wage_Info_failed; ALTER TABLE Wage_Info DROP COLUMN sFlag");
    EXPECT_EQ(message(dropped.path(), HistoryOption::MonthlyWages),
              "原系统数据库缺少本系统的列（Wage_Info.sFlag），不能导入：" + dropped.database());

    // Another program's write on the source is waited for, then named in words.
    OldInstallation busy;
    SQLite::Database writer(busy.database().toStdString(), SQLite::OPEN_READWRITE);
    writer.exec("PRAGMA locking_mode = EXCLUSIVE");
    writer.exec("BEGIN EXCLUSIVE");
    const QString locked = message(busy.path(), HistoryOption::Opening);
    EXPECT_TRUE(locked.startsWith("数据库文件 " + busy.database() + " 正被另一个程序使用"))
        << locked.toStdString();

    // The rows are coded with this unit's rules: without a registered unit there are none.
    TestSession unregistered;
    EXPECT_EQ(historyImportChecks(*unregistered, old.path(), HistoryOption::Opening).messages,
              QStringList{"请先填写单位基本信息！"});
}
