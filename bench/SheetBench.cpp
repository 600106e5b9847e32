// The grid with a full roster: filling, showing and pasting 16,000 staff rows.
#include "grid/SheetView.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vel;
using namespace vel::gui;

namespace {

constexpr int Rows = 16000;
constexpr int Columns = 37;

QString answer(int row, int col)
{
    static const QStringList words = {"男", "否", "是", "大学本科", "专业技术人员", "中级", "合同制"};
    if (col == 1)
        return QStringLiteral("职工%1").arg(row);
    if (col == 2)
        return QString::number(100000 + row);
    if (col >= 25)
        return QString::number((row + col) % 9 + 1);
    return words[(row + col) % words.size()];
}

// The staff windows' template: people from row 3, rows 310 twentieths high, small fonts.
void fill(Sheet& sheet)
{
    SheetBatch batch(sheet);
    sheet.setMaxCol(18);
    sheet.setRowHeights(2, 16380, 310);
    sheet.setFont(1, 1, 16340, 20, {8, false});
    for (int r = 3; r < 3 + Rows; ++r)
        for (int c = 1; c <= Columns; ++c)
            sheet.setText(r, c, answer(r, c));
}

QString block()
{
    Sheet source(Sheet::DefaultMaxRow, Columns);
    fill(source);
    return clipboardText(source, {3, 1, 2 + Rows, 18});
}

void BM_FillSheet(benchmark::State& state)
{
    for (auto _ : state) {
        Sheet sheet(Sheet::DefaultMaxRow, Columns);
        fill(sheet);
        benchmark::DoNotOptimize(sheet.lastUsedRow());
    }
}
BENCHMARK(BM_FillSheet)->Unit(benchmark::kMillisecond);

// A filled sheet put into a new view, shown and painted once.
void BM_AttachView(benchmark::State& state)
{
    Sheet sheet(Sheet::DefaultMaxRow, Columns);
    fill(sheet);
    for (auto _ : state) {
        SheetView view(sheet);
        view.resize(1200, 700);
        view.show();
        benchmark::DoNotOptimize(view.grab().width());
    }
}
BENCHMARK(BM_AttachView)->Unit(benchmark::kMillisecond);

// Filling a sheet a view already shows: cell by cell (each write tells the view), or in a batch.
void BM_FillShownSheet(benchmark::State& state)
{
    const bool batched = state.range(0) != 0;
    Sheet sheet(Sheet::DefaultMaxRow, Columns);
    SheetView view(sheet);
    view.resize(1200, 700);
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        sheet.clearRange(1, 1, sheet.maxRow(), Columns, ClearWhat::Everything);
        state.ResumeTiming();
        {
            std::unique_ptr<SheetBatch> batch(batched ? new SheetBatch(sheet) : nullptr);
            for (int r = 3; r < 3 + Rows; ++r)
                for (int c = 1; c <= Columns; ++c)
                    sheet.setText(r, c, answer(r, c));
        }
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FillShownSheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Paste of a 16,000-row block of 18 columns through the clipboard into a shown view.
void BM_PasteBlock(benchmark::State& state)
{
    QGuiApplication::clipboard()->setText(block());
    Sheet sheet(Sheet::DefaultMaxRow, Columns);
    sheet.setMaxCol(18);
    SheetView view(sheet);
    view.resize(1200, 700);
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        sheet.clearRange(1, 1, sheet.maxRow(), Columns, ClearWhat::Everything);
        view.selectRange(3, 1, 3, 1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(view.paste());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PasteBlock)->Unit(benchmark::kMillisecond);

// One row inserted into the shown roster: the rows below move and every row is fitted again.
void BM_InsertRow(benchmark::State& state)
{
    Sheet sheet(Sheet::DefaultMaxRow, Columns);
    fill(sheet);
    SheetView view(sheet);
    view.resize(1200, 700);
    view.show();
    for (auto _ : state) {
        sheet.insertRows(5, 1);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_InsertRow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
