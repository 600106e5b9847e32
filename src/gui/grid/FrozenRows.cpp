#include "FrozenRows.h"

#include "SheetView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace vel::gui {

FrozenRows::FrozenRows(SheetView* grid) : QTableView(grid), grid_(grid)
{
    setObjectName("frozenRows");
    setModel(grid->model());
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(grid->horizontalScrollMode());
    setWordWrap(true);  // headings wrap, as in the grid
    setTextElideMode(grid->textElideMode());
    horizontalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    hide();

    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, &FrozenRows::follow);
    connect(grid->verticalHeader(), &QHeaderView::sectionResized, this, [this](int row) {
        if (row < grid_->headerRows())
            follow();
    });
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &FrozenRows::follow);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { horizontalScrollBar()->setValue(value); });
    grid->viewport()->installEventFilter(this);
}

int FrozenRows::coveredHeight() const
{
    return isHidden() ? 0 : height();
}

int FrozenRows::headingsHeight() const
{
    int pixels = 0;
    for (int r = 0; r < grid_->headerRows(); ++r)
        if (!grid_->isRowHidden(r))
            pixels += grid_->rowHeight(r);
    return pixels;
}

void FrozenRows::follow()
{
    // Shown only while the headings are scrolled out of the grid.
    const int rows = std::min(grid_->headerRows(), model()->rowCount());
    if (rows == 0 || grid_->verticalScrollBar()->value() == 0) {
        hide();
        return;
    }
    for (int c = 0; c < model()->columnCount(); ++c) {
        const bool hidden = grid_->isColumnHidden(c);
        if (isColumnHidden(c) != hidden)
            setColumnHidden(c, hidden);
        if (!hidden && columnWidth(c) != grid_->columnWidth(c))
            setColumnWidth(c, grid_->columnWidth(c));
    }
    for (int r = 0; r < rows; ++r) {
        if (isRowHidden(r) != grid_->isRowHidden(r))
            setRowHidden(r, grid_->isRowHidden(r));
        if (rowHeight(r) != grid_->rowHeight(r))
            setRowHeight(r, grid_->rowHeight(r));
    }
    if (font() != grid_->font())
        setFont(grid_->font());
    QHeaderView* numbers = grid_->verticalHeader();
    verticalHeader()->setVisible(!numbers->isHidden());
    verticalHeader()->setFixedWidth(numbers->width());

    const QRect port = grid_->viewport()->geometry();
    const int left = numbers->isHidden() ? port.left() : numbers->geometry().left();
    show();
    raise();
    setGeometry(left, port.top(), port.right() + 1 - left, std::min(headingsHeight(), port.height()));
    updateGeometries();
    horizontalScrollBar()->setValue(grid_->horizontalScrollBar()->value());
}

bool FrozenRows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_->viewport() && event->type() == QEvent::Resize)
        follow();
    return QTableView::eventFilter(watched, event);
}

void FrozenRows::wheelEvent(QWheelEvent* event)
{
    // The headings do not scroll: the grid under them does.
    QCoreApplication::sendEvent(grid_->viewport(), event);
}

}  // namespace vel::gui
