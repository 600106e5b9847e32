#include "GuiTest.h"
#include "Session.h"
#include "Prompter.h"
#include "TestPrompter.h"
#include "grid/SheetDropDown.h"
#include "grid/SheetDropDowns.h"
#include "grid/SheetView.h"
#include "staff/ErrorCorrectionWindow.h"
#include "staff/FindReplaceWindow.h"
#include "staff/OpeningRosterWindow.h"
#include "staff/PersonRoster.h"
#include "staff/StaffSheetPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vel;
using namespace vel::gui;

namespace {

const QStringList GoodRow = {"张三", "001", "男", "否", "是", "1967-01", "20", "5", "大学本科",
                             "管理人员", "无", "无", "在岗职工", "是", "", "", "", "是"};

void registerUnit(Session& s, const QString& cls)
{
    UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = unit::EnterpriseType;
    r.unitClass = cls;
    saveRegistration(s.db(), r);
    s.unitRegistered();
}

void typeRow(Sheet& sheet, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c)
        sheet.setText(row, c + 1, cells[c]);
}

QStringList storedNames(Session& s, int month)
{
    QStringList names;
    Query q(s.db(), "SELECT sName FROM Staff_moninfo WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    while (q.next())
        names << q.text("sName");
    return names;
}

}  // namespace

