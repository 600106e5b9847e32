// The data check ("数据审核"), every rule, over a year of 16,000 persons: without submission files
// (argument 0), and with the four files of I202-1 and I102-1 written, which E04 reads back against
// the forms computed again (1).
#include "Session.h"
#include "SixteenThousandYear.h"
#include "checks/DataCheck.h"

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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
