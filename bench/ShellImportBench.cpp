// Whole-process figures, as a clerk runs them: veldrassa-cli storing a 16,000-person roster and a
// 16,000-row wage month from a file, each against the sqlite3 shell importing the same file into
// the same table of a copy of the same database in one transaction (".import" into a staging
// table, then one insert ... select). Both start as new processes every run, so start-up counts.
// The two commands alternate, and each repetition reports both times and their ratio; read the
// medians and the spread, since other work on the machine moves single runs. VELDRASSA_CLI names
// another build of the command line to measure instead of this one.
#include "BenchUnit.h"
#include "db/Db.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

using namespace vel;

namespace {

using bench::People;
using bench::rosterCsv;
using bench::wageCsv;
using bench::writeFile;
constexpr int Repetitions = 15;

struct ProcessTime {
    double wallMs = 0;
    double cpuMs = 0;  // user and system time of the process
};

double millis(const timeval& t)
{
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

// Runs the program with its standard input from `input` and its output discarded; throws when it
// cannot start or does not end with exit code 0.
ProcessTime runProcess(const QStringList& command, const QString& input = "/dev/null")
{
    std::vector<std::string> args;
    for (const QString& a : command)
        args.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string in = input.toStdString();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed");
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            millis(usage.ru_utime) + millis(usage.ru_stime)};
}

const char* const RosterScript = R"(CREATE TEMP TABLE staging (c1, c2, c3, c4, c5, c6, c7, c8,
  c9, c10, c11, c12, c13, c14);
BEGIN;
.import --csv --skip 1 --schema temp roster.csv staging
DELETE FROM Staff_moninfo WHERE sMon = 0;
INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sTnation, sTparty, sBirth, sWorks, sWork, sTedu,
  sTpost, sTGrade, sTJGrade, sTsf, sTqrz, sIsok, sMon) SELECT *, '1', 0 FROM staging;
COMMIT;
)";

const char* const WageScript = R"(CREATE TEMP TABLE staging (c1, c2, c3, c4, c5, c6);
BEGIN;
.import --csv --skip 1 --schema temp wages.csv staging
DELETE FROM Wage_Info WHERE sMon = 1;
INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4, sTotal, sFlag, wFlag)
  SELECT c1, c2, 1, c3, c4, nullif(c5, ''), c6, c3 + c4 + c6, '1', '1' FROM staging;
COMMIT;
)";

long long count(const QString& dbPath, const std::string& sql)
{
    Db db(dbPath);
    return std::get<long long>(db.scalar(sql));
}

// A work folder for veldrassa-cli and a copy of its database for the shell, both already holding
// one stored roster (and wage month), so every timed run replaces a full month.
struct Setup {
    QTemporaryDir dir;
    QString cli = qEnvironmentVariable("VELDRASSA_CLI", QStringLiteral(VELDRASSA_CLI_PATH));
    QString shell = QStandardPaths::findExecutable("sqlite3");
    QString work;
    QString shellDb;

    Setup()
    {
        if (shell.isEmpty())
            throw std::runtime_error("the sqlite3 shell is not installed (Debian package sqlite3)");
        const QDir d(dir.path());
        work = d.filePath("work");
        shellDb = d.filePath("shell.db");
        writeFile(d.filePath("roster.csv"), rosterCsv(People));
        writeFile(d.filePath("wages.csv"), wageCsv(People));
        writeFile(d.filePath("roster.sql"), RosterScript);
        writeFile(d.filePath("wages.sql"), WageScript);
        QDir::setCurrent(dir.path());

        runProcess({cli, "--data-dir", work, "init"});
        runProcess({cli, "--data-dir", work, "unit", "set", "--name", "基准单位", "--code",
                    "123456789", "--class", "否"});
        for (const char* month : {"0", "1"})
            runProcess(rosterCommand(month));
        runProcess(wageCommand());
        const QString cliDb = QDir(work).filePath("Database/RCdatabase.db");
        if (!QFile::copy(cliDb, shellDb))
            throw std::runtime_error("cannot copy the database");
        runProcess(shellCommand(), "roster.sql");
        runProcess(shellCommand(), "wages.sql");
        for (const QString& db : {cliDb, shellDb})
            if (count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 0") != People ||
                count(db, "SELECT COUNT(*) FROM Wage_Info WHERE sMon = 1") != People)
                throw std::runtime_error("a run stored the wrong number of rows");
    }

    QStringList rosterCommand(const char* month) const
    {
        return {cli, "--data-dir", work, "roster", "import", "--month", month, "roster.csv"};
    }
    QStringList wageCommand() const
    {
        return {cli, "--data-dir", work, "wages", "import", "--month", "1", "wages.csv"};
    }
    QStringList shellCommand() const { return {shell, "-bail", shellDb}; }
};

Setup& setup()
{
    static Setup s;
    return s;
}

// One repetition: both commands once, in alternating order.
void compare(benchmark::State& state, const QStringList& ours, const QString& script)
{
    static int round = 0;
    try {
        Setup& s = setup();
        for (auto _ : state) {
            ProcessTime cli;
            ProcessTime shell;
            if (round++ % 2) {
                cli = runProcess(ours);
                shell = runProcess(s.shellCommand(), script);
            } else {
                shell = runProcess(s.shellCommand(), script);
                cli = runProcess(ours);
            }
            state.SetIterationTime(cli.wallMs / 1e3);
            state.counters["shell_ms"] = shell.wallMs;
            state.counters["ratio"] = cli.wallMs / shell.wallMs;
            state.counters["cli_cpu_ms"] = cli.cpuMs;
            state.counters["shell_cpu_ms"] = shell.cpuMs;
            state.counters["cpu_ratio"] = cli.cpuMs / std::max(shell.cpuMs, 0.001);
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Each repetition runs both commands once; the statistics are over the repetitions.
void wholeProcessRuns(benchmark::internal::Benchmark* b)
{
    b->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
    b->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });
    b->Iterations(1)
        ->Repetitions(Repetitions)
        ->ReportAggregatesOnly(true)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

// Time: the wall time of veldrassa-cli roster import --month 0.
static void RosterImportAgainstShell(benchmark::State& state)
{
    compare(state, setup().rosterCommand("0"), "roster.sql");
}
BENCHMARK(RosterImportAgainstShell)->Apply(wholeProcessRuns);

// Time: the wall time of veldrassa-cli wages import --month 1.
static void WageImportAgainstShell(benchmark::State& state)
{
    compare(state, setup().wageCommand(), "wages.sql");
}
BENCHMARK(WageImportAgainstShell)->Apply(wholeProcessRuns);

BENCHMARK_MAIN();
