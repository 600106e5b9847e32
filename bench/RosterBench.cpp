// Roster figures for a 16,000-person opening roster: audit and store against a bare insert of
// the same rows in one transaction (the floor), and loading the stored rows into the sheet.
#include "BenchUnit.h"
#include "Session.h"
#include "sheet/Sheet.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int People = 16000;

struct Fixture {
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    Sheet sheet{Sheet::DefaultMaxRow, staff::ColumnCount};

    Fixture()
    {
        registerBenchUnit(session, "是1");
        session.codes().load(session.db(), "1");
        const QStringList answers = {"男", "否", "是", "1967-05", "20", "5", "大学本科",
                                     "管理人员", "中级", "无", "在岗职工", "是", "否", "否",
                                     "否", "是"};
        SheetBatch batch(sheet);
        for (int i = 0; i < People; ++i) {
            const int row = staff::FirstPersonRow + i;
            sheet.setText(row, 1, QString("员工%1").arg(i));
            sheet.setText(row, 2, QString::number(100000 + i));
            for (int c = 0; c < answers.size(); ++c)
                sheet.setText(row, c + 3, answers[c]);
        }
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

}  // namespace

static void AuditAndStoreOpeningRoster(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const StaffRules rules(f.session.codes(), f.session.unit());
        StaffPassResult audit;
        {
            SheetBatch batch(f.sheet);
            audit = rules.runPass(f.sheet, staffpass::OpeningSave);
        }
        replaceRoster(f.session.db(), 0, f.sheet, StaffClass::Construction, audit);
    }
}
BENCHMARK(AuditAndStoreOpeningRoster)->Unit(benchmark::kMillisecond);

// The floor: the same rows inserted with prepared statements in one transaction, no audit.
static void BareInsertFloor(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        Db& db = f.session.db();
        Transaction tx(db);
        db.exec("DELETE FROM Staff_moninfo WHERE sMon = 1");
        SQLite::Statement insert(db.handle(),
                                 "INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sTnation, "
                                 "sTparty, sBirth, sWorks, sWork, sTedu, sTpost, sTGrade, "
                                 "sTJGrade, sTsf, sTqrz, sTgc, sTjzs, sTsg, sTyg, sSex, sNation, "
                                 "sParty, sEducation, sPost, sPostGrade, sJGrade, ssf, sqrz, sgc, "
                                 "sjzs, ssg, syg, sIsok, sMon) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                 "?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 2, 1, 3, 41, 33, 50, 1, 1, 2, 2, "
                                 "1, 1, '1', 1)");
        for (int i = 0; i < People; ++i) {
            const int row = staff::FirstPersonRow + i;
            insert.reset();
            for (int c = 1; c <= 18; ++c)
                insert.bind(c, f.sheet.text(row, c).toStdString());
            insert.exec();
        }
        tx.commit();
    }
}
BENCHMARK(BareInsertFloor)->Unit(benchmark::kMillisecond);

static void LoadStoredRosterIntoSheet(benchmark::State& state)
{
    Fixture& f = fixture();
    Sheet target(Sheet::DefaultMaxRow, staff::ColumnCount);
    for (auto _ : state) {
        SheetBatch batch(target);
        benchmark::DoNotOptimize(loadRoster(f.session.db(), 0, RosterFilter::All, target));
    }
}
BENCHMARK(LoadStoredRosterIntoSheet)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
