#include "MainWindow.h"

#include "CheckBoxes.h"
#include "CommandWidgets.h"
#include "Guarded.h"
#include "Prompter.h"
#include "ProgramVersion.h"
#include "Session.h"
#include "checks/DataCheckWindow.h"
#include "help/HelpDocuments.h"
#include "help/HelpWindow.h"
#include "maintenance/DatabaseCopy.h"
#include "maintenance/MaintenanceCommands.h"
#include "maintenance/PeriodEndTotalWindow.h"
#include "maintenance/StaffBrowserWindow.h"
#include "monthly/PayoutWindow.h"
#include "monthly/WageEntryWindow.h"
#include "period/CommandChecks.h"
#include "period/NextStep.h"
#include "reports/FormWindows.h"
#include "reports/Forms.h"
#include "reports/YearOverviewWindow.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/OpeningRosterWindow.h"
#include "staff/PersonWindow.h"
#include "staff/RosterChangesWindow.h"
#include "staff/PersonRoster.h"
#include "unit/UnitInfoWindow.h"
#include "unit/UnitSwitchWindow.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QDialog>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace vel::gui {
namespace {

// The stretched background of the client area.
class Backdrop : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(232, 240, 250));
        g.setColorAt(1, QColor(176, 196, 222));
        p.fillRect(rect(), g);
        QFont f = font();
        f.setPointSize(28);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(40, 70, 120));
        p.drawText(rect().adjusted(0, 0, 0, -height() / 5), Qt::AlignCenter,
                   MainWindow::programTitle());
    }
};

}  // namespace

QString MainWindow::programTitle()
{
    return QStringLiteral("Veldrassa.2012版");
}

MainWindow::MainWindow(Session& session, QWidget* parent, UnitList units)
    : QMainWindow(parent), session_(session), units_(std::move(units))
{
    setWindowTitle(programTitle());
    auto* backdrop = new Backdrop(this);
    auto* layout = new QVBoxLayout(backdrop);
    layout->addStretch();
    pb_ = workProgressBar(backdrop);
    pb_->setObjectName("progressBar");
    layout->addWidget(pb_);
    setCentralWidget(backdrop);

    panel0_ = new QLabel(this);
    panel0_->setObjectName("statusPanel0");
    panel1_ = new QLabel(this);
    panel1_->setObjectName("statusPanel1");
    nextStep_ = new QLabel(this);
    nextStep_->setObjectName("nextStep");
    statusBar()->addWidget(panel0_, 1);
    statusBar()->addWidget(panel1_, 1);
    statusBar()->addWidget(nextStep_, 1);

    buildMenus();
    buildToolBar();
}

QAction* MainWindow::addEntry(QMenu* menu, const QString& caption, const QString& name,
                              std::function<void()> command, bool visible)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setVisible(visible);
    connect(a, &QAction::triggered, this, [this, command] { runCommand(this, command); });
    return a;
}

