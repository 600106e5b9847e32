#pragma once

#include "staff/StaffSheetWindow.h"

class QLabel;
class QPushButton;

namespace vel::gui {

enum class OpeningRosterMode {
    Entry,       // the entry commands
    RosterList,  // "人员名册": the submission file instead of the entry commands
};

// The whole opening roster in the staff sheet: typed or pasted, coded, audited and stored as
// month 0.
class OpeningRosterWindow : public StaffSheetWindow {
    Q_OBJECT
public:
    explicit OpeningRosterWindow(const WindowContext& context,
                                 OpeningRosterMode mode = OpeningRosterMode::Entry,
                                 QWidget* parent = nullptr);

    // Loads every stored row and audits them for display. The roster-list mode holds for the
    // first load only: every later one shows the entry commands.
    void reload() override;
    // "生成代码/审核/保存".
    void save() override;
    // "仅显示错误".
    void showErrorsOnly();
    // "姓名编号查重".
    void checkDuplicates();
    // "清空".
    void clear();
    // "从文件导入" once the file is chosen: its people in the sheet, unsaved.
    void importFile(const QString& path);
    // "过录表上报": the stored opening roster as the authority's file; closes the window.
    void submitRoster();

private:
    void setEntryMode(bool entry);
    OpeningRosterMode firstMode_;
    void setCount(int n);
    void setStatus(const QString& text);
    QLabel* title_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* readHelp_ = nullptr;
    QPushButton* errorsOnly_ = nullptr;
    QPushButton* fromFile_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* duplicates_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* submit_ = nullptr;
};

}  // namespace vel::gui
