#pragma once

#include "sheet/Sheet.h"

#include <QHash>
#include <QTableView>

#include <functional>
#include <vector>

namespace vel::gui {

class FrozenRows;
class SheetDocument;
class SheetModel;

// The worksheet grid of every sheet window, bound to one Sheet that stays the window's data: core
// rules read and mark it, the grid shows and edits it. Rows and columns count from 1 here.
// Typing starts editing a cell; Enter commits and moves down, Tab moves right. After a run of Tabs
// Enter goes to the next row's cell in the column where the run began, as in a spreadsheet.
class SheetView : public QTableView {
    Q_OBJECT
public:
    explicit SheetView(Sheet& sheet, QWidget* parent = nullptr);

    // Valid while the sheet lives; the view itself survives it, empty.
    Sheet& sheet() const;
    SheetModel* sheetModel() const { return model_; }
    // The clerk's edits made through this view, and whether they are saved.
    SheetDocument* document() const { return document_; }

    // Report windows: nothing can be typed, pasted, cut, cleared, inserted or deleted.
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    // Columns the program computes (a total): typing and double-clicking edit nothing there.
    void setComputedColumns(const QList<int>& columns);

    // The top left cell of the selection (the active cell): where a paste lands.
    int selStartRow() const { return selectedRange().r1; }
    int selStartCol() const { return selectedRange().c1; }
    // The block spanning everything selected, or the current cell; empty without either.
    CellRange selectedRange() const;
    void selectRange(int r1, int c1, int r2, int c2);

    void copy() const;
    void cut();
    // Returns the cells written and selects them. `rule` runs after it in the same undo step,
    // writing no cell outside `ruleArea`.
    CellRange paste(const std::function<void()>& rule = {}, const CellRange& ruleArea = {});
    void clearSelectedValues();
    // Empty whole rows at the selected rows, or the selected rows removed; rows below shift.
    void insertSelectedRows();
    void deleteSelectedRows();

    // Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z): the document's last step taken back or done again,
    // its cells selected; nothing in a read-only view.
    void undo();
    void redo();

    // The title rows at the top (1 unless a window says otherwise): their texts wrap, the rows
    // grow to show all of them and they stay in view while the rows below scroll. Any cell
    // whose text is cut shows it whole as a tooltip.
    // Rows a window names here are never edited: no typing, pasting, cutting, clearing,
    // inserting or deleting reaches them.
    int headerRows() const { return headerRows_; }
    void setHeaderRows(int count);
    // Every cell on screen at the sheet's standard size, whatever size the sheet gives it.
    void setOneFontSize(bool on);

    // The sheet's units on this screen: widths in 1/256 of a character of the standard font,
    // heights in twentieths of a point. A row is never shorter than its font needs.
    int columnPixels(int width) const;
    int rowPixels(int height) const;
    // The width that shows every shown column without scrolling sideways, and the height that
    // shows every row down to the last one holding text.
    int fullWidth() const;
    int usedHeight() const;
    // The cell (1-based) shows only part of its one line of text.
    bool textCut(int row, int col) const;

signals:
    void cellDoubleClicked(int row, int col);
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void changeEvent(QEvent* event) override;

private:
    Sheet* liveSheet() const;
    // The user's operations stop at the last shown column: the columns past it hold codes.
    CellRange shownPart(CellRange range) const;
    // The part below the header rows that editing commands may change.
    CellRange editablePart(CellRange range) const;
    void moveCurrent(CursorAction action);
    // Tab and Shift+Tab: one more step of the run, or the first of a new one.
    void moveAcross(CursorAction action);
    // Enter: down, or to the start column of the Tab run that ends here.
    void moveDown();
    void applyLayout();
    void applyColumns();
    void applyRows();
    // Rows r1 to r2 again, after their texts or the column widths changed.
    void refitRows(int r1, int r2);
    int fittedRowPixels(int row) const;
    // One line of text at the point size, grid line included.
    int lineHeight(int pointSize) const;
    int wrappedHeight(int row) const;
    int textPixels(const QModelIndex& index) const;
    // A read-only sheet lets a long text run on over the empty cells to its right, as a
    // spreadsheet shows it; in an editable one the cells under it could not be reached.
    void applySpans();
    void cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void columnResized();

    SheetModel* model_;
    SheetDocument* document_ = nullptr;
    FrozenRows* frozen_ = nullptr;
    int headerRows_ = 1;
    bool layingOut_ = false;
    mutable QHash<int, int> lineHeights_;  // point size -> pixels
    std::vector<int> appliedWidths_;  // sheet widths last turned into pixels; -1 for none
    int tabRunColumn_ = -1;             // where the Tab run began
    QPersistentModelIndex tabRunEnd_;  // where it went last; the run ends once the cell moves
};

}  // namespace vel::gui
