#include "Sheet.h"

#include <algorithm>

namespace vel {

namespace {
constexpr int DefaultWidth = 2304;
}

Sheet::Sheet(int maxRow, int columns)
    : maxRow_(maxRow),
      columns_(columns),
      maxCol_(columns),
      rows_(static_cast<size_t>(maxRow)),
      hidden_(static_cast<size_t>(columns) + 1, false),
      widths_(static_cast<size_t>(columns) + 1, DefaultWidth),
      heights_(static_cast<size_t>(maxRow) + 1, 0)
{
}

bool Sheet::clampToSheet(int& r1, int& c1, int& r2, int& c2) const
{
    r1 = std::max(r1, 1);
    c1 = std::max(c1, 1);
    r2 = std::min(r2, maxRow_);
    c2 = std::min(c2, columns_);
    return r1 <= r2 && c1 <= c2;
}

bool Sheet::inside(int row, int col) const
{
    return row >= 1 && row <= maxRow_ && col >= 1 && col <= columns_;
}

void Sheet::setMaxCol(int count)
{
    maxCol_ = std::clamp(count, 0, columns_);
    notifyLayout();
}

QString Sheet::text(int row, int col) const
{
    if (!inside(row, col))
        return {};
    const Row& r = rows_[row - 1];
    return r.text.empty() ? QString() : r.text[col - 1];
}

void Sheet::setText(int row, int col, const QString& text)
{
    if (!inside(row, col))
        return;
    Row& r = rows_[row - 1];
    if (r.text.empty()) {
        if (text.isEmpty())
            return;
        r.text.resize(columns_);
    }
    if (r.text[col - 1] == text)
        return;
    r.text[col - 1] = text;
    notifyCells(row, col, row, col);
}

CellMark Sheet::mark(int row, int col) const
{
    if (!inside(row, col))
        return CellMark::None;
    const Row& r = rows_[row - 1];
    return r.marks.empty() ? CellMark::None : r.marks[col - 1];
}

void Sheet::setMark(int row, int col, CellMark mark)
{
    markRange(row, col, row, col, mark);
}

void Sheet::markRange(int r1, int c1, int r2, int c2, CellMark mark)
{
    if (!clampToSheet(r1, c1, r2, c2))
        return;
    for (int row = r1; row <= r2; ++row) {
        Row& r = rows_[row - 1];
        if (r.marks.empty()) {
            if (mark == CellMark::None)
                continue;
            r.marks.assign(columns_, CellMark::None);
        }
        std::fill(r.marks.begin() + (c1 - 1), r.marks.begin() + c2, mark);
    }
    notifyCells(r1, c1, r2, c2);
}

void Sheet::clearRange(int r1, int c1, int r2, int c2, ClearWhat what)
{
    if (!clampToSheet(r1, c1, r2, c2))
        return;
    for (int row = r1; row <= r2; ++row) {
        Row& r = rows_[row - 1];
        if (what != ClearWhat::Formats && !r.text.empty()) {
            for (int c = c1; c <= c2; ++c)
                r.text[c - 1].clear();
            if (c1 == 1 && c2 == columns_)
                r.text.clear();
        }
        if (what != ClearWhat::Values && !r.marks.empty())
            std::fill(r.marks.begin() + (c1 - 1), r.marks.begin() + c2, CellMark::None);
    }
    notifyCells(r1, c1, r2, c2);
}

void Sheet::insertRows(int row, int count)
{
    if (row < 1 || row > maxRow_ || count <= 0)
        return;
    count = std::min(count, maxRow_ - row + 1);
    rows_.insert(rows_.begin() + (row - 1), static_cast<size_t>(count), Row{});
    rows_.resize(static_cast<size_t>(maxRow_));
    heights_.insert(heights_.begin() + row, static_cast<size_t>(count), 0);
    heights_.resize(static_cast<size_t>(maxRow_) + 1);
    if (batchDepth_ > 0)
        notifyRows(row);
    else if (link_.observer)
        link_.observer->rowsInserted(row, count);
}

void Sheet::deleteRows(int row, int count)
{
    if (row < 1 || row > maxRow_ || count <= 0)
        return;
    count = std::min(count, maxRow_ - row + 1);
    rows_.erase(rows_.begin() + (row - 1), rows_.begin() + (row - 1 + count));
    rows_.resize(static_cast<size_t>(maxRow_));
    heights_.erase(heights_.begin() + row, heights_.begin() + row + count);
    heights_.resize(static_cast<size_t>(maxRow_) + 1, 0);
    if (batchDepth_ > 0)
        notifyRows(row);
    else if (link_.observer)
        link_.observer->rowsRemoved(row, count);
}

bool Sheet::columnHidden(int col) const
{
    if (col < 1 || col > columns_)
        return true;
    return hidden_[col] || widths_[col] == 0 || col > maxCol_;
}

void Sheet::setColumnsHidden(int c1, int c2, bool hidden)
{
    for (int c = std::max(c1, 1); c <= std::min(c2, columns_); ++c)
        hidden_[c] = hidden;
    notifyLayout();
}

int Sheet::columnWidth(int col) const
{
    return col >= 1 && col <= columns_ ? widths_[col] : 0;
}

void Sheet::setColumnWidths(int c1, int c2, int width)
{
    for (int c = std::max(c1, 1); c <= std::min(c2, columns_); ++c)
        widths_[c] = width;
    notifyLayout();
}

int Sheet::rowHeight(int row) const
{
    if (row < 1 || row > maxRow_)
        return 0;
    return heights_[row] ? heights_[row] : defaultHeight_;
}

void Sheet::setRowHeights(int r1, int r2, int height)
{
    for (int r = std::max(r1, 1); r <= std::min(r2, maxRow_); ++r)
        heights_[r] = height;
    notifyLayout();
}

CellFont Sheet::font(int row, int col) const
{
    for (auto it = fonts_.rbegin(); it != fonts_.rend(); ++it)
        if (row >= it->r1 && row <= it->r2 && col >= it->c1 && col <= it->c2)
            return it->font;
    return {};
}

void Sheet::setFont(int r1, int c1, int r2, int c2, CellFont font)
{
    // Windows reformat the same block at every activation; dropping the ranges a new one covers
    // keeps the lookup short.
    fonts_.erase(std::remove_if(fonts_.begin(), fonts_.end(),
                                [&](const FontRange& f) {
                                    return f.r1 >= r1 && f.r2 <= r2 && f.c1 >= c1 && f.c2 <= c2;
                                }),
                 fonts_.end());
    fonts_.push_back({r1, c1, r2, c2, font});
    notifyLayout();
}

int Sheet::lastUsedRow() const
{
    for (int row = maxRow_; row >= 1; --row) {
        const Row& r = rows_[row - 1];
        for (const QString& t : r.text)
            if (!t.isEmpty())
                return row;
    }
    return 0;
}

void Sheet::notifyCells(int r1, int c1, int r2, int c2)
{
    if (batchDepth_ == 0) {
        if (link_.observer)
            link_.observer->cellsChanged(r1, c1, r2, c2);
        return;
    }
    CellRange& p = pendingCells_;
    if (p.isEmpty()) {
        p = {r1, c1, r2, c2};
        return;
    }
    p = {std::min(p.r1, r1), std::min(p.c1, c1), std::max(p.r2, r2), std::max(p.c2, c2)};
}

void Sheet::notifyLayout()
{
    if (batchDepth_ > 0)
        pendingLayout_ = true;
    else if (link_.observer)
        link_.observer->layoutChanged();
}

// Inside a batch a row shift is told as what it amounts to: every cell from `row` down changed,
// and so did the row heights.
void Sheet::notifyRows(int row)
{
    notifyCells(row, 1, maxRow_, columns_);
    pendingLayout_ = true;
}

SheetBatch::SheetBatch(Sheet& sheet) : sheet_(sheet)
{
    ++sheet_.batchDepth_;
}

SheetBatch::~SheetBatch()
{
    if (--sheet_.batchDepth_ > 0)
        return;
    const CellRange cells = sheet_.pendingCells_;
    const bool layout = sheet_.pendingLayout_;
    sheet_.pendingCells_ = {};
    sheet_.pendingLayout_ = false;
    if (layout)
        sheet_.notifyLayout();
    if (!cells.isEmpty())
        sheet_.notifyCells(cells.r1, cells.c1, cells.r2, cells.c2);
}

}  // namespace vel
