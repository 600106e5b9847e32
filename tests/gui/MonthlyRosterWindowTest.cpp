#include "GuiTest.h"
#include "MainWindow.h"
#include "Session.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "monthly/BatchDeleteWindow.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/StaffSheetPanel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

namespace {

void registerUnit(Session& s, const QString& type = unit::EnterpriseType)
{
    UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = type;
    r.unitClass = "否";
    saveRegistration(s.db(), r);
    s.unitRegistered();
}

void person(Session& s, int month, const QString& name, const QString& number,
            const QString& post = "管理人员", const QString& fullTime = "是")
{
    s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sTnation, sTparty, sBirth,"
                " sTedu, sTpost, sTGrade, sTJGrade, sTsf, sTqrz, sIsok, sMon)"
                " VALUES (?, ?, '男', '否', '是', '1970-01', '大学本科', ?, '无', '无', '在岗职工',"
                " ?, '1', ?)",
                {name, number, post, fullTime, static_cast<long long>(month)});
}

QPushButton* button(QWidget& w, const char* name)
{
    return w.findChild<QPushButton*>(name);
}

long long count(Session& s, const char* sql)
{
    return std::get<long long>(s.db().scalar(sql));
}

}  // namespace

class MonthlyRosterWindowTest : public QObject {
    Q_OBJECT

private slots:
    void takeOverEditAndSaveAMonth()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        person(s, 0, "甲", "1");
        person(s, 0, "乙", "2");
        TestPrompter prompter;
        MonthlyRosterWindow w(WindowContext{s}, 1);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("1月份工资发放人员名单核对"));
        QVERIFY(!button(w, "save")->isEnabled());
        QVERIFY(w.findChild<QLabel*>("hint")->text().startsWith(QStringLiteral("请先按[编辑]")));

        w.toggleEdit();
        QVERIFY(button(w, "save")->isEnabled());
        QVERIFY(!w.findChild<QLabel*>("hint")->text().contains(QStringLiteral("请先按[编辑]")));
        QVERIFY(!button(w, "fromPrevious")->isEnabled());  // month 1 has no month before
        QCOMPARE(button(w, "edit")->text(), QStringLiteral("取消编辑"));

        w.takeOver(0);
        QCOMPARE(prompter.shown.last(), QStringLiteral("导入成功，共计2人."));
        QCOMPARE(w.findChild<QLabel*>("status")->text(), QStringLiteral("共2条，未保存！"));
        QVERIFY(!button(w, "fromOpening")->isEnabled());
        QVERIFY(w.hasUnsavedChanges());

        w.panel()->sheet().setText(4, staff::SexCol, "不详");
        w.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("出现错误，请核实！"));
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 1"), 2);
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 1 AND sIsok = '0'"), 1);
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 0"), 2);
        QVERIFY(!button(w, "save")->isEnabled());  // the save ends edit mode
        QVERIFY(button(w, "showErrors")->isEnabled());
    }

    // Every pass ends at the first row without a name: a save with people below one is refused
    // whole, whether the row was inserted or came stored from an older installation.
    void peopleBelowARowWithoutANameAreNeverDropped()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        person(s, 2, "甲", "1");
        person(s, 2, "", "");
        person(s, 2, "丙", "3");
        person(s, 1, "丁", "4");
        person(s, 1, "戊", "5");
        TestPrompter prompter;
        MonthlyRosterWindow w(WindowContext{s}, 2);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.findChild<QLabel*>("status")->text(), QStringLiteral(" 共 3 条"));
        w.toggleEdit();
        button(w, "save")->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("ERROR: 第4行没有姓名，其下还有人员。"));
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2"), 3);

        w.toggleEdit();
        w.takeOver(1);
        w.panel()->view()->selectRange(4, 1, 4, 1);
        w.panel()->view()->insertSelectedRows();
        button(w, "save")->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("ERROR: 第4行没有姓名，其下还有人员。"));
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2 AND sName = '丙'"), 1);
        QVERIFY(w.hasUnsavedChanges());
    }

    void emptyPreviousMonthAndOrganPostsKeepTheirAnswer()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, unit::OrganType);
        TestPrompter prompter;
        MonthlyRosterWindow w(WindowContext{s}, 4);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.toggleEdit();
        w.takeOver(3);
        QCOMPARE(prompter.shown.last(), QStringLiteral("名册内没有数据！"));
        QCOMPARE(w.panel()->sheet().text(3, 1), QString());

        person(s, 3, "丙", "3", "科级公务员", "否");
        w.takeOver(3);
        w.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("保存成功！"));
        Query q(s.db(), "SELECT sTqrz FROM Staff_moninfo WHERE sMon = 4");
        QVERIFY(q.next());
        QCOMPARE(q.text("sTqrz"), QStringLiteral("否"));
    }

    void batchDeletionListsAndRemovesPersons()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        person(s, 2, "甲", "1");
        person(s, 2, "乙", "2");
        person(s, 3, "乙", "2");
        TestPrompter prompter;
        BatchDeleteWindow w(WindowContext{s}, 2);
        w.input().setText(2, 1, "乙");
        w.input().setText(2, 2, "2");
        w.input().setText(3, 1, "错名");
        w.input().setText(3, 2, "1");
        w.lookUp();
        QCOMPARE(w.findChild<QLabel*>("count")->text(), QStringLiteral("查询结果：共有 2 条记录！"));
        QCOMPARE(w.result().text(2, 1), QStringLiteral("甲"));
        w.resultView()->selectRange(3, 1, 3, 1);
        w.deleteOne();
        QCOMPARE(prompter.shown.last(), QStringLiteral("删除成功！"));
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2"), 1);
        w.deleteAll();
        QCOMPARE(prompter.shown.last(), QStringLiteral("清空成功！"));
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2"), 0);
        QCOMPARE(count(s, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 3"), 1);
    }

    void wageMonthChecksThePreviousMonthThenTheRoster()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        person(s, 0, "甲", "1");
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                    " VALUES ('1', '甲', 1, 90, '1', '0')");
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES ('甲', '1', 1, '0')");
        TestPrompter prompter;
        MainWindow w(s);
        w.startUp();
        w.monthAction(2)->trigger();
        QCOMPARE(prompter.shown, (QStringList{"必须先核实1月[工资]数据，否则无法进行本月操作！",
                                              "必须先核实1月[人员]数据，否则无法进行本月操作！"}));
        QVERIFY(!w.findChild<MonthlyRosterWindow*>());

        s.db().exec("UPDATE Wage_Info SET wFlag = '1'");
        s.db().exec("UPDATE Staff_moninfo SET sIsok = '1'");
        prompter.shown.clear();
        w.monthAction(2)->trigger();
        QCOMPARE(prompter.shown, QStringList{"必须先核实2月名单！"});
        auto* roster = w.findChild<MonthlyRosterWindow*>();
        QVERIFY(roster);
        QCOMPARE(roster->month(), 2);
        QVERIFY(!roster->isModal());
    }
};

VEL_GUI_TEST(MonthlyRosterWindowTest)
#include "MonthlyRosterWindowTest.moc"
