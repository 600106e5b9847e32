#include "SheetDropDown.h"

#include <QKeyEvent>

namespace vel::gui {

SheetDropDown::SheetDropDown(const QString& name, QWidget* parent) : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    hide();
    connect(this, &QListWidget::itemClicked, this, &SheetDropDown::choose);
}

void SheetDropDown::setItems(const QStringList& items)
{
    clear();
    addItems(items);
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
