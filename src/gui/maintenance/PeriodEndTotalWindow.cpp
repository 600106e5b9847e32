#include "PeriodEndTotalWindow.h"

#include "CommandWidgets.h"
#include "MainWindow.h"
#include "Prompter.h"
#include "Session.h"
#include "maintenance/PeriodEndTotal.h"
#include "period/CommandChecks.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {

PeriodEndTotalWindow::PeriodEndTotalWindow(Session& session, QWidget* parent)
    : QDialog(parent), session_(session)
{
    setWindowTitle(QStringLiteral("期末从业人员总数设置"));
    const UnitAttributes& u = session.unit();
    total_ = new QLineEdit(this);
    total_->setObjectName("totalBox");
    warning_ = new QLabel(this);
    warning_->setObjectName("warning");
    warning_->setStyleSheet("color: #c00000;");
    // Said beside the box while typing; "设定" refuses it in a box.
    connect(total_, &QLineEdit::textChanged, this,
            [this](const QString& text) { warning_->setText(periodEndTotalRefusal(text)); });

    auto* totalLine = new QHBoxLayout;
    totalLine->addWidget(total_);
    totalLine->addWidget(new QLabel(QStringLiteral("人"), this));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("单位编号："), new QLabel(u.CurDepNo, this));
    form->addRow(QStringLiteral("单位名称："), new QLabel(u.CurDepName, this));
    form->addRow(QStringLiteral("期末从业人员总数："), totalLine);
    form->addRow(QString(), warning_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* set = commandButton(this, QStringLiteral("设定"), "btnSet", [this] { store(); });
    set->setDefault(true);
    buttons->addWidget(set);
    buttons->addWidget(commandButton(this, QStringLiteral("取消"), "btnCancel", [this] { reject(); }));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void PeriodEndTotalWindow::store()
{
    const QString refusal = periodEndTotalRefusal(total_->text());
    if (!refusal.isEmpty()) {
        prompt().info(this, refusal);
        total_->setFocus();
        return;
    }
    storePeriodEndTotal(session_.db(), session_.unit().CurDepNo, total_->text());
    prompt().info(this, periodEnd::Set);
    accept();
}

void periodEndTotalCommand(MainWindow& main)
{
    Session& session = main.session();
    if (!main.passes(unitCheck(session, false)))
        return;
    if (!prompt().ask(&main, periodEnd::FromStaffQuestion)) {
        PeriodEndTotalWindow window(session, &main);
        window.exec();
        return;
    }
    const long long count = legacyStaffCount(session.db());
    if (!prompt().confirm(&main, periodEnd::countQuestion(count))) {
        prompt().info(&main, periodEnd::AffectsReports);
        return;
    }
    storePeriodEndTotal(session.db(), session.unit().CurDepNo, QString::number(count));
    prompt().info(&main, periodEnd::Generated);
}

}  // namespace vel::gui
