#include "SheetDropDown.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace vel::gui {

SheetDropDown::SheetDropDown(const QString& name, QWidget* parent) : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // it is made wide enough instead
    hide();
    connect(this, &QListWidget::itemClicked, this, &SheetDropDown::choose);
}

void SheetDropDown::setItems(const QStringList& items)
{
    clear();
    addItems(items);
}

int SheetDropDown::fullWidth(int height) const
{
    if (count() == 0)
        return 0;
    const int frame = 2 * frameWidth();
    int width = sizeHintForColumn(0) + frame;
    if (count() * sizeHintForRow(0) + frame > height)
        width += verticalScrollBar()->sizeHint().width();
    return width;
}

void SheetDropDown::linkToCell(int row, int col)
{
    row_ = row;
    col_ = col;
}

void SheetDropDown::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentItem())
            choose(currentItem());
        return;
    case Qt::Key_Escape:
        // The sheet takes the focus before the list hides, or Qt would pass it down the chain.
        emit dismissed();
        hide();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void SheetDropDown::focusInEvent(QFocusEvent* event)
{
    // Qt makes the first item current on focus; shown with no item chosen, Enter must choose none.
    const bool none = currentRow() < 0;
    QListWidget::focusInEvent(event);
    if (none)
        setCurrentRow(-1);
}

void SheetDropDown::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    hide();
}

void SheetDropDown::choose(QListWidgetItem* item)
{
    emit chosen(row_, col_, item->text());
    hide();
}

}  // namespace vel::gui
