#pragma once

#include "sheet/Sheet.h"

#include <QString>

#include <functional>
#include <vector>

namespace vel {

// One edit of a sheet as an undo step: the cells it altered, each with its text and mark before
// and after, or rows inserted or deleted with the cells they pushed off the end or took away.
// Undo and redo assume the sheet is as the edit left it, or as it found it: any other change in
// between makes the step meaningless, so a window forgets its steps whenever it changes the
// sheet itself (loading, saving).
class SheetEdit {
public:
    // Runs `change`, which alters no cell outside `areas`, and keeps the cells it altered.
    static SheetEdit ofCells(Sheet& sheet, const std::vector<CellRange>& areas,
                             const std::function<void()>& change);
    // Inserts or deletes whole rows, as Sheet::insertRows and Sheet::deleteRows do.
    static SheetEdit insertRows(Sheet& sheet, int row, int count);
    static SheetEdit deleteRows(Sheet& sheet, int row, int count);

    // The edit altered nothing: there is no step to keep.
    bool isEmpty() const;
    // The cells the edit touched, for the window to show after undo or redo.
    CellRange area() const { return area_; }

    void undo(Sheet& sheet) const;
    void redo(Sheet& sheet) const;

private:
    enum class Kind { Cells, InsertRows, DeleteRows };
    struct Cell {
        int row;
        int col;
        QString text;
        CellMark mark;
        QString newText;  // Cells only
        CellMark newMark;
    };
    struct RowHeight {
        int row;
        int height;
    };
    static SheetEdit ofRows(Sheet& sheet, Kind kind, int row, int count);
    // The non-empty cells and the heights of rows r1..r2.
    void keepRows(const Sheet& sheet, int r1, int r2);
    void restoreRows(Sheet& sheet) const;

    Kind kind_ = Kind::Cells;
    int row_ = 0;
    int count_ = 0;
    CellRange area_;
    std::vector<Cell> cells_;
    std::vector<RowHeight> heights_;
};

}  // namespace vel
