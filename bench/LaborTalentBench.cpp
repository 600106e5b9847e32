// The older labor forms (I202-2, I102-2) and the talent summaries on a year of 3,000 persons in
// the opening roster and twelve monthly rosters (39,000 staff rows) with 36,000 wage rows: each
// computed and stored as its window does on opening.
#include "BenchYear.h"
#include "Session.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int People = 3000;

struct Fixture : BenchYear {
    Fixture() : BenchYear(People) {}
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// The form of a command for the fixture's unit, for a period.
struct Form : FormRun {
    Form(Session& s, const char* command, const FormPeriod& period)
        : FormRun(s, *formFor(command, false), period)
    {
    }
};

}  // namespace

static void BasicQuarterlyComputeAndStore(benchmark::State& state)
{
    Session& s = fixture().session;
    for (auto _ : state) {
        Form report(s, "basic-quarterly", FormPeriod::ofQuarter(3));
        report.compute();
        report.store();
    }
}
BENCHMARK(BasicQuarterlyComputeAndStore)->Unit(benchmark::kMillisecond);

static void BasicRangeComputeAndStore(benchmark::State& state)
{
    Session& s = fixture().session;
    for (auto _ : state) {
        Form report(s, "basic-quarterly", FormPeriod::ofRange(MonthRange{4, 12}));
        report.compute();
        report.store();
    }
}
BENCHMARK(BasicRangeComputeAndStore)->Unit(benchmark::kMillisecond);

static void BasicAnnualComputeAndStore(benchmark::State& state)
{
    Session& s = fixture().session;
    for (auto _ : state) {
        Form report(s, "basic-annual", FormPeriod::ofYear());
        report.compute();
        report.store();
    }
}
BENCHMARK(BasicAnnualComputeAndStore)->Unit(benchmark::kMillisecond);

static void TalentSummaryComputeAndStore(benchmark::State& state)
{
    Session& s = fixture().session;
    for (auto _ : state) {
        Form summary(s, "talent", FormPeriod::ofYear());
        summary.compute();
        summary.store();
    }
}
BENCHMARK(TalentSummaryComputeAndStore)->Unit(benchmark::kMillisecond);

static void TalentOpeningComputeAndStore(benchmark::State& state)
{
    Session& s = fixture().session;
    for (auto _ : state) {
        Form summary(s, "talent-opening", FormPeriod::ofOpeningRoster());
        summary.compute();
        summary.store();
    }
}
BENCHMARK(TalentOpeningComputeAndStore)->Unit(benchmark::kMillisecond);

static void TalentSummarySubmission(benchmark::State& state)
{
    Form summary(fixture().session, "talent", FormPeriod::ofYear());
    summary.compute();
    for (auto _ : state)
        summary.submit();
}
BENCHMARK(TalentSummarySubmission)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
