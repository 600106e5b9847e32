#pragma once

#include <QTableView>

namespace vel::gui {

class SheetView;

// The heading rows of a sheet kept in view while its rows scroll, as a spreadsheet freezes
// panes: a second view of the same cells laid over the top of the grid once the headings
// scroll away. It follows the grid's widths, heights, fonts and sideways scrolling; it takes
// no focus and edits nothing.
class FrozenRows : public QTableView {
    Q_OBJECT
public:
    explicit FrozenRows(SheetView* grid);

    // The height the shown headings cover; 0 while they are not shown.
    int coveredHeight() const;
    // Again after the grid's layout, heading rows or scroll position changed.
    void follow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int headingsHeight() const;

    SheetView* grid_;
};

}  // namespace vel::gui
