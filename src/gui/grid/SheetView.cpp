#include "SheetView.h"

#include "FrozenRows.h"
#include "Prompter.h"
#include "SheetDocument.h"
#include "SheetDropDown.h"
#include "SheetModel.h"
#include "sheet/SheetClipboard.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <climits>
#include <utility>

namespace vel::gui {

namespace {

bool isClipboardKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
           event->matches(QKeySequence::Cut);
}

// Title rows wrap their texts; the cells below keep to one line.
class SheetDelegate : public QStyledItemDelegate {
public:
    explicit SheetDelegate(SheetView* view) : QStyledItemDelegate(view), view_(view) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.row() < view_->headerRows())
            option->features |= QStyleOptionViewItem::WrapText;
    }

private:
    SheetView* view_;
};

// Ctrl+Y as in every spreadsheet, besides the desktop's own redo key.
bool isRedoKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Redo) ||
           (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier);
}

bool isUndoKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Undo) || isRedoKey(event);
}

// The rows a clipboard text can reach from its first row: its line breaks, counted generously.
int pastedRowCount(const QString& text)
{
    return static_cast<int>(text.count(u'\n') + text.count(u'\r')) + 1;
}

}  // namespace

SheetView::SheetView(Sheet& sheet, QWidget* parent)
    : QTableView(parent),
      model_(new SheetModel(sheet, this))
{
    model_->setCellWriter([this](int row, int col, const QString& text) {
        document_->editCells({{row, col, row, col}},
                             [this, row, col, &text] { this->sheet().setText(row, col, text); });
    });
    model_->setBaseFont(font());
    setModel(model_);
    setItemDelegate(new SheetDelegate(this));
    frozen_ = new FrozenRows(this);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(ExtendedSelection);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    connect(model_, &SheetModel::sheetLayoutChanged, this, &SheetView::applyLayout);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        appliedWidths_.clear();
        clearSpans();
    });
    connect(model_, &QAbstractItemModel::dataChanged, this, &SheetView::cellsChanged);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &SheetView::columnResized);
    applyLayout();
    // Only what happens to the sheet from here on can be an edit.
    document_ = new SheetDocument(*model_, this);
    connect(document_, &SheetDocument::replayed, this, [this](const CellRange& area) {
        const CellRange a = shownPart(area);
        if (!a.isEmpty())
            selectRange(a.r1, a.c1, a.r2, a.c2);
    });
}

Sheet& SheetView::sheet() const
{
    return *model_->sheet();
}

Sheet* SheetView::liveSheet() const
{
    return model_->sheet();
}

bool SheetView::isReadOnly() const
{
    return model_->isReadOnly();
}

void SheetView::setReadOnly(bool readOnly)
{
    model_->setReadOnly(readOnly);
    setEditTriggers(readOnly ? NoEditTriggers : DoubleClicked | EditKeyPressed | AnyKeyPressed);
    applySpans();
}

void SheetView::setComputedColumns(const QList<int>& columns)
{
    model_->setComputedColumns(columns);
}

void SheetView::setHeaderRows(int count)
{
    headerRows_ = std::max(count, 0);
    model_->setHeaderRows(headerRows_);
    applyLayout();
    frozen_->follow();
}

void SheetView::setOneFontSize(bool on)
{
    model_->setOneFontSize(on);
}

CellRange SheetView::editablePart(CellRange range) const
{
    range = shownPart(range);
    range.r1 = std::max(range.r1, model_->headerRows() + 1);
    return range;
}

CellRange SheetView::selectedRange() const
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = currentIndex();
        if (!current.isValid())
            return {};
        const int r = current.row() + 1;
        const int c = current.column() + 1;
        return {r, c, r, c};
    }
    CellRange range{INT_MAX, INT_MAX, 0, 0};
    for (const QItemSelectionRange& s : selection) {
        range.r1 = std::min(range.r1, s.top() + 1);
        range.c1 = std::min(range.c1, s.left() + 1);
        range.r2 = std::max(range.r2, s.bottom() + 1);
        range.c2 = std::max(range.c2, s.right() + 1);
    }
    return range;
}

