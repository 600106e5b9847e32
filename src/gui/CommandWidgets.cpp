#include "CommandWidgets.h"

#include "Guarded.h"
#include "grid/SheetView.h"

#include <QMenu>
#include <QPushButton>

namespace vel::gui {

QPushButton* commandButton(QWidget* owner, const QString& caption, const char* name,
                           std::function<void()> command)
{
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(name);
    QObject::connect(b, &QPushButton::clicked, owner,
                     [owner, command = std::move(command)] { runCommand(owner, command); });
    return b;
}

void setSheetMenu(SheetView* view, MenuItems items)
{
    auto* menu = new QMenu(view);
    for (const auto& [caption, command] : items)
        menu->addAction(caption, view, [view, command = command] { runCommand(view, command); });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view,
                     [view, menu](const QPoint& at) { menu->popup(view->viewport()->mapToGlobal(at)); });
}

}  // namespace vel::gui
