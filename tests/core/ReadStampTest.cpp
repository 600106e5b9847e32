// A window and the command line on one database: what the window read must still be what is
// stored when it saves, or the save stores nothing.
#include "TestSession.h"
#include "db/ReadStamp.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using namespace vel;

namespace {

constexpr int Month = 3;
const QString Changed = QStringLiteral("本月数据已被其他程序修改，请关闭后重新打开。");

Sheet wageSheetOf(const QString& basic)
{
    Sheet sheet(20, wage::ColumnCount);
    sheet.setText(wage::FirstPersonRow, wage::NumberCol, "1");
    sheet.setText(wage::FirstPersonRow, wage::NameCol, "甲");
    sheet.setText(wage::FirstPersonRow, wage::BasicCol, basic);
    return sheet;
}

SqlValue storedBasic(Db& db)
{
    return db.scalar("SELECT sN1 FROM Wage_Info WHERE sMon = 3");
}

// The window's save: the sheet it shows, through the stamp of its last load.
QString saveFromWindow(TestSession& window, ReadStamp& read, Sheet& sheet)
{
    try {
        read.write(window.db(), [&] { return storeWages(window.db(), Month, sheet); });
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

struct TwoPrograms : ::testing::Test {
    TwoPrograms()
    {
        window.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok)"
                         " VALUES ('1', '甲', 3, '1')");
    }
    TestSession window;
    Db commandLine{window.db().path()};
};

}  // namespace

TEST_F(TwoPrograms, TheWindowsSaveAfterACommandLineImportStoresNothing)
{
    ReadStamp read(window.db());  // the wage window shows month 3
    Sheet typed = wageSheetOf("3000");

    Sheet imported = wageSheetOf("5000");
    ASSERT_FALSE(storeWages(commandLine, Month, imported).refused());
    EXPECT_EQ(saveFromWindow(window, read, typed), Changed);
    EXPECT_EQ(storedBasic(window.db()), SqlValue(5000.0));

    // Read again, the window stores, and its own stores never count as another program's.
    read.take(window.db());
    EXPECT_EQ(saveFromWindow(window, read, typed), "");
    EXPECT_EQ(saveFromWindow(window, read, typed), "");
    EXPECT_EQ(storedBasic(window.db()), SqlValue(3000.0));
}

// The comparison is made once the save holds the write lock: a store the command line commits
// while the window waits for it is seen.
TEST_F(TwoPrograms, AStoreCommittedWhileTheSaveWaitsIsSeen)
{
    ReadStamp read(window.db());
    Sheet typed = wageSheetOf("3000");
    std::promise<void> writing;
    std::thread other([&] {
        Transaction tx(commandLine);
        Sheet imported = wageSheetOf("5000");
        storeWages(commandLine, Month, imported);
        writing.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        tx.commit();
    });
    writing.get_future().wait();
    const QString refusal = saveFromWindow(window, read, typed);
    other.join();
    EXPECT_EQ(refusal, Changed);
    EXPECT_EQ(storedBasic(window.db()), SqlValue(5000.0));
}

// A transaction begun inside another is a part of it: it rolls back alone, and only the outer
// commit stores.
TEST(Transaction, APartInsideAnotherRollsBackAlone)
{
    TestSession s;
    const auto names = [&] {
        return std::get<long long>(s.db().scalar("SELECT COUNT(*) FROM Staff_moninfo"));
    };
    {
        Transaction outer(s.db());
        s.db().exec("INSERT INTO Staff_moninfo (sName, sMon) VALUES ('甲', 0)");
        {
            Transaction part(s.db());
            s.db().exec("INSERT INTO Staff_moninfo (sName, sMon) VALUES ('乙', 0)");
        }
        {
            Transaction part(s.db());
            s.db().exec("INSERT INTO Staff_moninfo (sName, sMon) VALUES ('丙', 0)");
            part.commit();
        }
        EXPECT_EQ(names(), 2);
    }
    EXPECT_EQ(names(), 0);
    {
        Transaction outer(s.db());
        {
            Transaction part(s.db());
            s.db().exec("INSERT INTO Staff_moninfo (sName, sMon) VALUES ('丁', 0)");
            part.commit();
        }
        outer.commit();
    }
    EXPECT_EQ(names(), 1);
}