void SheetView::selectRange(int r1, int c1, int r2, int c2)
{
    const int rows = model_->rowCount();
    const int cols = model_->columnCount();
    if (rows == 0 || cols == 0)
        return;
    r1 = std::clamp(r1, 1, rows);
    r2 = std::clamp(r2, r1, rows);
    c1 = std::clamp(c1, 1, cols);
    c2 = std::clamp(c2, c1, cols);
    const QModelIndex topLeft = model_->index(r1 - 1, c1 - 1);
    selectionModel()->setCurrentIndex(topLeft, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(topLeft, model_->index(r2 - 1, c2 - 1)),
                             QItemSelectionModel::ClearAndSelect);
    scrollTo(topLeft);
}

CellRange SheetView::shownPart(CellRange range) const
{
    if (const Sheet* s = liveSheet())
        range.c2 = std::min(range.c2, s->maxCol());
    return range;
}

void SheetView::copy() const
{
    const Sheet* s = liveSheet();
    const CellRange range = shownPart(selectedRange());
    if (s && !range.isEmpty())
        QGuiApplication::clipboard()->setText(clipboardText(*s, range));
}

void SheetView::cut()
{
    if (isReadOnly())
        return;
    copy();
    if (Sheet* s = liveSheet()) {
        const CellRange range = editablePart(selectedRange());
        if (!range.isEmpty())
            document_->editCells({range}, [&] {
                s->clearRange(range.r1, range.c1, range.r2, range.c2, ClearWhat::Values);
            });
    }
}

CellRange SheetView::paste(const std::function<void()>& rule, const CellRange& ruleArea)
{
    Sheet* s = liveSheet();
    if (!s || isReadOnly())
        return {};
    const CellRange target = selectedRange();
    const int row = target.isEmpty() ? 1 : target.r1;
    const int col = target.isEmpty() ? 1 : target.c1;
    if (row <= model_->headerRows())
        return {};
    const QString text = QGuiApplication::clipboard()->text();
    // Refused before the step begins, so that the sheet and its undo steps stay as they were.
    const QString refusal = pasteRefusal(*s, row, col, parseClipboardText(text));
    if (!refusal.isEmpty()) {
        prompt().error(this, refusal);
        return {};
    }
    const CellRange reach{row, col, row + pastedRowCount(text) - 1, s->maxCol()};
    CellRange written;
    document_->editCells({reach, ruleArea}, [&] {
        written = pasteClipboardText(*s, row, col, text);
        if (rule)
            rule();
    });
    if (!written.isEmpty())
        selectRange(written.r1, written.c1, written.r2, written.c2);
    return written;
}

void SheetView::clearSelectedValues()
{
    Sheet* s = liveSheet();
    if (!s || isReadOnly())
        return;
    // Cell by selected block: a Ctrl-click selection must not clear the cells between its parts.
    std::vector<CellRange> blocks;
    for (const QItemSelectionRange& part : selectionModel()->selection()) {
        const CellRange r =
            editablePart({part.top() + 1, part.left() + 1, part.bottom() + 1, part.right() + 1});
        if (!r.isEmpty())
            blocks.push_back(r);
    }
    if (selectionModel()->selection().isEmpty()) {
        const CellRange r = editablePart(selectedRange());
        if (!r.isEmpty())
            blocks.push_back(r);
    }
    if (blocks.empty())
        return;
    document_->editCells(blocks, [&] {
        for (const CellRange& r : blocks)
            s->clearRange(r.r1, r.c1, r.r2, r.c2, ClearWhat::Values);
    });
}

void SheetView::insertSelectedRows()
{
    Sheet* s = liveSheet();
    const CellRange range = selectedRange();
    if (s && !isReadOnly() && !range.isEmpty() && range.r1 > model_->headerRows())
        document_->insertRows(range.r1, range.rowCount());
}

