#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"
#include "sheet/SheetEdit.h"
#include "staff/StaffSheet.h"
#include "staff/StaffSheetEdits.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vel;

namespace {

constexpr int Rows = 40;

// Every cell's text and mark, and every row's height: what undo must give back exactly.
QStringList contents(const Sheet& sheet)
{
    QStringList all;
    for (int r = 1; r <= sheet.maxRow(); ++r) {
        all << QString::number(sheet.rowHeight(r));
        for (int c = 1; c <= sheet.columnCount(); ++c)
            all << sheet.text(r, c) + '|' + QString::number(static_cast<int>(sheet.mark(r, c)));
    }
    return all;
}

// A small staff sheet: three people, one answer marked red, one row taller than the others.
Sheet fixture()
{
    Sheet sheet(Rows, staff::ColumnCount);
    sheet.setMaxCol(staff::AnswerCount);
    const QStringList people[] = {{"甲", "001", "男"}, {"乙", "002", "女"}, {"丙", "003", "男"}};
    int row = staff::FirstPersonRow;
    for (const QStringList& p : people) {
        for (int c = 0; c < p.size(); ++c)
            sheet.setText(row, c + 1, p[c]);
        sheet.setText(row, staff::EduCol, "大学本科");
        sheet.setText(row, staff::EngineerCol, row == 4 ? "0" : "是");
        ++row;
    }
    sheet.setMark(4, staff::SexCol, CellMark::Error);
    sheet.setRowHeights(5, 5, 600);
    sheet.setText(Rows, 1, "the last row");
    return sheet;
}

}  // namespace

TEST(SheetEdit, EveryEditKindUndoesAndRedoesAsOneStep)
{
    struct Case {
        const char* what;
        std::function<SheetEdit(Sheet&)> edit;
    };
    const CellRange people{staff::FirstPersonRow, 1, 5, staff::AnswerCount};
    const std::vector<Case> cases = {
        {"typing", [](Sheet& s) {
             return SheetEdit::ofCells(s, {{3, 1, 3, 1}}, [&] { s.setText(3, 1, "甲甲"); });
         }},
        {"paste over filled and empty cells", [](Sheet& s) {
             return SheetEdit::ofCells(s, {{4, 2, 7, staff::AnswerCount}}, [&] {
                 pasteClipboardText(s, 4, 2, "x\ty\n\nz\t\"a\tb\"\n");
             });
         }},
        {"cut", [people](Sheet& s) {
             return SheetEdit::ofCells(s, {people}, [&] {
                 s.clearRange(3, 1, 5, 3, ClearWhat::Values);
             });
         }},
        {"clearing two blocks", [](Sheet& s) {
             return SheetEdit::ofCells(s, {{3, 1, 3, 1}, {5, 9, 5, 9}}, [&] {
                 s.clearRange(3, 1, 3, 1, ClearWhat::Values);
                 s.clearRange(5, 9, 5, 9, ClearWhat::Values);
             });
         }},
        {"inserting rows pushes the last row off", [](Sheet& s) {
             return SheetEdit::insertRows(s, 4, 2);
         }},
        {"deleting a marked, taller row", [](Sheet& s) { return SheetEdit::deleteRows(s, 4, 2); }},
        {"find and replace", [](Sheet& s) {
             return SheetEdit::ofCells(s, {{3, staff::EduCol, 5, staff::EduCol}}, [&] {
                 replaceInColumn(s, staff::EduCol, "大学本科", "大学专科", 4);
             });
         }},
        {"the paste rule", [](Sheet& s) {
             return SheetEdit::ofCells(s, {{3, staff::ProductionCol, 6, staff::ProductionCol}},
                                       [&] { applyIndustrialPasteRule(s); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet = fixture();
        const QStringList before = contents(sheet);
        const SheetEdit edit = c.edit(sheet);
        const QStringList after = contents(sheet);
        ASSERT_NE(after, before);
        EXPECT_FALSE(edit.isEmpty());
        EXPECT_FALSE(edit.area().isEmpty());
        edit.undo(sheet);
        EXPECT_EQ(contents(sheet), before);
        edit.redo(sheet);
        EXPECT_EQ(contents(sheet), after);
        edit.undo(sheet);
        EXPECT_EQ(contents(sheet), before);
    }
}

TEST(SheetEdit, KeepsOnlyWhatChanged)
{
    Sheet sheet = fixture();
    const SheetEdit same =
        SheetEdit::ofCells(sheet, {{1, 1, Rows, staff::ColumnCount}}, [&] { sheet.setText(3, 1, "甲"); });
    EXPECT_TRUE(same.isEmpty());

    const SheetEdit typed = SheetEdit::ofCells(sheet, {{1, 1, Rows, staff::ColumnCount}}, [&] {
        sheet.setText(5, 9, "x");
        sheet.setText(3, 2, "y");
    });
    EXPECT_EQ(typed.area(), (CellRange{3, 2, 5, 9}));
}
