#include "SheetEdit.h"

#include <algorithm>
#include <climits>

namespace vel {

SheetEdit SheetEdit::ofCells(Sheet& sheet, const std::vector<CellRange>& areas,
                             const std::function<void()>& change)
{
    std::vector<Cell> before;
    for (CellRange a : areas) {
        a.r1 = std::max(a.r1, 1);
        a.c1 = std::max(a.c1, 1);
        a.r2 = std::min(a.r2, sheet.maxRow());
        a.c2 = std::min(a.c2, sheet.columnCount());
        if (a.isEmpty())
            continue;
        for (int r = a.r1; r <= a.r2; ++r)
            for (int c = a.c1; c <= a.c2; ++c)
                before.push_back({r, c, sheet.text(r, c), sheet.mark(r, c), {}, CellMark::None});
    }
    change();

    SheetEdit edit;
    CellRange& touched = edit.area_;
    touched = {INT_MAX, INT_MAX, 0, 0};
    for (Cell& cell : before) {
        cell.newText = sheet.text(cell.row, cell.col);
        cell.newMark = sheet.mark(cell.row, cell.col);
        if (cell.newText == cell.text && cell.newMark == cell.mark)
            continue;
        touched = {std::min(touched.r1, cell.row), std::min(touched.c1, cell.col),
                   std::max(touched.r2, cell.row), std::max(touched.c2, cell.col)};
        edit.cells_.push_back(std::move(cell));
    }
    if (edit.cells_.empty())
        touched = {};
    return edit;
}

SheetEdit SheetEdit::insertRows(Sheet& sheet, int row, int count)
{
    return ofRows(sheet, Kind::InsertRows, row, count);
}

SheetEdit SheetEdit::deleteRows(Sheet& sheet, int row, int count)
{
    return ofRows(sheet, Kind::DeleteRows, row, count);
}

SheetEdit SheetEdit::ofRows(Sheet& sheet, Kind kind, int row, int count)
{
    SheetEdit edit;
    if (row < 1 || row > sheet.maxRow() || count <= 0)
        return edit;
    edit.kind_ = kind;
    edit.row_ = row;
    edit.count_ = std::min(count, sheet.maxRow() - row + 1);
    edit.area_ = {row, 1, row + edit.count_ - 1, sheet.columnCount()};
    // Undo brings back what the rows took away, or what inserting them pushed off the end.
    if (kind == Kind::DeleteRows)
        edit.keepRows(sheet, row, row + edit.count_ - 1);
    else
        edit.keepRows(sheet, sheet.maxRow() - edit.count_ + 1, sheet.maxRow());
    edit.redo(sheet);
    return edit;
}

bool SheetEdit::isEmpty() const
{
    return kind_ == Kind::Cells ? cells_.empty() : count_ == 0;
}

void SheetEdit::keepRows(const Sheet& sheet, int r1, int r2)
{
    for (int r = r1; r <= r2; ++r) {
        heights_.push_back({r, sheet.rowHeight(r)});
        for (int c = 1; c <= sheet.columnCount(); ++c) {
            const QString text = sheet.text(r, c);
            const CellMark mark = sheet.mark(r, c);
            if (!text.isEmpty() || mark != CellMark::None)
                cells_.push_back({r, c, text, mark, {}, CellMark::None});
        }
    }
}

void SheetEdit::restoreRows(Sheet& sheet) const
{
    for (const RowHeight& h : heights_)
        if (sheet.rowHeight(h.row) != h.height)
            sheet.setRowHeights(h.row, h.row, h.height);
    for (const Cell& c : cells_) {
        sheet.setText(c.row, c.col, c.text);
        sheet.setMark(c.row, c.col, c.mark);
    }
}

void SheetEdit::undo(Sheet& sheet) const
{
    const SheetBatch batch(sheet);
    switch (kind_) {
    case Kind::Cells:
        for (const Cell& c : cells_) {
            sheet.setText(c.row, c.col, c.text);
            sheet.setMark(c.row, c.col, c.mark);
        }
        return;
    case Kind::InsertRows:
        sheet.deleteRows(row_, count_);
        restoreRows(sheet);
        return;
    case Kind::DeleteRows:
        sheet.insertRows(row_, count_);
        restoreRows(sheet);
        return;
    }
}

void SheetEdit::redo(Sheet& sheet) const
{
    const SheetBatch batch(sheet);
    switch (kind_) {
    case Kind::Cells:
        for (const Cell& c : cells_) {
            sheet.setText(c.row, c.col, c.newText);
            sheet.setMark(c.row, c.col, c.newMark);
        }
        return;
    case Kind::InsertRows:
        sheet.insertRows(row_, count_);
        return;
    case Kind::DeleteRows:
        sheet.deleteRows(row_, count_);
        return;
    }
}

}  // namespace vel
