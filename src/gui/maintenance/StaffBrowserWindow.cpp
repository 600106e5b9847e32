#include "StaffBrowserWindow.h"

#include "Guarded.h"
#include "MainWindow.h"
#include "Session.h"
#include "staff/StaffBrowser.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vel::gui {

StaffBrowserWindow::StaffBrowserWindow(MainWindow& main)
    : QWidget(&main, Qt::Window), main_(main)
{
    setObjectName("staffBrowser");
    setWindowTitle(QStringLiteral("人员基本信息"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* unitGroup = new QGroupBox(QStringLiteral("当前单位信息"), this);
    auto* unitLayout = new QVBoxLayout(unitGroup);
    for (QLabel*& line : unitLines_) {
        line = new QLabel(unitGroup);
        unitLayout->addWidget(line);
    }
    months_ = new QListWidget(this);
    months_->setObjectName("monthList");
    months_->setMaximumWidth(160);
    connect(months_, &QListWidget::currentRowChanged, this,
            [this] { runCommand(this, [this] { showMonth(); }); });

    find_ = new QLineEdit(this);
    find_->setObjectName("findBox");
    connect(find_, &QLineEdit::returnPressed, this,
            [this] { runCommand(this, [this] { showMonth(); }); });
    auto* toolLine = new QHBoxLayout;
    toolLine->addWidget(new QLabel(QStringLiteral("  查找    "), this));
    toolLine->addWidget(find_);
    toolLine->addStretch();
    // The browser's entry buttons run the main window's own entries, checks and all.
    const auto entryButton = [this, toolLine](const QString& caption, const char* name,
                                              const char* action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [this, action] {
            main_.findChild<QAction*>(action)->trigger();
            refresh();
        });
        toolLine->addWidget(b);
    };
    entryButton(QStringLiteral("从业人员批量录入"), "btnBatch", "actOpeningBatch");
    entryButton(QStringLiteral("从业人员个别录入"), "btnSingle", "actOpeningSingle");

    grid_ = new QTableWidget(0, static_cast<int>(BrowserColumns.size()), this);
    grid_->setObjectName("grid");
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    QStringList titles;
    for (const BrowserColumn& c : BrowserColumns)
        titles << QString::fromUtf8(c.title);
    grid_->setHorizontalHeaderLabels(titles);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    grid_->horizontalHeader()->setMinimumHeight(grid_->fontMetrics().height() * 4 + 8);
    grid_->horizontalHeader()->setDefaultSectionSize(96);
    grid_->verticalHeader()->setVisible(false);
    for (int c = 0; c < static_cast<int>(BrowserColumns.size()); ++c)
        grid_->setColumnHidden(c, BrowserColumns[static_cast<size_t>(c)].hidden);

    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);

    auto* body = new QHBoxLayout;
    body->addWidget(months_);
    body->addWidget(grid_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(unitGroup);
    layout->addLayout(toolLine);
    layout->addLayout(body, 1);
    layout->addWidget(status_);
}

QString StaffBrowserWindow::statusText() const
{
    return status_->currentMessage();
}

int StaffBrowserWindow::selectedMonth() const
{
    const QListWidgetItem* item = months_->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void StaffBrowserWindow::refresh()
{
    const UnitAttributes& u = main_.session().unit();
    unitLines_[0]->setText(QStringLiteral("单位名称：") + u.CurDepName);
    unitLines_[1]->setText(QStringLiteral("单位法人代码：") + u.CurDepNo);
    unitLines_[2]->setText(QStringLiteral("单位属性：") + u.CurDepType);
    unitLines_[3]->setText(QStringLiteral("资质建筑业单位：") + u.CurDepInfo);

    const int shown = selectedMonth();
    const QSignalBlocker quiet(months_);
    months_->clear();
    int row = 0;
    for (int month : browserMonths(main_.session().db())) {
        auto* item = new QListWidgetItem(browserMonthName(month), months_);
        item->setData(Qt::UserRole, month);
        if (month == shown)
            row = months_->count() - 1;
    }
    if (months_->count() == 0) {
        grid_->setRowCount(0);
        status_->showMessage(QStringLiteral("  没有人员数据。"));
        return;
    }
    months_->setCurrentRow(row);
    showMonth();
}

void StaffBrowserWindow::showMonth()
{
    const int month = selectedMonth();
    if (month < 0)
        return;
    const BrowserPage page = browseStaff(main_.session().db(), month, find_->text());
    grid_->setRowCount(static_cast<int>(page.rows.size()));
    for (int r = 0; r < grid_->rowCount(); ++r)
        for (int c = 0; c < grid_->columnCount(); ++c)
            grid_->setItem(r, c, new QTableWidgetItem(page.rows[static_cast<size_t>(r)][c]));
    status_->showMessage(page.status);
}

void StaffBrowserWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Data entered in another window shows when the browser comes back to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runCommand(this, [this] { refresh(); });
}

void openStaffBrowser(MainWindow& main)
{
    if (auto* open = main.findChild<StaffBrowserWindow*>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* browser = new StaffBrowserWindow(main);
    browser->refresh();
    browser->showMaximized();
}

}  // namespace vel::gui
