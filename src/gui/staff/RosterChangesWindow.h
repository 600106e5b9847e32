#pragma once

#include "WindowContext.h"
#include "sheet/Sheet.h"
#include "staff/RosterDiff.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vel::gui {

class SheetView;

// "人员变动": the stored rosters of two months side by side, as a list of who joined, who left
// and which answers changed; exported as a workbook or printed on request.
class RosterChangesWindow : public QDialog {
    Q_OBJECT
public:
    RosterChangesWindow(const WindowContext& context, int from, int to, QWidget* parent = nullptr);

    QComboBox* fromBox() const { return from_; }
    QComboBox* toBox() const { return to_; }
    // The table shown, its header row alone until two rosters were compared.
    Sheet* table() const { return sheet_.get(); }
    QString summary() const;

    // "比较": the chosen months, or the refusal in a box.
    void compare();
    // "导出": the table shown, as a workbook under XLS.
    void exportTable();
    // "打印" and "导出PDF": the table shown, on paper.
    void print();
    void exportPdf();

private:
    void showDiff(const RosterDiff& diff);
    // The commands that take the table shown: none until two rosters were compared.
    void offerFiles(bool offered);

    WindowContext context_;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    std::unique_ptr<Sheet> sheet_;
    SheetView* view_ = nullptr;
    RosterDiff diff_;
};

// Opens the window on the latest month with a roster and the month before it.
void openRosterChanges(const WindowContext& context, QWidget* parent);
// Opens the window on the month and the month before it (the opening roster before month 1).
void openRosterChanges(const WindowContext& context, int month, QWidget* parent);

}  // namespace vel::gui
