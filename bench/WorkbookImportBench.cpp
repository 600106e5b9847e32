// A 16,000-person opening roster brought in from an .xlsx workbook against the same rows as a
// CSV file: the file read alone, and the whole `roster import` (read, code, audit, store).
#include "BenchUnit.h"
#include "Session.h"
#include "sheet/Sheet.h"
#include "staff/RosterFile.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <benchmark/benchmark.h>

using namespace vel;

namespace {

constexpr int People = 16000;

const QStringList Headers = {"姓名", "姓名编号", "性别", "少数民族", "中共党员", "出生年月",
                             "参加工作年限", "其中本岗位年限", "学历", "岗位名称", "专业技术等级",
                             "技能等级", "用工身份", "全日制用工", "工程技术人员", "一级建造师",
                             "现场施工人员", "是否直接从事生产经营活动"};
const QStringList Answers = {"男", "否", "是", "1967-05", "20", "5", "大学本科", "管理人员",
                             "中级", "无", "在岗职工", "是", "否", "否", "否", "是"};

// As a clerk keeps it: numbers typed as numbers, the birth month a date cell shown as 1967年5月.
void writeWorkbook(const QString& path)
{
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "人员名单");
    lxw_format* month = workbook_add_format(book);
    format_set_num_format(month, "yyyy\"年\"m\"月\"");
    for (int c = 0; c < Headers.size(); ++c)
        worksheet_write_string(sheet, 0, c, Headers[c].toUtf8().constData(), nullptr);
    lxw_datetime birth = {1967, 5, 20, 0, 0, 0};
    for (int i = 0; i < People; ++i) {
        const lxw_row_t row = i + 1;
        worksheet_write_string(sheet, row, 0, QStringLiteral("员工%1").arg(i).toUtf8().constData(), nullptr);
        worksheet_write_number(sheet, row, 1, 100000 + i, nullptr);
        for (int c = 0; c < Answers.size(); ++c) {
            const lxw_col_t col = c + 2;
            if (col == 5)
                worksheet_write_datetime(sheet, row, col, &birth, month);
            else if (col == 6 || col == 7)
                worksheet_write_number(sheet, row, col, Answers[c].toDouble(), nullptr);
            else
                worksheet_write_string(sheet, row, col, Answers[c].toUtf8().constData(), nullptr);
        }
    }
    workbook_close(book);
}

void writeCsv(const QString& path)
{
    QString text = Headers.join(u',') + u'\n';
    for (int i = 0; i < People; ++i) {
        QStringList cells = {QStringLiteral("员工%1").arg(i), QString::number(100000 + i)};
        cells += Answers;
        cells[5] = QStringLiteral("1967年5月");
        text += cells.join(u',') + u'\n';
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
}

struct Fixture {
    QTemporaryDir dir;
    Session session{WorkFolder(dir.path())};
    QString xlsx = dir.filePath("roster.xlsx");
    QString csv = dir.filePath("roster.csv");

    Fixture()
    {
        registerBenchUnit(session, "是1");
        session.codes().load(session.db(), "1");
        writeWorkbook(xlsx);
        writeCsv(csv);
        // Both must bring the same rows, or the comparison says nothing.
        if (readRosterFile(session.db(), xlsx).rows.size() != People ||
            readRosterFile(session.db(), xlsx).rows.back().cells != readRosterFile(session.db(), csv).rows.back().cells)
            std::abort();
    }
    const QString& file(int workbook) const { return workbook ? xlsx : csv; }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_ReadRosterFile(benchmark::State& state)
{
    const QString& path = fixture().file(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(readRosterFile(fixture().session.db(), path));
    state.SetLabel(path.endsWith("xlsx") ? "xlsx" : "csv");
}
BENCHMARK(BM_ReadRosterFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What `roster import --month 0` does with the file.
void BM_ImportRoster(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString& path = f.file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
        placeRosterFile(readRosterFile(f.session.db(), path), sheet, StaffClass::Construction);
        const StaffRules rules(f.session.codes(), f.session.unit());
        auditAndReplaceRoster(f.session.db(), 0, sheet, rules, StaffClass::Construction);
    }
    state.SetLabel(path.endsWith("xlsx") ? "xlsx" : "csv");
}
BENCHMARK(BM_ImportRoster)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
