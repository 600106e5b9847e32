#include "Errors.h"
#include "PythonReader.h"
#include "WorkFolder.h"
#include "output/LaidOutSheet.h"
#include "output/PagePlan.h"
#include "output/WorkbookWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace vel;

namespace {

// A small form: title over a bordered block of copied rows, a header cell, a merged footer.
Sheet smallReport()
{
    Sheet sheet(10, 3);
    sheet.setText(1, 1, "指标名称");
    sheet.setText(1, 2, "计量单位");
    sheet.setText(1, 3, "代码");
    sheet.setText(2, 1, "从业人员期末人数");
    sheet.setText(2, 2, "人");
    sheet.setText(2, 3, "012");
    sheet.setText(3, 1, "在岗职工");  // row 3, columns 2 and 3 stay empty
    sheet.setText(4, 1, "   补充资料：");
    sheet.setText(4, 2, "lost in the merge");
    return sheet;
}

WorkbookLayout smallLayout()
{
    WorkbookLayout l;
    l.sheetName = "基础定期报表";
    l.copy.sheetCells = {1, 1, 4, 3};
    l.copy.rowOffset = 2;  // sheet rows 1..4 → workbook rows 3..6
    l.copy.rowHeight = 13;
    l.copy.centred = {{3, 1}};
    l.columnWidths[1] = 55;
    l.setColumnWidths(2, 3, 6.5);
    l.cell(1, 1, "(二)基层定报表式").font(TitleFont, 18).centred();
    l.rowHeights[1] = 40;
    l.merge(1, 1, 1, 3);
    l.cell(2, 3, "表   号：202-1表").size(9);
    l.format(4, 1).inBold();
    l.merge(6, 1, 6, 3);
    l.setRowHeights(7, 7, 0);
    l.grid(3, 1, 5, 3);
    l.bottomEdge(2, 1, 2, 3, EdgeWeight::Thick);
    l.bottomEdge(6, 1, 6, 3, EdgeWeight::Thin);
    l.margins.top = 25;
    l.margins.bottom = 10;
    l.landscape = true;
    l.progressDivisor = 3;
    return l;
}

QString textOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

TEST(WorkbookWriter, WritesTheFormAsLaidOut)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("基础定期报表I202-1_(一季度).xlsx");
    writeWorkbook(smallReport(), smallLayout(), path);

