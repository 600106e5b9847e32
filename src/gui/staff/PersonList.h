#pragma once

#include "staff/PersonRoster.h"

#include <QTableView>

#include <optional>
#include <vector>

class QAction;
class QStandardItemModel;

namespace vel::gui {

// The persons of a roster one row each, the columns the unit's class asks, with the context menu
// "修改", "删除", "清空"; what the menu does is the window's to do.
class PersonList : public QTableView {
    Q_OBJECT
public:
    PersonList(StaffClass staffClass, QWidget* parent = nullptr);

    // Replaces the rows; "修改" and "删除" are offered only when there are some.
    void showRows(const std::vector<PersonListRow>& rows);
    // The stored record of the current row; nullopt without one.
    std::optional<long long> currentId() const;

signals:
    void correctRequested();
    void deleteRequested();
    void emptyRequested();

private:
    QStandardItemModel* model_ = nullptr;
    QAction* correct_ = nullptr;
    QAction* delete_ = nullptr;
};

}  // namespace vel::gui
