#pragma once

#include <QRect>

class QApplication;
class QWidget;

namespace vel::gui {

class SheetView;

// A sheet to type in keeps the height its window gives it; a computed list or form is read whole.
enum class FitHeight { Keep, UsedRows };

// Sizes the window each time it shows, before it is placed: wide enough for every shown column
// of its sheet where it has one, tall enough for its rows if asked, never larger than the screen.
void fitOnShow(QWidget* window, const SheetView* sheet = nullptr,
               FitHeight height = FitHeight::Keep);

// The window's frame, title bar included; before the window system framed it (and on a platform
// that frames nothing), where the usual title bar and borders would go.
QRect framedGeometry(const QWidget* window);

// A window that no dialog places: no larger than the screen, its frame centred over `over` (or
// the screen) and wholly inside the screen's free area.
void placeOver(QWidget* window, const QWidget* over);

// The width at which the window system shows the window's whole title beside its icon and
// buttons.
int titleRoom(const QWidget* window);
// Once at start: every window is made that wide as it shows.
void keepTitlesWhole(QApplication& app);

}  // namespace vel::gui
