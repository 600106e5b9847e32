// Every window that shows a month, the opening roster or a form, opened on a 16,000-person unit
// (a whole year: the opening roster, twelve monthly rosters, twelve wage months), measured
// offscreen from the command to the window shown and painted; and the three saves a clerk makes
// from a window on that many persons (the opening roster, a monthly roster, a wage month), to set
// against the same imports through the command line (ShellImportBench).
//
// `WindowBench --make-unit DIR` only builds that unit's work folder in DIR (with the roster and
// wage files it was imported from), for scripts/bench.sh to measure the command line on it.
#include "BenchUnit.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowContext.h"
#include "monthly/PayoutList.h"
#include "monthly/PayoutWindow.h"
#include "monthly/WageEntryWindow.h"
#include "monthly/WageErrorWindow.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "reports/FormWindows.h"
#include "reports/Forms.h"
#include "reports/YearOverviewWindow.h"
#include "sheet/Sheet.h"
#include "staff/ErrorCorrectionWindow.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/OpeningRosterWindow.h"
#include "staff/PersonWindow.h"
#include "staff/RosterChangesWindow.h"
#include "staff/RosterFile.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace vel;
using namespace vel::gui;

namespace {

// Nothing may ask or refuse while a window is measured: any box means it did not open as a
// clerk's would.
class SilentPrompter : public Prompter {
public:
    void info(QWidget*, const QString& text) override { shown << text; }
    bool confirm(QWidget*, const QString& text) override
    {
        shown << text;
        return true;
    }
    bool ask(QWidget*, const QString& text) override
    {
        shown << text;
        return true;
    }
    void error(QWidget*, const QString& text) override { shown << text; }
    QStringList shown;
};

// A registered unit of class "否" with the whole year stored from the clerk's files, every row
// passing its checks.
void makeUnit(const QString& folder)
{
    QDir().mkpath(folder);
    const QString rosterFile = QDir(folder).filePath("roster.csv");
    const QString wageFile = QDir(folder).filePath("wages.csv");
    bench::writeFile(rosterFile, bench::rosterCsv(bench::People));
    bench::writeFile(wageFile, bench::wageCsv(bench::People));
    Session session{WorkFolder(folder)};
    registerBenchUnit(session, "否");
    session.codes().load(session.db(), session.postFilter());
    const StaffRules rules(session.codes(), session.unit());
    const RosterFile roster = readRosterFile(session.db(), rosterFile);
    for (int month = 0; month <= 12; ++month) {
        Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
        placeRosterFile(roster, sheet, StaffClass::Other);
        if (!auditAndReplaceRoster(session.db(), month, sheet, rules, StaffClass::Other)
                 .allRowsOk())
            throw std::runtime_error("the roster does not pass its audit");
        if (month == 0)
            continue;
        Sheet wages(Sheet::DefaultMaxRow, wage::ColumnCount);
        readWageFile(session.db(), wageFile, wages);
        const WageCheckResult stored = storeWages(session.db(), month, wages);
        if (stored.flagged || stored.writtenRows != bench::People)
            throw std::runtime_error("the wages do not pass their checks");
    }
}

struct Unit {
    QTemporaryDir dir;
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowContext> context;
    // The same year with December's roster and wages all failing, for the error windows.
    std::unique_ptr<Session> spoiled;
    std::unique_ptr<WindowContext> spoiledContext;
    SilentPrompter prompter;

    Unit()
    {
        Prompter::install(&prompter);
        const QString clean = QDir(dir.path()).filePath("clean");
        makeUnit(clean);
        const QString copy = QDir(dir.path()).filePath("spoiled");
        QDir().mkpath(copy + "/Database");
        if (!QFile::copy(clean + "/Database/RCdatabase.db", copy + "/Database/RCdatabase.db"))
            throw std::runtime_error("cannot copy the database");
        session = open(clean, context);
        spoiled = open(copy, spoiledContext);
        spoiled->db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 12");
        spoiled->db().exec("UPDATE Wage_Info SET wFlag = '0' WHERE sMon = 12");
    }

    static std::unique_ptr<Session> open(const QString& folder,
                                         std::unique_ptr<WindowContext>& context)
    {
        auto s = std::make_unique<Session>(WorkFolder(folder));
        s->unitRegistered();
        s->refreshMonthMenus();
        context = std::make_unique<WindowContext>(*s);
        return s;
    }
};

Unit& unit()
{
    static Unit u;
    return u;
}

bool shownAndExposed(QWidget* w)
{
    return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

// Milliseconds from the command to the first new top-level window shown and painted; that
// window is closed again. Works for modal windows (the command returns once it is closed) and
// modeless ones alike.
double openWindow(const std::function<void()>& command)
{
    const QWidgetList before = QApplication::topLevelWidgets();
    unit().prompter.shown.clear();
    QElapsedTimer clock;
    double shown = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (before.contains(w) || !shownAndExposed(w))
                continue;
            poll.stop();
            w->repaint();
            shown = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            w->close();
            return;
        }
        if (clock.elapsed() > 120000)
            poll.stop();
    });
    clock.start();
    poll.start(0);
    command();
    while (shown < 0 && poll.isActive())
        QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!unit().prompter.shown.isEmpty())
        throw std::runtime_error("the window said: " +
                                 unit().prompter.shown.join(" / ").toStdString());
    if (shown < 0)
        throw std::runtime_error("no window opened");
    return shown;
}

