#pragma once

#include "WindowContext.h"
#include "reports/YearOverview.h"
#include "sheet/Sheet.h"

#include <QDialog>

class QChart;

namespace vel::gui {

class SheetView;

// "全年概况": the thirteen months in a table beside charts of head count and wage total. A month
// with problems is marked red; double-clicking a month opens its window, and the table is
// computed again when that window closes.
class YearOverviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit YearOverviewWindow(const WindowContext& context, QWidget* parent = nullptr);

    Sheet& sheet() { return sheet_; }
    SheetView* view() const { return view_; }
    const YearOverview& overview() const { return overview_; }

    void refresh();
    // "打印" and "导出PDF": the table as shown.
    void print();
    void exportPdf();
    // The window of the month shown on sheet row `row` (row 2 is the opening roster).
    void openMonth(int row);

private:
    void fillCharts();

    WindowContext context_;
    YearOverview overview_;
    Sheet sheet_;
    SheetView* view_ = nullptr;
    QChart* heads_ = nullptr;
    QChart* wages_ = nullptr;
};

}  // namespace vel::gui
