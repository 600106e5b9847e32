#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "monthly/WageDuplicatesWindow.h"
#include "monthly/WageEntryWindow.h"
#include "monthly/WageErrorWindow.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vel;
using namespace vel::gui;

namespace {

constexpr int Month = 1;

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

void rosterOf(Session& s, int month, const QStringList& numbersAndNames)
{
    for (int i = 0; i + 1 < numbersAndNames.size(); i += 2)
        s.db().exec("INSERT INTO Staff_moninfo (sNumber, sName, sMon, sIsok) VALUES (?, ?, ?, '1')",
                    {numbersAndNames[i], numbersAndNames[i + 1], static_cast<long long>(month)});
}

void typeRow(Sheet& sheet, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c)
        sheet.setText(row, c + 1, cells[c]);
}

QPushButton* button(QWidget& w, const char* name)
{
    return w.findChild<QPushButton*>(name);
}

// Runs `act` on the modal window that the next command opens, once it is up.
template <class Window, class F>
void whenModal(F act)
{
    QTimer::singleShot(0, [act] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY2(w, "the expected modal window did not open");
        act(*w);
    });
}

struct Fixture {
    Fixture() : s(WorkFolder(dir.path())), context(s)
    {
        registerUnit(s);
        rosterOf(s, Month, {"1001", "张三", "1002", "李四"});
        // What the main window's RefreshMonthMenus does to the attributes.
        context.wagesStored = [this] {
            ++stored;
            s.refreshMonthMenus();
        };
    }
    QTemporaryDir dir;
    Session s;
    WindowContext context;
    TestPrompter prompter;
    int stored = 0;
};

}  // namespace

class WageEntryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void storeMarksFailuresAndReopensWhatWasStored()
    {
        Fixture f;
        WageEntryWindow w(f.context, Month);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("1月份工资输入"));
        QVERIFY(!w.editing());
        QVERIFY(w.view()->isReadOnly());
        QVERIFY(!button(w, "store")->isEnabled());

        w.toggleEdit();
        QCOMPARE(button(w, "edit")->text(), QStringLiteral("取消"));
        QVERIFY(!w.view()->isReadOnly());
        w.importRoster();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("导入成功，共计2人."));
        Sheet& sheet = w.sheet();
        QCOMPARE(sheet.text(3, wage::NumberCol), QStringLiteral("1002"));

        typeRow(sheet, 2, {"1001", "张 三", "3000", "500", "", "200"});
        typeRow(sheet, 3, {"1002", "李四", "150000"});
        typeRow(sheet, 4, {"9999", "王五", "3000"});
        f.prompter.shown.clear();
        w.store();
        QCOMPARE(f.prompter.shown,
                 (QStringList{QStringLiteral("以下：\n\r[9999] \n\r姓名编号或姓名不在当月名单中或"
                                             "姓名编号有重复，\r请核实当月人员名册和工资输入表人员信息。"),
                              QStringLiteral("工资总额超出额定范围：\n\r上限不超过100000,下限不低于500."
                                             "\n\r请到[显示错误]中核实！"),
                              QStringLiteral("1月保存成功！共3人输入。")}));
        QCOMPARE(sheet.text(2, wage::NameCol), QStringLiteral("张三"));
        QCOMPARE(sheet.text(2, wage::TotalCol), QStringLiteral("3700"));
        QCOMPARE(sheet.mark(3, wage::TotalCol), CellMark::Error);
        QCOMPARE(sheet.mark(4, wage::NumberCol), CellMark::Error);
        QCOMPARE(sheet.mark(4, wage::NameCol), CellMark::Error);
        QVERIFY(!w.editing());
        QVERIFY(!w.hasUnsavedChanges());
        QCOMPARE(f.stored, 1);

        // Importing over shown rows asks first; No leaves the sheet as it is.
        w.toggleEdit();
        f.prompter.answer = false;
        w.importRoster();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("导入名单将覆盖上面显示名单，是否继续？"));
        QCOMPARE(sheet.text(4, wage::NumberCol), QStringLiteral("9999"));

        // A second window shows the stored rows in order with their failures marked.
        WageEntryWindow again(f.context, Month);
        Sheet& shown = again.sheet();
        QCOMPARE(shown.text(2, wage::NameCol), QStringLiteral("张三"));
        QCOMPARE(shown.text(2, wage::TotalCol), QStringLiteral("3700"));
        QCOMPARE(shown.text(2, wage::AllowanceCol), QString());
        QCOMPARE(shown.text(4, wage::NumberCol), QStringLiteral("9999"));
        QCOMPARE(shown.mark(2, wage::NumberCol), CellMark::None);
        QCOMPARE(shown.mark(3, wage::TotalCol), CellMark::Error);
        QCOMPARE(shown.mark(4, wage::NameCol), CellMark::Error);
        QCOMPARE(again.findChild<QLabel*>("count")->text(), QStringLiteral("共3条"));
        QVERIFY(!again.hasUnsavedChanges());
    }

    // The total is computed on storing: typed over, it keeps what it holds; the parts take it.
    void totalTakesNoTyping()
    {
        Fixture f;
        WageEntryWindow w(f.context, Month);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.toggleEdit();
        SheetView* view = w.view();
        view->setFocus();
        view->selectRange(2, wage::OtherCol, 2, wage::OtherCol);
        QTest::keyClicks(view, "8");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(w.sheet().text(2, wage::OtherCol), QStringLiteral("8"));
        view->selectRange(2, wage::TotalCol, 2, wage::TotalCol);
        QTest::keyClicks(view, "8");
        QCOMPARE(QApplication::focusWidget(), view);  // no editor opened
        QCOMPARE(w.sheet().text(2, wage::TotalCol), QString());
    }

    // A row without a name number is not stored; the sheet keeps it unsaved, so it is not lost
    // when the window closes unasked.
    void rowWithoutNumberKeepsTheSheetUnsaved()
    {
        Fixture f;
        WageEntryWindow w(f.context, Month);
        w.toggleEdit();
        w.importRoster();
        Sheet& sheet = w.sheet();
        typeRow(sheet, 2, {"1001", "张三", "3000"});
        typeRow(sheet, 3, {"1002", "李四", "3000"});
        typeRow(sheet, 4, {"", "王五", "3000"});
        w.store();
        QCOMPARE(f.stored, 1);
        QCOMPARE(sheet.mark(4, wage::NumberCol), CellMark::Error);
        QCOMPARE(sheet.text(4, wage::NameCol), QStringLiteral("王五"));
        QVERIFY(w.hasUnsavedChanges());

        // With the number typed in, the next store takes every row and the sheet is saved.
        w.toggleEdit();
        typeRow(sheet, 4, {"1003", "王五", "3000"});
        w.store();
        QVERIFY(!w.hasUnsavedChanges());
    }

    void carryTakesLastMonthIntoTheSheetUnsaved()
    {
        Fixture f;
        {
            WageEntryWindow first(f.context, Month);
            QVERIFY(button(first, "carryPrevious")->isHidden());
            first.toggleEdit();
            typeRow(first.sheet(), 2, {"1001", "张三", "3000", "500"});
            typeRow(first.sheet(), 3, {"1002", "李四", "2800"});
            first.store();
        }
        rosterOf(f.s, 2, {"1001", "张三", "1003", "王五"});
        WageEntryWindow w(f.context, 2);
        QVERIFY(!button(w, "carryPrevious")->isHidden());
        QVERIFY(!button(w, "carryPrevious")->isEnabled());
        w.toggleEdit();
        QVERIFY(button(w, "carryPrevious")->isEnabled());
        w.carryPrevious();
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("导入成功，共计2人：1人沿用上月工资，1人为新增人员（工资待填写）；"
                                "上月1人不在本月名单中，未导入。"));
        QCOMPARE(w.sheet().text(2, wage::TotalCol), QStringLiteral("3500"));
        QCOMPARE(w.sheet().text(3, wage::NameCol), QStringLiteral("王五"));
        QCOMPARE(w.sheet().text(3, wage::BasicCol), QString());
        QVERIFY(w.hasUnsavedChanges());
        QVERIFY(!f.s.db().exists("SELECT 1 FROM Wage_Info WHERE sMon = 2"));

        // Typed wages are replaced only when the clerk agrees.
        typeRow(w.sheet(), 3, {"1003", "王五", "2600"});
        f.prompter.answer = false;
        w.carryPrevious();
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("导入上一月工资将覆盖上面显示的工资，是否继续？"));
        QCOMPARE(w.sheet().text(3, wage::BasicCol), QStringLiteral("2600"));
    }

    // "从文件导入" fills the sheet from a workbook, unsaved, exactly as `wages import` reads it.
    void fileFillsTheSheetUnsavedAsTheCommandLineReadsIt()
    {
        Fixture f;
        WageEntryWindow w(f.context, Month);
        QVERIFY(!button(w, "fromFile")->isEnabled());
        w.toggleEdit();
        QVERIFY(button(w, "fromFile")->isEnabled());
        const QString file = QStringLiteral(VEL_FIXTURES_DIR "/workbooks/wages.xls");
        w.importFile(file);
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("导入成功，共计5人."));
        QCOMPARE(w.findChild<QLabel*>("count")->text(), QStringLiteral("共5条"));
        Sheet read(Sheet::DefaultMaxRow, wage::ColumnCount);
        QCOMPARE(readWageFile(f.s.db(), file, read).source.format, ImportFormat::Xls);
        for (int row = wage::FirstPersonRow; row <= 7; ++row)
            for (int col = wage::NumberCol; col <= wage::LastPartCol; ++col)
                QCOMPARE(w.sheet().text(row, col), read.text(row, col));
        QCOMPARE(w.sheet().text(5, wage::NumberCol), QStringLiteral("001004"));
        QCOMPARE(w.sheet().text(5, wage::LastPartCol), QStringLiteral("99.99"));
        QVERIFY(w.hasUnsavedChanges());
        QVERIFY(!f.s.db().exists("SELECT 1 FROM Wage_Info"));

        // A locked workbook is refused after the question and leaves the sheet as it was.
        f.prompter.answer = true;
        QVERIFY_THROWS_EXCEPTION(
            Error, w.importFile(QStringLiteral(VEL_FIXTURES_DIR "/workbooks/wages-password.xls")));
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("导入文件将覆盖上面显示的工资，是否继续？"));
        QCOMPARE(w.sheet().text(2, wage::NameCol), QStringLiteral("张伟"));
    }

    void refusedStoreChangesNothing()
    {
        Fixture f;
        WageEntryWindow w(f.context, Month);
        w.toggleEdit();
        typeRow(w.sheet(), 2, {"1001", "张三", "3000"});
        w.store();
        const QString before = wageExportText(f.s.db(), Month);

        w.toggleEdit();
        typeRow(w.sheet(), 2, {"1001", "张三", "三千"});
        typeRow(w.sheet(), 3, {"1002", "", "3000"});
        f.prompter.shown.clear();
        w.store();
        QCOMPARE(f.prompter.shown.size(), 1);
        QVERIFY(f.prompter.shown[0].contains(QStringLiteral("第2行“基本工资”不是数字：三千")));
        QVERIFY(f.prompter.shown[0].contains(QStringLiteral("第3行没有姓名")));
        QVERIFY(f.prompter.shown[0].endsWith(QStringLiteral("本月工资未作任何改动。")));
        QCOMPARE(wageExportText(f.s.db(), Month), before);
        QCOMPARE(w.sheet().mark(2, wage::BasicCol), CellMark::Error);
        QCOMPARE(f.stored, 1);
        // The clerk stays at the red cells with the edits kept.
        QVERIFY(w.editing());
        QVERIFY(w.hasUnsavedChanges());

        w.show();
        f.prompter.answer = false;
        w.reject();
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("上表的更改尚未保存，关闭将放弃这些更改。是否关闭？"));
        QVERIFY(w.isVisible());
    }

    void reviewWindowsLeaveTheStoredMonthShown()
    {
        Fixture f;
        WageEntryWindow w(f.context, Month);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.showErrors();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("没有错误信息！"));
        w.checkDuplicates();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("没有同时重名重编号信息。"));
        QVERIFY(!button(w, "duplicates")->isEnabled());

        w.toggleEdit();
        typeRow(w.sheet(), 2, {"1001", "张三", "3000"});
        typeRow(w.sheet(), 3, {"1001", "张三", "200000"});
        w.store();
        // A number twice would be counted twice by every report: refused, both rows named.
        QCOMPARE(f.prompter.shown.last(),
                 QStringLiteral("第2行与第3行的姓名编号都是1001，一人一月只能有一行工资，"
                                "请合并或改正。\n\r本月工资未作任何改动。"));
        QVERIFY(!monthHasWages(f.s.db(), Month));
        typeRow(w.sheet(), 3, {"1002", "李四", "200000"});
        w.store();
        QVERIFY(button(w, "duplicates")->isEnabled());

        // Confirming the out-of-bounds total empties the error list: the window closes and the
        // wage sheet shows the confirmed row unmarked.
        whenModal<WageErrorWindow>([](WageErrorWindow& e) {
            QCOMPARE(e.windowTitle(), QStringLiteral("1月未输入从业工资错误信息"));
            e.confirmBounds();
        });
        w.showErrors();
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("工资审核性错误确认成功！"));
        QCOMPARE(w.sheet().mark(3, wage::TotalCol), CellMark::None);

        // A month an older installation stored may still hold a number twice. A duplicate
        // renamed in the duplicate window is checked again by the store that closing it runs:
        // the new person is not in the roster.
        f.s.db().exec("UPDATE Wage_Info SET sNumber = '1001', sName = '张三'"
                      " WHERE sNumber = '1002'");
        whenModal<WageDuplicatesWindow>([](WageDuplicatesWindow& d) {
            QCOMPARE(d.sheet().text(3, wage::TotalCol), QStringLiteral("200000"));
            typeRow(d.sheet(), 3, {"1003", "赵六"});
            d.saveEdits();
            d.reject();
        });
        f.prompter.shown.clear();
        w.checkDuplicates();
        QCOMPARE(f.prompter.shown.first(), QStringLiteral("修改信息成功。"));
        QCOMPARE(f.prompter.shown.last(), QStringLiteral("1月保存成功！共2人输入。"));
        QCOMPARE(w.sheet().text(3, wage::NumberCol), QStringLiteral("1003"));
        QCOMPARE(w.sheet().mark(3, wage::NumberCol), CellMark::Error);
        QVERIFY(f.s.db().exists(
            "SELECT 1 FROM Wage_Info WHERE sNumber = '1003' AND sFlag = '0' AND wFlag = '0'"));
    }
};

VEL_GUI_TEST(WageEntryWindowTest)
#include "WageEntryWindowTest.moc"
