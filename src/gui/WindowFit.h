#pragma once

class QWidget;

namespace vel::gui {

class SheetView;

// Sizes the window each time it shows, before it is placed: wide enough for every shown column
// of its sheet where it has one, and never larger than the screen.
void fitOnShow(QWidget* window, const SheetView* sheet = nullptr);

}  // namespace vel::gui
