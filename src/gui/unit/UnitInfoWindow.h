#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace vel {
class Session;
}

namespace vel::gui {

// Registers the reporting unit or changes its registration.
class UnitInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit UnitInfoWindow(Session& session, QWidget* parent = nullptr);

    void setQualificationEnabled(bool enabled);
    // "确 定": validate, confirm a change, store; closes the window once stored.
    void save();

signals:
    void saved();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void typeChosen(bool organ);
    void classChosen(int choice);
    void foundedChosen(bool newlyFounded);
    void codeBoxEdited(int box);

    Session& session_;
    QLineEdit* name_ = nullptr;
    std::array<QLineEdit*, 9> code_{};
    QRadioButton* organ_ = nullptr;
    QRadioButton* enterprise_ = nullptr;
    QButtonGroup* classGroup_ = nullptr;
    QComboBox* qualification_ = nullptr;
    QRadioButton* notNew_ = nullptr;
    QRadioButton* isNew_ = nullptr;
    QComboBox* foundingMonth_ = nullptr;
    QLineEdit* minWage_ = nullptr;
    QLineEdit* lastYearHeads_ = nullptr;
    QLineEdit* lastYearWages_ = nullptr;
};

}  // namespace vel::gui
