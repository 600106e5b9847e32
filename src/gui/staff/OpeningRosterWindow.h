#pragma once

#include "staff/StaffSheetWindow.h"

class QLabel;
class QPushButton;

namespace vel::gui {

// The whole opening roster in the staff sheet: typed or pasted, coded, audited and stored as
// month 0. Opened with WorkMon "0" for entry, or with WorkMon empty as the roster list.
class OpeningRosterWindow : public StaffSheetWindow {
    Q_OBJECT
public:
    explicit OpeningRosterWindow(const WindowContext& context, QWidget* parent = nullptr);

    // Loads every stored row, audits them for display and sets the mode from WorkMon.
    void reload() override;
    // "生成代码/审核/保存".
    void save() override;
    // "仅显示错误".
    void showErrorsOnly();
    // "姓名编号查重".
    void checkDuplicates();
    // "清空".
    void clear();
    // "过录表上报": the stored opening roster as the authority's file; closes the window.
    void submitRoster();

private:
    void setEntryMode(bool entry);
    void setCount(int n);
    void setStatus(const QString& text);
    QLabel* title_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* readHelp_ = nullptr;
    QPushButton* errorsOnly_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* duplicates_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* submit_ = nullptr;
};

}  // namespace vel::gui