void MainWindow::buildMenus()
{
    const bool Hidden = false;

    QMenu* staff = menuBar()->addMenu(QStringLiteral("从业人员管理"));
    staff->setObjectName("menuStaff");
    auto* staffShortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+A")), this);
    connect(staffShortcut, &QShortcut::activated, this, [this, staff] {
        staff->popup(mapToGlobal(menuBar()->actionGeometry(staff->menuAction()).bottomLeft()));
    });
    addEntry(staff, QStringLiteral("人员基本情况"), "actStaffBrowser",
             [this] { openStaffBrowser(*this); }, Hidden);
    addEntry(staff, QStringLiteral("单位基本信息"), "actUnitInfo", [this] { openUnitWindow(); });
    addEntry(staff, QStringLiteral("切换单位"), "actSwitchUnit", [this] {
        UnitSwitchWindow window(session_, units_, this);
        if (window.exec() == QDialog::Accepted)
            emit unitSwitchRequested(window.chosenFolder());
    });
    QMenu* opening = staff->addMenu(QStringLiteral("期初人员情况"));
    const auto openingBatch = [this] {
        if (requireUnit(true))
            openOpeningRoster(OpeningRosterMode::Entry);
    };
    const auto openingSingle = [this] {
        if (requireUnit(true))
            openPersonWindow();
    };
    addEntry(opening, QStringLiteral("从业人员批量输入"), "actOpeningBatch", openingBatch);
    addEntry(opening, QStringLiteral("从业人员个人输入"), "actOpeningSingle", openingSingle);
    QMenu* yearStart = staff->addMenu(QStringLiteral("年初人员情况111"));
    yearStart->menuAction()->setVisible(false);
    addEntry(yearStart, QStringLiteral("从业人员批量输入"), "actYearStartBatch", openingBatch);
    addEntry(yearStart, QStringLiteral("从业人员个人录入"), "actYearStartSingle", openingSingle);
    addEntry(staff, QStringLiteral("人员变动"), "actRosterChanges", [this] {
        if (requireUnit(true))
            openRosterChanges(windowContext(), this);
    });
    addEntry(staff, QStringLiteral("退出"), "actExit", [this] { close(); });

    wageMenu_ = menuBar()->addMenu(QStringLiteral("工资录入"));
    wageMenu_->setObjectName("menuWage");
    addEntry(wageMenu_, QStringLiteral("期末从业人员总数设置"), "actPeriodEndTotal",
             [this] { periodEndTotalCommand(*this); }, Hidden);
    for (int m = 1; m <= 12; ++m) {
        monthActions_[m] = addEntry(wageMenu_, QStringLiteral("%1月工资过录表").arg(m),
                                    QStringLiteral("actWageMonth%1").arg(m),
                                    [this, m] { runWageMonth(m); });
        monthActions_[m]->setEnabled(false);
    }

    summaryMenu_ = menuBar()->addMenu(QStringLiteral("数据汇总"));
    summaryMenu_->setObjectName("menuSummary");
    addFormEntries();
    addEntry(summaryMenu_, QStringLiteral("工资发放清单"), "actPayout", [this] {
        openPayout(windowContext(), this);
    });
    addEntry(summaryMenu_, QStringLiteral("全年概况"), "actYearOverview", [this] {
        YearOverviewWindow window(windowContext(), this);
        window.exec();
    });
    addEntry(summaryMenu_, QStringLiteral("数据审核"), "actDataCheck", [this] {
        DataCheckWindow window(windowContext(), {}, this);
        window.exec();
    });
    addEntry(summaryMenu_, QStringLiteral("人员名册"), "actRosterList", [this] {
        if (requireUnit(true))
            openOpeningRoster(OpeningRosterMode::RosterList);
    }, Hidden);

    QMenu* system = menuBar()->addMenu(QStringLiteral("系统管理"));
    system->setObjectName("menuSystem");
    addEntry(system, QStringLiteral("关于本系统"), "actAbout", [this] { showAbout(); });
    addEntry(system, QStringLiteral("填写说明"), "actFillingHelp",
             [this] { HelpWindow::open(this, help::FillingInstructions); });
    addEntry(system, QStringLiteral("系统使用说明"), "actManual",
             [this] { HelpWindow::open(this, help::UserManual); });
    addEntry(system, QStringLiteral("数据库检查"), "actDbCheck", [this] { prepareFolder(); },
             Hidden);
    addEntry(system, QStringLiteral("清空月度工资 "), "actClearWages",
             [this] { clearCommand(*this, ClearKind::Wages); }, Hidden);
    addEntry(system, QStringLiteral("清空从业人员"), "actClearStaff",
             [this] { clearCommand(*this, ClearKind::Staff); }, Hidden);
    addEntry(system, QStringLiteral("清空月度从业人员"), "actClearMonthlyStaff",
             [this] { clearCommand(*this, ClearKind::MonthlyStaff); }, Hidden);
    addEntry(system, QStringLiteral("清空期初从业人员"), "actClearOpening",
             [this] { clearOpeningRoster(); });
    addEntry(system, QStringLiteral("初始化系统"), "actInitialise",
             [this] { initialiseCommand(*this); });
    addEntry(system, QStringLiteral("数据备份"), "actBackup", [this] { backupCommand(*this); });
    addEntry(system, QStringLiteral("数据还原"), "actRestore", [this] { restoreCommand(*this); });
    addEntry(system, QStringLiteral("导入历史数据[仅Ardelm]"), "actHistoryImport",
             [this] { historyImportCommand(*this); });

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助"));
    helpMenu->menuAction()->setVisible(false);
    addEntry(helpMenu, QStringLiteral("帮助"), "actHelpNone", [] {});
    addEntry(helpMenu, QStringLiteral("关于本系统"), "actHelpAbout", [this] { showAbout(); });

    QAction* exitTop = menuBar()->addAction(QStringLiteral("退出"));
    exitTop->setObjectName("actExitTop");
    connect(exitTop, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::addFormEntries()
{
    for (const FormDefinition* form : forms())
        for (const FormMenu& m : form->menus) {
            QMenu* menu = summaryMenu_;
            if (!m.submenu.isEmpty()) {
                menu = summaryMenu_->addMenu(m.submenu);
                menu->menuAction()->setVisible(m.submenuShown);
            }
            for (const FormEntry& entry : m.entries) {
                QAction* a = addEntry(menu, entry.caption, entry.name, [this, form, entry] {
                    openFormEntry(windowContext(), *form, entry, this);
                }, entry.shown);
                if (!entry.enabled)
                    a->setEnabled(false);
                if (form->forOrgans)
                    unitKindEntries_.push_back({a, form, entry.shown});
            }
        }
}

void MainWindow::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName("toolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto button = [this, bar](const QString& caption, const QString& name,
                                    std::function<void()> command, bool visible = true) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(name);
        a->setVisible(visible);
        connect(a, &QAction::triggered, this, [this, command] { runCommand(this, command); });
    };
    const auto trigger = [this](const char* name) {
        return [this, name] { findChild<QAction*>(name)->trigger(); };
    };
    button(QStringLiteral("批量输入"), "btnBatch", trigger("actOpeningBatch"), false);
    button(QStringLiteral("个人输入"), "btnSingle", trigger("actOpeningSingle"), false);
    button(QStringLiteral("工资录入"), "btnWageEntry", [this] { wageEntryButton(); });
    for (const FormDefinition* form : forms()) {
        if (!form->toolButton)
            continue;
        const FormToolButton& b = *form->toolButton;
        if (b.quarterChooser)
            button(b.caption, b.name, [this, form] {
                if (requireUnit(true))
                    openQuarterChooser(windowContext(), *form, this);
            }, b.shown);
        else
            button(b.caption, b.name, [this, form] {
                openFormEntry(windowContext(), *form, form->menus.front().entries.front(), this);
            }, b.shown);
    }
    button(QStringLiteral("退  出"), "btnExit", [this] { close(); });
}

