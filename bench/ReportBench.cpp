// Report figures for a year of 3,000 persons in the opening roster and twelve monthly rosters
// (39,000 staff rows) with 36,000 wage rows: the quarterly and the annual report and both wage
// summaries over 1–12 computed and stored, their workbooks and submission files, against one
// hand-written query per report that computes the same figures (the floor).
#include "BenchUnit.h"
#include "Session.h"
#include "reports/FigureForm.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"
#include "reports/WageSummary.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

using namespace vel;

namespace {

constexpr int People = 3000;
constexpr int Quarter = 3;  // the longest quarter: months 0 to 9

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
        SQLite::Statement staff(db.handle(),
                                "INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok, sSex,"
                                " sqrz, ssf, sEducation, sPost, syg, sgc, sjzs, ssg, sPostGrade,"
                                " sBirth) VALUES (?, ?, ?, '1', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        SQLite::Statement wage(db.handle(),
                               "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4,"
                               " sTotal, sFlag, wFlag) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '1', '1')");
        for (int i = 0; i < People; ++i) {
            const std::string number = std::to_string(100000 + i);
            const std::string name = "职工" + std::to_string(i);
            long long codes[] = {pick({1, 2}), pick({1, 2}),    pick({1, 1, 1, 2, 3}),
                                 pick({1, 2, 3, 4, 5, 6, 7, 8, 9}), pick(posts),
                                 pick({1, 2}), pick({1, 2}),    pick({1, 2}),
                                 pick({1, 2, 3}), pick({10, 31, 32, 33, 34, 51, 53})};
            const std::string birth =
                std::to_string(1955 + i % 40) + "-" + (i % 3 ? "0" : "") + std::to_string(1 + i % 9);
            for (int month = 0; month <= 12; ++month) {
                if (month % 4 == 1)
                    codes[4] = pick(posts);  // some change posts during the year
                staff.reset();
                staff.bind(1, name);
                staff.bind(2, number);
                staff.bind(3, month);
                for (int c = 0; c < 10; ++c)
                    staff.bind(4 + c, static_cast<int64_t>(codes[c]));
                staff.bind(14, birth);
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

// The figures as one statement would give them: conditional counts over the staff rows and
// conditional sums over the joined wages, side by side, each read in one pass as the reports read
// them ("+sMon" keeps the month index out).
const char* const QuarterlyFloor = R"(
SELECT * FROM
 (SELECT SUM(sMon = 9) AS I01, SUM(sMon = 9 AND sPost LIKE '2%') AS I71,
         SUM(sMon = 9 AND ssf = 1) AS I05, SUM(sMon = 9 AND ssf = 2) AS I06,
         SUM(sMon = 9 AND ssf = 3) AS I07, COUNT(*) AS I08, SUM(ssf = 1) AS I09,
         SUM(ssf = 2) AS I10, SUM(ssf = 3) AS I11, SUM(syg = 1) AS I48,
         SUM(sMon = 9 AND sgc = 1) AS I41, SUM(sMon = 9 AND sjzs = 1) AS I42,
         SUM(sMon = 9 AND ssg IN (2, 3)) AS I47
  FROM Staff_moninfo WHERE +sMon BETWEEN 0 AND 9),
 (SELECT SUM(sTotal) AS I12, SUM(CASE WHEN ssf = 1 THEN sTotal END) AS I13,
         SUM(CASE WHEN ssf = 2 THEN sTotal END) AS I18,
         SUM(CASE WHEN ssf = 3 THEN sTotal END) AS I19
  FROM VmonWage WHERE +sMon BETWEEN 1 AND 9))";

const char* const AnnualFloor = R"(
SELECT * FROM
 (SELECT SUM(sMon = 12) AS I01, SUM(sMon = 12 AND sSex = 2) AS I02,
         SUM(sMon = 12 AND sqrz = 2) AS I03, SUM(sMon = 12 AND ssf = 1) AS I05,
         SUM(sMon = 12 AND ssf = 2) AS I06, SUM(sMon = 12 AND ssf = 3) AS I07,
         SUM(sMon = 12 AND sEducation IN (1, 2, 3)) AS A01,
         SUM(sMon = 12 AND sEducation IN (4)) AS A02,
         SUM(sMon = 12 AND sEducation IN (5, 6, 7)) AS A03,
         SUM(sMon = 12 AND sEducation IN (8, 9)) AS A04,
         SUM(sMon = 12 AND sPost LIKE '2%') AS I71, SUM(sMon = 12 AND sPost LIKE '3%') AS I72,
         SUM(sMon = 12 AND sPost IN (31, 32)) AS A05, SUM(sMon = 12 AND sPost IN (33)) AS A06,
         SUM(sMon = 12 AND sPost IN (34)) AS A07, SUM(sMon = 12 AND sPost IN (35)) AS A08,
         SUM(sMon = 12 AND sPost IN (41, 42)) AS I73, SUM(sMon = 12 AND sPost IN (41)) AS A09,
         SUM(sMon = 12 AND sPost IN (62, 63)) AS I74,
         SUM(sMon = 12 AND (sPost LIKE '5%' OR sPost IN (61, 64))) AS A10,
         SUM(sMon = 12 AND sPost IN (51)) AS A11, SUM(sMon = 12 AND sPost IN (52)) AS A12,
         SUM(sMon = 12 AND sPost IN (53)) AS A13, SUM(sMon = 12 AND sPost IN (54)) AS A14,
         SUM(sMon = 12 AND sPost IN (55)) AS A15, SUM(sMon = 12 AND sPost IN (56)) AS A16,
         SUM(sMon = 12 AND sPost IN (61)) AS A17, SUM(sMon = 12 AND sPost IN (64)) AS A18,
         COUNT(*) AS I08, SUM(ssf = 1) AS I09, SUM(ssf = 2) AS I10, SUM(ssf = 3) AS I11,
         SUM(sPost LIKE '2%') AS I76, SUM(sPost LIKE '3%') AS I77,
         SUM(sPost IN (41, 42)) AS I78, SUM(sPost IN (62, 63)) AS I79,
         SUM(sPost LIKE '5%' OR sPost IN (61, 64)) AS A19, SUM(syg = 1) AS I48,
         SUM(sMon = 12 AND sgc = 1) AS I41, SUM(sMon = 12 AND sjzs = 1) AS I42,
         SUM(sMon = 12 AND ssg IN (2, 3)) AS I43, SUM(sMon = 12 AND ssg = 3) AS I44
  FROM Staff_moninfo WHERE +sMon BETWEEN 0 AND 12),
 (SELECT SUM(sTotal) AS I12, SUM(CASE WHEN ssf = 1 THEN sTotal END) AS I13,
         SUM(CASE WHEN ssf = 1 THEN sN1 END) AS I14, SUM(CASE WHEN ssf = 1 THEN sN2 END) AS I15,
         SUM(CASE WHEN ssf = 1 THEN sN3 END) AS I16, SUM(CASE WHEN ssf = 1 THEN sN4 END) AS I17,
         SUM(CASE WHEN ssf = 2 THEN sTotal END) AS I18,
         SUM(CASE WHEN ssf = 3 THEN sTotal END) AS I19,
         SUM(CASE WHEN sPost LIKE '2%' THEN sTotal END) AS I81,
         SUM(CASE WHEN sPost LIKE '3%' THEN sTotal END) AS I82,
         SUM(CASE WHEN sPost IN (41, 42) THEN sTotal END) AS I83,
         SUM(CASE WHEN sPost IN (62, 63) THEN sTotal END) AS I84,
         SUM(CASE WHEN sPost LIKE '5%' OR sPost IN (61, 64, 19) THEN sTotal END) AS A20
  FROM VmonWage WHERE +sMon BETWEEN 0 AND 12))";

// Runs a floor query; the head count of its end month must be the report's.
void runFloor(benchmark::State& state, const char* sql, long long reportHeads)
{
    Db& db = fixture().session.db();
    for (auto _ : state) {
        Query q(db, sql);
        if (!q.next() || q.integer("I01") != reportHeads)
            state.SkipWithError("the floor does not give the report's figures");
        benchmark::DoNotOptimize(q.number("I12"));
    }
}

// The form of a command for the fixture's unit, for a period.
struct Form : FormRun {
    Form(Session& s, const char* command, const FormPeriod& period)
        : FormRun(s, *formFor(command, s.unit().isOrgan()), period)
    {
    }
    const Figures& figures() const { return dynamic_cast<const FigureForm&>(engine()).figures(); }
};

}  // namespace

