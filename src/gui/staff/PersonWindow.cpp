#include "PersonWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowFit.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace vel::gui {
namespace {

using F = PersonField;

// Object names of the fields, in PersonField order; tests find the fields by them.
const char* const FieldNames[PersonFieldCount] = {
    "name",     "number",   "sex",     "birthYear", "birthMonth",  "edu",        "nation",
    "party",    "works",    "work",    "position",  "post",        "grade",      "gradeJn",
    "role",     "fullTime", "engineer", "constructor", "siteWorker", "production"};

const char* const FieldLabels[PersonFieldCount] = {
    "姓名 *", "姓名编号 *", "性别 *", "出生年 *", "月： *", "学历 *", "是否少数民族 *",
    "是否党员 *", "参加工作年限 *", "本岗位工作年限 *", "现任职务（岗位）", "岗位名称 *",
    "国家评定的专业技术资格", "国家评定的技能等级", "用工身份 *", "全日制用工 *",
    "工程技术人员", "一级建造师", "现场施工人员", "是否直接从事生产经营活动"};

const QColor FailedFill(255, 200, 200);

// The fields whose check runs on leaving them, beside the two years boxes.
bool checkedOnLeaving(F f)
{
    return f != F::Name && f != F::Number && f != F::Position && f != F::BirthMonth;
}

QString textOf(const QWidget* w)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    return static_cast<const QComboBox*>(w)->currentText();
}

void setTextOf(QWidget* w, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(text);
        return;
    }
    auto* combo = static_cast<QComboBox*>(w);
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    if (index < 0 && combo->isEditable())
        combo->setEditText(text);
}

QString countText(std::size_t n)
{
    return QStringLiteral("共%1条").arg(n);
}

}  // namespace

PersonWindowMode PersonWindowMode::openingEntry()
{
    return {0, QStringLiteral("期初个人信息录入"), false};
}

PersonWindowMode PersonWindowMode::openingDuplicates()
{
    return {0, QStringLiteral("个人信息核对窗口"), true};
}

PersonWindowMode PersonWindowMode::monthlyCheck(int month)
{
    return {month, QStringLiteral("%1月份个人数据核对").arg(month), false};
}

PersonWindowMode PersonWindowMode::monthlyDuplicates(int month)
{
    return {month, QStringLiteral("%1月个人信息核对窗口").arg(month), true};
}

PersonWindow::PersonWindow(Session& session, const PersonWindowMode& mode, QWidget* parent)
    : QDialog(parent),
      session_(session),
      roster_(session.db(), mode.month),
      class_(staffClassOf(session.unit().CurDepInfo.trimmed()))
{
    setWindowTitle(mode.caption);
    setModal(true);

    pages_ = new QTabWidget(this);
    pages_->setObjectName("pages");
    pages_->addTab(buildEntryPage(), QStringLiteral("个人输入"));
    pages_->addTab(buildQueryPage(), QStringLiteral("个人查询"));
    buildList();

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    panel1_ = new QLabel(status);
    panel1_->setObjectName("panel1");
    panel2_ = new QLabel(status);
    panel2_->setObjectName("panel2");
    status->addWidget(panel1_, 1);
    status->addWidget(panel2_, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(list_, 1);
    layout->addWidget(status);
    resize(980, 720);
    fitOnShow(this);

    runCommand(this, [this] {
        session_.codes().load(session_.db(), session_.postFilter());
        fillChoices();
        showAll();
    });
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 0)
            runCommand(this, [this] { showAll(); });
    });
    if (mode.duplicatesFirst) {
        pages_->setCurrentIndex(1);
        runCommand(this, [this] { showSameNumbers(); });
    }
}

void PersonWindow::watch(QWidget* w)
{
    w->installEventFilter(this);
    enterMoves_.push_back(w);
}

QComboBox* PersonWindow::addChoice(QWidget* parent, PersonField f, bool editable)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(150);
    combo->setObjectName(FieldNames[static_cast<int>(f)]);
    fields_[static_cast<int>(f)] = combo;
    watch(combo);
    return combo;
}

