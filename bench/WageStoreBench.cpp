// Wage figures: storing a full month against the bare insert of its rows, opening the wage window
// on a full month, and the payout list of a year.
#include "BenchUnit.h"
#include "Session.h"
#include "WindowContext.h"
#include "monthly/WageEntryWindow.h"
#include "monthly/PayoutList.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int MonthRows = 16000;

QString numberOf(int i)
{
    return QString::number(100000 + i);
}

QString nameOf(int i)
{
    return QStringLiteral("职工%1").arg(i);
}

void addRoster(Db& db, int month, int people)
{
    Transaction tx(db);
    for (int i = 0; i < people; ++i)
        db.exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES (?, ?, ?, '1')",
                {numberOf(i), nameOf(i), static_cast<long long>(month)});
    tx.commit();
}

// Every tenth person is out of the roster or out of bounds, so the checks have work to do.
Sheet monthSheet()
{
    Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
    for (int i = 0; i < MonthRows; ++i) {
        const int row = wage::FirstPersonRow + i;
        sheet.setText(row, wage::NumberCol, numberOf(i % 10 == 3 ? MonthRows + i : i));
        sheet.setText(row, wage::NameCol, nameOf(i));
        sheet.setText(row, wage::BasicCol, QString::number(i % 10 == 7 ? 200 : 3000 + i % 500));
        sheet.setText(row, wage::PerformanceCol, "1200.5");
        sheet.setText(row, wage::OtherCol, "300");
    }
    return sheet;
}

}  // namespace

static void StoreWageMonth(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    addRoster(session.db(), 1, MonthRows);
    Sheet sheet = monthSheet();
    for (auto _ : state) {
        const WageCheckResult r = storeWages(session.db(), 1, sheet);
        if (r.writtenRows != MonthRows)
            state.SkipWithError("rows went missing");
    }
    state.SetItemsProcessed(state.iterations() * MonthRows);
}
BENCHMARK(StoreWageMonth)->Unit(benchmark::kMillisecond);

// The floor: the same rows, already totalled and flagged, replaced in one transaction.
static void BareInsertWageMonth(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    Db& db = session.db();
    for (auto _ : state) {
        Transaction tx(db);
        db.exec("DELETE FROM Wage_Info WHERE sMon = 1");
        SQLite::Statement insert(db.handle(),
                                 "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4,"
                                 " sTotal, sFlag, wFlag) VALUES (?, ?, 1, ?, ?, NULL, ?, ?, ?, ?)");
        for (int i = 0; i < MonthRows; ++i) {
            const double basic = i % 10 == 7 ? 200 : 3000 + i % 500;
            insert.reset();
            insert.bind(1, numberOf(i).toStdString());
            insert.bind(2, nameOf(i).toStdString());
            insert.bind(3, basic);
            insert.bind(4, 1200.5);
            insert.bind(5, 300.0);
            insert.bind(6, basic + 1500.5);
            insert.bind(7, "1");
            insert.bind(8, "1");
            insert.exec();
        }
        tx.commit();
    }
    state.SetItemsProcessed(state.iterations() * MonthRows);
}
BENCHMARK(BareInsertWageMonth)->Unit(benchmark::kMillisecond);

// From the command to the window shown with the month's stored rows, as "1月工资过录表" opens it.
static void OpenWageWindowOnAFullMonth(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    registerBenchUnit(session, "否");
    addRoster(session.db(), 1, MonthRows);
    Sheet sheet = monthSheet();
    storeWages(session.db(), 1, sheet);
    session.refreshMonthMenus();
    const gui::WindowContext context(session);
    for (auto _ : state) {
        gui::WageEntryWindow window(context, 1);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("window not exposed");
        QApplication::processEvents();
    }
}
BENCHMARK(OpenWageWindowOnAFullMonth)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

static void PayoutListOfAYear(benchmark::State& state)
{
    constexpr int People = 3000;
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    Db& db = session.db();
    {
        Transaction tx(db);
        for (int month = 1; month <= 12; ++month)
            for (int i = 0; i < People; ++i)
                db.exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                        " VALUES (?, ?, ?, ?, '1', '1')",
                        {numberOf(i), nameOf(i), static_cast<long long>(month),
                         4000.0 + month + i % 700});
        tx.commit();
    }
    for (auto _ : state) {
        const PayoutList list = listPayouts(db, 1, 12);
        if (list.rows.size() != People + 2)
            state.SkipWithError("people went missing");
    }
}
BENCHMARK(PayoutListOfAYear)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
