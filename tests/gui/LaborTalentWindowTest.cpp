#include "GuiTest.h"
#include "MainWindow.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "reports/FormWindows.h"
#include "reports/Forms.h"
#include "reports/MonthRangeChooser.h"
#include "reports/ReportWindow.h"
#include "staff/OpeningRosterWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vel;
using namespace vel::gui;

namespace {

// A unit with three persons in every roster and 3000 yuan each in every month.
void fillYear(Session& s)
{
    UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = unit::EnterpriseType;
    r.unitClass = "是1";
    saveRegistration(s.db(), r);
    s.unitRegistered();
    Transaction tx(s.db());
    for (int month = 0; month <= 12; ++month)
        for (int p = 1; p <= 3; ++p) {
            s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sSex, sEducation,"
                        " sPost, ssf, sqrz, sBirth, sIsok, sMon) VALUES (?, ?, '男', 1, 3, 41, 1,"
                        " 1, '1980-05', '1', ?)",
                        {QString("人%1").arg(p), QString::number(p), static_cast<long long>(month)});
            if (month > 0)
                s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag,"
                            " wFlag) VALUES (?, ?, ?, 3000, 3000, '1', '1')",
                            {QString::number(p), QString("人%1").arg(p),
                             static_cast<long long>(month)});
        }
    tx.commit();
}

// Runs `check` on the modal window that `open` shows, then closes it.
template <class Window>
bool onModal(const std::function<void()>& open, const std::function<void(Window*)>& check)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window)
            return;
        seen = true;
        check(window);
        if (window->isVisible())
            window->reject();
    });
    open();
    return seen;
}

// The forms as their menu entries open them.
void openBasicQuarterly(const WindowContext& context, int quarter, QWidget* parent)
{
    openForm(context, *formFor("basic-quarterly", false), FormPeriod::ofQuarter(quarter), parent);
}

void openTalentSummary(const WindowContext& context, QWidget* parent)
{
    openForm(context, *formFor("talent", false), FormPeriod::ofYear(), parent, true);
}

void openTalentOpeningSummary(const WindowContext& context, QWidget* parent)
{
    openForm(context, *formFor("talent-opening", false), FormPeriod::ofOpeningRoster(), parent,
             true);
}

}  // namespace

class LaborTalentWindowTest : public QObject {
    Q_OBJECT

    QStringList opened_;

private slots:
    void init()
    {
        opened_.clear();
        setShellOpener([this](const QString& path) {
            opened_ << path;
            return true;
        });
    }
    void cleanup() { setShellOpener({}); }

    void basicQuarterlyChecksComputesAndSubmitsToRcsb()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        QWidget parent;
        // The form names its files after the unit: without one it does not open.
        openBasicQuarterly(WindowContext{s}, 1, &parent);
        QCOMPARE(prompter.shown, QStringList{"请先填写单位基本信息！"});

