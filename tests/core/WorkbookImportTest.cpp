#include "Errors.h"
#include "io/ImportFile.h"
#include "io/NumberFormat.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vel;

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(VEL_FIXTURES_DIR "/workbooks/") + name;
}

// Lines without the empty cells at their ends and the empty lines at the end, as a CSV writer
// may or may not write them.
std::vector<QStringList> normalised(const std::vector<DelimitedLine>& lines)
{
    std::vector<QStringList> out;
    for (const DelimitedLine& line : lines) {
        QStringList cells = line.cells;
        while (!cells.isEmpty() && cells.back().isEmpty())
            cells.removeLast();
        out.push_back(cells);
    }
    while (!out.empty() && out.back().isEmpty())
        out.pop_back();
    return out;
}

std::string refusal(const QString& path)
{
    try {
        readImportFile(path);
    } catch (const Error& e) {
        return e.message().toStdString();
    }
    return "read without refusal";
}

}  // namespace

// The rule: a workbook reads as the office suite's "save as CSV, as shown" of it, made under a
// Chinese locale. The sheets (by openpyxl and by an office suite) and a sheet of the
// number formats clerks use, with numbers, dates, texts, booleans and formula results.
TEST(WorkbookImport, ReadsEachCellAsTheOfficeSuiteShowsIt)
{
    const struct {
        const char* workbook;
        const char* expected;
        ImportFormat format;
    } cases[] = {
        {"roster.xlsx", "expected-roster.csv", ImportFormat::Xlsx},
        {"roster-office.xlsx", "expected-roster.csv", ImportFormat::Xlsx},
        {"roster.xls", "expected-roster.csv", ImportFormat::Xls},
        {"wages.xlsx", "expected-wages.csv", ImportFormat::Xlsx},
        {"wages-office.xlsx", "expected-wages.csv", ImportFormat::Xlsx},
        {"wages.xls", "expected-wages.csv", ImportFormat::Xls},
        {"formats.xlsx", "expected-formats.csv", ImportFormat::Xlsx},
        // An .xls keeps booleans as the numbers 1 and 0.
        {"formats.xls", "expected-formats-xls.csv", ImportFormat::Xls},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.workbook);
        const ImportTable workbook = readImportFile(fixture(c.workbook));
        const ImportTable expected = readImportFile(fixture(c.expected), TextEncoding::Utf8);
        EXPECT_EQ(workbook.source.format, c.format);
        ASSERT_EQ(expected.source.format, ImportFormat::Delimited);
        const std::vector<QStringList> got = normalised(workbook.lines);
        const std::vector<QStringList> want = normalised(expected.lines);
        ASSERT_EQ(got.size(), want.size());
        for (size_t row = 0; row < want.size(); ++row) {
            SCOPED_TRACE(row + 1);
            for (qsizetype col = 0; col < std::max(got[row].size(), want[row].size()); ++col)
                EXPECT_EQ(got[row].value(col).toStdString(), want[row].value(col).toStdString())
                    << "column " << col + 1 << " under " << want[0].value(col).toStdString();
        }
    }
}
