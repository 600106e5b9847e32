#include "MaintenanceFixture.h"
#include "maintenance/DatabaseCopy.h"
#include "output/DbfWriter.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"
#include "reports/YearOverview.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace vel;

namespace {

void staff(Db& db, int month, const SqlValue& role, const char* isok)
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, ssf, sIsok) VALUES ('甲', '1', ?, ?, ?)",
            {static_cast<long long>(month), role, QString::fromLatin1(isok)});
}

void wage(Db& db, int month, double n1, const SqlValue& n3, double total, const char* sFlag,
          const char* wFlag)
{
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN3, sTotal, sFlag, wFlag)"
            " VALUES ('1', '甲', ?, ?, ?, ?, ?, ?)",
            {static_cast<long long>(month), n1, n3, total, QString::fromLatin1(sFlag),
             QString::fromLatin1(wFlag)});
}

long long count(Db& db, const char* sql, int month)
{
    return std::get<long long>(db.scalar(sql, {static_cast<long long>(month)}));
}

double sum(Db& db, const char* sql, int month)
{
    return std::get<double>(db.scalar(sql, {static_cast<long long>(month)}));
}

}  // namespace

TEST(YearOverview, FiguresMatchTheStoredMonths)
{
    TestSession s;
    registerUnit(*s);
    Db& db = s.db();
    for (int i = 0; i < 3; ++i)
        staff(db, 0, 1LL, "1");
    staff(db, 0, 2LL, "0");
    staff(db, 1, 1LL, "1");
    staff(db, 1, 3LL, "1");
    staff(db, 1, nullptr, "0");  // no answer yet: counted, under no status
    staff(db, 3, 2LL, "1");
    wage(db, 1, 3000, 200.5, 3200.5, "1", "1");
    wage(db, 1, 400, nullptr, 400, "1", "0");
    wage(db, 3, 2800, nullptr, 2800, "0", "1");
    QFile(submissionPath(s->folder(), SubmissionFolder::Gzsb,
                         "123456789_1_i202.dbf"))
        .open(QIODevice::WriteOnly);

    const YearOverview o = yearOverview(*s);
    EXPECT_EQ(o.roleNames, (QStringList{"在岗职工", "劳务派遣人员", "其他从业人员"}));
    for (const MonthOverview& m : o.months) {
        SCOPED_TRACE(m.month);
        EXPECT_EQ(m.persons, count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = ?", m.month));
        EXPECT_EQ(m.failedStaff,
                  count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = ? AND sIsok = '0'", m.month));
        for (int role = 1; role <= 3; ++role)
            EXPECT_EQ(m.byRole[role - 1],
                      std::get<long long>(db.scalar(
                          "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = ? AND ssf = ?",
                          {static_cast<long long>(m.month), static_cast<long long>(role)})));
        EXPECT_EQ(m.wageRows, count(db, "SELECT COUNT(*) FROM Wage_Info WHERE sMon = ?", m.month));
        EXPECT_DOUBLE_EQ(m.parts[0], sum(db, "SELECT TOTAL(sN1) FROM Wage_Info WHERE sMon = ?", m.month));
        EXPECT_DOUBLE_EQ(m.parts[2], sum(db, "SELECT TOTAL(sN3) FROM Wage_Info WHERE sMon = ?", m.month));
        EXPECT_DOUBLE_EQ(m.total, sum(db, "SELECT TOTAL(sTotal) FROM Wage_Info WHERE sMon = ?", m.month));
        EXPECT_EQ(m.flaggedWages,
                  count(db, "SELECT COUNT(*) FROM Wage_Info WHERE sMon = ? AND (sFlag = '0' OR wFlag = '0')",
                        m.month));
        EXPECT_EQ(m.hasProblems(), m.month == 0 || m.month == 1 || m.month == 3);
        // An empty file holds no figures: it is older than the data.
        EXPECT_TRUE(m.reports.isEmpty());
        EXPECT_EQ(m.olderReports, m.month == 3 ? QStringList{"I202-1"} : QStringList{});
    }

    const std::vector<QStringList> table = yearOverviewTable(o);
    ASSERT_EQ(table.size(), 14u);
    EXPECT_EQ(table[0], (QStringList{"月份", "人数", "在岗职工", "劳务派遣人员", "其他从业人员",
                                     "基本工资", "绩效工资", "工资性津贴和补贴", "其他工资", "合计",
                                     "人员审核未通过", "工资有误", "已报送", "文件早于当前数据"}));
    EXPECT_EQ(table[1], (QStringList{"期初", "4", "3", "1", "0", "", "", "", "", "", "1", "0", "", ""}));
    EXPECT_EQ(table[2], (QStringList{"1月", "3", "1", "0", "1", "3400", "0", "200.5", "0", "3600.5",
                                     "1", "1", "", ""}));
    EXPECT_EQ(table[4].mid(12), (QStringList{"", "I202-1"}));

    // Problems open where they are mended: the roster before the wages.
    EXPECT_EQ(windowFor(o.months[0]), MonthWindow::OpeningRoster);
    EXPECT_EQ(windowFor(o.months[1]), MonthWindow::MonthlyRoster);
    EXPECT_EQ(windowFor(o.months[3]), MonthWindow::Wages);
    EXPECT_EQ(windowFor(o.months[2]), MonthWindow::None);
}

TEST(YearOverview, AFormIsSubmittedOnlyWhileItsFileHoldsWhatTheRecordsGive)
{
    TestSession s;
    fillYearStart(*s);
    staffRow(s.db(), 3, "甲");
    wageRow(s.db(), 3);
    ASSERT_TRUE(s->unitRegistered());
    FormRun report(*s, *formFor("quarterly", false), FormPeriod::ofQuarter(1));
    report.compute();
    report.submit();
    const auto submitted = [&s] {
        const MonthOverview m = yearOverview(*s).months[3];
        return std::make_pair(m.reports, m.olderReports);
    };
    EXPECT_EQ(submitted(), std::make_pair(QStringList{"I202-1"}, QStringList{}));

    // Wages changed after the file was written: the file no longer says what the records do.
    s.db().exec("UPDATE Wage_Info SET sTotal = 5000 WHERE sMon = 2");
    EXPECT_EQ(submitted(), std::make_pair(QStringList{}, QStringList{"I202-1"}));
    s.db().exec("UPDATE Wage_Info SET sTotal = 3000 WHERE sMon = 2");
    EXPECT_EQ(submitted(), std::make_pair(QStringList{"I202-1"}, QStringList{}));

    // Initialised and registered again, the old file stays in GZSB but is submitted no more.
    initialiseDatabase(s.db(), s->folder());
    registerUnit(*s);
    EXPECT_EQ(submitted(), std::make_pair(QStringList{}, QStringList{"I202-1"}));
    EXPECT_EQ(yearOverviewTable(yearOverview(*s))[4].mid(12), (QStringList{"", "I202-1"}));
}
