#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/OpeningRosterWindow.h"
#include "staff/StaffSheetPanel.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

namespace {

void registerUnit(Session& s)
{
    UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = unit::EnterpriseType;
    r.unitClass = "否";
    saveRegistration(s.db(), r);
    s.unitRegistered();
}

// A clerk's roster file in GBK: one good person, one whose education the code list lacks.
QString gbkFile(const QString& folder)
{
    const QString text = QStringLiteral(
        "姓名,姓名编号,性别,少数民族,中共党员,出生年月,参加工作年限,其中本岗位年限,学历,岗位名称,"
        "专业技术等级,技能等级,用工身份,全日制用工\n"
        "张三,001,男,否,否,1970-01,10,5,大学本科,管理人员,无,无,在岗职工,是\n"
        "李四,002,女,否,否,1980.3,10,5,博士,管理人员,无,无,在岗职工,是\n");
    const QString path = folder + "/roster.csv";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QStringEncoder gbk("GBK");
    f.write(gbk.encode(text));
    return path;
}

}  // namespace

class RosterFileImportTest : public QObject {
    Q_OBJECT

private slots:
    void openingRosterTakesTheFileUnsaved()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Sheet& sheet = w.panel()->sheet();

        w.importFile(gbkFile(dir.path()));
        QCOMPARE(prompter.shown.last(), QStringLiteral("导入成功，共计2人."));
        QCOMPARE(sheet.text(4, staff::NameCol), QStringLiteral("李四"));
        QCOMPARE(w.findChild<QLabel*>("statusCount")->text(), QStringLiteral("共2条，未保存！"));
        // Checked for the clerk to see, not stored.
        QCOMPARE(sheet.mark(4, staff::EduCol), CellMark::Error);
        QCOMPARE(sheet.mark(3, staff::EduCol), CellMark::None);
        QVERIFY(w.hasUnsavedChanges());
        QVERIFY(!s.db().exists("SELECT 1 FROM Staff_moninfo"));

        // A refused file says why and leaves the sheet as it was.
        const QString wide = dir.path() + "/wide.csv";
        QFile f(wide);
        f.open(QIODevice::WriteOnly);
        f.write("姓名,姓名编号\n甲,1,男,,,,,,,,,,,,,,,,x\n");
        f.close();
        prompter.answer = true;
        QVERIFY_THROWS_EXCEPTION(Error, w.importFile(wide));
        QCOMPARE(sheet.text(4, staff::NameCol), QStringLiteral("李四"));

        // Declining the question keeps the people shown.
        prompter.answer = false;
        w.importFile(gbkFile(dir.path()));
        QCOMPARE(prompter.shown.last(), QStringLiteral("导入名单将覆盖上面显示名单，是否继续？"));
    }

    // A workbook's cells come in as shown: a date cell as its month, 1990.10 as October, a
    // number-as-text with its zeros.
    void openingRosterTakesAWorkbookAsShown()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s});
        w.importFile(QStringLiteral(VEL_FIXTURES_DIR "/workbooks/roster.xlsx"));
        QCOMPARE(prompter.shown.last(), QStringLiteral("导入成功，共计5人."));
        const Sheet& sheet = w.panel()->sheet();
        QCOMPARE(sheet.text(3, staff::BirthCol), QStringLiteral("1967-05"));
        QCOMPARE(sheet.text(5, staff::BirthCol), QStringLiteral("1990-10"));
        QCOMPARE(sheet.text(6, staff::NumberCol), QStringLiteral("001004"));
        QCOMPARE(sheet.text(4, staff::NumberCol), QStringLiteral("1002"));
        QVERIFY(w.hasUnsavedChanges());
    }

    void monthlyRosterImportsInEditModeOnly()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s);
        TestPrompter prompter;
        MonthlyRosterWindow w(WindowContext{s}, 2);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QPushButton* fromFile = w.findChild<QPushButton*>("fromFile");
        QVERIFY(!fromFile->isEnabled());
        w.toggleEdit();
        QVERIFY(fromFile->isEnabled());
        w.importFile(gbkFile(dir.path()));
        QCOMPARE(w.panel()->sheet().text(3, staff::NumberCol), QStringLiteral("001"));
        QCOMPARE(w.findChild<QLabel*>("status")->text(), QStringLiteral("共2条，未保存！"));
        w.save();
        QCOMPARE(std::get<long long>(s.db().scalar("SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2")),
                 2LL);
    }
};

VEL_GUI_TEST(RosterFileImportTest)
#include "RosterFileImportTest.moc"
