#include "GuiTest.h"
#include "FileChooser.h"
#include "MainWindow.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "maintenance/DatabaseCopy.h"
#include "maintenance/ClearMonthsDialog.h"
#include "maintenance/HistoryImportWizard.h"
#include "maintenance/PeriodEndTotalWindow.h"
#include "maintenance/StaffBrowserWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace vel;
using namespace vel::gui;

namespace {

struct Fixture {
    Fixture() : s(WorkFolder(dir.path())), w(s)
    {
        UnitRegistration r;
        r.name = "测试单位";
        r.code = "12345678X";
        r.type = unit::EnterpriseType;
        r.unitClass = "否";
        saveRegistration(s.db(), r);
        for (int month = 0; month <= 2; ++month) {
            s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES"
                        " ('张三', '1', ?, '1'), ('李四', '2', ?, '1')",
                        {static_cast<long long>(month), static_cast<long long>(month)});
            if (month > 0)
                s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                            " VALUES ('1', '张三', ?, 3000, '1', '1')",
                            {static_cast<long long>(month)});
        }
        w.startUp();
        files.saveFile = [this](QWidget*, const QString&, const QString& start, const QString&) {
            proposed = start;
            return chosen;
        };
        files.openFile = files.saveFile;
        files.folder = [this](QWidget*, const QString&, const QString&) { return chosen; };
        FileChooser::install(&files);
        setShellOpener([this](const QString& path) {
            opened << path;
            return true;
        });
    }
    ~Fixture()
    {
        FileChooser::install(nullptr);
        setShellOpener({});
    }
    long long count(const char* sql) { return std::get<long long>(s.db().scalar(sql)); }
    void trigger(const char* name) { w.findChild<QAction*>(name)->trigger(); }

    QTemporaryDir dir;
    Session s;
    TestPrompter prompter;
    MainWindow w;
    FileChooser files;
    QString chosen;
    QString proposed;
    QStringList opened;
};

// Runs `inside` on the modal dialog the next command opens.
template <class Dialog, class F>
void onModal(F inside)
{
    QTimer::singleShot(0, [inside] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        inside(*d);
    });
}

}  // namespace

class MaintenanceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void backupProposesTheUnitNumberInBakAndOpensTheFolder()
    {
        Fixture f;
        f.chosen = f.dir.path() + "/BAK/mine";
        f.trigger("actBackup");
        QCOMPARE(f.proposed, f.dir.path() + "/BAK/12345678X.db");
        QCOMPARE(f.prompter.shown, QStringList{"备份成功，备份在：" + f.dir.path() + "/BAK/mine.db"});
        QCOMPARE(f.opened, QStringList{f.dir.path() + "/BAK"});
        QVERIFY(QFile::exists(f.dir.path() + "/BAK/mine.db"));
    }

    void backupAsksBeforeReplacingAFileAndNeverWritesOverADevice()
    {
        Fixture f;
        f.chosen = f.dir.path() + "/older.db";
        QFile older(f.chosen);
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("an earlier backup");
        older.close();
        const QString question = "文件 " + f.chosen + " 已存在，是否用这次备份替换它？";

        f.prompter.answer = false;
        f.trigger("actBackup");
        QCOMPARE(f.prompter.shown, QStringList{question});
        QCOMPARE(QFileInfo(f.chosen).size(), 17);

        f.prompter.answer = true;
        f.prompter.shown.clear();
        f.trigger("actBackup");
        QCOMPARE(f.prompter.shown, (QStringList{question, maintenance::backupDone(f.chosen)}));
        QCOMPARE(restoreRefusal(f.chosen), QString());

        f.prompter.shown.clear();
        f.chosen = f.dir.path() + "/pipe.db";
        QCOMPARE(::mkfifo(QFile::encodeName(f.chosen).constData(), 0600), 0);
        f.trigger("actBackup");
        QCOMPARE(f.prompter.shown,
                 QStringList{f.chosen + " 不是普通文件（是设备或管道），不能用作备份文件。"});
        QVERIFY(!QFileInfo(f.chosen).isFile());
    }

    void aReadOnlyFolderOpensForReadingWithEveryWritingCommandDisabled()
    {
        QTemporaryDir dir;
        {
            Session writable{WorkFolder(dir.path())};
            UnitRegistration r;
            r.name = "只读单位";
            r.code = "12345678X";
            r.type = unit::EnterpriseType;
            r.unitClass = "否";
            saveRegistration(writable.db(), r);
            writable.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES"
                               " ('张三', '1', 0, '1')");
        }
        Session reader(WorkFolder(dir.path()), true);
        TestPrompter prompter;
        MainWindow w(reader);
        w.startUp();
        QCOMPARE(prompter.shown.size(), 1);  // said once, and no unit window
        QVERIFY(prompter.shown[0].startsWith("工作文件夹 " + dir.path() + " 是只读的"));
        QCOMPARE(w.findChild<QLabel*>("statusPanel0")->text(), QStringLiteral("当前单位： 只读单位"));
        QCOMPARE(w.findChild<QLabel*>("nextStep")->text(), QStringLiteral("工作文件夹是只读的，只能查看数据。"));
        for (const char* name : {"actBackup", "actYearOverview", "actPayout", "actRosterChanges",
                                 "actManual", "btnExit"})
            QVERIFY2(w.findChild<QAction*>(name)->isEnabled(), name);
        for (const char* name : {"actInitialise", "actRestore", "actHistoryImport", "actClearOpening",
                                 "actOpeningBatch", "actUnitInfo", "actWageMonth1", "actAnnual",
                                 "actQuarterly1", "btnWageEntry", "btnAnnual"})
            QVERIFY2(!w.findChild<QAction*>(name)->isEnabled(), name);
        w.RefreshMonthMenus();  // a refresh opens no month either
        QVERIFY(!w.monthAction(1)->isEnabled());
        QVERIFY(!QFileInfo::exists(dir.path() + "/XLS"));
    }

    void restoreRefusesATextFileAndRestoresABackup()
    {
        Fixture f;
        f.w.show();
        f.chosen = f.dir.path() + "/copy.db";
        f.trigger("actBackup");
        QFile text(f.dir.path() + "/text.db");
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("hello");
        text.close();

        f.prompter.shown.clear();
        f.prompter.answer = false;  // "No" to the question: no dialog, nothing changes
        f.chosen.clear();
        f.trigger("actRestore");
        QCOMPARE(f.prompter.shown.size(), 1);

        f.prompter.answer = true;
        f.chosen = text.fileName();
        f.prompter.shown.clear();
        f.trigger("actRestore");
        QCOMPARE(f.prompter.shown, (QStringList{maintenance::RestoreQuestion,
                                                "不是数据库文件，无法还原：" + text.fileName() +
                                                    "\n当前数据未作任何改动。"}));
        QVERIFY(f.w.isVisible());

        f.s.db().exec("DELETE FROM Wage_Info");
        f.chosen = f.dir.path() + "/copy.db";
        f.trigger("actRestore");
        QVERIFY(f.prompter.shown.last().startsWith("还原系统成功，请重启！"));
        QCOMPARE(f.count("SELECT COUNT(*) FROM Wage_Info"), 2LL);
        QVERIFY(!f.w.isVisible());  // the program ends
    }

    void clearingMonthlyStaffTakesTheLastMonthAndRefreshesTheMenus()
    {
        Fixture f;
        QVERIFY(f.w.monthAction(3)->isEnabled());
        onModal<ClearMonthsDialog>([](ClearMonthsDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("清空从业人员选项"));
            QVERIFY(d.allChoice()->isChecked());
            QCOMPARE(d.monthBox()->count(), 1);
            QCOMPARE(d.monthBox()->currentText(), QStringLiteral("2"));
            d.lastChoice()->setChecked(true);
            d.confirm();
        });
        f.trigger("actClearMonthlyStaff");
        QCOMPARE(f.prompter.shown,
                 (QStringList{"请慎重处理，一旦清空，无法恢复！", "成功清空 2 月份数据！"}));
        QCOMPARE(f.count("SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2"), 0LL);
        QCOMPARE(f.count("SELECT COUNT(*) FROM Wage_Info"), 1LL);
        QVERIFY(!f.w.monthAction(3)->isEnabled());
        QVERIFY(f.w.monthAction(2)->isEnabled());
    }

    void clearingWagesWithoutAChoiceSaysSoAndKeepsEverything()
    {
        Fixture f;
        onModal<ClearMonthsDialog>([&f](ClearMonthsDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("清空工资数据选项"));
            QVERIFY(!d.allChoice()->isChecked() && !d.lastChoice()->isChecked());
            d.confirm();
            QVERIFY(d.isVisible());
            f.prompter.answer = false;
            d.allChoice()->setChecked(true);
            d.confirm();
        });
        f.trigger("actClearWages");
        QCOMPARE(f.prompter.shown,
                 (QStringList{"请先选择要清空的数据。", "请慎重处理，一旦清空，无法恢复！"}));
        QCOMPARE(f.count("SELECT COUNT(*) FROM Wage_Info"), 2LL);

        f.prompter.shown.clear();
        f.prompter.answer = true;
        f.trigger("actClearOpening");
        QCOMPARE(f.prompter.shown,
                 (QStringList{"Yes:清空，无法恢复；No:不清空。", "   成功清空。   "}));
        QVERIFY(!f.w.findChild<QMenu*>("menuWage")->isEnabled());
        // The opening roster window learns from the answer whether to empty its sheet.
        f.prompter.answer = false;
        QVERIFY(!f.w.windowContext().clearOpeningRoster());
        f.prompter.answer = true;
        QVERIFY(f.w.windowContext().clearOpeningRoster());
    }

    void browserListsMonthsSearchesAndCounts()
    {
        Fixture f;
        f.s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon) VALUES ('张三丰', '3', 2)");
        f.trigger("actStaffBrowser");
        auto* b = f.w.findChild<StaffBrowserWindow*>();
        QVERIFY(b);
        QCOMPARE(b->monthList()->count(), 3);
        QCOMPARE(b->monthList()->item(0)->text(), QStringLiteral("期初"));
        QCOMPARE(b->monthList()->item(2)->text(), QStringLiteral("二月"));
        QCOMPARE(b->statusText(), QStringLiteral("  期初, 共有2条记录。"));
        QVERIFY(b->grid()->isColumnHidden(0));
        QVERIFY(b->grid()->isColumnHidden(10));

        b->monthList()->setCurrentRow(2);
        QCOMPARE(b->grid()->rowCount(), 3);
        b->findBox()->setText(QStringLiteral("张三"));
        QTest::keyClick(b->findBox(), Qt::Key_Return);
        QCOMPARE(b->grid()->rowCount(), 2);
        QCOMPARE(b->grid()->item(1, 2)->text(), QStringLiteral("张三丰"));
        QCOMPARE(b->statusText(), QStringLiteral("  二月, 共有2条记录。"));
        b->close();
    }

    void periodEndTotalRefusesLettersAndStoresOneRow()
    {
        Fixture f;
        f.prompter.answer = false;  // not from the staff table: the window
        onModal<PeriodEndTotalWindow>([&f](PeriodEndTotalWindow& d) {
            d.totalBox()->setText("12a");
            d.store();
            QVERIFY(d.isVisible());
            d.totalBox()->setText(" 35 ");
            d.store();
        });
        f.trigger("actPeriodEndTotal");
        QCOMPARE(f.prompter.shown,
                 (QStringList{"从[从业人员]中汇总？", "非法数字，请核实！", "设置成功！"}));
        QCOMPARE(f.count("SELECT COUNT(*) FROM Initial_Info WHERE sInitial = '35' AND"
                         " DepNo = '12345678X'"),
                 1LL);
    }

    void historyWizardRefusesAWrongFolderAndImports()
    {
        Fixture f;
        QTemporaryDir old;
        QDir(old.path()).mkpath("Database");
        {
            Db db(old.path() + "/Database/RCdatabase.db");
            db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES ('王五', '9', 12, '1')");
        }
        onModal<HistoryImportWizard>([&](HistoryImportWizard& d) {
            d.start();
            f.chosen = old.path() + "/Database";
            d.chooseFolder();  // the database folder itself is not the installation
            QCOMPARE(d.folderBox()->text(), QString());
            f.chosen = old.path();
            d.chooseFolder();
            QCOMPARE(d.folderBox()->text(), old.path());
            d.options()->button(1)->setChecked(true);
            f.prompter.answer = false;  // opening staff exist: "No" imports nothing
            d.start();
            f.prompter.answer = true;
            d.start();
            QCOMPARE(d.progressBar()->value(), 0);
            d.reject();
        });
        f.trigger("actHistoryImport");
        QCOMPARE(f.prompter.shown,
                 (QStringList{"请依次 Step1:选择原始系统安装路径;\r\r       Step2:导入数据选项。",
                              "路径选择错误，请核对。", "已有期初数据，是否继续导入？",
                              "已有期初数据，是否继续导入？", "导入完成，共1条记录。"}));
        QCOMPARE(f.count("SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 0"), 3LL);
    }
};

VEL_GUI_TEST(MaintenanceWindowsTest)
#include "MaintenanceWindowsTest.moc"
