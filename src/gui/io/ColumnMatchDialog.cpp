#include "ColumnMatchDialog.h"

#include "CommandWidgets.h"
#include "db/Db.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vel::gui {
namespace {

const QString NotRead = QStringLiteral("（不读入）");
constexpr int PreviewRows = 8;

}  // namespace

ColumnMatchDialog::ColumnMatchDialog(const ImportLayout& layout,
                                     const std::vector<DelimitedLine>& lines,
                                     const ColumnMatchNeeded& need,
                                     std::function<QString(const QStringList&)> rowTotal,
                                     QWidget* parent)
    : QDialog(parent), layout_(layout), lines_(lines), rowTotal_(std::move(rowTotal))
{
    setWindowTitle(QStringLiteral("栏目对应"));
    match_.sources.resize(layout.columns.size());
    if (need.proposal)
        match_ = need.proposal->match;
    for (const QString& h : need.headings)
        if (!h.isEmpty() && !headings_.contains(h))
            headings_ << h;

    auto* form = new QFormLayout;
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        const ImportColumn& column = layout.columns[c];
        const int index = static_cast<int>(c);
        const QString name = QStringLiteral("source_%1").arg(index);
        if (column.amount) {
            auto* button = new QToolButton(this);
            button->setObjectName(name);
            button->setPopupMode(QToolButton::InstantPopup);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            auto* menu = new QMenu(button);
            for (const QString& h : headings_) {
                QAction* tick = menu->addAction(h);
                tick->setCheckable(true);
                connect(tick, &QAction::toggled, this, [this, index, menu] {
                    QStringList chosen;
                    for (QAction* a : menu->actions())
                        if (a->isChecked())
                            chosen << a->text();
                    match_.sources[static_cast<size_t>(index)] = chosen;
                    refresh();
                });
            }
            button->setMenu(menu);
            choosers_.push_back(button);
        } else {
            auto* box = new QComboBox(this);
            box->setObjectName(name);
            box->addItem(NotRead);
            box->addItems(headings_);
            connect(box, &QComboBox::currentIndexChanged, this, [this, index, box](int i) {
                match_.sources[static_cast<size_t>(index)] =
                    i > 0 ? QStringList{box->itemText(i)} : QStringList();
                refresh();
            });
            choosers_.push_back(box);
        }
        form->addRow(column.name, choosers_.back());
    }
    auto* fields = new QWidget;
    fields->setLayout(form);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(fields);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(320);

    preview_ = new QTableWidget(this);
    preview_->setObjectName("preview");
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->verticalHeader()->setVisible(false);
    counts_ = new QLabel(this);
    counts_->setObjectName("counts");
    problem_ = new QLabel(this);
    problem_->setObjectName("problem");
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00020;"));

    auto* hint = new QLabel(QStringLiteral("文件的表头与本系统不同。请为每个栏目选择文件中的栏目，"
                                           "金额可勾选几栏相加；代扣款和实发数不是工资的一部分。"
                                           "确认后保存，以后表头相同的文件直接导入。"),
                            this);
    hint->setWordWrap(true);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("读入后的前几行"), this));
    right->addWidget(preview_, 1);
    right->addWidget(counts_);
    right->addWidget(problem_);
    auto* body = new QHBoxLayout;
    body->addWidget(scroll);
    body->addLayout(right, 1);

    QPushButton* ok = commandButton(this, QStringLiteral("确定"), "btnOk", [this] { accept(); });
    ok_ = ok;
    QPushButton* cancel =
        commandButton(this, QStringLiteral("取消"), "btnCancel", [this] { reject(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(hint);
    layoutBox->addLayout(body, 1);
    layoutBox->addLayout(buttons);
    resize(1100, 600);

    for (size_t c = 0; c < choosers_.size(); ++c)
        choose(static_cast<int>(c), match_.sources[c]);
    refresh();
}

QString ColumnMatchDialog::matchingText() const
{
    return match_.text(layout_);
}

void ColumnMatchDialog::choose(int column, const QStringList& headings)
{
    QWidget* chooser = choosers_.at(static_cast<size_t>(column));
    if (auto* box = qobject_cast<QComboBox*>(chooser)) {
        const int i = headings.isEmpty() ? 0 : box->findText(headings.front());
        box->setCurrentIndex(std::max(i, 0));
    } else if (auto* button = qobject_cast<QToolButton*>(chooser)) {
        for (QAction* a : button->menu()->actions()) {
            const QSignalBlocker quiet(a);
            a->setChecked(headings.contains(a->text()));
        }
    }
    match_.sources[static_cast<size_t>(column)] = headings;
    refresh();
}

void ColumnMatchDialog::refresh()
{
    if (!preview_)
        return;
    for (size_t c = 0; c < choosers_.size(); ++c)
        if (auto* button = qobject_cast<QToolButton*>(choosers_[c]))
            button->setText(match_.sources[c].isEmpty() ? NotRead : match_.sources[c].join(u'+'));

    QStringList columns;
    for (const ImportColumn& c : layout_.columns)
        columns << c.name;
    if (rowTotal_)
        columns << QStringLiteral("合计");
    preview_->clear();
    preview_->setColumnCount(static_cast<int>(columns.size()));
    preview_->setHorizontalHeaderLabels(columns);
    preview_->setRowCount(0);
    counts_->clear();
    problem_->clear();
    try {
        const MatchedRows rows =
            applyColumnMatch(layout_, parseColumnMatch(layout_, matchingText()), lines_);
        const int shown = std::min(PreviewRows, static_cast<int>(rows.rows.size()));
        preview_->setRowCount(shown);
        for (int r = 0; r < shown; ++r) {
            QStringList cells = rows.rows[static_cast<size_t>(r)].cells;
            if (rowTotal_)
                cells << rowTotal_(cells);
            for (int c = 0; c < cells.size(); ++c)
                preview_->setItem(r, c, new QTableWidgetItem(cells[c]));
        }
        counts_->setText(QStringLiteral("将读入%1行，跳过%2行合计行。")
                             .arg(rows.rows.size())
                             .arg(rows.skipped));
        ok_->setEnabled(true);
    } catch (const Error& e) {
        problem_->setText(e.message());
        ok_->setEnabled(false);
    }
    preview_->resizeColumnsToContents();
}

}  // namespace vel::gui

namespace vel::gui {

std::optional<MatchedFile> matchFileColumns(QWidget* parent, Db& db, const ImportLayout& layout,
                                            const QString& path,
                                            std::function<QString(const QStringList&)> rowTotal)
{
    const ImportSheets read = readImportSheets(path);
    try {
        return matchImportSheets(db, layout, read);
    } catch (const ColumnMatchNeeded& need) {
        ColumnMatchDialog dialog(layout, read.sheets.front().lines, need, std::move(rowTotal),
                                 parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        MatchedFile file = matchImportSheets(db, layout, read, dialog.matchingText());
        Transaction tx(db);
        rememberColumnMatch(db, layout, file.matched);
        tx.commit();
        return file;
    }
}

}  // namespace vel::gui
