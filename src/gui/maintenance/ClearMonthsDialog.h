#pragma once

#include "maintenance/Clearing.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace vel {
class Session;
}

namespace vel::gui {

// "清空从业人员选项" and "清空工资数据选项": all monthly data of the kind, or the last month entered.
class ClearMonthsDialog : public QDialog {
    Q_OBJECT
public:
    // kind is ClearKind::MonthlyStaff or ClearKind::Wages.
    ClearMonthsDialog(Session& session, ClearKind kind, QWidget* parent = nullptr);

    QRadioButton* allChoice() const { return all_; }
    QRadioButton* lastChoice() const { return last_; }
    QComboBox* monthBox() const { return months_; }

    // "确定": asks, clears the chosen data and closes; without a choice it says so and stays.
    void confirm();

private:
    Session& session_;
    ClearKind kind_;
    QRadioButton* last_ = nullptr;
    QRadioButton* all_ = nullptr;
    QComboBox* months_ = nullptr;
};

}  // namespace vel::gui
