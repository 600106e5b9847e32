// Start-up figures: creating a fresh unit database, and opening the main window on one.
#include "MainWindow.h"
#include "BenchUnit.h"
#include "Session.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace vel;

static void CreateFreshDatabase(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        state.ResumeTiming();
        Session session{WorkFolder(dir.path())};
        benchmark::DoNotOptimize(&session);
    }
}
BENCHMARK(CreateFreshDatabase)->Unit(benchmark::kMillisecond);

// From opening the database to the main window shown with its menus and registration.
static void StartToShownMainWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    {
        Session s{WorkFolder(dir.path())};
        registerBenchUnit(s, "否");
    }
    for (auto _ : state) {
        Session session{WorkFolder(dir.path())};
        gui::MainWindow window(session);
        window.resize(1024, 700);
        window.show();
        window.startUp();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("window not exposed");
        QApplication::processEvents();
    }
}
BENCHMARK(StartToShownMainWindow)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
