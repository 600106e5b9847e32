#pragma once

#include "staff/StaffSheetWindow.h"

class QLabel;
class QPushButton;

namespace vel::gui {

// The roster of one month: taken over from the opening roster or the month before, edited in
// the staff sheet, audited and stored as the month's rows.
class MonthlyRosterWindow : public StaffSheetWindow {
    Q_OBJECT
public:
    MonthlyRosterWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    int month() const { return month_; }
    bool editing() const;

    void reload() override;
    void toggleEdit();
    // "从期初导入" (month 0) and "从上一月导入" (the month before).
    void takeOver(int fromMonth);
    void save() override;
    void showErrors();
    void deleteInBatch();
    void checkIndividually();
    void checkDuplicates();

private:
    void showEditHint();

    int month_;
    QLabel* status_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* fromOpening_ = nullptr;
    QPushButton* fromPrevious_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* batchDelete_ = nullptr;
    QPushButton* showErrors_ = nullptr;
    QPushButton* individual_ = nullptr;
};

}  // namespace vel::gui
