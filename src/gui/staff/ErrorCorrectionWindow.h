#pragma once

#include "staff/StaffSheetWindow.h"

class QLabel;

namespace vel::gui {

// The rows of one roster that failed the audit, corrected in the staff sheet and written back
// in place.
class ErrorCorrectionWindow : public StaffSheetWindow {
    Q_OBJECT
public:
    ErrorCorrectionWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    // The failed rows, a missing name number patterned: the first look.
    void reload() override;
    // "显示错误": the failed rows again; closes after "无错误信息。" when none is left.
    void showErrors();
    // "生成代码/审核/保存".
    void save() override;

private:
    int loadFailedRows();

    int month_;
    QLabel* count_ = nullptr;
};

// Opens the window modally for the month's failed rows; says "无错误信息。" instead when there
// are none.
void openErrorCorrection(const WindowContext& context, int month, QWidget* parent);

}  // namespace vel::gui
