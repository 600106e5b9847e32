#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QStatusBar;
class QTableWidget;

namespace vel::gui {

class MainWindow;

// "人员基本信息": the staff records of any month, read-only, with a name search.
class StaffBrowserWindow : public QWidget {
    Q_OBJECT
public:
    explicit StaffBrowserWindow(MainWindow& main);

    QListWidget* monthList() const { return months_; }
    QLineEdit* findBox() const { return find_; }
    QTableWidget* grid() const { return grid_; }
    QString statusText() const;

    // Unit lines and month list from the database; keeps the month shown when it is still there.
    void refresh();
    // The selected month, filtered by the find box's text when it holds one.
    void showMonth();

protected:
    void changeEvent(QEvent* event) override;

private:
    int selectedMonth() const;

    MainWindow& main_;
    QLabel* unitLines_[4] = {};
    QListWidget* months_ = nullptr;
    QLineEdit* find_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QStatusBar* status_ = nullptr;
};

// "人员基本情况": opens the browser beside the main window, maximised; one at a time.
void openStaffBrowser(MainWindow& main);

}  // namespace vel::gui