        fillYear(s);
        prompter.shown.clear();
        QVERIFY(onModal<ReportWindow>([&] { openBasicQuarterly(WindowContext{s}, 1, &parent); },
                                      [&](ReportWindow* w) {
            QCOMPARE(w->windowTitle(),
                     QStringLiteral("企事业单位劳动统计报表（季度） 统计第一季度，即从 1 月到 3月"));
            QCOMPARE(w->view()->sheet().text(12, 5), QStringLiteral("27000"));
            QVERIFY(w->submitButton()->isEnabled());
            w->submit();
            QVERIFY(QFileInfo::exists(dir.path() + "/RCSB/12345678X_1_i202.dbf"));
            QVERIFY(w->isHidden());
        }));
        QCOMPARE(opened_, QStringList{dir.path() + "/RCSB"});
    }

    // "期间报表": the hidden entry opens the chooser with "确 定"; the form for the chosen months
    // offers no submission file.
    void rangePathOpensThroughTheChooser()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s);
        TestPrompter prompter;
        MainWindow main(s);
        bool reportSeen = false;
        QTimer::singleShot(0, [&] {
            auto* chooser = qobject_cast<MonthRangeChooser*>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            QVERIFY(chooser->findChild<QPushButton*>("confirm")->isVisible());
            chooser->fromBox()->setCurrentText("4");
            chooser->toBox()->setCurrentText("6");
            QTimer::singleShot(0, [&] {
                auto* w = qobject_cast<ReportWindow*>(QApplication::activeModalWidget());
                QVERIFY(w);
                reportSeen = true;
                QVERIFY(w->windowTitle().endsWith(QStringLiteral(" 统计从 4月到6月")));
                QCOMPARE(w->view()->sheet().text(1, 5), QStringLiteral("统计月间"));
                QCOMPARE(w->view()->sheet().text(12, 5), QStringLiteral("27000"));
                QVERIFY(!w->submitButton()->isEnabled());
                w->reject();
            });
            chooser->choose();
        });
        main.findChild<QAction*>("actBasicPeriod")->trigger();
        QVERIFY(reportSeen);
        QVERIFY(prompter.shown.isEmpty());
    }

    void talentSummaryGuardLeavesTheFormBlankAndOffersNoFile()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s);
        TestPrompter prompter;
        QWidget parent;
        QVERIFY(onModal<ReportWindow>([&] { openTalentSummary(WindowContext{s}, &parent); },
                                      [&](ReportWindow* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("期初人才调查汇总表（统计上年末人才情况）"));
            QCOMPARE(w->exportButton()->text(), QStringLiteral("导成Excel"));
            QCOMPARE(w->printButton()->text(), QStringLiteral("打  印"));
            QCOMPARE(w->view()->sheet().text(4, 4), QStringLiteral("3"));
            QCOMPARE(w->view()->sheet().text(4, 12), QStringLiteral("3"));
            w->submit();
            QVERIFY(QFileInfo::exists(dir.path() + "/RCSB/12345678X_i505.dbf"));
            QVERIFY(QFileInfo::exists(dir.path() + "/RCSB/Gl_12345678X.dbf"));
        }));
        QVERIFY(prompter.shown.last().contains(QStringLiteral("过录表为：Gl_12345678X.dbf")));

        s.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 4");
        prompter.shown.clear();
        QVERIFY(onModal<ReportWindow>([&] { openTalentSummary(WindowContext{s}, &parent); },
                                      [&](ReportWindow* w) {
            QVERIFY(w->view()->sheet().text(4, 4).isEmpty());
            QVERIFY(!w->exportButton()->isEnabled());
            QVERIFY(!w->printButton()->isEnabled());
            QVERIFY(!w->submitButton()->isEnabled());
        }));
        QCOMPARE(prompter.shown,
                 QStringList{"你没有<审核>数据及<存储>，无法进行统计汇总。"});

        // The older summary guards the opening roster only.
        prompter.shown.clear();
        QVERIFY(onModal<ReportWindow>([&] { openTalentOpeningSummary(WindowContext{s}, &parent); },
                                      [&](ReportWindow* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("人才资源汇总"));
            QCOMPARE(w->view()->sheet().text(4, 3), QStringLiteral("3"));
            QVERIFY(w->submitButton()->isEnabled());
        }));
        QVERIFY(prompter.shown.isEmpty());
    }

    void hiddenEntriesStayHiddenAndTheYearEndSummaryChecksDecember()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        UnitRegistration r;
        r.name = "测试单位";
        r.code = "12345678X";
        r.type = unit::EnterpriseType;
        r.unitClass = "否";
        saveRegistration(s.db(), r);
        TestPrompter prompter;
        MainWindow main(s);
        const auto action = [&](const char* name) { return main.findChild<QAction*>(name); };
        for (const char* hidden : {"actTalent", "actBasicAnnual", "btnTalent"})
            QVERIFY2(!action(hidden)->isVisible(), hidden);
        QVERIFY(!action("actBasicAnnual")->isEnabled());
        QVERIFY(!action("actBasicQuarter1")->isEnabled());
        QVERIFY(action("actTalentYearEnd")->isVisible());
        action("actTalentYearEnd")->trigger();
        QCOMPARE(prompter.shown, QStringList{"年度数据不全，请保证有年末12月数据。"});
    }

    void rosterListSubmitsTheStoredRosterAndCloses()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s);
        TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s}, OpeningRosterMode::RosterList);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* submit = w.findChild<QPushButton*>("submitRoster");
        QCOMPARE(submit->text(), QStringLiteral("过录表上报"));
        QVERIFY(submit->isVisible());
        QVERIFY(!w.findChild<QPushButton*>("save")->isVisible());
        submit->click();
        const QString rcsb = dir.path() + "/RCSB";
        QCOMPARE(prompter.shown.last(),
                 "你保存在'" + rcsb + "/'里,文件名为:Gl_12345678X.dbf");
        QVERIFY(QFileInfo::exists(rcsb + "/Gl_12345678X.dbf"));
        QCOMPARE(opened_, QStringList{rcsb});
        QVERIFY(w.isHidden());

        // Entry mode offers no submission.
        OpeningRosterWindow entry(WindowContext{s});
        entry.show();
        QVERIFY(QTest::qWaitForWindowExposed(&entry));
        QVERIFY(!entry.findChild<QPushButton*>("submitRoster")->isVisible());
    }
};

VEL_GUI_TEST(LaborTalentWindowTest)
#include "LaborTalentWindowTest.moc"