void MainWindow::startUp()
{
    runCommand(this, [this] {
        if (session_.readOnly())
            prompt().info(this, QStringLiteral("工作文件夹 %1 是只读的：单位的数据只能查看，"
                                               "不能保存、导入、还原或初始化。"
                                               "需要修改数据时，请检查该文件夹的写权限后重新打开。")
                                    .arg(QDir::toNativeSeparators(session_.folder().root())));
        else
            prepareFolder();
        RefreshMonthMenus();
        RefreshEntryMenus();
        showRegistration();
        if (!UnitRegistered() && !session_.readOnly())
            openUnitWindow(true);
    });
}

void MainWindow::prepareFolder()
{
    session_.folder().createSubfolders();
    removeStaleCopies(session_.folder());
}

void MainWindow::keepReadOnly()
{
    if (!session_.readOnly())
        return;
    // Only what reads the data, or copies it elsewhere, stays at hand.
    static const QStringList reading = {
        "actStaffBrowser", "actSwitchUnit", "actRosterChanges", "actExit",     "actPayout",
        "actYearOverview", "actAbout",      "actFillingHelp",   "actManual",   "actBackup",
        "actHelpAbout",    "actHelpNone",   "actExitTop",       "btnExit"};
    for (QAction* action : findChildren<QAction*>())
        if (!action->objectName().isEmpty() && !reading.contains(action->objectName()))
            action->setEnabled(false);
}

void MainWindow::RefreshMonthMenus()
{
    const MonthFlags open = session_.refreshMonthMenus();
    for (int m = 1; m <= 12; ++m)
        monthActions_[m]->setEnabled(open[m]);
    keepReadOnly();
    showNextStep();
}

void MainWindow::RefreshEntryMenus()
{
    const bool hasOpening = session_.refreshEntryMenus();
    wageMenu_->setEnabled(hasOpening);
    summaryMenu_->setEnabled(hasOpening);
    showNextStep();
}

void MainWindow::showNextStep()
{
    nextStep_->setText(nextStepHint(session_));
}

bool MainWindow::UnitRegistered()
{
    return session_.unitRegistered();
}

void MainWindow::showRegistration()
{
    const std::optional<UnitRegistration> r = loadRegistration(session_.db());
    if (!r) {
        setWindowTitle(programTitle() + QStringLiteral("[未登记]"));
        return;
    }
    session_.applyRegistration(*r);
    // A clerk who keeps several units always sees which one is open.
    setWindowTitle(units_.severalUnits() ? programTitle() + QStringLiteral(" — ") + r->name
                                             : programTitle());
    panel0_->setText(QStringLiteral("当前单位： ") + r->name);
    panel1_->setText(unitClassCaption(r->type, r->unitClass));
    for (const UnitKindEntry& e : unitKindEntries_)
        e.action->setVisible(e.shown && e.form->appliesTo(session_.unit().isOrgan()));
    showNextStep();
}

void MainWindow::openUnitWindow(bool fromStartUp)
{
    UnitInfoWindow window(session_, this);
    if (fromStartUp)
        window.setQualificationEnabled(false);
    // A new creation month changes which months are open, for a first registration too.
    connect(&window, &UnitInfoWindow::saved, this, [this] {
        showRegistration();
        RefreshMonthMenus();
    });
    window.exec();
}

