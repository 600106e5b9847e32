#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vel {
class CodeLists;
class Sheet;
}

namespace vel::gui {

// "批量查找替换": replaces one answer by another down a list column of the sheet. Its cancel
// offers to run the opener's save when something was replaced.
class FindReplaceWindow : public QDialog {
    Q_OBJECT
public:
    FindReplaceWindow(Sheet& sheet, int row, int col, const CodeLists& codes,
                      std::function<void()> save, QWidget* parent = nullptr);

    void replaceAll();
    void cancel();

private:
    Sheet& sheet_;
    int row_;
    int col_;
    std::function<void()> save_;
    int lastCount_ = 0;
    QLineEdit* find_ = nullptr;
    QComboBox* replacement_ = nullptr;
    QCheckBox* fromCurrent_ = nullptr;
};

// Opens the window for the active cell, or says why the column has none.
void openFindReplace(QWidget* parent, Sheet& sheet, int row, int col, const CodeLists& codes,
                     std::function<void()> save);

}  // namespace vel::gui
