#pragma once

#include "WindowContext.h"
#include "monthly/PayoutList.h"
#include "sheet/Sheet.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace vel::gui {

class SheetView;

// "选择输出期限": the first and last month of the payout list, from the months that have a
// monthly roster.
class PayoutChooser : public QDialog {
    Q_OBJECT
public:
    PayoutChooser(const std::vector<int>& months, QWidget* parent = nullptr);

    QComboBox* firstBox() const { return first_; }
    QComboBox* lastBox() const { return last_; }
    // The chosen months; 0 for a text that is no month number.
    int first() const;
    int last() const;

    // "输 出": closes the chooser with a valid range; otherwise says why and stays.
    void output();

private:
    QComboBox* first_ = nullptr;
    QComboBox* last_ = nullptr;
};

// Every person's monthly totals over the chosen months with the sums, read-only.
class PayoutWindow : public QDialog {
    Q_OBJECT
public:
    PayoutWindow(const WindowContext& context, int first, int last, const PayoutList& list,
                 QWidget* parent = nullptr);

    Sheet& sheet() { return sheet_; }
    SheetView* view() const { return view_; }

    // "打印" and "导出PDF": the list as shown, under its title and date.
    void print();
    void exportPdf();

private:
    WindowContext context_;
    Sheet sheet_;
    SheetView* view_ = nullptr;
    QString pdfName_;
    LaidOutSheet printed_;
};

// "工资发放清单" once the unit is registered: the chooser, then the list for the chosen months.
// Says "没有输入月工资信息！" instead when no month has a roster.
void openPayout(const WindowContext& context, QWidget* parent);

}  // namespace vel::gui
