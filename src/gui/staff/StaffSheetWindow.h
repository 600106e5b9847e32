#pragma once

#include "CommandWidgets.h"
#include "WindowContext.h"
#include "db/ReadStamp.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheet.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace vel::gui {

class StaffSheetPanel;

// What the roster windows share: the staff sheet, loading it when first shown, running the
// opener's save from the find/replace window, and never dropping unsaved edits (its view's
// document) unasked.
class StaffSheetWindow : public QDialog {
    Q_OBJECT
public:
    StaffSheetPanel* panel() const { return panel_; }
    bool hasUnsavedChanges() const;

    // Fills the sheet from the database.
    virtual void reload() = 0;
    // The window's "生成代码/审核/保存" or "保存".
    virtual void save() = 0;

protected:
    StaffSheetWindow(const WindowContext& context, StaffTemplate layout, QWidget* parent);

    QPushButton* makeButton(const QString& caption, const char* name, std::function<void()> command)
    {
        return commandButton(this, caption, name, std::move(command));
    }
    // Changes made by the window itself, not by the clerk, in one batch of sheet updates: they
    // leave the sheet as saved or unsaved as it was.
    void quietly(const std::function<void()>& change);
    // The sheet holds what is stored, or what the clerk has still to store.
    void markSaved();
    void markEdited();
    // A child window reloads the sheet afterwards: unsaved edits would go.
    bool mayDropEdits();
    // "从文件导入": the file dialog; empty when the clerk cancelled.
    QString chooseRosterFile();
    // A roster file's people into the sheet unsaved, checked by `pass` for the clerk to review
    // and store; asks first when the sheet shows people. Returns how many came in, 0 when none.
    int importRosterFile(const QString& path, const StaffPass& pass);

    void showEvent(QShowEvent* event) override;
    void reject() override;

    WindowContext context_;
    StaffSheetPanel* panel_ = nullptr;
    // Taken at every load; a save goes through it.
    ReadStamp read_;

private:
    bool shownOnce_ = false;
};

}  // namespace vel::gui