void SheetView::deleteSelectedRows()
{
    Sheet* s = liveSheet();
    const CellRange range = selectedRange();
    if (s && !isReadOnly() && !range.isEmpty() && range.r1 > model_->headerRows())
        document_->deleteRows(range.r1, range.rowCount());
}

void SheetView::undo()
{
    if (isReadOnly())
        return;
    document_->undo();
}

void SheetView::redo()
{
    if (isReadOnly())
        return;
    document_->redo();
}

int SheetView::columnPixels(int width) const
{
    // The width of a character is that of a digit in the sheet's standard font.
    QFont standard = model_->baseFont();
    standard.setPointSize(CellFont{}.size);
    return qRound(width / 256.0 * QFontMetricsF(standard, this).horizontalAdvance(u'0'));
}

int SheetView::rowPixels(int height) const
{
    return qRound(height / 20.0 * logicalDpiY() / 72.0);
}

int SheetView::fullWidth() const
{
    const QHeaderView* rows = verticalHeader();
    return (rows->isHidden() ? 0 : rows->sizeHint().width()) + horizontalHeader()->length() +
           verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

int SheetView::usedHeight() const
{
    const Sheet* s = liveSheet();
    const int last = s ? std::max(s->lastUsedRow(), 1) - 1 : 0;
    const QHeaderView* rows = verticalHeader();
    const QHeaderView* columns = horizontalHeader();
    return (columns->isHidden() ? 0 : columns->sizeHint().height()) + rows->sectionPosition(last) +
           rows->sectionSize(last) + horizontalScrollBar()->sizeHint().height() + 2 * frameWidth();
}

int SheetView::lineHeight(int pointSize) const
{
    auto it = lineHeights_.find(pointSize);
    if (it != lineHeights_.end())
        return *it;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.font = model_->baseFont();
    option.font.setPointSize(pointSize);
    option.fontMetrics = QFontMetrics(option.font, this);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("国g");
    // A little air above and below, so that the characters do not touch the grid lines.
    const int pixels = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this)
                           .height() +
                       2 + (showGrid() ? 1 : 0);
    return *lineHeights_.insert(pointSize, pixels);
}

int SheetView::wrappedHeight(int row) const
{
    const Sheet* s = liveSheet();
    int pixels = 0;
    for (int c = 1; c <= s->maxCol(); ++c) {
        if (isColumnHidden(c - 1) || s->text(row, c).isEmpty())
            continue;
        const QModelIndex index = model_->index(row - 1, c - 1);
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.features |= QStyleOptionViewItem::WrapText;
        option.rect = QRect(0, 0, columnWidth(c - 1) - (showGrid() ? 1 : 0), 1);
        pixels = std::max(pixels, itemDelegateForIndex(index)->sizeHint(option, index).height());
    }
    return pixels + (showGrid() ? 1 : 0);
}

int SheetView::fittedRowPixels(int row) const
{
    const Sheet* s = liveSheet();
    int size = 0;
    for (int c = 1; c <= s->maxCol(); ++c)
        if (!s->columnHidden(c))
            size = std::max(size, model_->shownSize(row, c));
    int pixels = std::max(rowPixels(s->rowHeight(row)), size > 0 ? lineHeight(size) : 0);
    if (row <= headerRows_)
        pixels = std::max(pixels, wrappedHeight(row));
    return pixels;
}

bool SheetView::textCut(int row, int col) const
{
    const QModelIndex index = model_->index(row - 1, col - 1);
    return index.isValid() && textPixels(index) > visualRect(index).width();
}

int SheetView::textPixels(const QModelIndex& index) const
{
    const QFont font = model_->data(index, Qt::FontRole).value<QFont>();
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return QFontMetrics(font, this).horizontalAdvance(model_->data(index).toString()) +
           2 * margin + (showGrid() ? 1 : 0);
}

void SheetView::applyLayout()
{
    layingOut_ = true;
    applyColumns();
    layingOut_ = false;
    applyRows();
    applySpans();
    frozen_->follow();
}

