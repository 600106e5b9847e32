#include "PayoutWindow.h"

#include "CheckBoxes.h"
#include "CommandWidgets.h"
#include "Guarded.h"
#include "PrintCommands.h"
#include "Prompter.h"
#include "Session.h"
#include "ShownText.h"
#include "WindowFit.h"
#include "grid/SheetView.h"
#include "monthly/WageSheetWindow.h"
#include "period/CommandChecks.h"
#include "staff/StaffPanelFrame.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {
namespace {

int monthOf(const QComboBox* box)
{
    bool ok = false;
    const int month = box->currentText().trimmed().toInt(&ok);
    return ok ? month : 0;
}

}  // namespace

PayoutChooser::PayoutChooser(const std::vector<int>& months, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择输出期限"));
    first_ = new QComboBox(this);
    first_->setObjectName("first");
    last_ = new QComboBox(this);
    last_->setObjectName("last");
    for (QComboBox* box : {first_, last_}) {
        box->setEditable(true);
        for (int month : months)
            box->addItem(QString::number(month));
        box->setCurrentIndex(0);
    }
    auto* output = new QPushButton(QStringLiteral("输 出"), this);
    output->setObjectName("output");
    auto* close = new QPushButton(QStringLiteral("关 闭"), this);
    close->setObjectName("close");
    connect(output, &QPushButton::clicked, this, &PayoutChooser::output);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("起始月："), first_);
    form->addRow(QStringLiteral("截止月："), last_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow({output, close}));
}

int PayoutChooser::first() const
{
    return monthOf(first_);
}

int PayoutChooser::last() const
{
    return monthOf(last_);
}

void PayoutChooser::output()
{
    const QString refusal = payoutRangeRefusal(first(), last());
    if (!refusal.isEmpty()) {
        prompt().error(this, refusal);
        return;
    }
    accept();
}

PayoutWindow::PayoutWindow(const WindowContext& context, int first, int last,
                           const PayoutList& list, QWidget* parent)
    : QDialog(parent),
      context_(context),
      sheet_(static_cast<int>(list.rows.size()), payout::ColumnCount),
      pdfName_(payoutListName(first, last))
{
    const QDate today = QDate::currentDate();
    printed_ = payoutPage(list, context.session.unit(), first, last, today).laidOut();
    setWindowTitle(QStringLiteral("[%1] 工资发放汇总清单").arg(context.session.unit().CurDepName));
    {
        SheetBatch batch(sheet_);
        // Narrow month columns keep the sums in view beside them.
        sheet_.setColumnWidths(payout::NameCol, payout::NameCol, 10 * 256);
        sheet_.setColumnWidths(payout::NumberCol, payout::NumberCol, 8 * 256);
        sheet_.setColumnWidths(payout::FirstMonthCol, payout::TotalCol - 1, 7 * 256);
        sheet_.setColumnWidths(payout::TotalCol, payout::TotalCol, 10 * 256);
        for (int r = 0; r < static_cast<int>(list.rows.size()); ++r) {
            const QStringList& cells = list.rows[static_cast<size_t>(r)];
            for (int c = 0; c < cells.size(); ++c)
                sheet_.setText(r + 1, c + 1, cells[c]);
        }
    }
    view_ = new SheetView(sheet_, this);
    view_->setObjectName("payoutSheet");
    view_->setReadOnly(true);
    auto* menu = new QMenu(view_);
    menu->addAction(QStringLiteral("复制"), view_, [this] { view_->copy(); });
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
        menu->popup(view_->viewport()->mapToGlobal(at));
    });

    QLabel* title =
        sheetTitle(QStringLiteral("%1月 - %2月 的工资发放汇总清单").arg(first).arg(last), this);
    auto* date = new QLabel(QStringLiteral("统计日期：") + dateText(today), this);
    date->setObjectName("date");
    auto* close = new QPushButton(QStringLiteral("取  消"), this);
    close->setObjectName("close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* print = commandButton(this, QStringLiteral("打印"), "print", [this] { this->print(); });
    auto* pdf = commandButton(this, QStringLiteral("导出PDF"), "exportPdf", [this] { exportPdf(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(date);
    layout->addWidget(view_, 1);
    layout->addLayout(buttonRow({print, pdf, close}));
    resize(1000, 600);
    fitOnShow(this, view_, FitHeight::UsedRows);
}

void PayoutWindow::print()
{
    openPrintPreview(this, printed_);
}

void PayoutWindow::exportPdf()
{
    gui::exportPdf(this, context_.session.folder(), pdfName_, printed_);
}

void openPayout(const WindowContext& context, QWidget* parent)
{
    Db& db = context.session.db();
    std::vector<int> months;
    bool opens = false;
    if (!runCommand(parent, [&] {
            opens = passChecks(parent, payoutOpens(context.session), context.takeOffer);
            if (opens)
                months = payoutMonths(db);
        }) ||
        !opens)
        return;
    PayoutChooser chooser(months, parent);
    if (chooser.exec() != QDialog::Accepted)
        return;
    PayoutList list;
    const bool listed = runCommand(parent, [&] {
        list = listPayouts(db, chooser.first(), chooser.last(),
                           [&context](int percent) { context.setProgress(percent); });
    });
    context.setProgress(0);
    if (!listed)
        return;
    PayoutWindow window(context, chooser.first(), chooser.last(), list, parent);
    window.exec();
}

}  // namespace vel::gui
