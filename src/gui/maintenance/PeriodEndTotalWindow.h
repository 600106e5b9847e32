#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vel {
class Session;
}

namespace vel::gui {

class MainWindow;

// "期末从业人员总数设置": the unit's period-end number of staff, typed in.
class PeriodEndTotalWindow : public QDialog {
    Q_OBJECT
public:
    explicit PeriodEndTotalWindow(Session& session, QWidget* parent = nullptr);

    QLineEdit* totalBox() const { return total_; }
    // "设定": stores the total and closes; an illegal number is refused and the window stays.
    void store();

private:
    Session& session_;
    QLineEdit* total_ = nullptr;
    QLabel* warning_ = nullptr;
};

// The hidden command "期末从业人员总数设置": a registered unit, then the total counted from the
// staff table or typed into the window.
void periodEndTotalCommand(MainWindow& main);

}  // namespace vel::gui
