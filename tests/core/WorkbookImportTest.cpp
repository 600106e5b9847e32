#include "CompoundFile.h"
#include "Errors.h"
#include "io/ImportFile.h"
#include "io/NumberFormat.h"
#include "io/WorkbookSheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <zip.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

using namespace vel;
using vel::test::compoundFile;

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

// Little-endian fields of an Excel 97 record body.
QByteArray le16(int v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(v), b.data());
    return b;
}
QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}
QByteArray le64(double v)
{
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    return b;
}
QByteArray record(int id, const QByteArray& body)
{
    return le16(id) + le16(static_cast<int>(body.size())) + body;
}
// A cell's row, column and style, from 0 as in the file.
QByteArray place(int row, int column)
{
    return le16(row) + le16(column) + le16(0);
}

// An Excel 97 workbook stream: globals naming one worksheet "s", then that sheet's records.
QByteArray biffStream(const QByteArray& sheetRecords, const QByteArray& globalRecords = {})
{
    const auto bof = [](int kind) {
        return record(0x0809, le16(0x0600) + le16(kind) + QByteArray(12, '\0'));
    };
    const QByteArray sheetName("\0\0\x01\0s", 5);  // visible worksheet, 1 narrow character
    const QByteArray head = bof(5) + globalRecords;
    const auto sheetAt = static_cast<quint32>(head.size() + 4 + 4 + sheetName.size() + 4);
    return head + record(0x0085, le32(sheetAt) + sheetName) + record(0x000A, {}) + bof(0x10) +
           sheetRecords + record(0x000A, {});
}

