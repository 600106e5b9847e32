#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <utility>

class QProgressBar;
class QPushButton;
class QWidget;

namespace vel::gui {

class SheetView;

// A button whose command runs guarded: a core failure shows the standard error box.
QPushButton* commandButton(QWidget* owner, const QString& caption, const char* name,
                           std::function<void()> command);

// The bar that long work advances: slim, so that while idle it does not pass for an input box.
QProgressBar* workProgressBar(QWidget* parent);

using MenuItems = std::initializer_list<std::pair<QString, std::function<void()>>>;
// The sheet's context menu, each item run guarded.
void setSheetMenu(SheetView* view, MenuItems items);

}  // namespace vel::gui
