#include "GuiTest.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "monthly/PayoutWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vel;
using namespace vel::gui;

namespace {

struct Fixture {
    Fixture() : s(WorkFolder(dir.path())), context(s)
    {
        UnitRegistration r;
        r.name = "测试单位";
        r.code = "12345678X";
        r.type = unit::EnterpriseType;
        r.unitClass = "否";
        saveRegistration(s.db(), r);
        s.unitRegistered();
    }
    void roster(int month)
    {
        s.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES ('1', '甲', ?, '1')",
                    {static_cast<long long>(month)});
    }
    // A wage of a person on the month's roster: the list counts no other.
    void wage(const QString& number, const QString& name, int month, double total)
    {
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                    " VALUES (?, ?, ?, ?, '1', '1')",
                    {number, name, static_cast<long long>(month), total});
        s.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES (?, ?, ?, '1')",
                    {number, name, static_cast<long long>(month)});
    }

    QTemporaryDir dir;
    Session s;
    WindowContext context;
    TestPrompter prompter;
};

}  // namespace

class PayoutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void noMonthlyRosterShowsNoChooser()
    {
        Fixture f;
        f.roster(0);  // the opening roster is no month
        bool chooserShown = false;
        QObject untilReturned;  // the check goes with the test when no window ran a loop
        QTimer::singleShot(0, &untilReturned, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                chooserShown = true;
                w->close();
            }
        });
        openPayout(f.context, nullptr);
        QCOMPARE(f.prompter.shown, QStringList{"没有输入月工资信息！"});
        QVERIFY(!chooserShown);
    }

    void chooserRefusesAWrongRange_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("last before first") << "3" << "2" << false;
        QTest::newRow("no month number") << "三" << "3" << false;
        QTest::newRow("past December") << "2" << "13" << false;
        QTest::newRow("one month") << "2" << "2" << true;
        QTest::newRow("padded") << " 1" << "3 " << true;
    }

    void chooserRefusesAWrongRange()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(bool, accepted);
        TestPrompter prompter;
        PayoutChooser chooser({1, 2, 3});
        QCOMPARE(chooser.windowTitle(), QStringLiteral("选择输出期限"));
        QCOMPARE(chooser.firstBox()->count(), 3);
        QCOMPARE(chooser.lastBox()->currentText(), QStringLiteral("1"));
        chooser.show();
        chooser.firstBox()->setCurrentText(first);
        chooser.lastBox()->setCurrentText(last);
        chooser.output();
        QCOMPARE(chooser.isVisible(), !accepted);
        QCOMPARE(prompter.shown,
                 accepted ? QStringList{} : QStringList{"ERROR: 开始、截止月份错误!"});
    }

    void listShowsEachPersonsMonthsAndCopiesAsText()
    {
        Fixture f;
        for (int m = 1; m <= 3; ++m)
            f.roster(m);
        f.wage("10", "乙", 2, 4000);
        f.wage("2", "甲", 1, 3000);
        f.wage("2", "甲", 2, 3000.5);
        f.wage("2", "甲", 3, 3100);
        f.wage("2", "甲乙", 3, 500);  // the same number under another name is another line
        f.wage("7", "丙", 1, 2000);   // wages only outside the range still give a line

        const QString pdf = f.dir.path() + QStringLiteral("/XLS/工资发放清单2_3.pdf");
        QTimer::singleShot(0, [pdf] {
            auto* chooser = qobject_cast<PayoutChooser*>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            chooser->firstBox()->setCurrentText("2");
            chooser->lastBox()->setCurrentText("3");
            QTimer::singleShot(0, [pdf] {
                auto* w = qobject_cast<PayoutWindow*>(QApplication::activeModalWidget());
                QVERIFY(w);
                QCOMPARE(w->windowTitle(), QStringLiteral("[测试单位] 工资发放汇总清单"));
                QCOMPARE(w->findChild<QLabel*>("title")->text(),
                         QStringLiteral("2月 - 3月 的工资发放汇总清单"));
                // The same form whatever the locale says (set to one with another form below).
                QCOMPARE(w->findChild<QLabel*>("date")->text(),
                         QStringLiteral("统计日期：") + QDate::currentDate().toString("yyyy-MM-dd"));
                QVERIFY(w->view()->isReadOnly());
                Sheet& sheet = w->sheet();
                QCOMPARE(sheet.maxRow(), 6);
                w->view()->selectRange(1, 1, sheet.maxRow(), 15);
                w->view()->copy();
                // On paper as on screen, under the title the window shows.
                w->findChild<QPushButton*>("exportPdf")->click();
                QVERIFY(QFileInfo(pdf).size() > 0);
                w->findChild<QPushButton*>("print")->click();
                auto* preview = w->findChild<QPrintPreviewDialog*>("printPreview");
                QVERIFY(preview);
                QCOMPARE(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 1);
                preview->close();
                w->close();
            });
            chooser->output();
        });
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setShellOpener([](const QString&) { return true; });
        openPayout(f.context, nullptr);
        setShellOpener({});
        QLocale::setDefault(QLocale::system());
        QCOMPARE(f.prompter.shown.size(), 1);
        QVERIFY(f.prompter.shown.first().contains(QStringLiteral("工资发放清单2_3.pdf")));

        const auto line = [](const QStringList& cells) {
            QStringList row = cells;
            while (row.size() < 15)
                row.insert(row.size() - 1, QString());
            return row.join('\t') + "\r\n";
        };
        QStringList header{"姓名", "编号"};
        for (int m = 1; m <= 12; ++m)
            header << (m == 6 ? QStringLiteral("6月 ") : QStringLiteral("%1月").arg(m));
        header << "合计";
        const QString expected =
            header.join('\t') + "\r\n" +
            line({"甲", "2", "", "3000.5", "3100", "6100.5"}) +
            line({"甲乙", "2", "", "", "500", "500"}) +
            line({"丙", "7", "", "", "", "0"}) +
            line({"乙", "10", "", "4000", "", "4000"}) +
            QString(13, '\t') + "总计：\t10600.5\r\n";
        QCOMPARE(QApplication::clipboard()->text(), expected);
    }
};

VEL_GUI_TEST(PayoutWindowTest)
#include "PayoutWindowTest.moc"
