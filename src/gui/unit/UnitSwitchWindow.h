#pragma once

#include "unit/UnitList.h"

#include <QDialog>

#include <vector>

class QTableWidget;

namespace vel {
class Session;
}

namespace vel::gui {

// "修改操作单位" (切换单位): the units whose work folders this program has opened, to switch to
// one of them, to another unit's folder or to a new unit. Accepted with the folder to open.
class UnitSwitchWindow : public QDialog {
    Q_OBJECT
public:
    UnitSwitchWindow(Session& current, UnitList list, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    const std::vector<KnownUnit>& units() const { return units_; }
    QString chosenFolder() const { return chosen_; }

    // "确定" or a double-click: the selected unit, unless it is the one open now.
    void switchToSelected();
    // "打开其他单位文件夹…" once the folder is chosen.
    void openFolder(const QString& folder);
    // "新建单位…" once the folder is chosen: an empty work folder for a unit to register.
    void newUnit(const QString& folder);
    // "从列表移除": the selected unit leaves the list; its folder stays as it is.
    void forgetSelected();

private:
    void fill();
    // Closes the window with the folder, unless a refusal says why not.
    void choose(const QString& folder, const QString& refusal);

    Session& current_;
    UnitList list_;
    std::vector<KnownUnit> units_;
    QTableWidget* table_ = nullptr;
    QString chosen_;
};

}  // namespace vel::gui