class OpeningRosterWindowTest : public QObject {
    Q_OBJECT

private slots:
    void saveStoresEveryRowAndMarksFailures()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "否");
        TestPrompter prompter;
        int refreshed = 0;
        WindowContext context{s};
        context.rosterStored = [&] { ++refreshed; };
        OpeningRosterWindow w(context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Never larger than the screen, however many columns the class brings.
        const QRect room = w.screen()->availableGeometry();
        QVERIFY(w.width() <= room.width() && w.height() <= room.height());

        Sheet& sheet = w.panel()->sheet();
        w.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("第一行没有数据。"));

        typeRow(sheet, 3, GoodRow);
        QStringList bad = GoodRow;
        bad[0] = "O'Neil";
        bad[2] = "男 ";
        typeRow(sheet, 4, bad);
        QStringList below = GoodRow;
        below[0] = "李四";
        typeRow(sheet, 6, below);
        QVERIFY(w.hasUnsavedChanges());
        // Every pass ends at row 5, so 李四 would be lost: the whole sheet is refused.
        auto* saveButton = w.findChild<QPushButton*>("save");
        saveButton->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("ERROR: 第5行没有姓名，其下还有人员。"));
        QVERIFY(storedNames(s, 0).isEmpty());
        QCOMPARE(refreshed, 0);
        QVERIFY(w.hasUnsavedChanges());

        sheet.deleteRows(5, 1);
        saveButton->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("出现错误，请核实！"));
        QCOMPARE(storedNames(s, 0), (QStringList{"张三", "O'Neil", "李四"}));
        QCOMPARE(w.findChild<QLabel*>("statusCount")->text(), QStringLiteral(" 共 3 条"));
        QCOMPARE(sheet.mark(4, staff::SexCol), CellMark::Error);
        QCOMPARE(sheet.text(3, 25), QStringLiteral("1"));
        QCOMPARE(refreshed, 1);
        QVERIFY(w.findChild<QPushButton*>("errorsOnly")->isEnabled());
        QVERIFY(!w.hasUnsavedChanges());

        // A second window shows what is stored, in order, with the failure still marked.
        OpeningRosterWindow again(context);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.panel()->sheet().text(4, 1), QStringLiteral("O'Neil"));
        QCOMPARE(again.panel()->sheet().mark(4, staff::SexCol), CellMark::Error);
        QCOMPARE(again.findChild<QLabel*>("statusCount")->text(), QStringLiteral(" 共 3 条"));
    }

    // Rows pasted from a workbook with an empty line among them: the save refuses the sheet
    // rather than keeping the people above the line only.
    void pastedGapIsRefusedOnSave()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "否");
        TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // As many columns as this unit's sheet has: a wider paste is refused whole.
        const QStringList first = GoodRow.mid(0, w.panel()->sheet().maxCol());
        QStringList second = first;
        second[0] = "李四";
        QApplication::clipboard()->setText(first.join('\t') + "\r\n\r\n" + second.join('\t') +
                                           "\r\n");
        w.panel()->view()->selectRange(3, 1, 3, 1);
        w.panel()->view()->paste();
        QCOMPARE(w.panel()->sheet().text(5, 1), QStringLiteral("李四"));
        w.findChild<QPushButton*>("save")->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("ERROR: 第4行没有姓名，其下还有人员。"));
        QVERIFY(storedNames(s, 0).isEmpty());
    }

    void clearAnsweredNoKeepsTheSheet()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "否");
        TestPrompter prompter;
        WindowContext context{s};
        // What the main window's "清空期初从业人员" does.
        context.clearOpeningRoster = [&] {
            if (!prompt().ask(nullptr, QStringLiteral("Yes:清空，无法恢复；No:不清空。")))
                return false;
            PersonRoster(s.db(), 0).clear();
            return true;
        };
        OpeningRosterWindow w(context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Sheet& sheet = w.panel()->sheet();

        typeRow(sheet, 3, GoodRow);
        w.save();
        auto* clear = w.findChild<QPushButton*>("clear");
        clear->click();
        QVERIFY(sheet.text(3, 1).isEmpty());
        QVERIFY(storedNames(s, 0).isEmpty());

        // A later clear answered No keeps what is on the sheet, saved or not.
        typeRow(sheet, 3, GoodRow);
        prompter.answer = false;
        clear->click();
        QCOMPARE(sheet.text(3, 1), QStringLiteral("张三"));
        QVERIFY(w.hasUnsavedChanges());
    }

    void headerRowsAreNeverEdited()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "否");
        TestPrompter prompter;
        WindowContext context{s};
        OpeningRosterWindow w(context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SheetView* view = w.panel()->view();
        const QString header = w.panel()->sheet().text(1, 7);
        for (const QModelIndex& cell : {view->model()->index(0, 6), view->model()->index(1, 0)}) {
            QVERIFY(!(view->model()->flags(cell) & Qt::ItemIsEditable));
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                               view->visualRect(cell).center());
            for (const QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>())
                QVERIFY(!editor->isVisible());
        }
        QApplication::clipboard()->setText("x");
        view->selectRange(1, 7, 1, 7);
        view->paste();
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(w.panel()->sheet().text(1, 7), header);
    }

    void editorsWriteTheirCells()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "规上");
        TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        StaffSheetPanel* panel = w.panel();
        Sheet& sheet = panel->sheet();

        // A header cell of a list column opens nothing.
        panel->editCell(1, staff::SexCol);
        QVERIFY(panel->dropDowns()->find("sexCom")->isHidden());

        panel->editCell(3, staff::NameCol);
        auto* nameBox = w.findChild<QLineEdit*>("nameBox");
        QVERIFY(nameBox->isVisible());
        nameBox->setText("李四");
        QTest::keyClick(nameBox, Qt::Key_Return);
        QCOMPARE(sheet.text(3, 1), QStringLiteral("李四"));
        QVERIFY(nameBox->isHidden());

        panel->editCell(3, staff::BirthCol);
        auto* year = w.findChild<QComboBox*>("birthYearBox");
        auto* month = w.findChild<QComboBox*>("birthMonthBox");
        year->setCurrentText("1980");
        QCOMPARE(sheet.text(3, staff::BirthCol), QString());  // a year alone writes nothing
        month->setCurrentIndex(4);
        emit month->activated(4);
        QCOMPARE(sheet.text(3, staff::BirthCol), QStringLiteral("1980-05"));

        panel->editCell(3, staff::EduCol);
        SheetDropDown* edu = panel->dropDowns()->find("XL");
        QVERIFY(edu->isVisible());
        QVERIFY(edu->count() >= 9);
        QTest::mouseClick(edu->viewport(), Qt::LeftButton, {},
                          edu->visualItemRect(edu->item(2)).center());
        QCOMPARE(sheet.text(3, staff::EduCol), QStringLiteral("大学本科"));

        // An industrial unit's paste copies column 15 into column 18, "0" as "否".
        panel->goToCell(3, staff::EngineerCol);
        QApplication::clipboard()->setText("0\r\n");
        panel->pasteWithRule();
        QCOMPARE(sheet.text(3, staff::ProductionCol), QStringLiteral("否"));
    }

    void findReplaceWorksOnListColumnsOnly()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "否");
        TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Sheet& sheet = w.panel()->sheet();
        for (int row = 3; row <= 5; ++row)
            typeRow(sheet, row, GoodRow);

        SheetView& view = *w.panel()->view();
        view.selectRange(3, staff::SexCol, 3, staff::SexCol);
        openFindReplace(&w, view, s.codes(), [] {});
        QCOMPARE(prompter.shown.last(), QStringLiteral("该列不支持该功能。"));

        int saves = 0;
        FindReplaceWindow f(view, 4, staff::EduCol, s.codes(), [&] { ++saves; }, &w);
        QCOMPARE(f.findChild<QLineEdit*>("findText")->text(), QStringLiteral("大学本科"));
        f.findChild<QComboBox*>("replacement")->setCurrentText("大学专科");
        f.findChild<QCheckBox*>("fromCurrent")->setChecked(true);
        f.replaceAll();
        QCOMPARE(prompter.shown.last(), QStringLiteral("共替换2个字段。"));
        QCOMPARE(sheet.text(3, staff::EduCol), QStringLiteral("大学本科"));
        QCOMPARE(sheet.text(5, staff::EduCol), QStringLiteral("大学专科"));
        f.cancel();
        QCOMPARE(prompter.shown.last(), QStringLiteral("批量替换后，是否需要重新保存。"));
        QCOMPARE(saves, 1);
    }

    void correctionWindowWritesBackInPlace()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        registerUnit(s, "否");
        TestPrompter prompter;
        WindowContext context{s};
        {
            OpeningRosterWindow w(context);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            typeRow(w.panel()->sheet(), 3, GoodRow);
            QStringList noNumber = GoodRow;
            noNumber[0] = "王五";
            noNumber[1] = "";
            typeRow(w.panel()->sheet(), 4, noNumber);
            w.save();
        }
        s.codes().load(s.db(), "1");
        ErrorCorrectionWindow e(context, 0);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        Sheet& sheet = e.panel()->sheet();
        QCOMPARE(sheet.text(3, 1), QStringLiteral("王五"));
        QCOMPARE(sheet.mark(3, staff::NumberCol), CellMark::ErrorPattern);
        sheet.setText(3, staff::NumberCol, "002");
        e.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("无错误信息。"));
        QVERIFY(!s.db().exists("SELECT 1 FROM Staff_moninfo WHERE sIsok = '0'"));
        QCOMPARE(storedNames(s, 0), (QStringList{"张三", "王五"}));
    }
};

VEL_GUI_TEST(OpeningRosterWindowTest)
#include "OpeningRosterWindowTest.moc"
