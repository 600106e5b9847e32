#pragma once

#include "sheet/Sheet.h"

#include <QObject>

#include <functional>
#include <vector>

class QUndoStack;
class QWidget;

namespace vel {
class SheetEdit;
}

namespace vel::gui {

class SheetModel;

// The clerk's edits of one sheet: every change made through its view (typing, the drop-downs,
// paste, cut, clear, rows inserted or deleted, and what a window runs through editCells) is one
// undo step, and the sheet is unsaved while the undo stack is away from its clean state. Any
// other change of a cell's text leaves no step that could be taken back exactly, so it empties
// the stack; made by the window itself (quietly: a load, a save's marks) it leaves the sheet as
// saved or unsaved as it was, otherwise (an import, a child window's write) the sheet is unsaved.
class SheetDocument : public QObject {
    Q_OBJECT
public:
    explicit SheetDocument(SheetModel& model, QObject* parent = nullptr);

    QUndoStack* undoStack() const { return undo_; }
    bool isModified() const;
    // The sheet holds what is stored, or what the clerk has still to store.
    void markSaved();
    void markEdited();
    // Runs the window's own change of the sheet: no step, and no edit of the clerk's.
    void quietly(const std::function<void()>& change);

    // Asked before unsaved edits go: true when there are none or the clerk lets them go, to go on
    // with a command (mayDropEdits) or to close the window (mayClose).
    bool mayDropEdits(QWidget* asker) const;
    bool mayClose(QWidget* asker) const;

    // Runs a change of the clerk's as one undo step; it alters no cell outside `areas`.
    void editCells(const std::vector<CellRange>& areas, const std::function<void()>& change);
    // Empty whole rows at `row`, or `count` rows removed; the rows below shift. One step each.
    void insertRows(int row, int count);
    void deleteRows(int row, int count);
    void undo();
    void redo();

signals:
    // An undo or redo changed the sheet within `area`.
    void replayed(const CellRange& area);

private:
    // Makes a row change and keeps it as one step.
    void record(const std::function<SheetEdit(Sheet&)>& change);
    void push(SheetEdit edit);
    void replay(const SheetEdit& edit, bool undo);
    // A change no step recorded; only a change of text outdates the steps.
    void changedUnrecorded(bool textChanged);
    void forgetSteps();

    SheetModel& model_;
    QUndoStack* undo_;
    bool recording_ = false;
    int quiet_ = 0;  // depth of quietly
};

}  // namespace vel::gui
