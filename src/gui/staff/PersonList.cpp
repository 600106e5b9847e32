#include "PersonList.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>

namespace vel::gui {

PersonList::PersonList(StaffClass staffClass, QWidget* parent)
    : QTableView(parent), model_(new QStandardItemModel(this))
{
    setObjectName("list");
    QStringList headers;
    for (const PersonListColumn& c : personListColumns())
        headers << QString::fromUtf8(c.header);
    model_->setHorizontalHeaderLabels(headers);
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int c = 0; c < PersonListColumnCount; ++c)
        setColumnHidden(c, !personListColumnShown(c, staffClass));

    correct_ = new QAction(QStringLiteral("修改"), this);
    correct_->setObjectName("actCorrect");
    delete_ = new QAction(QStringLiteral("删除"), this);
    delete_->setObjectName("actDelete");
    auto* empty = new QAction(QStringLiteral("清空"), this);
    empty->setObjectName("actEmpty");
    connect(correct_, &QAction::triggered, this, &PersonList::correctRequested);
    connect(delete_, &QAction::triggered, this, &PersonList::deleteRequested);
    connect(empty, &QAction::triggered, this, &PersonList::emptyRequested);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this, empty](QPoint at) {
        const QModelIndex index = indexAt(at);
        if (index.isValid())
            setCurrentIndex(index);
        QMenu menu(this);
        menu.addActions({correct_, delete_, empty});
        menu.exec(viewport()->mapToGlobal(at));
    });
}

void PersonList::showRows(const std::vector<PersonListRow>& rows)
{
    model_->removeRows(0, model_->rowCount());
    for (const PersonListRow& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& cell : row.cells)
            items << new QStandardItem(cell);
        items.front()->setData(row.id);
        model_->appendRow(items);
    }
    resizeColumnsToContents();
    correct_->setEnabled(!rows.empty());
    delete_->setEnabled(!rows.empty());
}

std::optional<long long> PersonList::currentId() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return model_->item(current.row(), 0)->data().toLongLong();
}

}  // namespace vel::gui
