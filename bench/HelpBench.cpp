// Help figures: opening the help window on a document, and a search over every document, the
// first one rendering the documents and a later one only looking.
#include "help/HelpDocuments.h"
#include "help/HelpSearch.h"
#include "help/HelpWindow.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace vel;

// From the menu entry to the document shown with its contents beside it.
static void OpenHelpWindow(benchmark::State& state)
{
    const QString id = help::documents()[state.range(0)].id;
    for (auto _ : state) {
        gui::HelpWindow* window = gui::HelpWindow::open(nullptr, id);
        if (!QTest::qWaitForWindowExposed(window))
            state.SkipWithError("window not exposed");
        QApplication::processEvents();
        delete window;
    }
    state.SetLabel(id.toStdString());
}
BENCHMARK(OpenHelpWindow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Turning to a document in the open window, as a link or the contents do, at the window's usual
// size and at a narrow one.
static void TurnToDocument(benchmark::State& state)
{
    const QString id = help::documents()[state.range(0)].id;
    gui::HelpWindow* window = gui::HelpWindow::open(nullptr, help::UserManual);
    window->resize(static_cast<int>(state.range(1)), 680);
    if (!QTest::qWaitForWindowExposed(window))
        state.SkipWithError("window not exposed");
    for (auto _ : state) {
        gui::HelpWindow::open(nullptr, id);
        gui::HelpWindow::open(nullptr, help::UserManual);
    }
    delete window;
    state.SetLabel(id.toStdString() + " and back");
}
BENCHMARK(TurnToDocument)->ArgsProduct({{1, 2}, {1100, 600}})->Unit(benchmark::kMillisecond);

static void FirstSearch(benchmark::State& state)
{
    for (auto _ : state) {
        gui::HelpSearch search;
        benchmark::DoNotOptimize(search.find(QStringLiteral("工资")));
    }
}
BENCHMARK(FirstSearch)->Unit(benchmark::kMillisecond);

static void LaterSearch(benchmark::State& state)
{
    const gui::HelpSearch search;
    for (auto _ : state)
        benchmark::DoNotOptimize(search.find(QStringLiteral("工资")));
}
BENCHMARK(LaterSearch)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