    const QJsonObject book = readWithPython("read_xlsx.py", path);
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray{"基础定期报表"});
    EXPECT_EQ(book["orientation"].toString(), "landscape");
    const QJsonObject margins = book["margins"].toObject();
    EXPECT_DOUBLE_EQ(margins["top"].toDouble(), 25.0 / 72);
    EXPECT_DOUBLE_EQ(margins["bottom"].toDouble(), 10.0 / 72);
    EXPECT_DOUBLE_EQ(margins["left"].toDouble(), 0.7);  // unset: the spreadsheet's default
    EXPECT_EQ(book["merges"].toArray(), (QJsonArray{"A1:C1", "A6:C6"}));

    const QJsonObject rows = book["rows"].toObject();
    EXPECT_EQ(rows["1"].toObject()["height"].toDouble(), 40);
    for (const char* r : {"3", "4", "5", "6"})
        EXPECT_EQ(rows[r].toObject()["height"].toDouble(), 13) << r;
    EXPECT_TRUE(rows["7"].toObject()["hidden"].toBool());

    // Widths as the spreadsheet stores them: the given width plus its cell padding.
    const QJsonObject columns = book["columns"].toObject();
    EXPECT_NEAR(columns["A"].toObject()["width"].toDouble(), 55.7, 0.1);
    EXPECT_NEAR(columns["B"].toObject()["width"].toDouble(), 7.2, 0.1);
    EXPECT_NEAR(columns["C"].toObject()["width"].toDouble(), 7.2, 0.1);
    // The cells nothing writes into are text too, up to the sheet's last column.
    int lastColumn = 0;
    for (const QJsonValue& c : columns) {
        EXPECT_EQ(c.toObject()["format"].toString(), "@");
        lastColumn = std::max(lastColumn, c.toObject()["max"].toInt());
    }
    EXPECT_EQ(lastColumn, 16384);

    const QJsonObject cells = book["cells"].toObject();
    const auto cell = [&](const char* a) { return cells[a].toObject(); };
    EXPECT_EQ(cell("A1")["value"].toString(), "(二)基层定报表式");
    EXPECT_EQ(cell("A1")["font"].toString(), "黑体");
    EXPECT_EQ(cell("A1")["size"].toDouble(), 18);
    EXPECT_EQ(cell("A1")["align"].toString(), "center");
    EXPECT_EQ(cell("C2")["size"].toDouble(), 9);
    EXPECT_TRUE(cell("C2")["align"].isNull());
    EXPECT_FALSE(cell("C2")["wrap"].toBool());

    // Copied cells: text, wrapped, size 10; centred from column 2, column 1 only where named.
    EXPECT_EQ(cell("C4")["value"].toString(), "012");
    for (const char* a : {"A3", "B4", "C4", "A5", "B5", "A6"}) {
        EXPECT_EQ(cell(a)["format"].toString(), "@") << a;
        EXPECT_TRUE(cell(a)["wrap"].toBool()) << a;
        EXPECT_EQ(cell(a)["size"].toDouble(), 10) << a;
        EXPECT_EQ(cell(a)["font"].toString(), "宋体") << a;
    }
    EXPECT_EQ(cell("C4")["type"].toString(), "s");
    EXPECT_EQ(cell("A3")["align"].toString(), "center");
    EXPECT_TRUE(cell("A4")["align"].isNull());
    EXPECT_TRUE(cell("A4")["bold"].toBool());
    EXPECT_EQ(cell("B5")["align"].toString(), "center");
    EXPECT_TRUE(cell("B5")["value"].isNull());
    EXPECT_EQ(cell("A6")["value"].toString(), "   补充资料：");
    EXPECT_TRUE(cell("B6")["value"].isNull());

    // The thick line under row 2 is also the top of the grid; the thin one closes row 6.
    EXPECT_EQ(cell("B2")["bottom"].toString(), "thick");
    EXPECT_EQ(cell("B3")["top"].toString(), "thick");
    for (const char* side : {"top", "bottom", "left", "right"})
        EXPECT_EQ(cell("B4")[side].toString(), "thin") << side;
    EXPECT_EQ(cell("C5")["right"].toString(), "thin");
    EXPECT_EQ(cell("A5")["bottom"].toString(), "thin");
    EXPECT_EQ(cell("C6")["bottom"].toString(), "thin");
    EXPECT_TRUE(cell("C6")["right"].isNull());
    // The cell beside the block carries the block's outer line as its own left edge.
    EXPECT_EQ(cell("D4")["left"].toString(), "thin");
    EXPECT_TRUE(cell("D4")["value"].isNull());
}

