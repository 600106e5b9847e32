#include "CommandWidgets.h"

#include "Guarded.h"
#include "grid/SheetDocument.h"
#include "grid/SheetView.h"

#include <QMenu>
#include <QProgressBar>
#include <QUndoStack>
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
    if (!view->isReadOnly())
        addUndoItems(menu, view);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view,
                     [view, menu](const QPoint& at) { menu->popup(view->viewport()->mapToGlobal(at)); });
}

void addUndoItems(QMenu* menu, SheetView* view)
{
    menu->addSeparator();
    QAction* undo = menu->addAction(QStringLiteral("撤销"), view, [view] { runCommand(view, [view] { view->undo(); }); });
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = menu->addAction(QStringLiteral("恢复"), view, [view] { runCommand(view, [view] { view->redo(); }); });
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    // The keys belong to the grid; the menu only names them.
    for (QAction* a : {undo, redo})
        a->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(menu, &QMenu::aboutToShow, view, [view, undo, redo] {
        undo->setEnabled(!view->isReadOnly() && view->document()->undoStack()->canUndo());
        redo->setEnabled(!view->isReadOnly() && view->document()->undoStack()->canRedo());
    });
}

}  // namespace vel::gui
