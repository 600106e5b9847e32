// "打印" on a year of 16,000 persons (208,000 staff rows, 192,000 wage rows): from the button to
// every page drawn in the print preview, for each form as its window shows it computed (the
// largest, Ⅰ303-1, has two pages), and for the payout list of the year, some 300 pages.
#include "BenchYear.h"
#include "PagePainter.h"
#include "monthly/PayoutList.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int People = 16000;

BenchYear& year()
{
    static BenchYear y(People);
    return y;
}

// The pages in the widget the preview dialog shows, all of them drawn.
int preview(const LaidOutSheet& sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintPreviewWidget widget(&printer);
    QObject::connect(&widget, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* target) { paintPages(*target, sheet); });
    widget.updatePreview();
    return widget.pageCount();
}

FormPeriod periodOf(const FormDefinition& form)
{
    switch (form.periods.front()) {
    case PeriodKind::Quarter:
        return FormPeriod::ofQuarter(3);
    case PeriodKind::OpeningRoster:
        return FormPeriod::ofOpeningRoster();
    case PeriodKind::MonthRange:
        return FormPeriod::ofRange(MonthRange{1, 12});
    case PeriodKind::Year:
        break;
    }
    return FormPeriod::ofYear();
}

// Registered in main for every form of the registry.
void BM_PreviewForm(benchmark::State& state, const QString& command)
{
    const FormDefinition& form = *formFor(command, false);
    FormRun run(year().session, form, periodOf(form));
    run.computeAndStore();
    state.SetLabel(form.number.toStdString());
    int pages = 0;
    for (auto _ : state)
        pages = preview(run.printedSheet());
    state.counters["pages"] = pages;
}

void BM_PreviewPayoutList(benchmark::State& state)
{
    const PayoutList list = listPayouts(year().session.db(), 1, 12);
    int pages = 0;
    for (auto _ : state)
        pages = preview(payoutPage(list, year().session.unit(), 1, 12, QDate(2012, 12, 31))
                            .laidOut());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewPayoutList)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const QString& command : formCommands())
        benchmark::RegisterBenchmark(("BM_PreviewForm/" + command).toStdString().c_str(),
                                     BM_PreviewForm, command)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
