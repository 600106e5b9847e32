#include "GuiTest.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "monthly/WageErrorWindow.h"
#include "monthly/WageErrors.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

namespace {

constexpr int Month = 3;

// Month 3 stored with one clean row and one failure of each kind, in this order, the last a row
// an earlier version stored with its basic wage with fen left out of the total.
struct Fixture {
    Fixture() : s(WorkFolder(dir.path())), context(s)
    {
        for (const auto& [number, name] : {std::pair{"1", "甲"}, {"2", "乙"}, {"3", "丙"}})
            s.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES (?, ?, 3, '1')",
                        {QString(number), QString(name)});
        Sheet entry(100, wage::ColumnCount);
        const std::vector<QStringList> rows = {{"1", "甲", "3000"},
                                               {"9", "乙", "3000"},
                                               {"3", "丙", "150000", "50000"}};
        for (size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                entry.setText(static_cast<int>(r) + 2, c + 1, rows[r][c]);
        storeWages(s.db(), Month, entry);
        s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sTotal, sFlag, wFlag)"
                    " VALUES ('2', '乙', 3, 3000.5, 1000, 1000, '1', '0')");
    }
    QString stored() { return wageExportText(s.db(), Month); }

    QTemporaryDir dir;
    Session s;
    WindowContext context;
    TestPrompter prompter;
};

QString count(const QWidget& w)
{
    return w.findChild<QLabel*>("count")->text();
}

// The workbook as openpyxl reads it.
QJsonObject readWorkbook(const QString& path)
{
    QProcess python;
    python.start("/usr/bin/python3", {QFINDTESTDATA("fixtures/read_xlsx.py"), path});
    python.waitForFinished(60000);
    if (python.exitCode() != 0)
        qWarning() << python.readAllStandardError();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

}  // namespace

class WageErrorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void saveWritesCorrectionsAndConfirmAcceptsTheBounds()
    {
        Fixture f;
        WageErrorWindow w(f.context, Month);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Sheet& sheet = w.sheet();
        QCOMPARE(count(w), QStringLiteral("共有3条记录!"));
        QCOMPARE(sheet.text(1, wage::AllowanceCol), QStringLiteral("福利工资"));
        QCOMPARE(sheet.text(2, wage::NumberCol), QStringLiteral("9"));
        QCOMPARE(sheet.mark(2, wage::NumberCol), CellMark::Error);
        QCOMPARE(sheet.mark(3, wage::TotalCol), CellMark::Error);
        QCOMPARE(sheet.mark(4, wage::TotalCol), CellMark::Error);

        // A part that is no number refuses the whole save and keeps the clerk's edits.
        const QString before = f.stored();
        sheet.setText(2, wage::NumberCol, "2");
        sheet.setText(4, wage::BasicCol, "3000");
        sheet.setText(4, wage::OtherCol, "一百");
        w.save();
        QVERIFY(f.prompter.shown.last().contains(QStringLiteral("第4行“其他工资”不是数字：一百")));
        QCOMPARE(f.stored(), before);
        QCOMPARE(sheet.text(2, wage::NumberCol), QStringLiteral("2"));
        QVERIFY(w.hasUnsavedChanges());

        // Corrected, the two rows pass and leave the list; the bounds error stays.
        sheet.setText(4, wage::OtherCol, "");
        f.prompter.shown.clear();
        w.save();
        QVERIFY(f.prompter.shown.isEmpty());
        QCOMPARE(count(w), QStringLiteral("共有1条记录!"));
        QCOMPARE(sheet.text(2, wage::NumberCol), QStringLiteral("3"));
        QVERIFY(f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sNumber = '2' AND sN1 = 3000"
                                " AND sTotal = 4000 AND sFlag = '1' AND wFlag = '1'"));
        QVERIFY(!w.hasUnsavedChanges());

        w.confirmBounds();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("工资审核性错误确认成功！"));
        QVERIFY(!hasWageErrors(f.s.db(), Month));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    // A row whose four parts are all empty is a forgotten wage more often than a wage of 0:
    // confirming it is asked first, naming the person, and No confirms nothing.
    void confirmingEmptyWagesAsksFirst()
    {
        Fixture f;
        f.s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sTotal, sFlag, wFlag)"
                      " VALUES ('1', '甲', 3, 0, '1', '0')");
        WageErrorWindow w(f.context, Month);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        f.prompter.answer = false;
        w.confirmBounds();
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("以下人员的四项工资都是空的，确认后将按0元计入报表：\n\r[1] 甲\n\r"
                                "是否仍然确认？"));
        QVERIFY(!f.s.db().exists("SELECT 1 FROM Wage_Info WHERE wFlag = '1' AND sTotal <> 3000"));

        f.prompter.answer = true;
        w.confirmBounds();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("工资审核性错误确认成功！"));
        QVERIFY(f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sTotal = 0 AND wFlag = '1'"));
        QVERIFY(f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sTotal = 200000 AND wFlag = '1'"));
    }

    void deleteAsksBeforeDroppingEditsAndRemovesTheRow()
    {
        Fixture f;
        WageErrorWindow w(f.context, Month);
        w.sheet().setText(3, wage::OtherCol, "1");
        f.prompter.answer = false;
        w.deleteRow(2);
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("上表的更改尚未保存，继续将放弃这些更改。是否继续？"));
        QVERIFY(f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sNumber = '9'"));

        f.prompter.answer = true;
        w.deleteRow(2);
        QVERIFY(!f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sNumber = '9'"));
        QCOMPARE(count(w), QStringLiteral("共有2条记录!"));
        w.deleteRow(1);  // the header names no record
        w.deleteRow(10);
        QCOMPARE(count(w), QStringLiteral("共有2条记录!"));
    }

    void aRowWhoseNumberWasEmptiedIsReportedNotSaved()
    {
        Fixture f;
        WageErrorWindow w(f.context, Month);
        w.sheet().setText(2, wage::NumberCol, " ");
        w.sheet().setText(2, wage::BasicCol, "5000");
        w.save();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("以下行没有姓名编号，未存储：\n\r第2行（乙）"));
        QVERIFY(f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sNumber = '9' AND sN1 = 3000"));
        QCOMPARE(w.sheet().text(2, wage::NumberCol), QStringLiteral("9"));
    }

    void exportListWritesTheWorkbookAndOpensItsFolder()
    {
        Fixture f;
        QStringList opened;
        setShellOpener([&](const QString& path) {
            opened << path;
            return true;
        });
        WageErrorWindow w(f.context, Month);
        w.exportList();
        const QString folder = QDir(f.dir.path()).filePath("ERROR");
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("你导出到'%1/'里,文件名为:3月错误名单.xlsx").arg(folder));
        QCOMPARE(opened, QStringList{folder});

        const QJsonObject book = readWorkbook(folder + "/3月错误名单.xlsx");
        QCOMPARE(book["sheets"].toArray().at(0).toString(), QStringLiteral("错误人员基本信息"));
        QCOMPARE(book["merges"].toArray().at(0).toString(), QStringLiteral("A1:B1"));
        const QJsonObject cells = book["cells"].toObject();
        const auto value = [&](const char* cell) {
            return cells[cell].toObject()["value"].toString();
        };
        QCOMPARE(value("A1"), QStringLiteral("未输入名单"));
        QCOMPARE(value("A2"), QStringLiteral("姓名编号"));
        QCOMPARE(value("B2"), QStringLiteral("姓名"));
        QCOMPARE(value("A3"), QStringLiteral("9"));
        QCOMPARE(value("B5"), QStringLiteral("乙"));
        QVERIFY(!cells.contains("A6"));
        QCOMPARE(cells["A3"].toObject()["align"].toString(), QStringLiteral("center"));

        // A workbook that cannot be written is reported as such, not as exported.
        QVERIFY(QFile::remove(folder + "/3月错误名单.xlsx"));
        QVERIFY(QDir(folder).mkdir("3月错误名单.xlsx"));
        f.prompter.shown.clear();
        opened.clear();
        w.findChild<QPushButton*>("exportList")->click();
        QCOMPARE(f.prompter.shown.size(), 1);
        QVERIFY(f.prompter.shown[0].startsWith("ERROR: 数据导出错误！\n\r文件：" + folder +
                                               "/3月错误名单.xlsx\n\r原因："));
        QVERIFY(opened.isEmpty());
        setShellOpener({});
    }
};

VEL_GUI_TEST(WageErrorWindowTest)
#include "WageErrorWindowTest.moc"
