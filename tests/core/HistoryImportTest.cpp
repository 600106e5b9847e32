#include "MaintenanceFixture.h"
#include "history/HistoryImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vel;

namespace {

// An earlier installation: opening roster, December and March rosters, March wages.
struct OldInstallation {
    OldInstallation()
    {
        QDir(dir.path()).mkpath("Database");
        Db db(historyDatabasePath(dir.path()));
        db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sIsok, sgc, sTgc, sMon) VALUES"
                " (' 张 三 ', '001', '0', NULL, '', 12), ('李四', '002', '1', 1, '是', 12),"
                " ('王五', '003', '1', 2, '否', 0), ('赵六', '004', '1', NULL, NULL, 3)");
        db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN5, sTotal, sFlag, wFlag)"
                " VALUES (' 004 ', '赵 六', 3, 3000, 100, 3100, '1', '1')");
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
};

long long rows(Db& db, const char* where)
{
    return countOf(db, (std::string("SELECT COUNT(*) FROM Staff_moninfo WHERE ") + where).c_str());
}

}  // namespace

TEST(HistoryImport, YearEndRosterBecomesTheOpeningRoster)
{
    OldInstallation old;
    TestSession s;
    ASSERT_TRUE(historyImportChecks(s.db(), old.path(), HistoryOption::YearEndAsOpening).passed);
    EXPECT_EQ(importHistory(s.db(), old.path(), HistoryOption::YearEndAsOpening),
              QStringList{"导入完成，共2条记录。"});
    EXPECT_EQ(rows(s.db(), "sMon = 0"), 2);
    EXPECT_EQ(rows(s.db(), "sMon <> 0"), 0);
    // Names lose their blanks, the audit flag stays, an empty answer arrives as null.
    EXPECT_EQ(rows(s.db(), "sName = '张三' AND sIsok = '0' AND sgc IS NULL AND sTgc IS NULL"), 1);
    EXPECT_EQ(rows(s.db(), "sName = '李四' AND sgc = 1"), 1);

    // A second import would double every person: it asks first.
    const CheckOutcome again = historyImportChecks(s.db(), old.path(), HistoryOption::Opening);
    EXPECT_TRUE(again.passed);
    EXPECT_EQ(again.question, "已有期初数据，是否继续导入？");
}

TEST(HistoryImport, OpeningMonthlyAndWageOptions)
{
    OldInstallation old;
    TestSession s;
    EXPECT_EQ(importHistory(s.db(), old.path(), HistoryOption::Opening),
              QStringList{"导入完成，共1条月度人员记录。"});
    EXPECT_EQ(rows(s.db(), "sMon = 0 AND sName = '王五'"), 1);

    const CheckOutcome noStaff = historyImportChecks(s.db(), old.path(), HistoryOption::MonthlyWages);
    EXPECT_FALSE(noStaff.passed);
    EXPECT_EQ(noStaff.messages, QStringList{"没有月度人员数据，请先导入月度人员数据。"});

    EXPECT_EQ(importHistory(s.db(), old.path(), HistoryOption::MonthlyStaff),
              QStringList{"导入完成，共3条月度人员记录。"});
    EXPECT_EQ(rows(s.db(), "sMon = 12"), 2);
    EXPECT_EQ(rows(s.db(), "sMon = 3"), 1);

    EXPECT_EQ(historyImportChecks(s.db(), old.path(), HistoryOption::MonthlyWages).question, "");
    EXPECT_EQ(importHistory(s.db(), old.path(), HistoryOption::MonthlyWages),
              QStringList{"导入完成，共1条工资记录。"});
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info WHERE sNumber = '004' AND"
                              " sName = '赵六' AND sN5 = 100 AND sTotal = 3100 AND sMon = 3"),
              1);
    EXPECT_EQ(historyImportChecks(s.db(), old.path(), HistoryOption::MonthlyAll).question,
              "已有月度人员、月度工资数据，是否继续导入？");
}

TEST(HistoryImport, AFailingImportLeavesNothingBehind)
{
    OldInstallation old;
    TestSession s;
    // The working database refuses the wage row: the staff rows added before it must go too.
    s.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON Wage_Info BEGIN"
                " SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(importHistory(s.db(), old.path(), HistoryOption::MonthlyAll), DatabaseError);
    EXPECT_EQ(rows(s.db(), "1"), 0);
    EXPECT_EQ(countOf(s.db(), "SELECT COUNT(*) FROM Wage_Info"), 0);
}

TEST(HistoryImport, ChecksNameWhatIsMissingOrWrong)
{
    OldInstallation old;
    TestSession s;
    const auto message = [&](const QString& folder, HistoryOption option) {
        return historyImportChecks(s.db(), folder, option).messages.value(0);
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

    QTemporaryDir textFolder;
    QDir(textFolder.path()).mkpath("Database");
    QFile text(historyDatabasePath(textFolder.path()));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database at all, just some text that is long enough to be read");
    text.close();
    EXPECT_TRUE(message(textFolder.path(), HistoryOption::Opening)
                    .startsWith("原系统数据库不是本系统的数据库文件"));
}
