#pragma once

#include "monthly/WageSheetWindow.h"

class QLabel;

namespace vel::gui {

// The month's wage rows that failed a check, corrected and written back by their ids; it closes
// once none is left.
class WageErrorWindow : public WageSheetWindow {
    Q_OBJECT
public:
    WageErrorWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    // "检查/合计/保存".
    void save();
    // "工资审核性错误 [确认]".
    void confirmBounds();
    // Pop-up "删除": the stored row shown on sheet row `row`.
    void deleteRow(int row);
    // "导出名单".
    void exportList();

private:
    // The failed rows again; the window closes when none is left.
    void reload();

    QLabel* count_ = nullptr;
};

}  // namespace vel::gui
