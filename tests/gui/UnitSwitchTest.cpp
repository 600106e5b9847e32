#include "GuiTest.h"
#include "MainWindow.h"
#include "Session.h"
#include "TestPrompter.h"
#include "unit/UnitHost.h"
#include "unit/UnitSwitchWindow.h"

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

namespace {

// A work folder with its unit registered, so that opening it asks nothing.
void registeredUnit(const QString& folder, const QString& name, const QString& code,
                    const QString& unitClass = unit::ClassOther)
{
    Session s{WorkFolder(folder)};
    UnitRegistration r;
    r.name = name;
    r.code = code;
    r.type = unit::EnterpriseType;
    r.unitClass = unitClass;
    saveRegistration(s.db(), r);
}

}  // namespace

class UnitSwitchTest : public QObject {
    Q_OBJECT

private slots:
    void switchingOpensTheMainWindowOnTheChosenFolder()
    {
        QTemporaryDir config, a, b, empty;
        registeredUnit(a.path(), "甲厂", "11111111A");
        registeredUnit(b.path(), "乙厂", "22222222B");
        const UnitList list(config.path() + "/units.json");
        TestPrompter prompter;
        UnitHost host(list);
        QVERIFY(host.open(a.path()));
        MainWindow* first = host.window();
        QVERIFY(first->findChild<QAction*>("actSwitchUnit")->isVisible());
        QTRY_COMPARE(first->windowTitle(), QStringLiteral("Veldrassa.2012版"));  // the only unit

        // The switch request is queued: the old window is gone once the new one is up.
        QPointer<MainWindow> old = first;
        emit first->unitSwitchRequested(b.path());
        QTRY_VERIFY(old.isNull());
        QCOMPARE(host.session()->folder().root(), WorkFolder(b.path()).root());
        // With more than one unit known, the title says which one is open.
        QTRY_COMPARE(host.window()->windowTitle(), QStringLiteral("Veldrassa.2012版 — 乙厂"));
        const std::vector<KnownUnit> units = list.units();
        QCOMPARE(units.size(), size_t(2));
        QCOMPARE(units[0].name, QStringLiteral("乙厂"));
        QCOMPARE(units[1].code, QStringLiteral("11111111A"));

        // A folder whose database cannot be opened keeps the window shown.
        MainWindow* second = host.window();
        QFile blocker(empty.path() + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!host.open(blocker.fileName() + "/unit"));
        QVERIFY(prompter.shown.last().startsWith(QStringLiteral("ERROR: ")));
        QCOMPARE(host.window(), second);
    }

    void theSwitchWindowChoosesRefusesAndForgets()
    {
        QTemporaryDir config, a, b, empty;
        registeredUnit(a.path(), "甲厂", "11111111A");
        registeredUnit(b.path(), "乙厂", "22222222B", unit::ClassLabourSubcontractor);
        UnitList list(config.path() + "/units.json");
        Session other{WorkFolder(b.path())};
        list.remember(other);
        Session current{WorkFolder(a.path())};
        TestPrompter prompter;

        UnitSwitchWindow w(current, list);
        QCOMPARE(w.table()->rowCount(), 2);
        QCOMPARE(w.table()->item(0, 1)->text(), QStringLiteral("甲厂"));  // the open one, just now
        // "是否资质建筑业单位" answers its question.
        QCOMPARE(w.table()->item(0, 3)->text(), QStringLiteral("否"));
        QCOMPARE(w.table()->item(1, 3)->text(), QStringLiteral("是（有劳务分包资质）"));

        w.table()->selectRow(0);
        w.switchToSelected();
        QCOMPARE(prompter.shown.last(), QStringLiteral("该单位就是当前单位。"));
        w.forgetSelected();
        QCOMPARE(prompter.shown.last(), QStringLiteral("当前单位不能从列表移除。"));
        w.openFolder(empty.path());
        QVERIFY(prompter.shown.last().startsWith(QStringLiteral("该文件夹不是单位的工作文件夹")));
        w.newUnit(b.path());
        QVERIFY(prompter.shown.last().startsWith(QStringLiteral("该文件夹已有单位数据")));
        QCOMPARE(w.result(), int(QDialog::Rejected));

        w.table()->selectRow(1);
        w.switchToSelected();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.chosenFolder(), WorkFolder(b.path()).root());

        UnitSwitchWindow again(current, list);
        again.table()->selectRow(1);
        again.forgetSelected();
        QCOMPARE(again.table()->rowCount(), 1);
        again.newUnit(empty.path());
        QCOMPARE(again.chosenFolder(), empty.path());
    }
};

VEL_GUI_TEST(UnitSwitchTest)
#include "UnitSwitchTest.moc"