TEST(WorkbookWriter, FiguresAreNumbersOnA4PagesOneWideUnderTheirHeadings)
{
    Sheet sheet(9, 2);
    const char* const texts[] = {"代码", "12",   "4.50",     "01",      "--",
                                 "",     "-7",   "81988.40", "80462.96"};
    for (int r = 1; r <= 9; ++r) {
        sheet.setText(r, 1, QString::fromUtf8(texts[r - 1]));
        sheet.setText(r, 2, QString::fromUtf8(texts[r - 1]));
    }
    WorkbookLayout l;
    l.copy.sheetCells = {1, 1, 9, 2};
    l.copy.rowOffset = 1;
    l.copy.figures = {{2, 2, 9, 2}};  // column 1 holds codes
    l.cell(1, 1, "表").font(TitleFont, 12);
    l.headingRows = {2, 2};
    QTemporaryDir dir;
    const QString path = dir.filePath("figures.xlsx");
    writeWorkbook(sheet, l, path);

    const QJsonObject book = readWithPython("read_xlsx.py", path);
    EXPECT_EQ(book["paper"].toInt(), 9);  // A4
    EXPECT_EQ(book["fitWidth"].toInt(), 1);
    EXPECT_EQ(book["fitHeight"].toInt(), 0);  // as many pages high as the rows need
    EXPECT_EQ(book["printTitles"].toString(), "$2:$2");
    EXPECT_TRUE(book["printArea"].toString().endsWith("$A$1:$B$10")) << book["printArea"].toString().toStdString();
    const QJsonObject cells = book["cells"].toObject();
    struct Case {
        const char* cell;
        const char* type;
        const char* format;
    } cases[] = {
        {"B3", "n", "0"}, {"B4", "n", "0.00"}, {"B8", "n", "0"},
        {"B5", "s", "@"}, {"B6", "s", "@"},    {"B2", "s", "@"},
        {"A3", "s", "@"}, {"A4", "s", "@"},  // the same texts outside the figures
    };
    for (const Case& c : cases) {
        const QJsonObject cell = cells[c.cell].toObject();
        EXPECT_EQ(cell["type"].toString(), c.type) << c.cell;
        EXPECT_EQ(cell["format"].toString(), c.format) << c.cell;
    }
    EXPECT_EQ(cells["B4"].toObject()["value"].toDouble(), 4.5);
    EXPECT_EQ(cells["B8"].toObject()["value"].toDouble(), -7);
    // Stored as shown, without the binary noise of sixteen digits (81988.39999999999).
    EXPECT_EQ(cells["B9"].toObject()["value"].toDouble(), 81988.4);
    EXPECT_EQ(cells["B10"].toObject()["value"].toDouble(), 80462.96);
    EXPECT_EQ(cells["B5"].toObject()["value"].toString(), "01");
    // Every row of the form has its height, one line of its largest font where none is given.
    const QJsonObject rows = book["rows"].toObject();
    EXPECT_EQ(rows["1"].toObject()["height"].toDouble(), lineRowHeight(12));
    EXPECT_EQ(rows["8"].toObject()["height"].toDouble(), lineRowHeight(10));
}

TEST(WorkbookWriter, ProgressFollowsTheCopiedRows)
{
    QTemporaryDir dir;
    std::vector<int> seen;
    writeWorkbook(smallReport(), smallLayout(), dir.filePath("p.xlsx"),
                  [&](int percent) { seen.push_back(percent); });
    // Sheet rows 1..4 over the divisor 3; a row past the divisor stays at 100.
    EXPECT_EQ(seen, (std::vector<int>{0, 33, 66, 100, 100, 100}));
}

TEST(WorkbookWriter, FailedExportKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("工资1_6.xlsx");
    QFile previous(path);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous export");
    previous.close();

    Sheet tooLong = smallReport();
    tooLong.setText(2, 1, QString(40000, QChar('x')));  // more than a cell may hold
    WorkbookLayout badName = smallLayout();
    badName.sheetName = "人员[基本]信息";
    struct Case {
        const char* what;
        Sheet sheet;
        WorkbookLayout layout;
        QString cause;
    } cases[] = {{"cell too long", tooLong, smallLayout(), "有单元格的文字超过32767个字符。"},
                 {"sheet name refused", smallReport(), badName,
                  "工作表名称“人员[基本]信息”不合规则。"}};
    for (const Case& c : cases) {
        try {
            writeWorkbook(c.sheet, c.layout, path);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const FileError& e) {
            // The clerk learns which file failed and why, not only that it did.
            EXPECT_EQ(e.message(), ExportFailedMessage + "\n\r文件：" + path + "\n\r原因：" + c.cause)
                << c.what;
        }
        EXPECT_EQ(textOf(path), "previous export") << c.what;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"工资1_6.xlsx"})
            << c.what << ": a temporary file was left behind";
    }

    // A folder that cannot exist: a plain file stands where it should be.
    const QString impossible = path + "/工资1_6.xlsx";
    EXPECT_THROW(writeWorkbook(smallReport(), smallLayout(), impossible), FileError);
    EXPECT_EQ(textOf(path), "previous export");

    // A finished workbook that cannot take the target's place (a folder is in the way) is
    // removed, not left beside it.
    ASSERT_TRUE(QDir(dir.path()).mkpath("汇总.xlsx/kept"));
    EXPECT_THROW(writeWorkbook(smallReport(), smallLayout(), dir.filePath("汇总.xlsx")), FileError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"工资1_6.xlsx"});

    // Exporting again overwrites without a question.
    writeWorkbook(smallReport(), smallLayout(), path);
    EXPECT_EQ(readWithPython("read_xlsx.py", path)["sheets"].toArray(), QJsonArray{"基础定期报表"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"工资1_6.xlsx"});
}

