// The older labor forms (I202-2, I102-2) and the talent summaries on a year of 3,000 persons in
// the opening roster and twelve monthly rosters (39,000 staff rows) with 36,000 wage rows: each
// computed and stored as its window does on opening.
#include "BenchUnit.h"
#include "Session.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

using namespace vel;

namespace {

constexpr int People = 3000;

struct Fixture {
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};

    Fixture()
    {
        registerBenchUnit(session, "是1");

        Db& db = session.db();
        std::mt19937 rng(2012);
        const auto pick = [&](std::vector<long long> codes) {
            return codes[std::uniform_int_distribution<size_t>(0, codes.size() - 1)(rng)];
        };
        const std::vector<long long> posts = {21, 22, 23, 31, 32, 33, 34, 35, 41, 42,
                                              51, 52, 53, 54, 55, 56, 61, 62, 63, 64};
        Transaction tx(db);
        SQLite::Statement staff(
            db.handle(),
            "INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, sBirth, sSex, sqrz, ssf,"
            " sEducation, sPost, syg, sgc, sjzs, ssg, sNation, sParty, sPostGrade, sJGrade)"
            " VALUES (?, ?, ?, '1', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        SQLite::Statement wage(db.handle(),
                               "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4,"
                               " sTotal, sFlag, wFlag) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '1', '1')");
        for (int i = 0; i < People; ++i) {
            const std::string number = std::to_string(100000 + i);
            const std::string name = "职工" + std::to_string(i);
            const std::string birth =
                std::to_string(1950 + i % 45) + "-" + (i % 12 < 9 ? "0" : "") +
                std::to_string(i % 12 + 1);
            long long codes[] = {pick({1, 2}),    pick({1, 2}),    pick({1, 1, 1, 2, 3}),
                                 pick({1, 2, 3, 4, 5, 6, 7, 8, 9}), pick(posts),
                                 pick({1, 2}),    pick({1, 2}),    pick({1, 2}),
                                 pick({1, 2, 3}), pick({1, 2}),    pick({1, 2}),
                                 pick({10, 31, 32, 33, 34}), pick({50, 51, 52, 53, 54, 55})};
            for (int month = 0; month <= 12; ++month) {
                if (month % 4 == 1)
                    codes[4] = pick(posts);  // some change posts during the year
                staff.reset();
                staff.bind(1, name);
                staff.bind(2, number);
                staff.bind(3, month);
                staff.bind(4, birth);
                for (int c = 0; c < 13; ++c)
                    staff.bind(5 + c, static_cast<int64_t>(codes[c]));
                staff.exec();
                if (month == 0)
                    continue;
                const double parts[] = {3000 + i % 900 + 0.5, 800 + month * 10.25, 300.1,
                                        i % 7 * 50.0};
                wage.reset();
                wage.bind(1, number);
                wage.bind(2, name);
                wage.bind(3, month);
                for (int p = 0; p < 4; ++p)
                    wage.bind(4 + p, parts[p]);
                wage.bind(8, parts[0] + parts[1] + parts[2] + parts[3]);
                wage.exec();
            }
        }
        tx.commit();
    }
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
