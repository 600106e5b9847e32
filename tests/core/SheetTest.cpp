#include "Errors.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace vel;

namespace {

// Writes down what the sheet tells its observer.
struct Recorder : SheetObserver {
    std::vector<CellRange> cells;
    std::vector<std::pair<int, int>> inserted, removed;
    int layouts = 0;
    bool destroyed = false;
    void cellsChanged(int r1, int c1, int r2, int c2) override { cells.push_back({r1, c1, r2, c2}); }
    void rowsInserted(int row, int count) override { inserted.emplace_back(row, count); }
    void rowsRemoved(int row, int count) override { removed.emplace_back(row, count); }
    void layoutChanged() override { ++layouts; }
    void sheetDestroyed() override { destroyed = true; }
};

std::vector<QStringList> rows(std::initializer_list<QStringList> list)
{
    return list;
}

}  // namespace

TEST(SheetClipboard, RoundTripKeepsTabsLineBreaksAndQuotes)
{
    Sheet source(10, 5);
    const QStringList cells = {"张三", "say \"hi\"", "a\tb", "two\nlines", "", "\"quoted\"",
                               "cr\r\nlf", " padded ", "5\" screen"};
    for (int i = 0; i < cells.size(); ++i)
        source.setText(2 + i / 3, 2 + i % 3, cells[i]);

    const QString text = clipboardText(source, {2, 2, 4, 4});
    Sheet target(10, 5);
    EXPECT_EQ(pasteClipboardText(target, 5, 1, text), (CellRange{5, 1, 7, 3}));
    for (int i = 0; i < cells.size(); ++i)
        EXPECT_EQ(target.text(5 + i / 3, 1 + i % 3), cells[i]) << i;
}

TEST(SheetClipboard, TextIsWhatSpreadsheetProgramsWrite)
{
    Sheet sheet(5, 3);
    sheet.setText(1, 1, "a");
    sheet.setText(1, 2, "b\"c");
    sheet.setText(2, 2, "x\ny");
    EXPECT_EQ(clipboardText(sheet, {1, 1, 2, 3}), "a\t\"b\"\"c\"\t\r\n\t\"x\ny\"\t\r\n");
    // A range reaching past the sheet gives only the cells that exist.
    EXPECT_EQ(clipboardText(sheet, {5, 3, 9, 9}), "\r\n");
}

