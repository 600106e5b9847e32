#pragma once

#include "monthly/WageSheetWindow.h"

#include <functional>

class QLabel;

namespace vel::gui {

// One month's wages: the month's roster imported, the four parts typed or pasted, then checked
// against the roster and the bounds, totalled and stored whole. Read-only until "编辑".
class WageEntryWindow : public WageSheetWindow {
    Q_OBJECT
public:
    WageEntryWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    bool editing() const;

    // The stored month, read-only: what opening shows and what the review windows leave behind.
    void reload();
    // "编辑" / "取消".
    void toggleEdit();
    // "导入本月名册".
    void importRoster();
    // "从文件导入" once the file is chosen: its wages in the sheet, unsaved, read as `wages import`
    // reads them.
    void importFile(const QString& path);
    // "导入上一月": last month's wages for this month's roster, into the sheet unsaved.
    void carryPrevious();
    // "检查/合计/存储".
    void store();
    // "显示错误".
    void showErrors();
    // "姓名编号查重".
    void checkDuplicates();

signals:
    // "核实名册": the month's roster window, modeless beside this one.
    void rosterRequested();

private:
    void setEditing(bool editing);
    void setCount(int n);

    QLabel* count_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* fromFile_ = nullptr;
    QPushButton* carry_ = nullptr;
    QPushButton* store_ = nullptr;
    QPushButton* duplicates_ = nullptr;
};

// Opens the month's wage sheet modally, after the main window's checks passed. `connectWindow`
// runs before it shows: the place to connect rosterRequested.
void openWageEntry(const WindowContext& context, int month, QWidget* parent,
                   const std::function<void(WageEntryWindow&)>& connectWindow = {});

}  // namespace vel::gui
