#include "HelpWindow.h"

#include "help/HelpBrowser.h"
#include "help/HelpDocuments.h"
#include "help/HelpSearch.h"
#include "WindowFit.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace vel::gui {

namespace {

constexpr int IdRole = Qt::UserRole;
constexpr int AnchorRole = Qt::UserRole + 1;

QTreeWidgetItem* entry(QTreeWidgetItem* parent, const QString& text, const QString& id,
                       const QString& anchor)
{
    auto* item = new QTreeWidgetItem(parent, {text});
    item->setData(0, IdRole, id);
    item->setData(0, AnchorRole, anchor);
    return item;
}

}  // namespace

HelpWindow* HelpWindow::open(QWidget* from, const QString& id, const QString& anchor)
{
    if (!instance_)
        instance_ = new HelpWindow;
    HelpWindow* window = instance_;
    const bool placed = window->isVisible();
    window->moveTo(from ? from->window() : nullptr);
    window->browser_->setSource(HelpBrowser::urlOf(id, anchor));
    if (!placed)
        placeOver(window, from ? from->window() : nullptr);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow::HelpWindow() : QMainWindow(nullptr, Qt::Window)
{
    setObjectName("helpWindow");
    setWindowTitle(QStringLiteral("帮助"));
    resize(size_);

    browser_ = new HelpBrowser(this);
    contents_ = new QTreeWidget(this);
    contents_->setObjectName("helpContents");
    contents_->setHeaderHidden(true);
    hitList_ = new QListWidget(this);
    hitList_->setObjectName("helpHits");
    hitList_->setWordWrap(true);
    hitList_->setAlternatingRowColors(true);
    side_ = new QTabWidget(this);
    side_->addTab(contents_, QStringLiteral("目录"));
    side_->addTab(hitList_, QStringLiteral("搜索结果"));
    auto* split = new QSplitter(this);
    split->addWidget(side_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setCollapsible(0, false);  // "目录" always has a pane to show
    split->setSizes({300, 800});
    setCentralWidget(split);

    QToolBar* bar = addToolBar(QStringLiteral("导航"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                   QStringLiteral("后退"), browser_, &QTextBrowser::backward);
    back->setObjectName("helpBack");
    back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    back->setToolTip(QStringLiteral("后退 (Alt+←)"));
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                      QStringLiteral("前进"), browser_, &QTextBrowser::forward);
    forward->setObjectName("helpForward");
    forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    forward->setToolTip(QStringLiteral("前进 (Alt+→)"));
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* toContents = bar->addAction(style()->standardIcon(QStyle::SP_FileDialogListView),
                                         QStringLiteral("目录"), this, &HelpWindow::showContents);
    toContents->setObjectName("helpContentsButton");
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" 查找： "), bar));
    search_ = new QLineEdit(bar);
    search_->setObjectName("helpSearch");
    search_->setPlaceholderText(QStringLiteral("输入词语，按回车查找"));
    search_->setClearButtonEnabled(true);
    search_->setToolTip(QStringLiteral("查找 (Ctrl+F)，回车或 F3 找下一处"));
    search_->setFixedWidth(260);
    bar->addWidget(search_);
    connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::findNext);

    auto* focusSearch = new QAction(this);
    focusSearch->setShortcut(QKeySequence::Find);
    connect(focusSearch, &QAction::triggered, this, [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    auto* again = new QAction(this);
    again->setShortcut(QKeySequence::FindNext);
    connect(again, &QAction::triggered, this, &HelpWindow::findNext);
    addActions({focusSearch, again});

    status_ = new QLabel(this);
    status_->setObjectName("helpStatus");
    statusBar()->addWidget(status_, 1);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName("helpClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    statusBar()->addPermanentWidget(close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    buildContents();
    const auto go = [this](QTreeWidgetItem* item) {
        browser_->setSource(HelpBrowser::urlOf(item->data(0, IdRole).toString(),
                                               item->data(0, AnchorRole).toString()));
    };
    connect(contents_, &QTreeWidget::itemClicked, this, go);
    connect(contents_, &QTreeWidget::itemActivated, this, go);
    const auto hit = [this](QListWidgetItem* item) { openHit(hitList_->row(item)); };
    connect(hitList_, &QListWidget::itemClicked, this, hit);
    connect(hitList_, &QListWidget::itemActivated, this, hit);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::documentShown);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::moveTo(QWidget* owner)
{
    if (parentWidget() == owner)
        return;
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    // A modal window blocks every window but its own: the help window belongs to the window that
    // asked, so that the clerk can read and search it while that window stays open.
    const QRect place = geometry();
    const bool shown = isVisible();
    setParent(owner, Qt::Window);
    setGeometry(place);
    if (owner)
        owner->installEventFilter(this);
    if (shown)
        show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    // When the window it belongs to closes, the help stays open beside the one underneath.
    if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous()) {
        QWidget* below = parentWidget()->parentWidget();
        moveTo(below ? below->window() : nullptr);
    }
    return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    size_ = size();
}

void HelpWindow::buildContents()
{
    for (const help::Document& d : help::documents()) {
        auto* top = new QTreeWidgetItem(contents_, {d.title});
        top->setData(0, IdRole, d.id);
        QTreeWidgetItem* section = nullptr;
        for (const help::Heading& h : help::headings(help::markdown(d.id))) {
            if (h.level == 2)
                section = entry(top, h.text, d.id, h.anchor);
            else if (h.level == 3)
                entry(section ? section : top, h.text, d.id, h.anchor);
        }
        top->setExpanded(true);
    }
}

void HelpWindow::showContents()
{
    side_->setCurrentWidget(contents_);
    contents_->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::documentShown()
{
    const QString id = browser_->documentId();
    const QTreeWidgetItem* at = contents_->currentItem();
    if (!at || at->data(0, IdRole).toString() != id)
        for (int i = 0; i < contents_->topLevelItemCount(); ++i)
            if (contents_->topLevelItem(i)->data(0, IdRole).toString() == id)
                contents_->setCurrentItem(contents_->topLevelItem(i));
    markHits();
    if (!hits_.empty())
        showCount();
}

void HelpWindow::findNext()
{
    const QString word = search_->text().trimmed();
    if (word.isEmpty())
        return;
    if (word != listed_)
        listHits(word);
    if (hits_.empty()) {
        status_->setText(QStringLiteral("未找到“%1”").arg(word));
        return;
    }
    // The next hit in the shown document, from the top after the last; where it has none, the
    // first hit elsewhere.
    const QString id = browser_->documentId();
    const int from = browser_->textCursor().selectionEnd();
    int first = -1, next = -1;
    for (int i = 0; i < static_cast<int>(hits_.size()) && next < 0; ++i) {
        if (hits_[i].id != id)
            continue;
        if (first < 0)
            first = i;
        if (hits_[i].position >= from)
            next = i;
    }
    openHit(next >= 0 ? next : first >= 0 ? first : 0);
    showCount();
}

void HelpWindow::showCount()
{
    const QString id = browser_->documentId();
    const auto here = std::count_if(hits_.begin(), hits_.end(),
                                    [&](const HelpHit& h) { return h.id == id; });
    status_->setText(QStringLiteral("本文档 %1 处 / 全部文档 %2 处").arg(here).arg(hits_.size()));
}

void HelpWindow::listHits(const QString& word)
{
    if (!searcher_)
        searcher_ = std::make_unique<HelpSearch>();
    listed_ = word;
    hits_ = searcher_->find(word);
    hitList_->clear();
    for (const HelpHit& h : hits_) {
        QString title;
        for (const help::Document& d : help::documents())
            if (d.id == h.id)
                title = d.title;
        hitList_->addItem(QStringLiteral("%1：%2").arg(title, h.line));
    }
    side_->setTabText(side_->indexOf(hitList_), QStringLiteral("搜索结果（%1）").arg(hits_.size()));
    if (!hits_.empty())
        side_->setCurrentWidget(hitList_);
    markHits();
}

void HelpWindow::openHit(int row)
{
    if (row < 0 || row >= static_cast<int>(hits_.size()))
        return;
    const HelpHit hit = hits_[row];
    if (browser_->documentId() != hit.id)
        browser_->setSource(HelpBrowser::urlOf(hit.id));
    QTextCursor at(browser_->document());
    at.setPosition(hit.position);
    at.setPosition(hit.position + hit.length, QTextCursor::KeepAnchor);
    browser_->setTextCursor(at);
    browser_->ensureCursorVisible();
}

void HelpWindow::markHits()
{
    QList<QTextEdit::ExtraSelection> marks;
    const QString id = browser_->documentId();
    for (const HelpHit& h : hits_) {
        if (h.id != id)
            continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(browser_->document());
        mark.cursor.setPosition(h.position);
        mark.cursor.setPosition(h.position + h.length, QTextCursor::KeepAnchor);
        mark.format.setBackground(QColor(255, 236, 140));
        marks << mark;
    }
    browser_->setExtraSelections(marks);
}

}  // namespace vel::gui
