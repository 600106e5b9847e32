#pragma once

#include "WindowContext.h"

#include <QDialog>

class QLabel;

namespace vel::gui {

class StaffSheetPanel;

// The rows of one roster that failed the audit, corrected in the staff sheet and written back
// in place.
class ErrorCorrectionWindow : public QDialog {
    Q_OBJECT
public:
    ErrorCorrectionWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    StaffSheetPanel* panel() const { return panel_; }
    // Loads and audits the failed rows; false (after "无错误信息。") when there are none.
    bool start();
    // "显示错误": the failed rows again, audited; false (after "无错误信息。") when none is left.
    bool showErrors();
    // "生成代码/审核/保存".
    void save();

private:
    int loadFailedRows();

    WindowContext context_;
    int month_;
    StaffSheetPanel* panel_ = nullptr;
    QLabel* count_ = nullptr;
};

// Opens the window modally for the month's failed rows; says "无错误信息。" instead when there
// are none.
void openErrorCorrection(const WindowContext& context, int month, QWidget* parent);

}  // namespace vel::gui