TEST(SheetClipboard, ParseToleratesWhatOtherProgramsWrite)
{
    struct Case {
        const char* name;
        QString text;
        std::vector<QStringList> rows;
    };
    const std::vector<Case> cases = {
        {"empty text", "", {}},
        {"one cell without break", "a", rows({{"a"}})},
        {"crlf and trailing break", "a\tb\r\nc\td\r\n", rows({{"a", "b"}, {"c", "d"}})},
        {"lf and no trailing break", "a\tb\nc\td", rows({{"a", "b"}, {"c", "d"}})},
        {"lone cr", "a\rb\r", rows({{"a"}, {"b"}})},
        {"only one trailing break dropped", "a\n\n", rows({{"a"}, {""}})},
        {"empty cells kept", "\t\tx\n\n", rows({{"", "", "x"}, {""}})},
        {"quoted break and tab", "\"l1\r\nl2\"\t\"t\tt\"\n", rows({{"l1\r\nl2", "t\tt"}})},
        {"doubled quotes", "\"a\"\"b\"", rows({{"a\"b"}})},
        {"quote inside plain text", "5\" screen\tx", rows({{"5\" screen", "x"}})},
        {"unclosed quote is text", "\"abc\tdef", rows({{"\"abc", "def"}})},
        {"text after closing quote", "\"ab\"c\td", rows({{"\"ab\"c", "d"}})},
        {"ragged rows", "a\nb\tc\td\n", rows({{"a"}, {"b", "c", "d"}})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseClipboardText(c.text), c.rows) << c.name;
}

TEST(SheetClipboard, PasteWritesUpToTheLastRowAndTheLastShownColumn)
{
    Sheet sheet(6, 8);
    sheet.setMaxCol(4);
    sheet.setColumnsHidden(3, 3, true);
    sheet.setText(5, 6, "code");
    // Empty cells past the edges lose nothing: a block copied with blank columns or rows fits.
    const QString block = "a\tb\tc\t\t\ng\th\r\n\t\t\n";

    EXPECT_EQ(pasteClipboardText(sheet, 5, 2, block), (CellRange{5, 2, 6, 4}));
    EXPECT_EQ(sheet.text(5, 2), "a");
    EXPECT_EQ(sheet.text(5, 3), "b");  // a hidden column inside the shown ones takes its cell
    EXPECT_EQ(sheet.text(5, 4), "c");
    EXPECT_EQ(sheet.text(5, 5), "");
    EXPECT_EQ(sheet.text(5, 6), "code");  // the code columns stay as the rules left them
    EXPECT_EQ(sheet.text(6, 2), "g");
    EXPECT_EQ(sheet.text(6, 3), "h");
    EXPECT_EQ(sheet.text(6, 4), "");  // short rows write only their own cells

    EXPECT_TRUE(pasteClipboardText(sheet, 7, 1, "x").isEmpty());
    EXPECT_TRUE(pasteClipboardText(sheet, 1, 5, "x").isEmpty());
    EXPECT_TRUE(pasteClipboardText(sheet, 1, 1, "").isEmpty());
    EXPECT_EQ(sheet.text(1, 1), "");
}

// A block with values past the last row or the last shown column is refused whole, naming how
// many rows or columns would not fit, and the sheet keeps every cell.
TEST(SheetClipboard, PasteThatDoesNotFitIsRefusedWhole)
{
    struct Case {
        const char* name;
        int row, col;
        QString block;
        QString refusal;
    };
    QString tallBlock;
    for (int i = 0; i < 16500; ++i)
        tallBlock += QStringLiteral("职工%1\t%2\n").arg(i).arg(1000 + i);
    const Case cases[] = {
        {"16,500 persons at row 13", 13, 1, tallBlock,
         "粘贴的内容有128行超出表格的最后一行（第16384行），没有粘贴。请分批粘贴，或从更靠上的行开始粘贴。"},
        {"eight values at the second last column", 3, 17, "1\t2\t3\t4\t5\t6\t7\t8\n",
         "粘贴的内容有6列超出表格的最后一列，没有粘贴。请从更靠左的列开始粘贴，或去掉多余的列。"},
        {"one long row among short ones", 3, 1, "a\nb\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tz\nc\n",
         "粘贴的内容有1列超出表格的最后一列，没有粘贴。请从更靠左的列开始粘贴，或去掉多余的列。"},
        {"a value in the row past the end", 16383, 1, "a\nb\n\nc",
         "粘贴的内容有1行超出表格的最后一行（第16384行），没有粘贴。请分批粘贴，或从更靠上的行开始粘贴。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet sheet(Sheet::DefaultMaxRow, 22);
        sheet.setMaxCol(18);
        sheet.setText(13, 1, "原有");
        sheet.setText(16383, 1, "原有");
        Recorder rec;
        sheet.setObserver(&rec);
        EXPECT_EQ(pasteRefusal(sheet, c.row, c.col, parseClipboardText(c.block)), c.refusal);
        try {
            pasteClipboardText(sheet, c.row, c.col, c.block);
            ADD_FAILURE() << "pasted";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), c.refusal);
        }
        EXPECT_TRUE(rec.cells.empty());
        EXPECT_EQ(sheet.text(13, 1), "原有");
        EXPECT_EQ(sheet.text(16383, 1), "原有");
        EXPECT_EQ(sheet.text(c.row, c.col == 1 ? 2 : c.col), "");
        sheet.setObserver(nullptr);
    }
}

TEST(SheetClipboard, PasteTellsTheObserverOnce)
{
    Sheet sheet(100, 4);
    Recorder rec;
    sheet.setObserver(&rec);
    pasteClipboardText(sheet, 3, 2, "a\tb\nc\td\ne\tf\n");
    ASSERT_EQ(rec.cells.size(), 1u);
    EXPECT_EQ(rec.cells[0], (CellRange{3, 2, 5, 3}));
    sheet.setObserver(nullptr);
}

TEST(Sheet, InsertAndDeleteRowsMoveTextMarksAndHeights)
{
    Sheet sheet(6, 3);
    for (int r = 1; r <= 6; ++r)
        sheet.setText(r, 1, QString::number(r));
    sheet.setMark(3, 2, CellMark::Error);
    sheet.setRowHeights(3, 3, 400);
    Recorder rec;
    sheet.setObserver(&rec);

    sheet.insertRows(2, 2);
    EXPECT_EQ(rec.inserted, (std::vector<std::pair<int, int>>{{2, 2}}));
    const QStringList afterInsert = {"1", "", "", "2", "3", "4"};  // 5 and 6 fell off the end
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(sheet.text(r, 1), afterInsert[r - 1]) << r;
    EXPECT_EQ(sheet.mark(5, 2), CellMark::Error);
    EXPECT_EQ(sheet.mark(3, 2), CellMark::None);
    EXPECT_EQ(sheet.rowHeight(5), 400);
    EXPECT_EQ(sheet.rowHeight(3), 255);

    sheet.deleteRows(1, 3);
    EXPECT_EQ(rec.removed, (std::vector<std::pair<int, int>>{{1, 3}}));
    const QStringList afterDelete = {"2", "3", "4", "", "", ""};
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(sheet.text(r, 1), afterDelete[r - 1]) << r;
    EXPECT_EQ(sheet.mark(2, 2), CellMark::Error);
    EXPECT_EQ(sheet.rowHeight(2), 400);
    EXPECT_EQ(sheet.rowHeight(6), 255);

    // Counts reaching past the end stop there.
    sheet.deleteRows(2, 100);
    EXPECT_EQ(sheet.text(1, 1), "2");
    EXPECT_EQ(sheet.lastUsedRow(), 1);
    EXPECT_EQ(sheet.mark(2, 2), CellMark::None);
    sheet.setObserver(nullptr);
}

