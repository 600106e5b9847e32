#pragma once

#include "sheet/Sheet.h"
#include "staff/StaffSheet.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QMenu;

namespace vel {
class Session;
}

namespace vel::gui {

class SheetDropDowns;
class SheetView;

// The staff sheet as the three roster windows show it: the grid with its template, the editors
// a double-click opens (name box, year and month boxes, the answer drop-downs), and the context
// menu. The window around it loads, audits and stores.
class StaffSheetPanel : public QWidget {
    Q_OBJECT
public:
    StaffSheetPanel(Session& session, StaffTemplate layout, QWidget* parent = nullptr);

    Sheet& sheet() { return sheet_; }
    SheetView* view() const { return view_; }
    // The answer drop-downs, by the names of the template's editors.
    SheetDropDowns* dropDowns() const { return dropDowns_; }
    StaffClass staffClass() const;

    // Template rows, widths and shown columns for the unit's class.
    void applyLayout();
    // Drop-down items from the loaded code lists; the year box starts again at 1942.
    void fillLists();
    void hideEditors();
    // The active cell goes to row r, column c.
    void goToCell(int row, int col);

    // Context menu and editors, exposed for keyboard-free use and tests.
    void editCell(int row, int col);
    void pasteWithRule();

signals:
    void rowsInserted();
    void rowsDeleted();
    void pasted();
    void findReplaceRequested();

private:
    void buildEditors();
    void buildContextMenu();
    void placeOver(QWidget* editor, int row, int col, int width);
    void commitName();
    // The name box or the date boxes write the edit cell, as one undo step.
    void writeEditCell(const QString& text);
    void monthChosen();

    Session& session_;
    StaffTemplate layout_;
    Sheet sheet_;
    SheetView* view_ = nullptr;
    SheetDropDowns* dropDowns_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QComboBox* yearBox_ = nullptr;
    QComboBox* monthBox_ = nullptr;
    QMenu* menu_ = nullptr;
    int editRow_ = 0;
    int editCol_ = 0;
};

}  // namespace vel::gui
