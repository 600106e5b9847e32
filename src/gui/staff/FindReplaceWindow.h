#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vel {
class CodeLists;
}

namespace vel::gui {

class SheetView;

// "批量查找替换": replaces one answer by another down a list column of the sheet. Its cancel
// offers to run the opener's save when something was replaced.
class FindReplaceWindow : public QDialog {
    Q_OBJECT
public:
    FindReplaceWindow(SheetView& view, int row, int col, const CodeLists& codes,
                      std::function<void()> save, QWidget* parent = nullptr);

    void replaceAll();
    void cancel();

private:
    SheetView& view_;
    int row_;
    int col_;
    std::function<void()> save_;
    int lastCount_ = 0;
    QLineEdit* find_ = nullptr;
    QComboBox* replacement_ = nullptr;
    QCheckBox* fromCurrent_ = nullptr;
};

// Opens the window for the active cell of the view, or says why the column has none. A run of
// "批量替换" is one undo step of the view.
void openFindReplace(QWidget* parent, SheetView& view, const CodeLists& codes,
                     std::function<void()> save);

}  // namespace vel::gui