template <class W, class... Args>
std::function<void()> showNew(Args&&... args)
{
    return [=] {
        auto* w = new W(args...);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    };
}

void measureOpening(benchmark::State& state, const std::function<void()>& command)
{
    try {
        unit();
        for (auto _ : state)
            state.SetIterationTime(openWindow(command) / 1e3);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void windowRuns(benchmark::internal::Benchmark* b)
{
    b->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
        benchmark::kMillisecond);
}

WindowContext& clean()
{
    return *unit().context;
}

WindowContext& spoiled()
{
    return *unit().spoiledContext;
}

}  // namespace

#define OPENS(name, command)                                                                  \
    static void name(benchmark::State& state) { measureOpening(state, command); }           \
    BENCHMARK(name)->Apply(windowRuns)

OPENS(OpenOpeningRoster, [] { showNew<OpeningRosterWindow>(clean())(); });
OPENS(OpenMonthlyRoster, [] { showNew<MonthlyRosterWindow>(clean(), 12)(); });
OPENS(OpenErrorCorrection, [] { showNew<ErrorCorrectionWindow>(spoiled(), 12)(); });
OPENS(OpenPersonWindow,
      [] { showNew<PersonWindow>(std::ref(clean().session), PersonWindowMode::openingEntry())(); });
OPENS(OpenWageEntry, [] { showNew<WageEntryWindow>(clean(), 12)(); });
OPENS(OpenWageErrors, [] { showNew<WageErrorWindow>(spoiled(), 12)(); });
OPENS(OpenPayoutList, [] {
    const PayoutList list = listPayouts(clean().session.db(), 1, 12);
    showNew<PayoutWindow>(clean(), 1, 12, list)();
});
OPENS(OpenRosterChanges, [] { showNew<RosterChangesWindow>(clean(), 0, 12)(); });
OPENS(OpenYearOverview, [] { showNew<YearOverviewWindow>(clean())(); });

namespace {

// The save alone, on a window showing the stored month, as a clerk presses its button.
template <class W>
void measureSave(benchmark::State& state, const std::function<W*()>& make,
                 const std::function<void(W&)>& save)
{
    try {
        unit();
        for (auto _ : state) {
            std::unique_ptr<W> w(make());
            w->show();
            while (!shownAndExposed(w.get()))
                QApplication::processEvents();
            unit().prompter.shown.clear();
            QElapsedTimer clock;
            clock.start();
            save(*w);
            state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
            if (unit().prompter.shown.isEmpty() ||
                !unit().prompter.shown.last().contains(QStringLiteral("保存成功")))
                throw std::runtime_error("the save said: " +
                                         unit().prompter.shown.join(" / ").toStdString());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

}  // namespace

static void SaveOpeningRosterWindow(benchmark::State& state)
{
    measureSave<OpeningRosterWindow>(
        state, [] { return new OpeningRosterWindow(clean()); },
        [](OpeningRosterWindow& w) { w.save(); });
}
BENCHMARK(SaveOpeningRosterWindow)->Apply(windowRuns);

static void SaveMonthlyRosterWindow(benchmark::State& state)
{
    measureSave<MonthlyRosterWindow>(
        state, [] { return new MonthlyRosterWindow(clean(), 12); },
        [](MonthlyRosterWindow& w) {
            w.toggleEdit();
            w.save();
        });
}
BENCHMARK(SaveMonthlyRosterWindow)->Apply(windowRuns);

static void StoreWageWindow(benchmark::State& state)
{
    measureSave<WageEntryWindow>(
        state, [] { return new WageEntryWindow(clean(), 12); },
        [](WageEntryWindow& w) {
            w.toggleEdit();
            w.store();
        });
}
BENCHMARK(StoreWageWindow)->Apply(windowRuns);

namespace {

// Every form a unit of its kind draws, from the registry, for the period it is drawn for first:
// the third quarter, the year, January to December or the opening roster.
FormPeriod firstPeriod(const FormDefinition& form)
{
    switch (form.periods.front()) {
    case PeriodKind::Quarter:
        return FormPeriod::ofQuarter(3);
    case PeriodKind::Year:
        return FormPeriod::ofYear();
    case PeriodKind::MonthRange:
        return FormPeriod::ofRange(MonthRange{1, 12});
    case PeriodKind::OpeningRoster:
        return FormPeriod::ofOpeningRoster();
    }
    throw std::logic_error("unknown period kind");
}

void registerFormOpenings()
{
    for (const FormDefinition* form : forms()) {
        if (!form->appliesTo(false))
            continue;
        const std::string name = "OpenReport-" + form->command.toStdString();
        benchmark::RegisterBenchmark(name.c_str(), [form](benchmark::State& state) {
            measureOpening(state,
                           [form] { openForm(clean(), *form, firstPeriod(*form), nullptr); });
        })->Apply(windowRuns);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--make-unit") {
        QCoreApplication app(argc, argv);
        makeUnit(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    QApplication app(argc, argv);
    registerFormOpenings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