bool MainWindow::passes(const CheckOutcome& outcome)
{
    return passChecks(this, outcome, [this](const CheckOutcome& refused) { takeOffer(refused); });
}

void MainWindow::takeOffer(const CheckOutcome& refused)
{
    if (refused.offer == CheckOffer::UnitWindow)
        openUnitWindow();
    else if (refused.offer == CheckOffer::MonthlyRoster)
        openMonthlyRoster(refused.offerMonth, this);
}

bool MainWindow::requireUnit(bool offerUnitWindow)
{
    return passes(unitCheck(session_, offerUnitWindow));
}

void MainWindow::runWageMonth(int month)
{
    if (!passes(wageMonthOpens(session_, month)))
        return;
    openWageEntry(windowContext(), month, this, [this, month](WageEntryWindow& w) {
        // The wage sheet is modal: the roster beside it must be its child to take input.
        connect(&w, &WageEntryWindow::rosterRequested, &w,
                [this, month, &w] { openMonthlyRoster(month, &w); });
    });
}

void MainWindow::openMonthlyRoster(int month, QWidget* owner)
{
    // Modeless, beside the wage sheet; one per owner, and it goes when it is closed.
    for (MonthlyRosterWindow* open : owner->findChildren<MonthlyRosterWindow*>(Qt::FindDirectChildrenOnly))
        if (open->month() == month && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return;
        }
    auto* window = new MonthlyRosterWindow(windowContext(), month, owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QDialog::finished, window, &QObject::deleteLater);
    window->show();
}

void MainWindow::wageEntryButton()
{
    if (!requireUnit(true))
        return;
    const QString createMon = session_.unit().CurCreateMon;
    if (!isValidCreateMon(createMon))
        return;
    if (!wageMenu_->isEnabled()) {
        prompt().info(this, QStringLiteral("请先输入期初数据。"));
        openOpeningRoster(OpeningRosterMode::Entry);
        return;
    }
    MonthFlags open{};
    for (int m = 1; m <= 12; ++m)
        open[m] = monthActions_[m]->isEnabled();
    if (const std::optional<int> month = wageEntryMonth(createMon, open))
        runWageMonth(*month);
}

WindowContext MainWindow::windowContext()
{
    WindowContext c{session_};
    c.progressBar = pb_;
    c.rosterStored = [this] {
        RefreshMonthMenus();
        RefreshEntryMenus();
    };
    c.entriesChanged = [this] { RefreshEntryMenus(); };
    c.wagesStored = [this] { RefreshMonthMenus(); };
    c.clearOpeningRoster = [this] {
        bool cleared = false;
        runCommand(this, [this, &cleared] { cleared = clearOpeningRoster(); });
        return cleared;
    };
    c.takeOffer = [this](const CheckOutcome& refused) { takeOffer(refused); };
    return c;
}

void MainWindow::openOpeningRoster(OpeningRosterMode mode)
{
    OpeningRosterWindow window(windowContext(), mode, this);
    window.exec();
}

void MainWindow::openPersonWindow()
{
    PersonWindow window(session_, PersonWindowMode::openingEntry(), this);
    connect(&window, &PersonWindow::rosterChanged, this, &MainWindow::RefreshEntryMenus);
    window.exec();
}

bool MainWindow::clearOpeningRoster()
{
    return clearCommand(*this, ClearKind::Opening);
}

void MainWindow::openingRosterCleared()
{
    wageMenu_->setEnabled(false);
    summaryMenu_->setEnabled(false);
    showNextStep();
}

void MainWindow::showAbout()
{
    QDialog about(this);
    about.setWindowTitle(QStringLiteral("关于本系统"));
    auto* picture = new QLabel(&about);
    picture->setAlignment(Qt::AlignCenter);
    picture->setObjectName("aboutPicture");
    picture->setText(QStringLiteral("<p><img src=\":/icons/veldrassa-64.png\"></p>"
                                    "<h2>%1</h2><p>从业人员及工资统计报表系统</p>"
                                    "<p>版本 %2</p>"
                                    "<p>自由软件<br>GNU 通用公共许可证第 3 版或更新版本<br>"
                                    "（GPL-3.0-or-later）</p>"
                                    "<p>（单击关闭）</p>")
                         .arg(programTitle(), QString::fromLatin1(programVersion)));
    picture->setMinimumSize(360, 280);
    picture->setStyleSheet("background: #dde6f2;");
    auto* layout = new QVBoxLayout(&about);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    struct ClickCloses : QObject {
        QDialog* dialog;
        explicit ClickCloses(QDialog* d) : QObject(d), dialog(d) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::MouseButtonRelease)
                dialog->accept();
            return false;
        }
    };
    picture->installEventFilter(new ClickCloses(&about));
    about.exec();
}

}  // namespace vel::gui