void SheetView::applyColumns()
{
    const Sheet* s = liveSheet();
    if (!s)
        return;
    const int count = s->columnCount();
    appliedWidths_.resize(static_cast<std::size_t>(count), -1);
    for (int c = 1; c <= count; ++c) {
        const bool hidden = s->columnHidden(c);
        if (hidden != isColumnHidden(c - 1))
            setColumnHidden(c - 1, hidden);
        const int width = s->columnWidth(c);
        // Only changed widths are set, so that a column the user widened keeps its width.
        if (hidden || appliedWidths_[c - 1] == width)
            continue;
        setColumnWidth(c - 1, columnPixels(width));
        appliedWidths_[c - 1] = width;
    }
}

void SheetView::applyRows()
{
    const Sheet* s = liveSheet();
    if (!s || s->maxRow() == 0)
        return;
    // The most common height becomes the default section size: a section of its own costs the
    // header a pass over all rows, so only the exceptions may have one.
    std::vector<int> pixels(static_cast<std::size_t>(s->maxRow()));
    std::vector<std::pair<int, int>> counts;  // pixels, rows
    for (int r = 1; r <= s->maxRow(); ++r) {
        const int h = fittedRowPixels(r);
        pixels[r - 1] = h;
        auto it = std::find_if(counts.begin(), counts.end(), [h](auto& e) { return e.first == h; });
        if (it == counts.end())
            counts.emplace_back(h, 1);
        else
            ++it->second;
    }
    const int common =
        std::max_element(counts.begin(), counts.end(),
                         [](auto& a, auto& b) { return a.second < b.second; })->first;
    QHeaderView* header = verticalHeader();
    header->setDefaultSectionSize(common);
    if (counts.size() == 1)
        return;
    for (int r = 1; r <= s->maxRow(); ++r)
        if (pixels[r - 1] != common)
            header->resizeSection(r - 1, pixels[r - 1]);
}

void SheetView::refitRows(int r1, int r2)
{
    if (!liveSheet())
        return;
    for (int r = std::max(r1, 1); r <= std::min(r2, model_->rowCount()); ++r) {
        const int h = fittedRowPixels(r);
        if (rowHeight(r - 1) != h)
            verticalHeader()->resizeSection(r - 1, h);
    }
}

void SheetView::applySpans()
{
    clearSpans();
    const Sheet* s = liveSheet();
    if (!s || !isReadOnly())
        return;
    const int cols = s->maxCol();
    for (int r = headerRows_ + 1; r <= s->lastUsedRow(); ++r) {
        for (int c = 1; c < cols; ++c) {
            if (s->columnHidden(c) || s->text(r, c).isEmpty() || !s->text(r, c + 1).isEmpty())
                continue;
            const QModelIndex index = model_->index(r - 1, c - 1);
            if (!(model_->data(index, Qt::TextAlignmentRole).toInt() & Qt::AlignLeft))
                continue;
            const int needed = textPixels(index);
            int width = columnWidth(c - 1);
            int last = c;
            while (width < needed && last < cols && s->text(r, last + 1).isEmpty()) {
                ++last;
                if (!s->columnHidden(last))
                    width += columnWidth(last - 1);
            }
            if (last > c)
                setSpan(r - 1, c - 1, 1, last - c + 1);
            c = last;
        }
    }
}

void SheetView::cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (topLeft.row() < headerRows_)
        refitRows(topLeft.row() + 1, std::min(bottomRight.row() + 1, headerRows_));
    if (isReadOnly())
        applySpans();
}

void SheetView::columnResized()
{
    if (layingOut_)
        return;
    refitRows(1, headerRows_);
    applySpans();
}

void SheetView::moveCurrent(CursorAction action)
{
    const QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (next.isValid())
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
}

void SheetView::moveAcross(CursorAction action)
{
    const QModelIndex from = currentIndex();
    if (!from.isValid())
        return;
    if (tabRunEnd_ != from)
        tabRunColumn_ = from.column();
    moveCurrent(action);
    tabRunEnd_ = currentIndex();
}

