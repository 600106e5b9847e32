#pragma once

#include "CommandWidgets.h"

#include "WindowContext.h"
#include "db/ReadStamp.h"
#include "monthly/WageSheet.h"
#include "sheet/Sheet.h"

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <utility>

class QLabel;
class QPushButton;

namespace vel::gui {

class SheetView;

// The large centred title above a monthly sheet.
QLabel* sheetTitle(const QString& text, QWidget* parent);

// What the three wage sheet windows share: one month's wage sheet in its grid, buttons and a
// context menu that run core commands, and unsaved edits (its view's document) never dropped
// unasked.
class WageSheetWindow : public QDialog {
    Q_OBJECT
public:
    Sheet& sheet() { return sheet_; }
    SheetView* view() const { return view_; }
    bool hasUnsavedChanges() const;

    // Closing asks before unsaved edits go.
    void reject() override;

protected:
    WageSheetWindow(const WindowContext& context, int month, WageTemplate layout, QWidget* parent);

    QPushButton* makeButton(const QString& caption, const char* name, std::function<void()> command)
    {
        return commandButton(this, caption, name, std::move(command));
    }
    void setSheetMenu(MenuItems items) { gui::setSheetMenu(view_, items); }
    // Changes made by the window itself, not by the clerk: they leave the sheet as saved or
    // unsaved as it was.
    void quietly(const std::function<void()>& change);
    void markSaved();
    // Asked before the sheet is reloaded over unsaved edits.
    bool mayDropEdits();
    // The core progress callback on the main window's bar.
    Progress progress() const;

    WindowContext context_;
    const int month_;
    // Taken at every load; a write goes through it.
    ReadStamp read_;

private:
    Sheet sheet_;
    SheetView* view_ = nullptr;
};

}  // namespace vel::gui