static void QuarterlyComputeAndStore(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        Form report(f.session, "quarterly", FormPeriod::ofQuarter(Quarter));
        report.compute();
        report.store();
    }
}
BENCHMARK(QuarterlyComputeAndStore)->Unit(benchmark::kMillisecond);

static void QuarterlyFloorQuery(benchmark::State& state)
{
    Form report(fixture().session, "quarterly", FormPeriod::ofQuarter(Quarter));
    report.compute();
    runFloor(state, QuarterlyFloor, *report.figures().at("I01"));
}
BENCHMARK(QuarterlyFloorQuery)->Unit(benchmark::kMillisecond);

static void QuarterlyWorkbook(benchmark::State& state)
{
    Form report(fixture().session, "quarterly", FormPeriod::ofQuarter(Quarter));
    report.compute();
    for (auto _ : state)
        report.exportWorkbook();
}
BENCHMARK(QuarterlyWorkbook)->Unit(benchmark::kMillisecond);

static void QuarterlySubmission(benchmark::State& state)
{
    Form report(fixture().session, "quarterly", FormPeriod::ofQuarter(Quarter));
    report.compute();
    for (auto _ : state)
        report.submit();
}
BENCHMARK(QuarterlySubmission)->Unit(benchmark::kMillisecond);

static void AnnualComputeAndStore(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        Form report(f.session, "annual", FormPeriod::ofYear());
        report.compute();
        report.store();
    }
}
BENCHMARK(AnnualComputeAndStore)->Unit(benchmark::kMillisecond);

