#include "DataCheckWindow.h"

#include "CommandWidgets.h"
#include "Guarded.h"
#include "Session.h"
#include "WindowFit.h"
#include "checks/CheckNotes.h"
#include "monthly/WageEntryWindow.h"
#include "reports/FormDefinition.h"
#include "reports/FormWindows.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/OpeningRosterWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vel::gui {
namespace {

enum Column { CodeCol, PlaceCol, MessageCol, NoteCol };

// The index of a finding in the list, kept on its row.
constexpr int FindingRole = Qt::UserRole + 1;

void openMonth(const WindowContext& context, int month, MendedIn where, QWidget* parent)
{
    if (month == 0) {
        OpeningRosterWindow window(context, OpeningRosterMode::Entry, parent);
        window.exec();
    } else if (where == MendedIn::Wages) {
        openWageEntry(context, month, parent);
    } else {
        MonthlyRosterWindow window(context, month, parent);
        window.exec();
    }
}

}  // namespace

DataCheckWindow::DataCheckWindow(const WindowContext& context, const CheckScope& scope,
                                 QWidget* parent)
    : QDialog(parent), context_(context), scope_(scope)
{
    setWindowTitle(scope.form ? QStringLiteral("数据审核（%1）").arg(scope.form->number)
                              : QStringLiteral("数据审核"));
    counts_ = new QLabel(this);
    counts_->setObjectName("counts");
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("findings");
    tree_->setHeaderLabels({QStringLiteral("代码"), QStringLiteral("位置"),
                            QStringLiteral("审核发现"), QStringLiteral("说明")});
    tree_->setRootIsDecorated(true);
    // One explanation may serve many warnings, such as a December bonus for every person.
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->setWordWrap(true);
    tree_->header()->setStretchLastSection(true);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (const Finding* f = findingAt(item)) {
            const Finding finding = *f;  // the list is made anew once the window closes
            runCommand(this, [this, &finding] { open(finding); });
        }
    });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { showSelected(); });

    todo_ = new QLabel(this);
    todo_->setObjectName("todo");
    todo_->setWordWrap(true);
    note_ = new QLineEdit(this);
    note_->setObjectName("note");
    note_->setPlaceholderText(QStringLiteral("选中一条或几条警告，写明原因"));
    save_ = commandButton(this, QStringLiteral("保存说明"), "saveNote", [this] { saveNote(); });
    auto* noteLine = new QHBoxLayout;
    noteLine->addWidget(new QLabel(QStringLiteral("说明："), this));
    noteLine->addWidget(note_, 1);
    noteLine->addWidget(save_);

    auto* again = commandButton(this, QStringLiteral("重新审核"), "recheck", [this] { refresh(); });
    auto* close = commandButton(this, QStringLiteral("关闭"), "close", [this] { accept(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(again);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts_);
    layout->addWidget(tree_, 1);
    layout->addWidget(todo_);
    layout->addLayout(noteLine);
    layout->addLayout(buttons);
    resize(1000, 600);
    fitOnShow(this);
    refresh();
}

void DataCheckWindow::refresh()
{
    findings_ = runDataCheck(context_.session, scope_);
    counts_->setText(countLine(countFindings(findings_)));
    tree_->clear();
    const CheckCounts counts = countFindings(findings_);
    QTreeWidgetItem* groups[] = {
        new QTreeWidgetItem(tree_, {QStringLiteral("错误（%1）").arg(counts.errors)}),
        new QTreeWidgetItem(tree_, {QStringLiteral("警告（%1）").arg(counts.warnings)}),
        new QTreeWidgetItem(tree_, {QStringLiteral("已说明（%1）").arg(counts.explained)})};
    for (QTreeWidgetItem* g : groups)
        g->setFirstColumnSpanned(true);
    for (size_t i = 0; i < findings_.size(); ++i) {
        const Finding& f = findings_[i];
        QTreeWidgetItem* group = groups[f.isError() ? 0 : f.explained() ? 2 : 1];
        const QString note = f.explained() ? f.note
                             : f.noteStale ? QStringLiteral("说明已过时：") + f.note
                                           : QString();
        auto* item = new QTreeWidgetItem(group, {f.code, f.place.token(), f.message, note});
        item->setData(CodeCol, FindingRole, static_cast<int>(i));
        item->setToolTip(MessageCol, f.message);
    }
    tree_->expandAll();
    tree_->resizeColumnToContents(CodeCol);
    tree_->resizeColumnToContents(PlaceCol);
    tree_->setColumnWidth(MessageCol, 560);
    showSelected();
}

const Finding* DataCheckWindow::findingAt(QTreeWidgetItem* item) const
{
    if (!item || !item->parent())
        return nullptr;
    const int i = item->data(CodeCol, FindingRole).toInt();
    return i >= 0 && i < static_cast<int>(findings_.size()) ? &findings_[static_cast<size_t>(i)]
                                                            : nullptr;
}

void DataCheckWindow::showSelected()
{
    const Finding* f = findingAt(tree_->currentItem());
    const CheckRule* rule = f ? checkRule(f->code) : nullptr;
    todo_->setText(rule ? QStringLiteral("%1 %2：%3").arg(f->code, rule->title, rule->todo)
                        : QStringLiteral("双击一条发现，打开要改正的月份或报表。"));
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    const bool warning = std::any_of(selected.begin(), selected.end(), [this](QTreeWidgetItem* i) {
        const Finding* s = findingAt(i);
        return s && !s->isError();
    });
    note_->setEnabled(warning);
    save_->setEnabled(warning);
    // With several selected, the text typed for them all stays.
    if (selected.size() <= 1)
        note_->setText(f && !f->isError() ? f->note : QString());
}

void DataCheckWindow::saveNote()
{
    std::vector<const Finding*> warnings;
    for (QTreeWidgetItem* item : tree_->selectedItems())
        if (const Finding* f = findingAt(item); f && !f->isError())
            warnings.push_back(f);
    if (warnings.empty())
        return;
    storeCheckNotes(context_.session.db(), warnings, note_->text());
    refresh();
}

void DataCheckWindow::open(const Finding& finding)
{
    const FindingPlace& place = finding.place;
    if (place.kind == FindingPlace::Kind::Month || place.kind == FindingPlace::Kind::Person) {
        const CheckRule* rule = checkRule(finding.code);
        openMonth(context_, place.month, rule ? rule->mendedIn : MendedIn::Roster, this);
    } else if (place.period) {
        // A wage summary's range shows its stored copy: that is what the finding is about.
        FormPeriod period = *place.period;
        period.reuseStoredCopy = period.kind == PeriodKind::MonthRange;
        openForm(context_, *place.form, period, this);
    } else {
        openQuarterChooser(context_, *place.form, this);
        return;  // the chooser stays open beside the forms it opens
    }
    refresh();
}

}  // namespace vel::gui
