#include "GuiTest.h"
#include "Session.h"
#include "ShellOpen.h"
#include "SmallYear.h"
#include "TestPrompter.h"
#include "checks/DataCheckWindow.h"
#include "reports/FormWindows.h"
#include "reports/Forms.h"
#include "reports/ReportWindow.h"
#include "staff/MonthlyRosterWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace vel;
using namespace vel::gui;

namespace {

// Four persons at 3,000 a month all year; person 2's May wage typed as 6,000 (W02 in May), and
// everyone paid 4,000 in December (W03 for the month).
void fillYear(Session& s)
{
    fillSmallYear(s, 4);
    s.db().exec("UPDATE Wage_Info SET sN1 = 6000, sTotal = 6000 WHERE sMon = 5 AND sNumber = '2'");
    s.db().exec("UPDATE Wage_Info SET sN1 = 4000, sTotal = 4000 WHERE sMon = 12");
}

// August's roster cut to one person (E05).
void cutAugust(Session& s)
{
    s.db().exec("DELETE FROM Staff_moninfo WHERE sMon = 8 AND sNumber <> '1'");
    s.db().exec("DELETE FROM Wage_Info WHERE sMon = 8 AND sNumber <> '1'");
}

QTreeWidgetItem* row(QTreeWidget* tree, const QString& code, const QString& place)
{
    for (QTreeWidgetItem* item : tree->findItems(code, Qt::MatchExactly | Qt::MatchRecursive))
        if (item->text(1) == place)
            return item;
    return nullptr;
}

QStringList groups(QTreeWidget* tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out << tree->topLevelItem(i)->text(0);
    return out;
}

}  // namespace

class DataCheckWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        setShellOpener([](const QString&) { return true; });
    }
    void cleanup() { setShellOpener({}); }

    void groupsFindingsExplainsWarningsAndOpensTheMonth()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s);
        cutAugust(s);
        TestPrompter prompter;
        DataCheckWindow window{WindowContext{s}};
        QTreeWidget* tree = window.tree();
        QCOMPARE(groups(tree), (QStringList{"错误（1）", "警告（2）", "已说明（0）"}));
        QVERIFY(row(tree, "E05", "8"));

        // An error takes no explanation.
        tree->setCurrentItem(row(tree, "E05", "8"));
        QVERIFY(!window.findChild<QLineEdit*>("note")->isEnabled());
        QVERIFY(window.findChild<QLabel*>("todo")->text().contains("打开该月名册"));

        tree->setCurrentItem(row(tree, "W02", "5/2"));
        auto* note = window.findChild<QLineEdit*>("note");
        QVERIFY(note->isEnabled());
        note->setText(QStringLiteral("五月补发"));
        window.findChild<QPushButton*>("saveNote")->click();
        QCOMPARE(groups(tree), (QStringList{"错误（1）", "警告（1）", "已说明（1）"}));
        QCOMPARE(row(tree, "W02", "5/2")->parent()->text(0), QStringLiteral("已说明（1）"));
        QCOMPARE(row(tree, "W02", "5/2")->text(3), QStringLiteral("五月补发"));
        QVERIFY(s.db().exists("SELECT 1 FROM Check_Note WHERE Code = 'W02' AND Place = '5/2'"
                              " AND Note = '五月补发' AND Period = '5'"));

        // One text for several selected warnings at once.
        tree->clearSelection();
        row(tree, "W02", "5/2")->setSelected(true);
        row(tree, "W03", "12")->setSelected(true);
        note->setText(QStringLiteral("补发和年终奖"));
        window.findChild<QPushButton*>("saveNote")->click();
        QCOMPARE(groups(tree), (QStringList{"错误（1）", "警告（0）", "已说明（2）"}));
        QCOMPARE(row(tree, "W03", "12")->text(3), QStringLiteral("补发和年终奖"));

        // May's wage changed under its explanation: shown with it, as not explained.
        s.db().exec("UPDATE Wage_Info SET sN1 = 6100, sTotal = 6100 WHERE sMon = 5 AND sNumber = '2'");
        window.refresh();
        QCOMPARE(groups(tree), (QStringList{"错误（1）", "警告（1）", "已说明（1）"}));
        QCOMPARE(row(tree, "W02", "5/2")->text(3), QStringLiteral("说明已过时：补发和年终奖"));

        // Double-clicking the cut month opens its roster; once it closes the check runs again.
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* roster = qobject_cast<MonthlyRosterWindow*>(modal)) {
                opened = roster->windowTitle();
                // The clerk adds two of the missing persons back, with their wages.
                s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sIsok, sMon, ssf, sqrz)"
                            " VALUES ('人2', '2', '1', 8, 1, 1), ('人3', '3', '1', 8, 1, 1)");
                s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag, wFlag)"
                            " VALUES ('2', '人2', 8, 3000, 3000, '1', '1'),"
                            " ('3', '人3', 8, 3000, 3000, '1', '1')");
            }
            if (modal)
                modal->close();
        });
        emit tree->itemDoubleClicked(row(tree, "E05", "8"), 0);
        QVERIFY(!opened.isEmpty());
        QCOMPARE(groups(tree).first(), QStringLiteral("错误（0）"));
    }

    void submissionRefusedOnAnErrorAskedOnAWarningAndTheButtonStandsBeforeIt()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s);
        cutAugust(s);
        TestPrompter prompter;
        QWidget parent;
        const QString file = dir.path() + "/GZSB/12345678X_i102.dbf";
        const auto annual = [&](const std::function<void(ReportWindow*)>& withWindow) {
            bool reached = false;
            QTimer::singleShot(0, [&] {
                auto* window = qobject_cast<ReportWindow*>(QApplication::activeModalWidget());
                QVERIFY(window);
                withWindow(window);
                reached = true;
                window->reject();
            });
            openForm(WindowContext{s}, *formFor("annual", false), FormPeriod::ofYear(), &parent);
            QVERIFY(reached);
        };

        annual([&](ReportWindow* window) {
            window->show();
            QVERIFY(window->checkButton()->x() < window->submitButton()->x());
            QCOMPARE(window->checkButton()->text(), QStringLiteral("数据审核"));
            window->submit();
            QVERIFY(prompter.shown.last().contains("数据审核发现错误，不能生成上报文件"));
            QVERIFY(prompter.shown.last().contains("E05 8 8月名册只有1人，不超过7月4人的一半"));
            QVERIFY(!QFileInfo::exists(file));
        });

        // August put right: May's and December's warnings are left, and asked about.
        s.db().exec("DELETE FROM Staff_moninfo WHERE sMon = 8");
        s.db().exec("DELETE FROM Wage_Info WHERE sMon = 8");
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sIsok, sMon, ssf, sqrz, sSex,"
                    " sEducation, sPost) SELECT sName, sNumber, sIsok, 8, ssf, sqrz, sSex,"
                    " sEducation, sPost FROM Staff_moninfo WHERE sMon = 7");
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag, wFlag)"
                    " SELECT sNumber, sName, 8, sN1, sTotal, sFlag, wFlag FROM Wage_Info"
                    " WHERE sMon = 7");
        annual([&](ReportWindow* window) {
            prompter.answer = false;
            window->submit();
            QVERIFY(prompter.shown.last().startsWith("数据审核有2条警告还没有说明"));
            QVERIFY(!QFileInfo::exists(file));
            prompter.answer = true;
            window->submit();
            QVERIFY(QFileInfo::exists(file));
            QVERIFY(QFileInfo::exists(dir.path() + "/GZSB/审核说明_12345678X_I102-1.txt"));
        });
    }
};

VEL_GUI_TEST(DataCheckWindowTest)
#include "DataCheckWindowTest.moc"
