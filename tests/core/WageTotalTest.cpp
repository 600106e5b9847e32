#include "MaintenanceFixture.h"
#include "history/HistoryRows.h"
#include "monthly/WageCarry.h"
#include "monthly/WageErrors.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "reports/YearOverview.h"
#include "sheet/Sheet.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace vel;

namespace {

constexpr int Month = 3;
// A pro-rated basic wage: every part has fen.
const QStringList Parts = {"3554.48", "809.18", "4011.39"};

void fillRow(Sheet& sheet, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c)
        sheet.setText(row, c + 1, cells[c]);
}

// How an earlier version stored the person: the basic wage with fen left out, flagged.
void storeAsBefore(Db& db, int month)
{
    db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sTotal, sFlag, wFlag)"
            " VALUES ('1', '甲', ?, 3554.48, 809.18, 4011.39, 4820.57, '1', '0')",
            {static_cast<long long>(month)});
}

}  // namespace

// Every way a month's wages are stored counts every part to the fen in the total.
TEST(WageTotal, EveryPartCountsToTheFenWhereverATotalIsMade)
{
    const std::vector<std::pair<const char*, std::function<void(TestSession&)>>> paths = {
        {"wage window",
         [](TestSession& s) {
             Sheet sheet(50, wage::ColumnCount);
             fillRow(sheet, 2, QStringList{"1", "甲"} + Parts);
             ASSERT_FALSE(storeWages(s.db(), Month, sheet).refused());
         }},
        {"error window",
         [](TestSession& s) {
             storeAsBefore(s.db(), Month);
             Sheet sheet(50, wage::ColumnCount);
             ASSERT_EQ(loadWageErrors(s.db(), Month, sheet), 1);
             EXPECT_EQ(sheet.mark(2, wage::TotalCol), CellMark::Error);
             EXPECT_EQ(confirmBoundsErrors(s.db(), Month), 0);  // a wrong total is not confirmed
             ASSERT_FALSE(saveWageCorrections(s.db(), Month, sheet).refused());
         }},
        {"file import",
         [](TestSession& s) {
             const QString path = s.path() + "/wages.csv";
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资\n"
                        "1,甲,3554.48,809.18,4011.39,\n");
             file.close();
             Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
             readWageFile(s.db(), path, sheet);
             ASSERT_FALSE(storeWages(s.db(), Month, sheet).refused());
         }},
        {"carry-over",
         [](TestSession& s) {
             storeAsBefore(s.db(), Month - 1);
             Sheet sheet(50, wage::ColumnCount);
             ASSERT_EQ(carryWages(s.db(), Month, sheet).carried, 1);
             ASSERT_FALSE(storeWages(s.db(), Month, sheet).refused());
         }},
        {"history import",
         [](TestSession& s) {
             std::vector<RefusedRow> refused;
             const SqlParams row{QString("甲"), QString("1"), 4820.57,  3554.48,       809.18,
                                 4011.39,       nullptr,     nullptr,  QString("1"), QString("0"),
                                 static_cast<long long>(Month)};
             ASSERT_EQ(addHistoryWages(*s, {row}, refused), 1);
         }},
    };
    for (const auto& [what, store] : paths) {
        SCOPED_TRACE(what);
        TestSession s;
        registerUnit(*s);
        s.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok)"
                    " VALUES ('1', '甲', 3, '1')");
        store(s);
        Query q(s.db(), "SELECT * FROM Wage_Info WHERE sMon = 3");
        ASSERT_TRUE(q.next());
        EXPECT_EQ(decimalText(q.number("sN1")), "3554.48");
        EXPECT_EQ(decimalText(q.number("sTotal")), "8375.05");
        EXPECT_EQ(q.text("wFlag"), "1");
        EXPECT_EQ(q.text("sFlag"), "1");
        EXPECT_FALSE(q.next());

        const MonthOverview& month = yearOverview(*s).months[Month];
        double parts = 0;
        for (double part : month.parts)
            parts += part;
        EXPECT_EQ(decimalText(parts), decimalText(month.total));
    }
}