QLineEdit* PersonWindow::addBox(QWidget* parent, PersonField f, int maxLength)
{
    auto* box = new QLineEdit(parent);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setObjectName(FieldNames[static_cast<int>(f)]);
    fields_[static_cast<int>(f)] = box;
    watch(box);
    return box;
}

QWidget* PersonWindow::buildEntryPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    const auto label = [page](F f) {
        auto* l = new QLabel(QString::fromUtf8(FieldLabels[static_cast<int>(f)]), page);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    // Two fields a row, in the order the focus walks them.
    int slot = 0;
    const auto place = [&](F f, QLayoutItem* item) {
        const int row = slot / 2;
        const int col = (slot % 2) * 2;
        grid->addWidget(label(f), row, col);
        grid->addItem(item, row, col + 1);
        ++slot;
    };
    const auto placeWidget = [&](F f, QWidget* w) { place(f, new QWidgetItem(w)); };

    placeWidget(F::Name, addBox(page, F::Name));
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(addBox(page, F::Number));
    numberRow->addWidget(new QLabel(QStringLiteral("(数字编号)"), page));
    place(F::Number, numberRow);
    placeWidget(F::Sex, addChoice(page, F::Sex));
    auto* birthRow = new QHBoxLayout;
    QComboBox* year = addChoice(page, F::BirthYear);
    year->lineEdit()->setMaxLength(4);
    birthRow->addWidget(year, 1);
    birthRow->addWidget(label(F::BirthMonth));
    birthRow->addWidget(addChoice(page, F::BirthMonth, false));
    place(F::BirthYear, birthRow);
    placeWidget(F::Edu, addChoice(page, F::Edu));
    placeWidget(F::Nation, addChoice(page, F::Nation));
    placeWidget(F::Party, addChoice(page, F::Party));
    placeWidget(F::Works, addBox(page, F::Works, 5));
    placeWidget(F::Work, addBox(page, F::Work, 5));
    addBox(page, F::Position)->hide();
    placeWidget(F::Post, addChoice(page, F::Post));
    placeWidget(F::Grade, addChoice(page, F::Grade));
    placeWidget(F::GradeJn, addChoice(page, F::GradeJn));
    placeWidget(F::Role, addChoice(page, F::Role));
    placeWidget(F::FullTime, addChoice(page, F::FullTime));

    construction_ = new QGroupBox(page);
    construction_->setObjectName("construction");
    auto* groupGrid = new QGridLayout(construction_);
    const F group[] = {F::Engineer, F::Constructor, F::SiteWorker, F::Production};
    const bool allAsked = class_ == StaffClass::Construction;
    for (int i = 0; i < 4; ++i) {
        const F f = group[i];
        QLabel* l = label(f);
        l->setParent(construction_);
        if (allAsked)
            l->setText(l->text() + QStringLiteral(" *"));
        QComboBox* combo = addChoice(construction_, f);
        groupGrid->addWidget(l, i / 2, (i % 2) * 2);
        groupGrid->addWidget(combo, i / 2, (i % 2) * 2 + 1);
        l->setVisible(fieldAsked(f, class_));
        combo->setVisible(fieldAsked(f, class_));
    }
    construction_->setVisible(fieldAsked(F::Production, class_));

    add_ = new QPushButton(QStringLiteral("增加"), page);
    add_->setObjectName("add");
    modify_ = new QPushButton(QStringLiteral("修改"), page);
    modify_->setObjectName("modify");
    modify_->hide();
    auto* cancel = new QPushButton(QStringLiteral("取消"), page);
    cancel->setObjectName("cancel");
    auto* close = new QPushButton(QStringLiteral("关闭"), page);
    close->setObjectName("close");
    auto* all = new QPushButton(QStringLiteral("查看全部信息"), page);
    all->setObjectName("showAll");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {add_, modify_, cancel, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
        watch(b);
    }
    all->setAutoDefault(false);
    buttons->addWidget(all);
    connect(add_, &QPushButton::clicked, this, [this] { add(); });
    connect(modify_, &QPushButton::clicked, this, [this] { modify(); });
    connect(cancel, &QPushButton::clicked, this, [this] { this->cancel(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(all, &QPushButton::clicked, this, [this] { runCommand(this, [this] { showAll(); }); });

    auto* note = new QLabel(QStringLiteral("注：标*为必填项"), page);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(construction_);
    layout->addWidget(note);
    layout->addStretch();
    layout->addLayout(buttons);
    return page;
}

QWidget* PersonWindow::buildQueryPage()
{
    auto* page = new QWidget;
    search_ = new QLineEdit(page);
    search_->setObjectName("search");
    watch(search_);
    const auto button = [this, page](const QString& caption, const char* name,
                                     std::function<void()> command) {
        auto* b = new QPushButton(caption, page);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, command] { runCommand(this, command); });
        return b;
    };
    auto* find = button(QStringLiteral("查找"), "find",
                        [this] { showRows(roster_.find(search_->text())); });
    auto* sameNames = button(QStringLiteral("查看是否同名"), "sameNames", [this] {
        showRows(roster_.sameNames());
        panel2_->setText(QStringLiteral("查看同名"));
    });
    auto* sameNumbers =
        button(QStringLiteral("查看是否同编号"), "sameNumbers", [this] { showSameNumbers(); });
    auto* faulty = button(QStringLiteral("查看错误信息"), "faulty", [this] {
        showRows(roster_.faulty());
        panel2_->setText(QStringLiteral("查看错误信息"));
    });
    auto* all = button(QStringLiteral("查看全部信息"), "showAllQuery", [this] { showAll(); });
    auto* close = button(QStringLiteral("关闭"), "closeQuery", [this] { accept(); });

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("姓名或编号"), page));
    searchRow->addWidget(search_, 1);
    searchRow->addWidget(find);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {sameNames, sameNumbers, faulty, all, close})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(searchRow);
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

