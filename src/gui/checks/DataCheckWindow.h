#pragma once

#include "WindowContext.h"
#include "checks/DataCheck.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vel::gui {

// "数据审核": the findings of the data check grouped as errors, warnings and explained warnings,
// each with its code, place and message. Double-clicking one opens the month or form where it is
// mended, and the check runs again when that window closes; a warning takes an explanation
// ("说明"), kept with the day it was written; one text may explain several selected at once.
class DataCheckWindow : public QDialog {
    Q_OBJECT
public:
    // The whole year, or what touches the scope's form and period.
    DataCheckWindow(const WindowContext& context, const CheckScope& scope = {},
                    QWidget* parent = nullptr);

    QTreeWidget* tree() const { return tree_; }
    const Findings& findings() const { return findings_; }

    void refresh();
    // The finding behind a row; nullptr for a group's row.
    const Finding* findingAt(QTreeWidgetItem* item) const;
    // Opens where the finding is mended.
    void open(const Finding& finding);
    // Keeps the text typed in the box as the explanation of every selected warning.
    void saveNote();

private:
    void showSelected();

    WindowContext context_;
    CheckScope scope_;
    Findings findings_;
    QLabel* counts_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QLabel* todo_ = nullptr;
    QLineEdit* note_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace vel::gui
