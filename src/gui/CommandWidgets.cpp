#include "CommandWidgets.h"

#include "Guarded.h"
#include "grid/SheetView.h"

#include <QMenu>
#include <QProgressBar>
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

QProgressBar* workProgressBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFixedHeight(10);
    bar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid palette(mid); border-radius: 4px; background: transparent; }"
        "QProgressBar::chunk { background: palette(highlight); border-radius: 3px; }"));
    return bar;
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
