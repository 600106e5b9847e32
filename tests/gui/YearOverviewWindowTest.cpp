#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "reports/YearOverviewWindow.h"
#include "staff/MonthlyRosterWindow.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vel;
using namespace vel::gui;

class YearOverviewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void marksProblemMonthsAndOpensTheirWindow()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, ssf, sIsok) VALUES"
                    " ('甲', '1', 0, 1, '1'), ('甲', '1', 2, 1, '0'), ('乙', '2', 2, 2, '1')");
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                    " VALUES ('1', '甲', 1, 3000, '1', '1'), ('1', '甲', 2, 2000, '1', '1')");
        YearOverviewWindow w{WindowContext{s}};
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        Sheet& sheet = w.sheet();
        QCOMPARE(sheet.text(4, 1), QStringLiteral("2月"));
        QCOMPARE(sheet.text(4, 2), QStringLiteral("2"));
        QCOMPARE(sheet.mark(4, 1), CellMark::Error);
        QCOMPARE(sheet.mark(3, 1), CellMark::None);
        QCOMPARE(sheet.text(1, 11), QStringLiteral("人员审核未通过"));
        QCOMPARE(sheet.mark(4, 11), CellMark::Error);
        QCOMPARE(sheet.mark(4, 12), CellMark::None);
        const QList<QChartView*> charts = w.findChildren<QChartView*>();
        QCOMPARE(charts.size(), 2);
        for (QChartView* c : charts)
            QCOMPARE(c->chart()->series().size(), 1);
        w.findChild<QPushButton*>("exportPdf")->click();
        QVERIFY(QFileInfo(dir.path() + QStringLiteral("/XLS/全年概况.pdf")).size() > 0);

        // Month 2 has a failed roster row: its roster window opens; a month without data says so.
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            auto* roster = qobject_cast<MonthlyRosterWindow*>(QApplication::activeModalWidget());
            opened = roster && roster->month() == 2;
            if (roster)
                roster->close();
        });
        w.openMonth(4);
        QVERIFY(opened);
        w.openMonth(6);
        QCOMPARE(prompter.shown.last(), QStringLiteral("4月没有数据。"));
    }
};

VEL_GUI_TEST(YearOverviewWindowTest)
#include "YearOverviewWindowTest.moc"
