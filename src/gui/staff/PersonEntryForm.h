#pragma once

#include "staff/PersonEntry.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vel {
class CodeLists;
}

namespace vel::gui {

// The one-person form: the fields the unit's class asks, each checked as the clerk leaves it
// and turned red when it fails, and the buttons "增加", "修改", "取消", "关闭", "查看全部信息".
// Enter moves on to the next field. What the buttons store is the window's to do.
class PersonEntryForm : public QWidget {
    Q_OBJECT
public:
    PersonEntryForm(const CodeLists& codes, StaffClass staffClass, QWidget* parent = nullptr);

    // Every list from the loaded code lists, with nothing chosen.
    void fillChoices();
    PersonRecord gathered() const;
    // A stored person for correction: "修改" replaces "增加" and the checked fields are checked.
    void showForCorrection(const PersonRecord& r);
    // "增加" again.
    void endCorrection();
    // Checks every field, marks the failed ones and says why; true when the record may be stored.
    bool checkedForStore();
    // Empties what the command empties and takes the red marks away.
    void emptyAfter(PersonFormCommand command);
    void focusName();

signals:
    void addClicked();
    void modifyClicked();
    void closeClicked();
    void showAllClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* addChoice(QWidget* parent, PersonField f, bool editable = true);
    QLineEdit* addBox(QWidget* parent, PersonField f, int maxLength = 0);
    QPushButton* addButton(const QString& caption, const char* name);
    void empty(const std::vector<PersonField>& fields);
    void mark(PersonField f, bool failed);
    void clearMarks();
    void fieldLeft(PersonField f);
    void yearsLeft(PersonField f);
    QWidget* field(PersonField f) const { return fields_[static_cast<size_t>(f)]; }

    const CodeLists& codes_;
    StaffClass class_;
    std::array<QWidget*, PersonFieldCount> fields_{};
    QGroupBox* construction_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* modify_ = nullptr;
    std::vector<QWidget*> enterMoves_;
};

}  // namespace vel::gui
