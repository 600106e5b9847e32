// Reading clerks' files: a 16,000-person roster file in UTF-8 and in GBK (encoding decided over
// every line, control characters checked in every cell), and the largest file taken, 8 MB.
#include "io/DelimitedFile.h"

#include <QStringEncoder>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

QByteArray rosterText(int people, bool gbk)
{
    QString text = QStringLiteral("姓名\t姓名编号\t性别\t少数民族\t中共党员\t出生年月\n");
    for (int i = 0; i < people; ++i)
        text += QStringLiteral("员工%1\t%1\t男\t否\t是\t1967-05\t20\t5\t大学本科\t管理人员\t中级\t无\t"
                               "在岗职工\t是\t否\t否\t否\t是\n")
                    .arg(i);
    if (!gbk)
        return text.toUtf8();
    QStringEncoder encoder("GBK");
    return encoder(text);
}

void BM_ReadRoster(benchmark::State& state)
{
    const QByteArray bytes = rosterText(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseDelimitedBytes(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadRoster)->Args({16000, 0})->Args({16000, 1})->Args({60000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