void PersonWindow::buildList()
{
    model_ = new QStandardItemModel(this);
    QStringList headers;
    for (const PersonListColumn& c : personListColumns())
        headers << QString::fromUtf8(c.header);
    model_->setHorizontalHeaderLabels(headers);

    list_ = new QTableView(this);
    list_->setObjectName("list");
    list_->setModel(model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    for (int c = 0; c < PersonListColumnCount; ++c)
        list_->setColumnHidden(c, !personListColumnShown(c, class_));

    correctAction_ = new QAction(QStringLiteral("修改"), this);
    correctAction_->setObjectName("actCorrect");
    deleteAction_ = new QAction(QStringLiteral("删除"), this);
    deleteAction_->setObjectName("actDelete");
    auto* emptyAction = new QAction(QStringLiteral("清空"), this);
    emptyAction->setObjectName("actEmpty");
    connect(correctAction_, &QAction::triggered, this,
            [this] { runCommand(this, [this] { loadForCorrection(); }); });
    connect(deleteAction_, &QAction::triggered, this,
            [this] { runCommand(this, [this] { deleteCurrent(); }); });
    connect(emptyAction, &QAction::triggered, this,
            [this] { runCommand(this, [this] { emptyRoster(); }); });

    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this, emptyAction](QPoint at) {
        const QModelIndex index = list_->indexAt(at);
        if (index.isValid())
            list_->setCurrentIndex(index);
        QMenu menu(this);
        menu.addActions({correctAction_, deleteAction_, emptyAction});
        menu.exec(list_->viewport()->mapToGlobal(at));
    });
}

// Every list starts with nothing chosen: a preselected answer is one a hurried clerk stores
// without having given it.
void PersonWindow::fillChoices()
{
    for (int i = 0; i < PersonFieldCount; ++i) {
        auto* combo = qobject_cast<QComboBox*>(fields_[i]);
        if (!combo)
            continue;
        combo->clear();
        combo->addItems(personChoices(static_cast<F>(i), session_.codes()));
        empty({static_cast<F>(i)});
    }
}

