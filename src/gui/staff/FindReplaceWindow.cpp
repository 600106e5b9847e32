#include "FindReplaceWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "db/CodeLists.h"
#include "grid/SheetDocument.h"
#include "grid/SheetView.h"
#include "sheet/Sheet.h"
#include "staff/StaffSheet.h"
#include "staff/StaffSheetEdits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {

FindReplaceWindow::FindReplaceWindow(SheetView& view, int row, int col, const CodeLists& codes,
                                     std::function<void()> save, QWidget* parent)
    : QDialog(parent), view_(view), row_(row), col_(col), save_(std::move(save))
{
    setWindowTitle(QStringLiteral("批量查找替换"));
    find_ = new QLineEdit(view.sheet().text(row, col), this);
    find_->setObjectName("findText");
    replacement_ = new QComboBox(this);
    replacement_->setObjectName("replacement");
    replacement_->setEditable(true);
    if (const std::optional<CodeListId> list = findReplaceList(col))
        replacement_->addItems(codes.names(*list));
    replacement_->setCurrentIndex(-1);
    fromCurrent_ = new QCheckBox(QStringLiteral("当前条记录开始替换"), this);
    fromCurrent_->setObjectName("fromCurrent");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("查找内容："), find_);
    form->addRow(QStringLiteral("替  换  为 ："), replacement_);
    form->addRow(QString(), fromCurrent_);

    auto* replace = new QPushButton(QStringLiteral("批量替换"), this);
    replace->setObjectName("replaceAll");
    auto* cancelButton = new QPushButton(QStringLiteral("取消"), this);
    cancelButton->setObjectName("cancel");
    connect(replace, &QPushButton::clicked, this, [this] { runCommand(this, [this] { replaceAll(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { runCommand(this, [this] { cancel(); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(replace);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void FindReplaceWindow::replaceAll()
{
    const int start = fromCurrent_->isChecked() ? row_ : staff::FirstPersonRow;
    Sheet& sheet = view_.sheet();
    view_.document()->editCells({{start, col_, lastPersonRow(sheet), col_}}, [&] {
        lastCount_ = replaceInColumn(sheet, col_, find_->text(), replacement_->currentText(), start);
    });
    prompt().info(this, replacedMessage(lastCount_));
}

void FindReplaceWindow::cancel()
{
    const bool offerSave = lastCount_ > 0;
    accept();
    if (offerSave && prompt().ask(parentWidget(), QStringLiteral("批量替换后，是否需要重新保存。")))
        save_();
}

void openFindReplace(QWidget* parent, SheetView& view, const CodeLists& codes,
                     std::function<void()> save)
{
    const int row = view.selStartRow();
    const int col = view.selStartCol();
    if (!findReplaceList(col)) {
        prompt().info(parent, FindReplaceRefusal);
        return;
    }
    FindReplaceWindow window(view, row, col, codes, std::move(save), parent);
    window.exec();
}

}  // namespace vel::gui
