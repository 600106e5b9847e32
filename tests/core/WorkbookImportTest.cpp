#include "Errors.h"
#include "io/ImportFile.h"
#include "io/NumberFormat.h"
#include "io/WorkbookSheet.h"

#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <gtest/gtest.h>

#include <map>

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

// A package with the given parts; without a workbook part it gets one naming sheet1.
void writeZip(const QString& path, std::map<QString, QByteArray> parts)
{
    parts.try_emplace("xl/workbook.xml",
                      "<workbook xmlns:r=\"r\"><sheets><sheet name=\"s\" r:id=\"rId1\"/></sheets>"
                      "</workbook>");
    parts.try_emplace("xl/_rels/workbook.xml.rels",
                      "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                      "Target=\"worksheets/sheet1.xml\"/></Relationships>");
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    ASSERT_TRUE(zip);
    for (const auto& [name, bytes] : parts) {
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name.toUtf8().constData(), nullptr, nullptr, 0, nullptr,
                                        0, nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, bytes.constData(), static_cast<unsigned>(bytes.size())),
                  ZIP_OK);
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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

// Cases the office suite was seen to show beyond the fixture sheets: built-in formats as a
// Chinese office suite has them, padding and brackets, and General at its edges.
TEST(WorkbookImport, NumberFormatsAsTheOfficeSuiteShowsThem)
{
    const struct {
        const char* code;
        double value;
        const char* shown;
    } cases[] = {
        {"General", 1e16, "1E+016"},
        {"General", 1.5e-12, "1.5E-12"},
        {"General", 1234567890123456, "1234567890123456"},
        {"General", 0.1234567890123456789, "0.123456789012346"},
        {"General", 0.000000001, "0.000000001"},
        {"G/通用格式\"元\"", 3000.5, "3000.5元"},
        {"#,##0.00_);(#,##0.00)", 1, "1.00 "},
        {"#,##0.00_);(#,##0.00)", -1, "(1.00)"},
        {"0", 100.49999999999999, "101"},
        {"0%", 1.005, "100%"},
        {"0.0", 4.35, "4.4"},
        {"0.00", -0.001, "0.00"},
        {"0", -0.3, "0"},
        {"hh:mm:ss", 45000.999999, "23:59:59"},
        {"yyyy-mm-dd hh:mm", 45000.999999, "2023-03-16 00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberFormat(QString::fromUtf8(c.code)).number(c.value).toStdString(), c.shown)
            << c.code << " " << c.value;

    const struct {
        int id;
        const char* shown;
    } builtins[] = {{14, "1967-5-20"}, {22, "1967-5-20 18:00"}, {57, "1967年5月"},
                    {31, "1967年5月20日"}, {58, "5月20日"}, {5, "￥24,613"},
                    {7, "￥24,612.75"}, {32, "18时00分"}, {20, "18:00"}};
    for (const auto& b : builtins)
        EXPECT_EQ(NumberFormat(NumberFormat::builtinCode(b.id)).number(24612.75).toStdString(),
                  b.shown)
            << b.id;
    EXPECT_EQ(NumberFormat("yyyy-mm-dd", DateSystem::From1904).number(23150).toStdString(),
              "1967-05-20");
}

TEST(WorkbookImport, RefusesWhatItCannotReadNamingTheFile)
{
    QTemporaryDir dir;
    const auto at = [&dir](const char* name) { return dir.filePath(QString::fromUtf8(name)); };

    QFile whole(fixture("roster.xlsx"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    writeFile(at("cut.xlsx"), whole.readAll().left(whole.size() / 2));
    writeFile(at("notes.xlsx"), QStringLiteral("姓名,编号\n张伟,1001\n").toUtf8());
    writeFile(at("huge.xls"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
                                  QByteArray(MaxImportFileBytes, '\0'));
    writeZip(at("bomb.xlsx"), {{"xl/worksheets/sheet1.xml", QByteArray(MaxWorkbookPartBytes + 1, ' ')}});
    writeZip(at("break.xlsx"),
             {{"xl/worksheets/sheet1.xml",
               QStringLiteral("<worksheet><sheetData><row r=\"3\"><c r=\"B3\" t=\"inlineStr\">"
                              "<is><t>张\n伟</t></is></c></row></sheetData></worksheet>")
                   .toUtf8()}});
    writeZip(at("chart.xlsx"), {{"xl/_rels/workbook.xml.rels",
                                 "<Relationships><Relationship Id=\"rId1\" Type=\"x/chartsheet\" "
                                 "Target=\"chartsheets/sheet1.xml\"/></Relationships>"}});

    const auto named = [](const QString& text, const QString& path) {
        return text.arg(path).toStdString();
    };
    const QString damaged = QStringLiteral("文件 %1 已损坏或不是Excel工作簿，无法读取。");
    const QString locked =
        QStringLiteral("文件 %1 设有密码保护，无法读取。请在表格程序中取消密码后再导入。");
    EXPECT_EQ(refusal(at("cut.xlsx")), named(damaged, at("cut.xlsx")));
    EXPECT_EQ(refusal(at("notes.xlsx")), named(damaged, at("notes.xlsx")));
    EXPECT_EQ(refusal(fixture("wages-password.xls")), named(locked, fixture("wages-password.xls")));
    EXPECT_EQ(refusal(fixture("wages-password.xlsx")), named(locked, fixture("wages-password.xlsx")));
    EXPECT_EQ(refusal(at("huge.xls")),
              named(QStringLiteral("文件 %1 超过8 MB，不是可导入的名册或工资表。"), at("huge.xls")));
    EXPECT_EQ(refusal(at("bomb.xlsx")),
              named(QStringLiteral("文件 %1 解压后超过128 MB，不是可导入的名册或工资表。"),
                    at("bomb.xlsx")));
    EXPECT_EQ(refusal(at("chart.xlsx")),
              named(QStringLiteral("文件 %1 中没有工作表。"), at("chart.xlsx")));
    // A line break typed in a cell (Alt+Enter) is refused as a delimited file's would be.
    EXPECT_EQ(refusal(at("break.xlsx")), "第3行第2列含有控制字符 U+000A，请删除后再导入。");
}
