#pragma once

#include "WindowContext.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vel::gui {

class StaffSheetPanel;

// The roster of one month: taken over from the opening roster or the month before, edited in
// the staff sheet, audited and stored as the month's rows.
class MonthlyRosterWindow : public QDialog {
    Q_OBJECT
public:
    MonthlyRosterWindow(const WindowContext& context, int month, QWidget* parent = nullptr);

    int month() const { return month_; }
    StaffSheetPanel* panel() const { return panel_; }
    bool hasUnsavedChanges() const { return dirty_; }
    bool editing() const;

    void reload();
    void toggleEdit();
    // "从期初导入" (month 0) and "从上一月导入" (the month before).
    void takeOver(int fromMonth);
    void save();
    void showErrors();
    void deleteInBatch();
    void checkIndividually();
    void checkDuplicates();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    bool mayDropEdits();
    template <class F>
    void quietly(F&& change);

    WindowContext context_;
    int month_;
    StaffSheetPanel* panel_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* fromOpening_ = nullptr;
    QPushButton* fromPrevious_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* batchDelete_ = nullptr;
    QPushButton* showErrors_ = nullptr;
    QPushButton* individual_ = nullptr;
    bool shownOnce_ = false;
    bool dirty_ = false;
    bool busy_ = false;
};

}  // namespace vel::gui
