// Undo steps on a full 16,000-person sheet, and the year overview over a year of such rosters,
// without submission files (argument 0) and with the four of I202-1 and I102-1 (1).
#include "Session.h"
#include "SixteenThousandYear.h"
#include "reports/YearOverview.h"
#include "sheet/Sheet.h"
#include "sheet/SheetEdit.h"
#include "staff/StaffSheet.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int People = 16000;

void fill(Sheet& sheet)
{
    const SheetBatch batch(sheet);
    for (int i = 0; i < People; ++i)
        for (int c = 1; c <= staff::AnswerCount; ++c)
            sheet.setText(staff::FirstPersonRow + i, c, QStringLiteral("答%1").arg((i + c) % 7));
}

// A row inserted at the top moves every person: the step keeps only what fell off the end.
void BM_InsertRowAndUndo(benchmark::State& state)
{
    Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
    fill(sheet);
    for (auto _ : state) {
        const SheetEdit edit = SheetEdit::insertRows(sheet, staff::FirstPersonRow, 1);
        edit.undo(sheet);
    }
}
BENCHMARK(BM_InsertRowAndUndo)->Unit(benchmark::kMillisecond);

// A replacement down one column of every person, recorded, undone and redone.
void BM_ColumnReplaceRecorded(benchmark::State& state)
{
    Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
    fill(sheet);
    const CellRange column{staff::FirstPersonRow, staff::EduCol, staff::FirstPersonRow + People - 1,
                           staff::EduCol};
    int round = 0;
    for (auto _ : state) {
        const QString text = QStringLiteral("新%1").arg(++round);
        const SheetEdit edit = SheetEdit::ofCells(sheet, {column}, [&] {
            for (int r = column.r1; r <= column.r2; ++r)
                sheet.setText(r, staff::EduCol, text);
        });
        edit.undo(sheet);
        edit.redo(sheet);
    }
}
BENCHMARK(BM_ColumnReplaceRecorded)->Unit(benchmark::kMillisecond);

// "全年概况" over the opening roster and twelve months of 16,000 persons with their wages.
void BM_YearOverview(benchmark::State& state)
{
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    // With the four submission files written: each is read back against its form computed now.
    bench::fillSixteenThousandYear(session, state.range(0) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(yearOverview(session));
}
BENCHMARK(BM_YearOverview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
