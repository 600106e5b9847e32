#include "PersonWindow.h"

#include "Guarded.h"
#include "PersonEntryForm.h"
#include "PersonList.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowFit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace vel::gui {
namespace {

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

    form_ = new PersonEntryForm(session_.codes(), class_);
    connect(form_, &PersonEntryForm::addClicked, this, [this] { add(); });
    connect(form_, &PersonEntryForm::modifyClicked, this, [this] { modify(); });
    connect(form_, &PersonEntryForm::closeClicked, this, &QDialog::accept);
    connect(form_, &PersonEntryForm::showAllClicked, this,
            [this] { runCommand(this, [this] { showAll(); }); });
    pages_ = new QTabWidget(this);
    pages_->setObjectName("pages");
    pages_->addTab(form_, QStringLiteral("个人输入"));
    pages_->addTab(buildQueryPage(), QStringLiteral("个人查询"));

    list_ = new PersonList(class_, this);
    connect(list_, &PersonList::correctRequested, this,
            [this] { runCommand(this, [this] { loadForCorrection(); }); });
    connect(list_, &PersonList::deleteRequested, this,
            [this] { runCommand(this, [this] { deleteCurrent(); }); });
    connect(list_, &PersonList::emptyRequested, this,
            [this] { runCommand(this, [this] { emptyRoster(); }); });

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
        form_->fillChoices();
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

QWidget* PersonWindow::buildQueryPage()
{
    auto* page = new QWidget;
    search_ = new QLineEdit(page);
    search_->setObjectName("search");
    search_->installEventFilter(this);
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

void PersonWindow::add()
{
    if (!form_->checkedForStore())
        return;
    runCommand(this, [this] {
        roster_.add(form_->gathered(), session_.codes(), class_);
        emit rosterChanged();
        form_->emptyAfter(PersonFormCommand::Add);
        showAll();
        form_->focusName();
    });
}

void PersonWindow::modify()
{
    if (!correcting_ || !form_->checkedForStore())
        return;
    runCommand(this, [this] {
        if (!roster_.modify(*correcting_, form_->gathered(), session_.codes(), class_)) {
            prompt().info(this, QStringLiteral("异常出错，请核实。"));
            return;
        }
        emit rosterChanged();
        form_->emptyAfter(PersonFormCommand::Modify);
        correcting_.reset();
        form_->endCorrection();
        showAll();
        prompt().info(this, QStringLiteral("修改成功！"));
    });
}

void PersonWindow::loadForCorrection()
{
    const std::optional<long long> id = list_->currentId();
    if (!id)
        return;
    const std::optional<PersonRecord> r = roster_.load(*id);
    if (!r) {
        showAll();
        return;
    }
    correcting_ = id;
    form_->showForCorrection(*r);
    pages_->setCurrentIndex(0);
}

void PersonWindow::deleteCurrent()
{
    const std::optional<long long> id = list_->currentId();
    if (!id)
        return;
    const QString cell = list_->currentIndex().data().toString();
    const bool removed = roster_.remove(*id);
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
    list_->showRows(rows);
    panel1_->setText(countText(rows.size()));
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

// Enter in the search box moves on, as in every field of the form.
bool PersonWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vel::gui
