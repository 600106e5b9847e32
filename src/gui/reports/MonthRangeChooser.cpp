#include "MonthRangeChooser.h"

#include "CheckBoxes.h"
#include "CommandWidgets.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "staff/StaffPanelFrame.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {

MonthRangeChooser::MonthRangeChooser(const WindowContext& context, const std::vector<int>& months,
                                     RangePurpose purpose, int summaryRows, Open open,
                                     QWidget* parent)
    : QDialog(parent),
      context_(context),
      purpose_(purpose),
      summaryRows_(summaryRows),
      open_(std::move(open))
{
    setWindowTitle(QStringLiteral("选择汇总月度区间"));
    from_ = new QComboBox(this);
    from_->setObjectName("from");
    to_ = new QComboBox(this);
    to_->setObjectName("to");
    for (QComboBox* box : {from_, to_}) {
        box->setEditable(true);
        for (int month : months)
            box->addItem(QString::number(month));
        box->setCurrentIndex(0);
    }
    const bool summary = purpose == RangePurpose::Summary;
    auto* action = commandButton(this, summary ? QStringLiteral("汇 总") : QStringLiteral("确 定"),
                                 summary ? "summarise" : "confirm", [this] { choose(); });
    action->setDefault(true);
    auto* close = commandButton(this, QStringLiteral("关 闭"), "close", [this] { reject(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("起始月："), from_);
    form->addRow(QStringLiteral("截止月："), to_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow({action, close}));
}

void MonthRangeChooser::choose()
{
    const int rows = purpose_ == RangePurpose::Summary ? summaryRows_ : 0;
    const RangeChoice choice =
        checkRange(context_.session.db(), from_->currentText(), to_->currentText(), rows);
    if (!choice.checks.passed) {
        passChecks(this, choice.checks);
        return;
    }
    const bool recompute = !choice.copyStored || prompt().ask(this, RecomputeQuestion);
    open_(decideRange(choice, recompute), this);
    accept();
}

void openRangeChooser(const WindowContext& context, QWidget* parent, const ChooserOpening& opening,
                      RangePurpose purpose, int summaryRows, MonthRangeChooser::Open open)
{
    if (!opening.checks.passed) {
        passChecks(parent, opening.checks);
        return;
    }
    MonthRangeChooser chooser(context, opening.months, purpose, summaryRows, std::move(open),
                              parent);
    chooser.exec();
}

}  // namespace vel::gui
