#pragma once

#include <QString>

#include <vector>

namespace vel {

// How a cell is marked: the red fill of a failed answer, or the patterned variant that the
// error-correction sheet uses.
enum class CellMark : unsigned char { None = 0, Error = 1, ErrorPattern = 2 };

enum class ClearWhat { Everything = 1, Formats = 2, Values = 3 };

struct CellFont {
    int size = 10;
    bool bold = false;
    bool operator==(const CellFont& o) const { return size == o.size && bold == o.bold; }
};

// A block of cells, both corners inclusive; empty when a corner lies before the other.
struct CellRange {
    int r1 = 1;
    int c1 = 1;
    int r2 = 0;
    int c2 = 0;

    bool isEmpty() const { return r1 > r2 || c1 > c2; }
    int rowCount() const { return isEmpty() ? 0 : r2 - r1 + 1; }
    int columnCount() const { return isEmpty() ? 0 : c2 - c1 + 1; }
    bool operator==(const CellRange& o) const
    {
        return r1 == o.r1 && c1 == o.c1 && r2 == o.r2 && c2 == o.c2;
    }
};

// Told of every change so that a view can follow the sheet.
class SheetObserver {
public:
    virtual ~SheetObserver() = default;
    virtual void cellsChanged(int r1, int c1, int r2, int c2) = 0;
    virtual void rowsInserted(int row, int count) = 0;
    virtual void rowsRemoved(int row, int count) = 0;
    // Column count, hidden columns, widths, heights or fonts changed.
    virtual void layoutChanged() = 0;
    // The sheet is going away: a window's sheet may die before the view that shows it.
    virtual void sheetDestroyed() {}
};

class Sheet;

// Holds back the notifications of many writes (loading, paste) and sends one per kind at the
// end, so that a view repaints once instead of once per cell.
class SheetBatch {
public:
    explicit SheetBatch(Sheet& sheet);
    ~SheetBatch();
    SheetBatch(const SheetBatch&) = delete;
    SheetBatch& operator=(const SheetBatch&) = delete;

private:
    Sheet& sheet_;
};

// A worksheet of text cells with marks: what every sheet window shows and every rule reads.
// Rows and columns count from 1. Reading outside the sheet gives an empty cell; writing outside
// it is ignored, so a scan bounded by maxRow() never fails. A copy starts without an observer;
// assigning a whole sheet keeps the target's observer but does not tell it.
class Sheet {
public:
    static constexpr int DefaultMaxRow = 16384;

    Sheet(int maxRow, int columns);

    int maxRow() const { return maxRow_; }
    int columnCount() const { return columns_; }
    // The number of columns shown (columns beyond it exist but are never displayed).
    int maxCol() const { return maxCol_; }
    void setMaxCol(int count);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    CellMark mark(int row, int col) const;
    void setMark(int row, int col, CellMark mark);
    void markRange(int r1, int c1, int r2, int c2, CellMark mark);
    void clearRange(int r1, int c1, int r2, int c2, ClearWhat what);

    // Empty whole rows inserted before `row`; rows below shift down and the last ones drop off.
    void insertRows(int row, int count);
    // Rows removed; rows below shift up and empty rows fill the end.
    void deleteRows(int row, int count);

    bool columnHidden(int col) const;
    void setColumnsHidden(int c1, int c2, bool hidden);
    // Widths in 1/256 of a character; 0 hides the columns.
    int columnWidth(int col) const;
    void setColumnWidths(int c1, int c2, int width);
    // Heights in twentieths of a point.
    int rowHeight(int row) const;
    void setRowHeights(int r1, int r2, int height);
    CellFont font(int row, int col) const;
    void setFont(int r1, int c1, int r2, int c2, CellFont font);

    // The last row holding any text; 0 for an empty sheet.
    int lastUsedRow() const;

    void setObserver(SheetObserver* observer) { link_.observer = observer; }

private:
    friend class SheetBatch;
    // Ties the observer to this object: copies and moves start unobserved, and the observer
    // hears of the sheet's end.
    struct ObserverLink {
        SheetObserver* observer = nullptr;
        ObserverLink() = default;
        ObserverLink(const ObserverLink&) noexcept {}
        ObserverLink& operator=(const ObserverLink&) noexcept { return *this; }
        ~ObserverLink()
        {
            if (observer)
                observer->sheetDestroyed();
        }
    };

    struct Row {
        std::vector<QString> text;
        std::vector<CellMark> marks;
    };
    struct FontRange {
        int r1, c1, r2, c2;
        CellFont font;
    };
    bool inside(int row, int col) const;
    // Cuts a range down to the sheet; false when nothing of it is left.
    bool clampToSheet(int& r1, int& c1, int& r2, int& c2) const;
    void notifyCells(int r1, int c1, int r2, int c2);
    void notifyLayout();
    void notifyRows(int row);

    int maxRow_;
    int columns_;
    int maxCol_;
    std::vector<Row> rows_;  // index row-1; a row's vectors stay empty until it is written
    std::vector<bool> hidden_;
    std::vector<int> widths_;
    std::vector<int> heights_;
    int defaultHeight_ = 255;
    std::vector<FontRange> fonts_;
    int batchDepth_ = 0;
    CellRange pendingCells_;
    bool pendingLayout_ = false;
    ObserverLink link_;
};

}  // namespace vel
