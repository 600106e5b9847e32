#pragma once

#include "staff/PersonRoster.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace vel {
class Session;
}

namespace vel::gui {

class PersonEntryForm;
class PersonList;

// Which roster the window works on, under which caption, and what it shows first.
struct PersonWindowMode {
    int month = 0;
    QString caption;
    bool duplicatesFirst = false;  // opens on the query page listing the same numbers

    // The main window's "从业人员个人输入" and tool button "个人输入"; the staff browse window.
    static PersonWindowMode openingEntry();
    // The opening roster window's duplicate check.
    static PersonWindowMode openingDuplicates();
    // The monthly roster window's "个别核对".
    static PersonWindowMode monthlyCheck(int month);
    // The monthly roster window's "姓名编号查重".
    static PersonWindowMode monthlyDuplicates(int month);
};

// One person at a time: the entry form on the first page, searches on the second, the roster of
// the working month listed below both.
class PersonWindow : public QDialog {
    Q_OBJECT
public:
    PersonWindow(Session& session, const PersonWindowMode& mode, QWidget* parent = nullptr);

signals:
    // A record was stored, changed or deleted: the entry menus may have to follow.
    void rosterChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildQueryPage();

    void add();
    void modify();
    void loadForCorrection();
    void deleteCurrent();
    void emptyRoster();
    void showRows(const std::vector<PersonListRow>& rows);
    void showSameNumbers();
    void showAll();

    Session& session_;
    PersonRoster roster_;
    StaffClass class_;
    QTabWidget* pages_ = nullptr;
    PersonEntryForm* form_ = nullptr;
    QLineEdit* search_ = nullptr;
    PersonList* list_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* panel2_ = nullptr;
    std::optional<long long> correcting_;
};

}  // namespace vel::gui
