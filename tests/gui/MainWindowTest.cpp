#include "GuiTest.h"
#include "MainWindow.h"
#include "ProgramVersion.h"
#include "Session.h"
#include "TestPrompter.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vel;
using namespace vel::gui;

class MainWindowTest : public QObject {
    Q_OBJECT

    static QList<int> openMonths(MainWindow& w)
    {
        QList<int> out;
        for (int m = 1; m <= 12; ++m)
            if (w.monthAction(m)->isEnabled())
                out << m;
        return out;
    }
    static QAction* action(MainWindow& w, const char* name) { return w.findChild<QAction*>(name); }
    static QString panel(MainWindow& w, int i)
    {
        return w.findChild<QLabel*>(QString("statusPanel%1").arg(i))->text();
    }
    static QString nextStep(MainWindow& w) { return w.findChild<QLabel*>("nextStep")->text(); }
    static void registerUnit(Session& s, const QString& type, const QString& cls,
                             const QString& createMon)
    {
        UnitRegistration r;
        r.name = "测试单位";
        r.code = "12345678X";
        r.type = type;
        r.unitClass = cls;
        r.createMon = createMon;
        saveRegistration(s.db(), r);
    }

private slots:
    void freshDatabaseOpensTheUnitWindowAtOnce()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        MainWindow w(s);
        QString modalTitle;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            modalTitle = modal->windowTitle();
            modal->close();
        });
        w.startUp();
        QCOMPARE(modalTitle, QStringLiteral("单位信息"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Veldrassa.2012版[未登记]"));
        QCOMPARE(nextStep(w), QStringLiteral("下一步：从业人员管理 › 单位基本信息"));
        QCOMPARE(openMonths(w), QList<int>{1});
        QVERIFY(!w.findChild<QMenu*>("menuWage")->isEnabled());
        QVERIFY(!w.findChild<QMenu*>("menuSummary")->isEnabled());
        QVERIFY(QDir(dir.path() + "/ERROR").exists());
        // Entries that stay hidden for the whole run, and the visible ones.
        QVERIFY(!action(w, "actStaffBrowser")->isVisible());
        QVERIFY(!action(w, "actClearWages")->isVisible());
        QCOMPARE(action(w, "actClearWages")->text(), QStringLiteral("清空月度工资 "));
        QVERIFY(!action(w, "btnBatch")->isVisible());
        QVERIFY(action(w, "btnQuarterly")->isVisible());
        QCOMPARE(action(w, "btnQuarterly")->text(), QStringLiteral("季  报"));
        QVERIFY(!action(w, "actBasicAnnual")->isEnabled());
    }

    void registeredUnitShowsItsClassAndOpenMonths()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, unit::EnterpriseType, "是1", "4");  // founded in May
        s.db().exec("INSERT INTO Wage_Info (sNumber, sMon) VALUES ('1', 7)");
        s.db().exec("INSERT INTO Staff_moninfo (sNumber, sMon) VALUES ('1', 0)");
        TestPrompter prompter;
        MainWindow w(s);
        w.startUp();
        QCOMPARE(w.windowTitle(), QStringLiteral("Veldrassa.2012版"));
        QCOMPARE(panel(w, 0), QStringLiteral("当前单位： 测试单位"));
        QCOMPARE(panel(w, 1), QStringLiteral("有总承包和专业承包资质的建筑业单位"));
        QCOMPARE(openMonths(w), (QList<int>{5, 6, 7, 8}));
        QCOMPARE(nextStep(w), QStringLiteral("下一步：核实8月名单（工资录入 › 8月工资过录表）"));
        QVERIFY(w.findChild<QMenu*>("menuWage")->isEnabled());
        QVERIFY(action(w, "actWageSummaryEnterprise")->isVisible());
        QVERIFY(!action(w, "actWageSummaryOrgan")->isVisible());
        QVERIFY(!s.unit().isOrgan());
    }

    void governmentOrganSeesOnlyItsSummaryEntry()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, unit::OrganType, "否", "99");
        TestPrompter prompter;
        MainWindow w(s);
        w.startUp();
        QCOMPARE(panel(w, 1), QStringLiteral("机关单位"));
        QVERIFY(!action(w, "actWageSummaryEnterprise")->isVisible());
        QVERIFY(action(w, "actWageSummaryOrgan")->isVisible());
        QVERIFY(s.unit().isOrgan());
    }

    void wageButtonAsksForTheOpeningRosterFirst()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, unit::EnterpriseType, "否", "99");
        TestPrompter prompter;
        MainWindow w(s);
        w.startUp();
        QCOMPARE(nextStep(w), QStringLiteral("下一步：从业人员管理 › 期初人员情况 › 从业人员批量输入"));
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            opened = modal->windowTitle();
            modal->close();
        });
        action(w, "btnWageEntry")->trigger();
        QVERIFY(prompter.shown.contains(QStringLiteral("请先输入期初数据。")));
        QCOMPARE(opened, QStringLiteral("人员情况期初录入"));
    }

    void wageButtonRunsTheTopOfTheOpenRun()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, unit::EnterpriseType, "否", "4");
        s.db().exec("INSERT INTO Wage_Info (sNumber, sMon) VALUES ('1', 7)");
        s.db().exec("INSERT INTO Staff_moninfo (sNumber, sMon) VALUES ('1', 0)");
        TestPrompter prompter;
        MainWindow w(s);
        w.startUp();
        action(w, "btnWageEntry")->trigger();
        QVERIFY(prompter.shown.contains(QStringLiteral("必须先核实8月名单！")));
    }

    void aboutBoxShowsTheVersionAndClosesOnAClick()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        MainWindow w(s);
        QString title, shown;
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget* about = QApplication::activeModalWidget();
            QVERIFY(about);
            title = about->windowTitle();
            auto* picture = about->findChild<QLabel*>("aboutPicture");
            QVERIFY(picture);
            shown = picture->text();
            QTest::mouseClick(picture, Qt::LeftButton);
            stayedOpen = about->isVisible();
            about->close();
        });
        action(w, "actAbout")->trigger();
        QCOMPARE(title, QStringLiteral("关于本系统"));
        QVERIFY2(shown.contains(QStringLiteral("版本 %1").arg(programVersion)), qPrintable(shown));
        QVERIFY(!stayedOpen);
    }
};

VEL_GUI_TEST(MainWindowTest)
#include "MainWindowTest.moc"
