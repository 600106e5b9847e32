#include "UnitSwitchWindow.h"

#include "CommandWidgets.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "ShownText.h"
#include "staff/StaffPanelFrame.h"
#include "unit/UnitRegistration.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vel::gui {

UnitSwitchWindow::UnitSwitchWindow(Session& current, UnitList list, QWidget* parent)
    : QDialog(parent), current_(current), list_(std::move(list))
{
    setWindowTitle(QStringLiteral("修改操作单位"));
    table_ = new QTableWidget(this);
    table_->setObjectName("units");
    table_->setColumnCount(6);
    table_->setHorizontalHeaderLabels({QStringLiteral("企业法人代码"), QStringLiteral("企业名称"),
                                       QStringLiteral("单位属性"), QStringLiteral("是否资质建筑业单位"),
                                       QStringLiteral("工作文件夹"), QStringLiteral("最近打开")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this] { runCommand(this, [this] { switchToSelected(); }); });

    auto* ok = commandButton(this, QStringLiteral("确定"), "ok", [this] { switchToSelected(); });
    auto* other = commandButton(this, QStringLiteral("打开其他单位文件夹…"), "openOther", [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("打开其他单位文件夹"));
        if (!folder.isEmpty())
            openFolder(folder);
    });
    auto* create = commandButton(this, QStringLiteral("新建单位…"), "newUnit", [this] {
        const QString folder =
            QFileDialog::getExistingDirectory(this, QStringLiteral("新单位的工作文件夹"));
        if (!folder.isEmpty())
            newUnit(folder);
    });
    auto* forget = commandButton(this, QStringLiteral("从列表移除"), "forget", [this] { forgetSelected(); });
    auto* close = commandButton(this, QStringLiteral("关闭"), "close", [this] { reject(); });

    auto* group = new QGroupBox(QStringLiteral("基本信息"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(table_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttonRow({ok, other, create, forget, close}));
    resize(980, 420);

    // The open unit's entry shows its registration as it is now.
    runCommand(this, [this] {
        list_.remember(current_);
        fill();
    });
}

void UnitSwitchWindow::fill()
{
    units_ = list_.units();
    table_->setRowCount(static_cast<int>(units_.size()));
    const QString open = current_.folder().root();
    for (int r = 0; r < static_cast<int>(units_.size()); ++r) {
        const KnownUnit& u = units_[static_cast<size_t>(r)];
        const QStringList cells{
            u.code, u.name.isEmpty() ? QStringLiteral("（未登记）") : u.name, u.type,
            u.type.isEmpty() ? QString() : qualificationAnswer(u.unitClass),
            QDir::toNativeSeparators(u.folder), dateTimeText(u.lastOpened)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (u.folder == open) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
                item->setToolTip(QStringLiteral("当前单位"));
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    if (!units_.empty())
        table_->selectRow(0);
}

void UnitSwitchWindow::switchToSelected()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(units_.size())) {
        prompt().info(this, QStringLiteral("请先选择一个单位。"));
        return;
    }
    const QString folder = units_[static_cast<size_t>(row)].folder;
    if (folder == current_.folder().root()) {
        prompt().info(this, QStringLiteral("该单位就是当前单位。"));
        return;
    }
    openFolder(folder);
}

void UnitSwitchWindow::openFolder(const QString& folder)
{
    choose(folder, openFolderRefusal(folder));
}

void UnitSwitchWindow::newUnit(const QString& folder)
{
    choose(folder, newFolderRefusal(folder));
}

void UnitSwitchWindow::forgetSelected()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(units_.size()))
        return;
    const QString folder = units_[static_cast<size_t>(row)].folder;
    if (folder == current_.folder().root()) {
        prompt().info(this, QStringLiteral("当前单位不能从列表移除。"));
        return;
    }
    list_.forget(folder);
    fill();
}

void UnitSwitchWindow::choose(const QString& folder, const QString& refusal)
{
    if (!refusal.isEmpty()) {
        prompt().info(this, refusal);
        return;
    }
    chosen_ = folder;
    accept();
}

}  // namespace vel::gui