static void AnnualFloorQuery(benchmark::State& state)
{
    Form report(fixture().session, "annual", FormPeriod::ofYear());
    report.compute();
    runFloor(state, AnnualFloor, *report.figures().at("I01"));
}
BENCHMARK(AnnualFloorQuery)->Unit(benchmark::kMillisecond);

static void AnnualWorkbook(benchmark::State& state)
{
    Form report(fixture().session, "annual", FormPeriod::ofYear());
    report.compute();
    for (auto _ : state)
        report.exportWorkbook();
}
BENCHMARK(AnnualWorkbook)->Unit(benchmark::kMillisecond);

static void AnnualSubmission(benchmark::State& state)
{
    Form report(fixture().session, "annual", FormPeriod::ofYear());
    report.compute();
    for (auto _ : state)
        report.submit();
}
BENCHMARK(AnnualSubmission)->Unit(benchmark::kMillisecond);

namespace {

// The wage summaries' figures from one grouped pass: the end month's counts by column and the
// range's person-months and wages per post and grade, from which every category row adds up.
const char* const WageSummaryFloor = R"(
SELECT sPost, sPostGrade, SUM(sMon = 12) AS G11, SUM(sMon = 12 AND sSex = 2) AS G12,
       SUM(sMon = 12 AND CAST(substr(sBirth, 1, 4) AS INTEGER) * 12
                         + CAST(substr(sBirth, 6) AS INTEGER) >= 1976 * 12 + 6) AS G13,
       SUM(sMon = 12 AND sPostGrade IN (31, 32, 33, 34, 51, 52, 53, 54, 55)) AS G14,
       SUM(sMon = 12 AND sEducation IN (1, 2)) AS G15, SUM(sMon = 12 AND sEducation = 3) AS G16,
       SUM(sMon = 12 AND sEducation = 4) AS G17, SUM(sMon = 12 AND sEducation IN (5, 6, 7)) AS G18,
       SUM(sMon = 12 AND sEducation IN (8, 9)) AS G19, COUNT(*) AS personMonths,
       SUM(sTotal) AS wages
FROM VmonWage WHERE +sMon BETWEEN 1 AND 12 GROUP BY sPost, sPostGrade)";

void WageSummaryComputeAndStore(benchmark::State& state, const QString& unitType)
{
    Fixture& f = fixture();
    const UnitRegistration kept = *loadRegistration(f.session.db());
    UnitRegistration asType = kept;
    asType.type = unitType;
    f.session.applyRegistration(asType);
    for (auto _ : state) {
        Form summary(f.session, "wage-summary", FormPeriod::ofRange(MonthRange{1, 12}));
        summary.compute();
        summary.store();
    }
    f.session.applyRegistration(kept);
}

}  // namespace

static void WageSummaryEnterpriseComputeAndStore(benchmark::State& state)
{
    WageSummaryComputeAndStore(state, unit::EnterpriseType);
}
BENCHMARK(WageSummaryEnterpriseComputeAndStore)->Unit(benchmark::kMillisecond);

static void WageSummaryOrganComputeAndStore(benchmark::State& state)
{
    WageSummaryComputeAndStore(state, unit::OrganType);
}
BENCHMARK(WageSummaryOrganComputeAndStore)->Unit(benchmark::kMillisecond);

static void WageSummaryFloorQuery(benchmark::State& state)
{
    Fixture& f = fixture();
    Form summary(f.session, "wage-summary", FormPeriod::ofRange(MonthRange{1, 12}));
    summary.compute();
    for (auto _ : state) {
        Query q(f.session.db(), WageSummaryFloor);
        long long heads = 0;
        while (q.next())
            heads += q.integer("G11");
        if (heads != *dynamic_cast<const WageSummary&>(summary.engine()).lines()[0][G11])
            state.SkipWithError("the floor does not give the summary's figures");
    }
}
BENCHMARK(WageSummaryFloorQuery)->Unit(benchmark::kMillisecond);

static void WageSummaryWorkbook(benchmark::State& state)
{
    Form summary(fixture().session, "wage-summary", FormPeriod::ofRange(MonthRange{1, 12}));
    summary.compute();
    for (auto _ : state)
        summary.exportWorkbook();
}
BENCHMARK(WageSummaryWorkbook)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
