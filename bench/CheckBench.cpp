// The data check ("数据审核"), every rule, over a year of 16,000 persons: without submission files
// (argument 0), and with the four files of I202-1 and I102-1 written, which E04 reads back against
// the forms computed again (1). Then over a payroll year of 16,000 persons (bonus months, churn,
// sick leave, a restructuring): the whole check, one month's rules, and the rules one form reads.
#include "PayrollYear.h"
#include "Session.h"
#include "SixteenThousandYear.h"
#include "checks/DataCheck.h"
#include "reports/Forms.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

void BM_DataCheck(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    bench::fillSixteenThousandYear(session, state.range(0) != 0);
    size_t findings = 0;
    for (auto _ : state)
        findings = runDataCheck(session).size();
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_DataCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Argument 0 the whole check, 1 `--month 6`, 2 `--form` the year-end talent summary.
void BM_DataCheckPayrollYear(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    registerBenchUnit(session, "否");
    payroll_year::fill(session.db(), {bench::People, 2012, false, 0, true});
    CheckScope scope;
    scope.files = false;
    if (state.range(0) == 1)
        scope.month = 6;
    if (state.range(0) == 2)
        scope.form = formFor("talent", false);
    size_t findings = 0;
    for (auto _ : state)
        findings = runDataCheck(session, scope).size();
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_DataCheckPayrollYear)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