PersonRecord PersonWindow::gathered() const
{
    PersonRecord r;
    for (int i = 0; i < PersonFieldCount; ++i)
        fieldText(r, static_cast<F>(i)) = textOf(fields_[i]);
    return r;
}

void PersonWindow::showRecord(const PersonRecord& r)
{
    for (int i = 0; i < PersonFieldCount; ++i)
        setTextOf(fields_[i], fieldText(r, static_cast<F>(i)));
}

void PersonWindow::empty(std::initializer_list<PersonField> fields)
{
    for (F f : fields) {
        QWidget* w = fields_[static_cast<int>(f)];
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            box->clear();
        } else {
            auto* combo = static_cast<QComboBox*>(w);
            combo->setCurrentIndex(-1);
            combo->clearEditText();
        }
    }
}

void PersonWindow::mark(PersonField f, bool failed)
{
    QWidget* w = fields_[static_cast<int>(f)];
    w->setProperty("failed", failed);
    QPalette p;
    if (failed) {
        p.setColor(QPalette::Base, FailedFill);
        p.setColor(QPalette::Button, FailedFill);
    }
    w->setPalette(p);
}

void PersonWindow::clearMarks()
{
    for (int i = 0; i < PersonFieldCount; ++i)
        mark(static_cast<F>(i), false);
}

// Every field is checked again before a store, not only the one left last: a red field
// must never reach the roster as a passed record.
bool PersonWindow::checkedForStore()
{
    const PersonRecord r = gathered();
    const std::vector<F> failed = failedFields(r, session_.codes(), class_);
    for (int i = 0; i < PersonFieldCount; ++i)
        mark(static_cast<F>(i), std::find(failed.begin(), failed.end(), static_cast<F>(i)) !=
                                    failed.end());
    if (!failed.empty()) {
        prompt().info(this, person::ErrorsInRed);
        return false;
    }
    const QString missing = missingFieldsMessage(r, class_);
    if (!missing.isEmpty()) {
        prompt().info(this, missing);
        return false;
    }
    return true;
}

void PersonWindow::fieldLeft(PersonField f)
{
    if (f == F::Works || f == F::Work) {
        yearsLeft(f);
        return;
    }
    const QString text = textOf(fields_[static_cast<int>(f)]);
    if (f == F::BirthYear) {
        const BirthYearCheck check = checkBirthYear(text);
        mark(f, !check.ok);
        if (!check.message.isEmpty())
            prompt().info(this, check.message);
        return;
    }
    mark(f, !choiceOk(f, text, session_.codes()));
}

void PersonWindow::yearsLeft(PersonField f)
{
    const F other = f == F::Works ? F::Work : F::Works;
    const QString works = textOf(fields_[static_cast<int>(F::Works)]);
    const QString work = textOf(fields_[static_cast<int>(F::Work)]);
    switch (checkYears(works, work, f)) {
    case YearsCheck::Incomplete:
        mark(f, false);
        break;
    case YearsCheck::Consistent:
        mark(f, false);
        mark(other, false);
        break;
    case YearsCheck::PostExceedsWork:
        mark(f, true);
        mark(other, true);
        break;
    case YearsCheck::NotANumber: {
        mark(f, true);
        prompt().confirm(this, person::ErrorsInRed);
        QWidget* box = fields_[static_cast<int>(f)];
        QTimer::singleShot(0, box, [box] { box->setFocus(); });
        break;
    }
    }
}

