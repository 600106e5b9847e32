#pragma once

#include "sheet/Sheet.h"

#include <QObject>

#include <vector>

namespace vel::gui {

class SheetDropDown;
class SheetView;

// The named drop-downs a window lays over cells of its sheet view: at most one shows, it follows
// the cells as the view scrolls or resizes, and a choice is the clerk's edit of the linked cell.
class SheetDropDowns : public QObject {
    Q_OBJECT
public:
    explicit SheetDropDowns(SheetView& view);

    // Hidden until shown.
    SheetDropDown* add(const QString& name, const QStringList& items = {});
    SheetDropDown* find(const QString& name) const;
    // Lays the drop-down over `area` with no item chosen, links it to the area's top left cell
    // and gives it the focus; any other drop-down hides.
    void show(SheetDropDown* dropDown, const CellRange& area);
    void hideAll();

private:
    void place();
    void chosen(int row, int col, const QString& text);

    SheetView& view_;
    std::vector<SheetDropDown*> dropDowns_;
    SheetDropDown* shown_ = nullptr;
    CellRange area_;
};

}  // namespace vel::gui