QByteArray xlsWorkbook(const QByteArray& sheetRecords, const QByteArray& globalRecords = {})
{
    return compoundFile({{"Workbook", biffStream(sheetRecords, globalRecords)}});
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
// Chinese locale. The issue's sheets (by openpyxl and by an office suite) and a sheet of the
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
    const QString damaged = QStringLiteral("文件 %1 已损坏，无法读取。");
    const QString notBook = QStringLiteral("文件 %1 不是Excel工作簿，无法读取。");
    const QString locked =
        QStringLiteral("文件 %1 设有密码保护，无法读取。请在表格程序中取消密码后再导入。");
    EXPECT_EQ(refusal(at("cut.xlsx")), named(damaged, at("cut.xlsx")));
    EXPECT_EQ(refusal(at("notes.xlsx")), named(notBook, at("notes.xlsx")));
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

// libgsf's own complaints about a cut compound file ("msole-CRITICAL ...") never reach the
// clerk's terminal: the program's message says it all.
TEST(WorkbookImport, KeepsTheLibrariesComplaintsOffStandardError)
{
    QFile whole(fixture("wages.xls"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.xls");
    writeFile(cut, whole.read(3000));
    const QString caught = dir.filePath("stderr");

    fflush(stderr);
    const int saved = ::dup(2);
    QFile sink(caught);
    ASSERT_TRUE(sink.open(QIODevice::WriteOnly));
    ::dup2(sink.handle(), 2);
    const std::string got = refusal(cut);
    fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    sink.close();

    EXPECT_EQ(got, QStringLiteral("文件 %1 已损坏，无法读取。").arg(cut).toStdString());
    QFile written(caught);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), "");
}

namespace {

// Row 1 of the hostile sheets: two shared strings to point at.
const char* const SharedStrings =
    "<sst><si><t>姓名</t></si><si><t>李明</t></si></sst>";

QByteArray sheetXml(const QByteArray& cells)
{
    return "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>" + cells +
           "</sheetData></worksheet>";
}

// A workbook with shared strings whose sheet holds row 1 and the given cells.
void writeSheet(const QString& path, const QByteArray& cells)
{
    writeZip(path, {{"xl/worksheets/sheet1.xml", sheetXml(cells)},
                    {"xl/sharedStrings.xml", SharedStrings},
                    {"xl/_rels/workbook.xml.rels",
                     "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                     "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                     "Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"}});
}

// What a reader makes of the file: cell C2's text, or the refusal.
std::string cellC2OrRefusal(const QString& path)
{
    try {
        const ImportTable table = readImportFile(path);
        return table.lines.size() < 2 ? "" : table.lines[1].cells.value(2).toStdString();
    } catch (const Error& e) {
        return e.message().toStdString();
    }
}

const std::string Uncalculated =
    "第2行第3列是公式，文件中没有保存计算结果，请在表格程序中打开并保存后再导入。";

}  // namespace

// A formula is read by the result its writer stored, and refused without one: a script that
// writes only "=2000+3000" must not leave a wage out. A shared string is named by a whole
// number within the table, or the cell is refused.
TEST(WorkbookImport, ReadsXlsxCellsTrulyOrRefusesThemNamingTheCell)
{
    const std::string badString =
        "第2行第3列的文字在工作簿中找不到，工作簿已损坏。请在表格程序中打开并另存后再导入。";
    const struct {
        const char* cell;
        std::string read;
    } cases[] = {
        {R"(<c r="C2"><f>2000+3000</f></c>)", Uncalculated},
        {R"(<c r="C2"><f>2000+3000</f><v></v></c>)", Uncalculated},
        {R"(<c r="C2" t="b"><f>TRUE()</f><v/></c>)", Uncalculated},
        {R"(<c r="C2"><f t="shared" si="0"/></c>)", Uncalculated},
        {R"(<c r="C2"><f>2000+3000</f><v>5000</v></c>)", "5000"},
        {R"(<c r="C2" t="str"><f>A1&amp;""</f><v>李明</v></c>)", "李明"},
        {R"(<c r="C2" t="str"><f>""</f><v></v></c>)", ""},
        {R"(<c r="C2" t="s"><v>1</v></c>)", "李明"},
        {R"(<c r="C2" t="s"><v> 1</v></c>)", "李明"},
        {R"(<c r="C2" t="s"><v>nan</v></c>)", badString},
        {R"(<c r="C2" t="s"><v>-nan</v></c>)", badString},
        {R"(<c r="C2" t="s"><v>0.5</v></c>)", badString},
        {R"(<c r="C2" t="s"><v>1e0</v></c>)", badString},
        {R"(<c r="C2" t="s"><v>-1</v></c>)", badString},
        {R"(<c r="C2" t="s"><v>2</v></c>)", badString},
        {R"(<c r="C2" t="s"><v>18446744073709551617</v></c>)", badString},
        {R"(<c r="C2" t="s"><v></v></c>)", badString},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        const QString path = dir.filePath(QStringLiteral("case%1.xlsx").arg(++n));
        writeSheet(path, QByteArray("<row r=\"2\">") + c.cell + "</row>");
        EXPECT_EQ(cellC2OrRefusal(path), c.read);
    }
}

// A cell far down or far right is refused as it is read, naming the file, before the lines are
// built: a sheet whose rows each hold one cell in column XFD once took gigabytes. Empty cells
// that carry only a style are no content.
TEST(WorkbookImport, RefusesContentBeyondTheLargestListNamingTheFile)
{
    const auto rowRefusal = [](int row) {
        return QStringLiteral("第%1行有内容，名册或工资表最多16384行。请删除多余的行后再导入。")
            .arg(row)
            .toStdString();
    };
    const auto columnRefusal = [](int row, int column) {
        return QStringLiteral("第%1行第%2列有内容，名册或工资表最多256列。请删除多余的列后再导入。")
            .arg(row)
            .arg(column)
            .toStdString();
    };
    QByteArray wide;
    for (int row = 2; row <= 2000; ++row)
        wide += QStringLiteral("<row r=\"%1\"><c r=\"XFD%1\"><v>1</v></c></row>").arg(row).toUtf8();
    const struct {
        QByteArray cells;
        std::string refusal;  // after the file's name; empty when the sheet is read
    } cases[] = {
        {wide, columnRefusal(2, 16384)},
        {R"(<row r="2"><c r="IW2" t="s"><v>1</v></c></row>)", columnRefusal(2, 257)},
        {R"(<row r="2"><c r="IV2" t="s"><v>1</v></c></row>)", ""},
        {R"(<row r="2"><c r="XFD2" s="1"/></row>)", ""},
        {R"(<row r="1048576"><c r="A1048576"><v>3000</v></c></row>)", rowRefusal(1048576)},
        {R"(<row r="16385"><c r="B16385" t="s"><v>1</v></c></row>)", rowRefusal(16385)},
        {R"(<row r="16384"><c r="B16384" t="s"><v>1</v></c></row>)", ""},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("case%1.xlsx").arg(++n));
        SCOPED_TRACE(path.toStdString());
        writeSheet(path, c.cells);
        const std::string got = refusal(path);
        if (c.refusal.empty())
            EXPECT_EQ(got, "read without refusal");
        else
            EXPECT_EQ(got, QStringLiteral("文件 %1 ").arg(path).toStdString() + c.refusal);
    }
}

