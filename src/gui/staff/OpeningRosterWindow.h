#pragma once

#include "WindowContext.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vel::gui {

class StaffSheetPanel;

// The whole opening roster in the staff sheet: typed or pasted, coded, audited and stored as
// month 0. Opened with WorkMon "0" for entry, or with WorkMon empty as the roster list.
class OpeningRosterWindow : public QDialog {
    Q_OBJECT
public:
    explicit OpeningRosterWindow(const WindowContext& context, QWidget* parent = nullptr);

    StaffSheetPanel* panel() const { return panel_; }
    bool hasUnsavedChanges() const { return dirty_; }

    // Loads every stored row, audits them for display and sets the mode from WorkMon.
    void reload();
    // "生成代码/审核/保存".
    void save();
    // "仅显示错误".
    void showErrorsOnly();
    // "姓名编号查重".
    void checkDuplicates();
    // "清空".
    void clear();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void setEntryMode(bool entry);
    void setCount(int n);
    void setStatus(const QString& text);
    // A child window reloads the sheet from the database afterwards: unsaved edits would go.
    bool mayDropEdits();
    template <class F>
    void quietly(F&& change);

    WindowContext context_;
    StaffSheetPanel* panel_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* readHelp_ = nullptr;
    QPushButton* errorsOnly_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* duplicates_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* close_ = nullptr;
    bool shownOnce_ = false;
    bool dirty_ = false;
    bool busy_ = false;
};

}  // namespace vel::gui