void PersonWindow::add()
{
    if (!checkedForStore())
        return;
    runCommand(this, [this] {
        roster_.add(gathered(), session_.codes(), class_);
        emit rosterChanged();
        // Employment status, full-time and the construction answers stay for the next person.
        empty({F::Name, F::Number, F::Position, F::Works, F::Work, F::Sex, F::Edu, F::Post,
               F::Grade, F::GradeJn, F::Nation, F::Party, F::BirthYear, F::BirthMonth});
        clearMarks();
        showAll();
        fields_[static_cast<int>(F::Name)]->setFocus();
    });
}

void PersonWindow::modify()
{
    if (!correcting_ || !checkedForStore())
        return;
    runCommand(this, [this] {
        if (!roster_.modify(*correcting_, gathered(), session_.codes(), class_)) {
            prompt().info(this, QStringLiteral("异常出错，请核实。"));
            return;
        }
        emit rosterChanged();
        empty({F::Name, F::Number, F::Position, F::Works, F::Work, F::Sex, F::Edu, F::Post,
               F::Grade, F::GradeJn, F::Nation, F::Party, F::FullTime, F::BirthYear,
               F::BirthMonth});
        setCorrecting(false);
        clearMarks();
        showAll();
        prompt().info(this, QStringLiteral("修改成功！"));
    });
}

void PersonWindow::cancel()
{
    empty({F::Name, F::Number, F::Position, F::BirthYear, F::Works, F::Work, F::Sex, F::Edu,
           F::Post, F::Grade, F::GradeJn, F::Nation, F::Party, F::Role, F::FullTime});
    clearMarks();
}

void PersonWindow::setCorrecting(bool correcting)
{
    if (!correcting)
        correcting_.reset();
    add_->setVisible(!correcting);
    modify_->setVisible(correcting);
}

void PersonWindow::loadForCorrection()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return;
    const long long id = model_->item(current.row(), 0)->data().toLongLong();
    const std::optional<PersonRecord> r = roster_.load(id);
    if (!r) {
        showAll();
        return;
    }
    correcting_ = id;
    setCorrecting(true);
    clearMarks();
    showRecord(*r);
    for (F f : {F::Sex, F::Edu, F::Post, F::Grade, F::GradeJn, F::BirthYear})
        fieldLeft(f);
    pages_->setCurrentIndex(0);
}

void PersonWindow::deleteCurrent()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return;
    const long long id = model_->item(current.row(), 0)->data().toLongLong();
    const QString cell = current.data().toString();
    const bool removed = roster_.remove(id);
    if (removed)
        emit rosterChanged();
    showAll();
    if (removed)
        panel2_->setText(QStringLiteral(" ") + cell + QStringLiteral(" 删除成功！"));
}

void PersonWindow::emptyRoster()
{
    if (!prompt().ask(this, QStringLiteral("确认清空？清空将无法恢复！")))
        return;
    roster_.clear();
    emit rosterChanged();
    showAll();
    panel2_->setText(QStringLiteral("成功删除！"));
}

void PersonWindow::showRows(const std::vector<PersonListRow>& rows)
{
    model_->removeRows(0, model_->rowCount());
    for (const PersonListRow& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& cell : row.cells)
            items << new QStandardItem(cell);
        items.front()->setData(row.id);
        model_->appendRow(items);
    }
    list_->resizeColumnsToContents();
    panel1_->setText(countText(rows.size()));
    correctAction_->setEnabled(!rows.empty());
    deleteAction_->setEnabled(!rows.empty());
}

void PersonWindow::showSameNumbers()
{
    showRows(roster_.sameNumbers());
    panel2_->setText(QStringLiteral("查看同编号"));
}

void PersonWindow::showAll()
{
    showRows(roster_.all());
    panel2_->setText(QStringLiteral("查看全部"));
}

bool PersonWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            std::find(enterMoves_.begin(), enterMoves_.end(), w) != enterMoves_.end()) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Opening a drop-down or a message box is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto at = std::find(fields_.begin(), fields_.end(), w);
        if (at != fields_.end() && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason) {
            const F f = static_cast<F>(at - fields_.begin());
            if (checkedOnLeaving(f))
                fieldLeft(f);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vel::gui