// The .xls reader: a formula by its stored result, and each refusal by its cause. Records that
// lie outside any Excel 97 sheet are damage, not a password.
TEST(WorkbookImport, ReadsXlsCellsTrulyOrRefusesThemByTheirCause)
{
    const QByteArray number = place(1, 2) + le64(5000);
    const QByteArray formulaTail = le16(0) + le32(0) + le16(0);  // flags, chn, no tokens
    const QByteArray dimensions = record(0x0200, le32(0) + le32(3) + le16(0) + le16(4) + le16(0));
    const auto result = [&](int kind) {
        return record(0x0006, place(1, 2) + QByteArray(1, char(kind)) + QByteArray(5, '\0') +
                                  le16(0xFFFF) + formulaTail);
    };
    const QByteArray label = record(0x0204, place(1, 2) + le16(2) + QByteArray("\0ab", 3));
    const QByteArray password = record(0x002F, le16(0) + le16(0x1234) + le16(0x5678));

    const std::string damaged = "已损坏，无法读取。";
    const struct {
        const char* name;
        QByteArray file;
        std::string read;  // C2's text, or the refusal after "文件 {path} " when it names the file
    } cases[] = {
        {"stored number", xlsWorkbook(record(0x0006, number + formulaTail)), "5000"},
        {"text result without its text", xlsWorkbook(result(0)), Uncalculated},
        {"result of no known kind", xlsWorkbook(result(7)), Uncalculated},
        {"empty text result", xlsWorkbook(result(3)), ""},
        {"number", xlsWorkbook(record(0x0203, number)), "5000"},
        {"text", xlsWorkbook(dimensions + label), "ab"},
        {"column 0xFFFF", xlsWorkbook(record(0x0203, place(1, 0xFFFF) + le64(1))), damaged},
        {"numbers past column IV",
         xlsWorkbook(record(0x00BD, place(1, 250).left(4) +
                                        (le16(0) + le32(2)).repeated(10) + le16(259))),
         damaged},
        {"not a number", xlsWorkbook(record(0x0203, place(1, 2) + le64(std::nan("")))), damaged},
        {"text outside the declared size",
         xlsWorkbook(record(0x0200, le32(0) + le32(1) + le16(0) + le16(1) + le16(0)) + label),
         damaged},
        {"last row of the sheet", xlsWorkbook(record(0x0203, place(65535, 0) + le64(1))),
         "第65536行有内容，名册或工资表最多16384行。请删除多余的行后再导入。"},
        // The text reader builds a table of the declared size: it is checked first.
        {"text in a sheet declared far too long",
         xlsWorkbook(record(0x0200, le32(0) + le32(65536) + le16(0) + le16(256) + le16(0)) + label),
         "第65536行有内容，名册或工资表最多16384行。请删除多余的行后再导入。"},
        {"password", xlsWorkbook({}, password),
         "设有密码保护，无法读取。请在表格程序中取消密码后再导入。"},
        {"a document", compoundFile({{"WordDocument", QByteArray(512, 'x')}}),
         "不是Excel工作簿，无法读取。"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.name) + ".xls");
        writeFile(path, c.file);
        const std::string got = cellC2OrRefusal(path);
        const std::string prefix = QStringLiteral("文件 %1 ").arg(path).toStdString();
        if (got.rfind(prefix, 0) == 0)
            EXPECT_EQ(got.substr(prefix.size()), c.read);
        else
            EXPECT_EQ(got, c.read);
    }
}

// Only a regular file is opened: a pipe given as the file must not block the import for ever,
// whatever its name says. Each refusal says what stands at the path.
TEST(ImportFile, OpensOnlyRegularReadableFilesSayingWhyNot)
{
    QTemporaryDir dir;
    const auto at = [&dir](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    for (const char* pipe : {"pipe.csv", "pipe.xlsx", "pipe.xls"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(at(pipe)).constData(), 0600), 0);
    QFile big(at("big.csv"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(MaxImportFileBytes + 1));
    big.close();
    writeFile(at("locked.csv"), "姓名\n张伟\n");
    ASSERT_TRUE(QFile::setPermissions(at("locked.csv"), QFileDevice::WriteOwner));

    const struct {
        QString path;
        QString refusal;
    } cases[] = {
        {at("missing.csv"), QStringLiteral("找不到文件：%1")},
        {dir.path(), QStringLiteral("%1 是文件夹，不是名册或工资表文件。")},
        {at("pipe.csv"), QStringLiteral("%1 不是普通文件（是设备或管道），无法导入。")},
        {at("pipe.xlsx"), QStringLiteral("%1 不是普通文件（是设备或管道），无法导入。")},
        {at("pipe.xls"), QStringLiteral("%1 不是普通文件（是设备或管道），无法导入。")},
        {QStringLiteral("/dev/zero"), QStringLiteral("%1 不是普通文件（是设备或管道），无法导入。")},
        {at("big.csv"), QStringLiteral("文件 %1 超过8 MB，不是可导入的名册或工资表。")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c.path), c.refusal.arg(c.path).toStdString());
    // Permissions do not bind the superuser, under whom the test may run.
    if (::geteuid() != 0) {
        EXPECT_EQ(refusal(at("locked.csv")),
                  QStringLiteral("没有读取文件的权限：%1").arg(at("locked.csv")).toStdString());
    }
}