TEST(Sheet, ClearRangeKinds)
{
    struct Case {
        ClearWhat what;
        bool textGone;
        bool markGone;
    };
    for (const Case& c : {Case{ClearWhat::Everything, true, true},
                          Case{ClearWhat::Formats, false, true},
                          Case{ClearWhat::Values, true, false}}) {
        SCOPED_TRACE(static_cast<int>(c.what));
        Sheet sheet(5, 4);
        for (int r = 1; r <= 5; ++r)
            for (int col = 1; col <= 4; ++col) {
                sheet.setText(r, col, "x");
                sheet.setMark(r, col, CellMark::ErrorPattern);
            }
        sheet.clearRange(2, 2, 3, 3, c.what);
        for (int r = 1; r <= 5; ++r)
            for (int col = 1; col <= 4; ++col) {
                const bool inside = r >= 2 && r <= 3 && col >= 2 && col <= 3;
                EXPECT_EQ(sheet.text(r, col).isEmpty(), inside && c.textGone) << r << "," << col;
                EXPECT_EQ(sheet.mark(r, col) == CellMark::None, inside && c.markGone)
                    << r << "," << col;
            }
    }
}

TEST(Sheet, BatchSendsOneNotificationPerKind)
{
    Sheet sheet(50, 5);
    Recorder rec;
    sheet.setObserver(&rec);
    {
        SheetBatch batch(sheet);
        {
            SheetBatch inner(sheet);
            sheet.setText(4, 2, "a");
        }
        EXPECT_TRUE(rec.cells.empty());  // only the outermost batch lets go
        sheet.setText(9, 1, "b");
        sheet.setMark(6, 5, CellMark::Error);
        sheet.setColumnWidths(1, 1, 100);
        sheet.setRowHeights(1, 50, 310);
    }
    EXPECT_EQ(rec.cells, (std::vector<CellRange>{{4, 1, 9, 5}}));
    EXPECT_EQ(rec.layouts, 1);

    // A row shift inside a batch amounts to every cell below it and the heights.
    rec = {};
    {
        SheetBatch batch(sheet);
        sheet.insertRows(20, 3);
    }
    EXPECT_TRUE(rec.inserted.empty());
    EXPECT_EQ(rec.cells, (std::vector<CellRange>{{20, 1, 50, 5}}));
    EXPECT_EQ(rec.layouts, 1);
    sheet.setObserver(nullptr);
}

TEST(Sheet, ObserverBelongsToOneSheetObject)
{
    Recorder rec;
    auto sheet = std::make_unique<Sheet>(5, 2);
    sheet->setObserver(&rec);
    sheet->setText(1, 1, "a");
    ASSERT_EQ(rec.cells.size(), 1u);

    Sheet copy = *sheet;
    copy.setText(1, 1, "b");
    Sheet moved = std::move(copy);
    moved.setText(2, 2, "c");
    EXPECT_EQ(rec.cells.size(), 1u);  // copies do not speak to the original's view
    EXPECT_EQ(moved.text(1, 1), "b");

    sheet.reset();
    EXPECT_TRUE(rec.destroyed);
}

TEST(Sheet, LaterFontRangeWinsAfterRepeatedFormatting)
{
    Sheet sheet(100, 20);
    for (int pass = 0; pass < 50; ++pass) {  // as a window reformats at every activation
        sheet.setFont(1, 1, 100, 20, {8, false});
        sheet.setFont(3, 1, 100, 20, {10, false});
        sheet.setFont(3, 1, 100, 20, {8, false});
        sheet.setFont(1, 1, 1, 20, {10, true});
    }
    EXPECT_EQ(sheet.font(1, 5), (CellFont{10, true}));
    EXPECT_EQ(sheet.font(2, 5), (CellFont{8, false}));
    EXPECT_EQ(sheet.font(50, 20), (CellFont{8, false}));
    EXPECT_EQ(sheet.font(50, 21), CellFont{});
}
