#pragma once

class QWidget;

namespace vel::gui {

class SheetView;

// A sheet to type in keeps the height its window gives it; a computed list or form is read whole.
enum class FitHeight { Keep, UsedRows };

// Sizes the window each time it shows, before it is placed: wide enough for every shown column
// of its sheet where it has one, tall enough for its rows if asked, never larger than the screen.
void fitOnShow(QWidget* window, const SheetView* sheet = nullptr,
               FitHeight height = FitHeight::Keep);

}  // namespace vel::gui
