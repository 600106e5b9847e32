// Maintenance figures on a year of a large unit (2000 persons in the opening roster and twelve
// monthly rosters, twelve months of wages): backup, restore and the history import of it all.
#include "Session.h"
#include "history/HistoryImport.h"
#include "maintenance/DatabaseCopy.h"
#include "unit/UnitRegistration.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int People = 2000;

void fillYear(Db& db)
{
    Transaction tx(db);
    Statement staff(db, "INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sSex, sBirth, sTedu,"
                        " sEducation, sTpost, sPost, sIsok, sMon) VALUES (?, ?, '男', 1,"
                        " '1970-01', '大学本科', 3, '管理人员', 11, '1', ?)");
    Statement wage(db, "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag,"
                       " wFlag) VALUES (?, ?, ?, 3000, 1200, 4200, '1', '1')");
    for (long long month = 0; month <= 12; ++month)
        for (int i = 0; i < People; ++i) {
            const QString number = QString::number(100000 + i);
            const QString name = QStringLiteral("职工%1").arg(i);
            staff.run({name, number, month});
            if (month > 0)
                wage.run({number, name, month});
        }
    tx.commit();
}

}  // namespace

static void BackupYear(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    fillYear(session.db());
    for (auto _ : state)
        backupDatabase(session.db(), dir.path() + "/copy.db");
}
BENCHMARK(BackupYear)->Unit(benchmark::kMillisecond);

static void RestoreYear(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    fillYear(session.db());
    const QString copy = dir.path() + "/copy.db";
    backupDatabase(session.db(), copy);
    for (auto _ : state) {
        restoreDatabase(session.db(), session.folder(), copy);
        state.PauseTiming();
        QDir(dir.path() + "/BAK").removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(RestoreYear)->Unit(benchmark::kMillisecond);

static void ImportHistoryYear(benchmark::State& state)
{
    QTemporaryDir old;
    {
        Session source{WorkFolder(old.path())};
        fillYear(source.db());
    }
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        Session session{WorkFolder(dir.path())};
        UnitRegistration unit;
        unit.name = QStringLiteral("测试单位");
        unit.code = QStringLiteral("123456789");
        unit.type = unit::EnterpriseType;
        unit.unitClass = QStringLiteral("否");
        saveRegistration(session.db(), unit);
        state.ResumeTiming();
        importHistory(session, old.path(), HistoryOption::MonthlyAll);
    }
}
BENCHMARK(ImportHistoryYear)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
