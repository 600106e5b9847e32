#include "GuiTest.h"
#include "MainWindow.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "reports/MonthRangeChooser.h"
#include "reports/ReportWindow.h"
#include "reports/FormRun.h"
#include "reports/FormWindows.h"
#include "reports/Forms.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vel;
using namespace vel::gui;

namespace {

// Three persons in every roster, 3000 yuan each in every month.
void fillYear(Session& s, const QString& type)
{
    UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = type;
    r.unitClass = "否";
    saveRegistration(s.db(), r);
    s.unitRegistered();
    Transaction tx(s.db());
    for (int month = 0; month <= 12; ++month)
        for (int p = 1; p <= 3; ++p) {
            s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sSex, sEducation, sPost,"
                        " sBirth, sIsok, sMon) VALUES (?, ?, 2, 3, 35, '1980-01', '1', ?)",
                        {QString("人%1").arg(p), QString::number(p), static_cast<long long>(month)});
            if (month > 0)
                s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag,"
                            " wFlag) VALUES (?, ?, ?, 3000, 3000, '1', '1')",
                            {QString::number(p), QString("人%1").arg(p),
                             static_cast<long long>(month)});
        }
    tx.commit();
}

template <class T>
T* modal()
{
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

// Chooses the range in the open chooser; `inWindow` then works in the summary window it opens.
void choose(const QString& from, const QString& to, std::function<void(ReportWindow*)> inWindow)
{
    auto* chooser = modal<MonthRangeChooser>();
    QVERIFY(chooser);
    chooser->fromBox()->setCurrentText(from);
    chooser->toBox()->setCurrentText(to);
    QTimer::singleShot(0, [inWindow] {
        auto* window = modal<ReportWindow>();
        QVERIFY(window);
        inWindow(window);
        window->reject();
    });
    chooser->findChild<QPushButton*>("summarise")->click();
}

// "按人员分类工资情况汇总" as its menu entry opens it: the chooser, then the form of the unit's
// kind.
void openWageSummaryChooser(const WindowContext& context, QWidget* parent)
{
    const FormDefinition& form = *formFor("wage-summary", false);
    openFormEntry(context, form, form.menus.front().entries.front(), parent);
}

}  // namespace

class WageSummaryWindowTest : public QObject {
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

    void summaryIsComputedStoredExportedAndReloaded()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s, unit::EnterpriseType);
        TestPrompter prompter;
        QProgressBar bar;
        WindowContext context{s};
        context.progressBar = &bar;
        QWidget parent;
        bool checked = false;
        QTimer::singleShot(0, [&] {
            choose("1", "6", [&](ReportWindow* window) {
                QCOMPARE(window->windowTitle(), QStringLiteral("企业事业单位汇总表（1）"));
                QCOMPARE(window->findChild<QLabel*>("title")->text(),
                         QStringLiteral("企业事业单位工资情况汇总表"));
                QCOMPARE(window->view()->sheet().text(4, 3), QStringLiteral("3"));
                QCOMPARE(window->view()->sheet().text(4, 13), QStringLiteral("54"));
                QVERIFY(window->view()->isReadOnly());
                QCOMPARE(bar.value(), 0);
                auto* exportButton = window->findChild<QPushButton*>("exportWorkbook");
                QCOMPARE(exportButton->text(), QStringLiteral("导成Excel"));
                auto* submit = window->findChild<QPushButton*>("submit");
                QCOMPARE(submit->text(), QStringLiteral("生成上报文件"));
                QVERIFY(submit->isEnabled());
                window->openInSpreadsheet();
                QCOMPARE(prompter.shown.last(), QStringLiteral("必须导成EXCEL才支持打印。"));
                exportButton->click();
                QVERIFY(prompter.shown.last().endsWith(QStringLiteral("文件名为:工资1_6.xlsx")));
                window->openInSpreadsheet();
                QCOMPARE(opened_.last(), dir.path() + "/XLS/工资1_6.xlsx");
                checked = true;
            });
        });
        openWageSummaryChooser(context, &parent);
        QVERIFY(checked);
        QVERIFY(s.db().exists("SELECT 1 FROM Total_1_6 WHERE Gid = 1 AND G21 = 54"));

        // Asked again for the range, No shows the stored copy and leaves Total_Info alone.
        s.db().exec("UPDATE Total_Info SET G21 = -1");
        prompter.answer = false;
        checked = false;
        QTimer::singleShot(0, [&] {
            choose("1", "6", [&](ReportWindow* window) {
                QCOMPARE(window->view()->sheet().text(4, 13), QStringLiteral("54"));
                QCOMPARE(window->view()->sheet().text(4, 6), QStringLiteral("--"));
                window->submit();
                checked = true;
            });
        });
        openWageSummaryChooser(context, &parent);
        QVERIFY(checked);
        QVERIFY(prompter.shown.contains(RecomputeQuestion));
        QVERIFY(!s.db().exists("SELECT 1 FROM Total_Info WHERE G21 <> -1"));
        QVERIFY(QFileInfo::exists(dir.path() + "/GZSB/12345678X_i704.dbf"));

        // Other ranges are not submitted.
        checked = false;
        QTimer::singleShot(0, [&] {
            choose("4", "6", [&](ReportWindow* window) {
                QVERIFY(!window->findChild<QPushButton*>("submit")->isEnabled());
                checked = true;
            });
        });
        openWageSummaryChooser(context, &parent);
        QVERIFY(checked);
    }

    void unauditedStaffLeaveTheFormBlank()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s, unit::EnterpriseType);
        s.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 2");
        auto run = std::make_shared<FormRun>(s, *formFor("wage-summary", false),
                                             FormPeriod::ofRange(MonthRange{1, 6}));
        QCOMPARE(run->computeAndStore().messages,
                 QStringList{"你没有<审核>数据及<存储>，无法进行统计汇总。"});
        QWidget parent;
        ReportWindow window(WindowContext{s}, run, &parent);
        QCOMPARE(window.view()->sheet().text(4, 3), QString());
        for (const char* name : {"exportWorkbook", "print", "submit"})
            QVERIFY(!window.findChild<QPushButton*>(name)->isEnabled());
        QVERIFY(!s.db().exists("SELECT 1 FROM sqlite_master WHERE name = 'Total_1_6'"));
    }

    // The tool button picks the form by the unit's type; refusals come before the chooser.
    void toolButtonOpensTheOrgansForm()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s, unit::OrganType);
        TestPrompter prompter;
        MainWindow w(s);
        w.showRegistration();
        QVERIFY(!w.findChild<QAction*>("actWageSummaryEnterprise")->isVisible());
        bool checked = false;
        QTimer::singleShot(0, [&] {
            choose("1", "12", [&](ReportWindow* window) {
                QCOMPARE(window->windowTitle(), QStringLiteral("机关单位汇总表"));
                QCOMPARE(window->view()->sheet().maxRow(), 24);
                checked = true;
            });
        });
        w.findChild<QAction*>("btnWageSituation")->trigger();
        QVERIFY(checked);
        QVERIFY(s.db().exists("SELECT 1 FROM Total_1_12 WHERE Gid = 1 AND G11 = 3"));

        s.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon IN (0, 4)");
        w.findChild<QAction*>("btnWageSituation")->trigger();
        QCOMPARE(prompter.shown.last(), QStringLiteral("年初,4月度,人员有错误信息，请核对。"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

VEL_GUI_TEST(WageSummaryWindowTest)
#include "WageSummaryWindowTest.moc"
