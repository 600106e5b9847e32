#include "ReportFixture.h"
#include "RosterImport.h"
#include "TestSession.h"
#include "checks/YearRecords.h"
#include "monthly/BatchDelete.h"
#include "monthly/PayoutList.h"
#include "monthly/WageErrors.h"
#include "monthly/WageStore.h"
#include "reports/YearOverview.h"
#include "sheet/Sheet.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vel;

namespace {

// Eight clerks of a small works: managers and workers, one on dispatch, one part-time.
const std::vector<roster_import::Person> People = {
    {"王芳", "1001", "在岗职工"}, {"李明", "1002", "在岗职工"},   {"赵强", "1003", "在岗职工"},
    {"陈静", "1004", "在岗职工"}, {"刘洋", "1005", "劳务派遣人员"}, {"周敏", "1006", "在岗职工"},
    {"吴磊", "1007", "在岗职工"}, {"孙丽", "1008", "其他从业人员"},
};
constexpr int Leaver = 1;  // 李明

void importRoster(Session& s, const QString& folder, int month, int without = -1)
{
    std::vector<roster_import::Person> people = People;
    if (without >= 0)
        people.erase(people.begin() + without);
    roster_import::importRoster(s, folder, month, people);
}

// Wages of a payroll month: a basic wage by person, performance pay that moves from month to
// month, a quarter's bonus in April, a rise for two from March.
void payMonth(Db& db, int month)
{
    for (int i = 0; i < static_cast<int>(People.size()); ++i) {
        const double basic = (i == Leaver ? 2400 : 2600 + 175 * i) + (month >= 3 && i % 4 == 0 ? 300 : 0);
        const double performance = 380.25 + 41.5 * ((i + month) % 5);
        const double other = month == 4 ? 370.5 + 12 * i : 0;
        const double total = basic + performance + other;
        db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN4, sTotal, sFlag, wFlag)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, '1', '1')",
                {People[i].number, People[i].name, static_cast<long long>(month),
                 basic, performance, other == 0 ? SqlValue(nullptr) : SqlValue(other), total});
    }
}

double aprilTotalWithout(Db& db, const char* number)
{
    return std::get<double>(db.scalar("SELECT TOTAL(sTotal) FROM Wage_Info WHERE sMon = 4"
                                      " AND sNumber <> ?",
                                      {QString(number)}));
}

}  // namespace

// Taking a person with wages off April's roster, however it is done, flags his April wage in the
// same step, and every figure made of wages then counts April alike: the overview, the payout
// list and the check leave him out and name him as a wage error, and the wage summary refuses
// until his wage row is dealt with, then shows the same total.
TEST(RosterChangeWages, APersonTakenOffTheRosterLeavesEveryFigureAgreeing)
{
    struct Way {
        const char* name;
        std::function<void(Session&, const QString&)> removeLeaver;
    };
    const Way ways[] = {
        {"batch delete",
         [](Session& s, const QString&) {
             listForDeletion(s.db(), 4, {{"李明", "1002", "离职"}});
             deleteListedPersons(s.db(), 4);
         }},
        {"roster save",
         [](Session& s, const QString&) {
             Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
             loadRoster(s.db(), 4, RosterFilter::All, sheet);
             sheet.deleteRows(staff::FirstPersonRow + Leaver, 1);
             const StaffClass staffClass = staffClassOf(s.unit().CurDepInfo);
             auditAndReplaceRoster(s.db(), 4, sheet, StaffRules(s.codes(), s.unit()), staffClass);
         }},
        {"roster import",
         [](Session& s, const QString& folder) { importRoster(s, folder, 4, Leaver); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        TestSession s;
        QTemporaryDir files;
        report_fixture::registerUnit(*s, unit::EnterpriseType, QStringLiteral("否"));
        for (int month = 0; month <= 4; ++month)
            importRoster(*s, files.path(), month);
        for (int month = 1; month <= 4; ++month)
            payMonth(s.db(), month);

        way.removeLeaver(*s, files.path());

        Db& db = s.db();
        EXPECT_EQ(std::get<QString>(db.scalar(
                      "SELECT sFlag FROM Wage_Info WHERE sMon = 4 AND sNumber = '1002'")),
                  "0");
        EXPECT_FALSE(db.exists("SELECT 1 FROM Wage_Info WHERE sFlag = '0' AND sMon <> 4"));
        EXPECT_FALSE(db.exists("SELECT 1 FROM Wage_Info WHERE sFlag = '0' AND sNumber <> '1002'"));
        const double april = aprilTotalWithout(db, "1002");

        const MonthOverview& overview = yearOverview(*s).months[4];
        EXPECT_DOUBLE_EQ(overview.total, april);
        EXPECT_EQ(overview.flaggedWages, 1);

        const PayoutList payout = listPayouts(db, 4, 4);
        double listed = 0;
        for (size_t r = 1; r + 1 < payout.rows.size(); ++r) {
            const QString cell = payout.rows[r][payout::FirstMonthCol + 2];
            // He is listed for his earlier months' wages, with April empty.
            if (payout.rows[r][payout::NumberCol - 1] == "1002")
                EXPECT_EQ(cell, "");
            listed += cell.toDouble();
        }
        EXPECT_DOUBLE_EQ(listed, april);

        EXPECT_EQ(loadYearRecords(db).months[4].formWageMicros, std::llround(april * 1e6));

        report_fixture::FormUnderTest summary(*s, "wage-summary", FormPeriod::ofRange("4", "4"));
        const CheckOutcome refused = summary.check();
        ASSERT_FALSE(refused.passed);
        EXPECT_TRUE(refused.messages.join("").contains("[4]")) << refused.messages.join("").toStdString();

        // The clerk deletes the wage row in the wage error window; the summary then counts April
        // as every figure above did.
        deleteWageRow(db, 4,
                      std::get<long long>(db.scalar(
                          "SELECT id FROM Wage_Info WHERE sMon = 4 AND sNumber = '1002'")));
        report_fixture::FormUnderTest second(*s, "wage-summary", FormPeriod::ofRange("4", "4"));
        ASSERT_TRUE(second.check().passed);
        ASSERT_TRUE(second.computeAndStore().passed);
        EXPECT_EQ(std::get<long long>(db.scalar("SELECT G21 FROM Total_Info WHERE Gid = 1")),
                  roundedQuotient(std::llround(april * 1e6), 1'000'000'000LL));
        EXPECT_DOUBLE_EQ(yearOverview(*s).months[4].total, april);
    }
}

// A person put back on the roster counts again: his flag is worked out anew, not left at "0".
TEST(RosterChangeWages, APersonPutBackCountsAgain)
{
    TestSession s;
    QTemporaryDir files;
    report_fixture::registerUnit(*s, unit::EnterpriseType, QStringLiteral("否"));
    importRoster(*s, files.path(), 0);
    importRoster(*s, files.path(), 1, Leaver);
    payMonth(s.db(), 1);
    EXPECT_EQ(recheckWagePersons(s.db(), 1), 1);
    importRoster(*s, files.path(), 1);
    EXPECT_FALSE(s.db().exists("SELECT 1 FROM Wage_Info WHERE sFlag <> '1'"));
}
