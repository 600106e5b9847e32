#include "GuiTest.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "staff/RosterChangesWindow.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

namespace {

void rosterOf(Session& s, int month, const QStringList& namesAndNumbers)
{
    for (int i = 0; i + 1 < namesAndNumbers.size(); i += 2)
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES (?, ?, ?, '1')",
                    {namesAndNumbers[i], namesAndNumbers[i + 1], static_cast<long long>(month)});
}

}  // namespace

class RosterChangesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void comparesTheChosenMonthsAndExports()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        WindowContext context(s);
        TestPrompter prompter;
        rosterOf(s, 0, {"甲", "001", "乙", "002"});
        rosterOf(s, 1, {"甲", "001", "丙", "003"});

        RosterChangesWindow w(context, 0, 1);
        QCOMPARE(w.summary(), QStringLiteral("期初—1月：新增1人，离开1人，变更0人。"));
        QCOMPARE(w.table()->text(2, 3), QStringLiteral("丙"));
        QCOMPARE(w.table()->text(3, 1), QStringLiteral("离开"));

        // A month without a roster is refused and the list shown stays.
        w.toBox()->setCurrentIndex(2);
        w.compare();
        QCOMPARE(prompter.shown.last(), QStringLiteral("2月名册内没有数据！"));
        QCOMPARE(w.table()->text(2, 3), QStringLiteral("丙"));

        w.toBox()->setCurrentIndex(1);
        w.fromBox()->setCurrentIndex(1);
        w.compare();
        QCOMPARE(prompter.shown.last(), QStringLiteral("请选择两个不同的月份。"));

        w.findChild<QPushButton*>("export")->click();
        QVERIFY(prompter.shown.last().contains(QStringLiteral("人员变动0_1.xlsx")));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/XLS/人员变动0_1.xlsx")));
        QStringList opened;
        setShellOpener([&opened](const QString& path) {
            opened << path;
            return true;
        });
        w.findChild<QPushButton*>("exportPdf")->click();
        setShellOpener({});
        QVERIFY(prompter.shown.last().contains(QStringLiteral("人员变动0_1.pdf")));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/XLS/人员变动0_1.pdf")));
        QCOMPARE(opened, QStringList{dir.path() + "/XLS"});
    }

    void opensEmptyWhenTheMonthsCannotBeCompared()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        WindowContext context(s);
        TestPrompter prompter;
        RosterChangesWindow w(context, 2, 3);
        QCOMPARE(w.summary(), QStringLiteral("2月名册内没有数据！"));
        QCOMPARE(w.table()->text(1, 1), QStringLiteral("变动"));
        for (const char* command : {"export", "print", "exportPdf"})
            QVERIFY(!w.findChild<QPushButton*>(command)->isEnabled());
        QVERIFY(prompter.shown.isEmpty());
    }
};

VEL_GUI_TEST(RosterChangesWindowTest)
#include "RosterChangesWindowTest.moc"