void SheetView::moveDown()
{
    const QModelIndex from = currentIndex();
    const bool afterRun = from.isValid() && tabRunEnd_ == from;
    tabRunEnd_ = QPersistentModelIndex();
    const QModelIndex below = moveCursor(MoveDown, Qt::NoModifier);
    if (!afterRun || !below.isValid() || below.row() == from.row()) {
        moveCurrent(MoveDown);
        return;
    }
    selectionModel()->setCurrentIndex(model_->index(below.row(), tabRunColumn_),
                                      QItemSelectionModel::ClearAndSelect);
}

bool SheetView::event(QEvent* event)
{
    // Claim the clipboard keys before a window's shortcuts see them, when they are ours.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isClipboardKey(key) || (!isReadOnly() && isUndoKey(key))) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

bool SheetView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QRect cell = visualRect(index);
    if (index.isValid() && !model_->data(index).toString().isEmpty() &&
        (index.row() < headerRows_ || textCut(index.row() + 1, index.column() + 1)))
        QToolTip::showText(help->globalPos(), model_->data(index).toString(), viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

void SheetView::keyPressEvent(QKeyEvent* event)
{
    if (isUndoKey(event) && !isReadOnly()) {
        if (isRedoKey(event))
            redo();
        else
            undo();
        return;
    }
    if (isClipboardKey(event)) {
        if (event->matches(QKeySequence::Copy))
            copy();
        else if (event->matches(QKeySequence::Paste))
            paste();
        else
            cut();
        return;
    }
    if (state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Delete:
            clearSelectedValues();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Left to the base class, Enter would pass on to the dialog's default button.
            moveDown();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void SheetView::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        emit keyReleased(event->key(), event->modifiers());
    QTableView::keyReleaseEvent(event);
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() != Qt::LeftButton) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    QWidget* focusBefore = window()->focusWidget();
    emit cellDoubleClicked(index.row() + 1, index.column() + 1);
    // A window that answered with an editor of its own (a drop-down, or a box that took the
    // focus) keeps the grid's editor shut.
    const QList<SheetDropDown*> dropDowns = viewport()->findChildren<SheetDropDown*>();
    const bool taken =
        std::any_of(dropDowns.begin(), dropDowns.end(), [](auto* d) { return d->isVisible(); }) ||
        window()->focusWidget() != focusBefore;
    if (taken)
        event->accept();
    else
        QTableView::mouseDoubleClickEvent(event);
}

bool SheetView::focusNextPrevChild(bool next)
{
    // Tab on the grid moves right and Shift+Tab left, without wrapping to the next row.
    if (!hasFocus() || !tabKeyNavigation())
        return QTableView::focusNextPrevChild(next);
    moveAcross(next ? MoveRight : MoveLeft);
    return true;
}

void SheetView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The delegate's hints open the next cell's editor; a spreadsheet commits and only moves.
    switch (hint) {
    case QAbstractItemDelegate::SubmitModelCache:
        QTableView::closeEditor(editor, hint);
        moveDown();
        return;
    case QAbstractItemDelegate::EditNextItem:
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveAcross(MoveRight);
        return;
    case QAbstractItemDelegate::EditPreviousItem:
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveAcross(MoveLeft);
        return;
    default:
        QTableView::closeEditor(editor, hint);
    }
}

void SheetView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    // A cell brought into view must not lie under the frozen headings.
    if (!index.isValid() || index.row() < headerRows_)
        return;
    QScrollBar* bar = verticalScrollBar();
    while (bar->value() > 0 && visualRect(index).top() < frozen_->coveredHeight())
        bar->setValue(bar->value() - 1);
}

void SheetView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        appliedWidths_.clear();
        lineHeights_.clear();
        model_->setBaseFont(font());
        if (frozen_)
            frozen_->follow();
    }
}

}  // namespace vel::gui
