#include "ClearMonthsDialog.h"

#include "CheckBoxes.h"
#include "CommandWidgets.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vel::gui {

ClearMonthsDialog::ClearMonthsDialog(Session& session, ClearKind kind, QWidget* parent)
    : QDialog(parent), session_(session), kind_(kind)
{
    const bool wages = kind == ClearKind::Wages;
    setWindowTitle(wages ? QStringLiteral("清空工资数据选项") : QStringLiteral("清空从业人员选项"));
    last_ = new QRadioButton(QStringLiteral("最后输入月度数据"), this);
    last_->setObjectName("lastChoice");
    months_ = new QComboBox(this);
    months_->setObjectName("monthBox");
    // Only the last month is offered, so months are cleared from the end backwards.
    if (const std::optional<int> month = lastClearableMonth(session.db(), kind))
        months_->addItem(QString::number(*month));
    all_ = new QRadioButton(wages ? QStringLiteral("全部工资数据")
                                  : QStringLiteral("全部月度从业人员数据"),
                            this);
    all_->setObjectName("allChoice");
    all_->setChecked(!wages);

    auto* lastLine = new QHBoxLayout;
    lastLine->addWidget(last_);
    lastLine->addWidget(months_);
    lastLine->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(commandButton(this, QStringLiteral("确定"), "btnOk", [this] { confirm(); }));
    QPushButton* cancel = commandButton(this, QStringLiteral("取消"), "btnCancel", [this] { reject(); });
    cancel->setDefault(true);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    if (wages) {
        layout->addWidget(all_);
        layout->addLayout(lastLine);
    } else {
        layout->addLayout(lastLine);
        layout->addWidget(all_);
    }
    layout->addLayout(buttons);
}

void ClearMonthsDialog::confirm()
{
    if (!last_->isChecked() && !all_->isChecked()) {
        prompt().info(this, QStringLiteral("请先选择要清空的数据。"));
        return;
    }
    std::optional<int> month;
    if (last_->isChecked())
        month = months_->currentText().trimmed().toInt();
    if (passChecks(this, clearChecks(session_, kind_, month)))
        prompt().info(this, clearData(session_, kind_, month));
    accept();
}

}  // namespace vel::gui