TEST(WorkbookWriter, WorkbooksGoToXlsAndTheErrorListToError)
{
    QTemporaryDir dir;
    const WorkFolder folder(dir.path());
    EXPECT_EQ(workbookPath(folder, "汇总表"), folder.root() + "/XLS/汇总表.xlsx");
    EXPECT_EQ(workbookPath(folder, "3月错误名单", WorkbookFolder::Errors),
              folder.root() + "/ERROR/3月错误名单.xlsx");
    EXPECT_TRUE(QDir(folder.root() + "/XLS").exists());
    EXPECT_TRUE(QDir(folder.root() + "/ERROR").exists());
}

TEST(WorkbookWriter, NotesSheetPrintsOneWideWithEachExplanationBesideItsFinding)
{
    WorkbookLayout l = smallLayout();
    l.notesSheetName = "审核说明";
    l.notesRows.push_back({"代码", "位置", "审核发现", "说明", "说明日期"});
    for (int i = 1; i <= 60; ++i)
        l.notesRows.push_back(
            {"W02", QString("%1/10%2").arg(i % 12 + 1).arg(i, 2, 10, QChar('0')),
             QString("%1月职工%2（10%2）工资合计18000元，上月为6000元，多12000元（200%），请核实是否补发或录入有误")
                 .arg(i % 12 + 1).arg(i, 2, 10, QChar('0')),
             "补发上半年绩效工资及年终奖金，经单位负责人审批，附发放明细表", "2012-12-31"});
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.xlsx");
    writeWorkbook(smallReport(), l, path);

    const QJsonObject book = readWithPython("read_xlsx.py", path);
    EXPECT_EQ(book["sheets"].toArray(), (QJsonArray{"基础定期报表", "审核说明"}));
    const QJsonObject page = book["notesPage"].toObject();
    EXPECT_EQ(page["paper"].toInt(), 9);
    EXPECT_EQ(page["orientation"].toString(), "landscape");
    EXPECT_EQ(page["fitWidth"].toInt(), 1);
    EXPECT_EQ(page["fitHeight"].toInt(), 0);
    EXPECT_EQ(page["printTitles"].toString(), "$1:$1");
    EXPECT_TRUE(page["footer"].toString().contains("&P")) << page["footer"].toString().toStdString();
    EXPECT_TRUE(page["wrapped"].toBool());
    // Wide enough to read, narrow enough that the fit to one page wide leaves the text its size.
    double points = 0;
    for (const QJsonValue width : page["widths"].toArray())
        points += columnPoints(width.toDouble());
    EXPECT_LE(points, A4Height - 2 * DefaultSideMargin);
    EXPECT_GE(points, 0.8 * (A4Height - 2 * DefaultSideMargin));

    const QJsonArray notes = book["notes"].toArray();
    ASSERT_EQ(notes.size(), 61);
    EXPECT_EQ(notes[60].toArray()[1].toString(), "1/1060");
    EXPECT_EQ(notes[60].toArray()[3].toString(), "补发上半年绩效工资及年终奖金，经单位负责人审批，附发放明细表");
}
