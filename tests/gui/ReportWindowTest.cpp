#include "GuiTest.h"
#include "Session.h"
#include "ShellOpen.h"
#include "SmallYear.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "reports/FormWindows.h"
#include "reports/Forms.h"
#include "reports/ReportWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vel;
using namespace vel::gui;

namespace {

// A unit with three persons in every roster and 3000 yuan each in every month.
void fillYear(Session& s)
{
    fillSmallYear(s, 3);
}

// The two forms as their menu entries open them.
void openQuarterlyReport(const WindowContext& context, int quarter, QWidget* parent)
{
    openForm(context, *formFor("quarterly", false), FormPeriod::ofQuarter(quarter), parent);
}

void openAnnualReport(const WindowContext& context, QWidget* parent)
{
    openForm(context, *formFor("annual", false), FormPeriod::ofYear(), parent, true);
}

}  // namespace

class ReportWindowTest : public QObject {
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

    void quarterlyReportPrintsOnlyAfterExportAndSubmitsItsFile()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        QWidget parent;
        // The report names its files after the unit: without one it does not open.
        openQuarterlyReport(WindowContext{s}, 1, &parent);
        QCOMPARE(prompter.shown, QStringList{"请先填写单位基本信息！"});
        QVERIFY(!parent.findChild<ReportWindow*>());

        fillYear(s);
        prompter.shown.clear();
        // The main window's bar advances while the report computes, and rests at 0 after.
        QProgressBar bar;
        QList<int> progress;
        connect(&bar, &QProgressBar::valueChanged, [&](int v) { progress << v; });
        WindowContext context{s};
        context.progressBar = &bar;
        openQuarterlyReport(context, 1, &parent);
        QVERIFY(progress.contains(50));
        QCOMPARE(progress.last(), 0);
        auto* window = parent.findChild<ReportWindow*>();
        QVERIFY(window);
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(window->view()->isReadOnly());
        QCOMPARE(window->view()->sheet().text(4, 4), QStringLiteral("3"));
        // Sized to the form: every column in view without scrolling, within the screen.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->view()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(window->width() <= window->screen()->availableGeometry().width());
        // One size on screen, though the form's first rows are smaller in the workbook.
        const QAbstractItemModel* m = window->view()->model();
        QCOMPARE(m->data(m->index(3, 0), Qt::FontRole).value<QFont>().pointSize(),
                 m->data(m->index(20, 0), Qt::FontRole).value<QFont>().pointSize());
        QVERIFY(s.db().exists("SELECT 1 FROM JGLabor_info WHERE frdm = '12345678X' AND I01 = 3"));

        // The preview needs no workbook: the pages come from the form's layout.
        window->print();
        auto* preview = window->findChild<QPrintPreviewDialog*>("printPreview");
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 1);
        QCOMPARE(preview->findChild<QPrintPreviewWidget*>()->orientation(),
                 QPageLayout::Landscape);
        preview->close();
        QTRY_VERIFY(!window->findChild<QPrintPreviewDialog*>());
        window->exportPdf();
        const QString pdf = dir.path() + "/XLS/基础定期报表I202-1_(一季度).pdf";
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(prompter.shown.last().contains(QStringLiteral("基础定期报表I202-1_(一季度).pdf")));
        QCOMPARE(opened_.last(), dir.path() + "/XLS");

        // The spreadsheet program opens only the exported workbook.
        window->openInSpreadsheet();
        QCOMPARE(prompter.shown.last(), QStringLiteral("必须导成EXCEL才支持打印。"));
        window->exportWorkbook();
        QVERIFY(prompter.shown.last().contains(QStringLiteral("基础定期报表I202-1_(一季度)")));
        window->openInSpreadsheet();
        QVERIFY(opened_.last().endsWith("/XLS/基础定期报表I202-1_(一季度).xlsx"));
        setShellOpener([](const QString&) { return false; });
        window->openInSpreadsheet();
        QVERIFY(prompter.shown.last().startsWith(
            QStringLiteral("ERROR: 无法打开Xls文件，请确认已经安装EXCEL.")));
        QVERIFY(prompter.shown.last().endsWith(
            QDir::toNativeSeparators(dir.path() + "/XLS/基础定期报表I202-1_(一季度).xlsx")));

        window->submit();
        QVERIFY(QFileInfo::exists(dir.path() + "/GZSB/12345678X_1_i202.dbf"));
        QVERIFY(window->isHidden());
    }

    void annualExportNeedsAYearTheFormIsValidFor()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s);
        TestPrompter prompter;
        QWidget parent;
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<ReportWindow*>(QApplication::activeModalWidget());
            QVERIFY(window);
            auto* year = window->findChild<QLineEdit*>("Year");
            QCOMPARE(year->text(), QStringLiteral("2012"));
            year->setText("1999");
            window->findChild<QPushButton*>("exportWorkbook")->click();
            QVERIFY(prompter.shown.last().startsWith("ERROR: "));
            QVERIFY(!QFileInfo::exists(dir.path() + "/XLS/基础定期报表I102-1_12345678X.xlsx"));
            year->setText("2013");
            window->exportWorkbook();
            QVERIFY(QFileInfo::exists(dir.path() + "/XLS/基础定期报表I102-1_12345678X.xlsx"));
            checked = true;
            window->reject();
        });
        openAnnualReport(WindowContext{s}, &parent);
        QVERIFY(checked);
        QVERIFY(s.db().exists("SELECT 1 FROM NGLabor_info WHERE frdm = '12345678X'"));
    }
};

VEL_GUI_TEST(ReportWindowTest)
#include "ReportWindowTest.moc"
