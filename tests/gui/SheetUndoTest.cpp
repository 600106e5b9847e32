#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "grid/SheetDocument.h"
#include "grid/SheetView.h"
#include "sheet/Sheet.h"
#include "staff/FindReplaceWindow.h"
#include "staff/OpeningRosterWindow.h"
#include "staff/StaffSheetPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <functional>

using namespace vel;
using namespace vel::gui;

namespace {

QStringList contents(const Sheet& sheet)
{
    QStringList all;
    for (int r = 1; r <= 12; ++r)
        for (int c = 1; c <= sheet.columnCount(); ++c)
            all << sheet.text(r, c);
    return all;
}

}  // namespace

class SheetUndoTest : public QObject {
    Q_OBJECT

private slots:
    void everyEditOfTheGridIsOneStep()
    {
        struct Case {
            const char* what;
            std::function<void(SheetView&)> edit;
        };
        const std::vector<Case> cases = {
            {"typing", [](SheetView& v) {
                 v.model()->setData(v.model()->index(1, 1), "typed");
             }},
            {"paste", [](SheetView& v) {
                 QGuiApplication::clipboard()->setText("p\tq\nr\ts\n");
                 v.selectRange(2, 2, 2, 2);
                 v.paste();
             }},
            {"cut", [](SheetView& v) {
                 v.selectRange(1, 1, 3, 2);
                 v.cut();
             }},
            {"Delete on two blocks", [](SheetView& v) {
                 v.selectRange(1, 1, 1, 1);
                 v.selectionModel()->select(v.model()->index(3, 2), QItemSelectionModel::Select);
                 QTest::keyClick(&v, Qt::Key_Delete);
             }},
            {"insert rows", [](SheetView& v) {
                 v.selectRange(2, 1, 3, 1);
                 v.insertSelectedRows();
             }},
            {"delete rows", [](SheetView& v) {
                 v.selectRange(1, 1, 2, 1);
                 v.deleteSelectedRows();
             }},
        };
        for (const Case& c : cases) {
            Sheet sheet(50, 6);
            for (int r = 1; r <= 4; ++r)
                for (int col = 1; col <= 4; ++col)
                    sheet.setText(r, col, QStringLiteral("%1%2").arg(r).arg(col));
            SheetView view(sheet);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            const QStringList before = contents(sheet);
            c.edit(view);
            const QStringList after = contents(sheet);
            QVERIFY2(after != before, c.what);
            QVERIFY2(view.document()->undoStack()->count() == 1, c.what);
            QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(contents(sheet) == before, c.what);
            QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
            QVERIFY2(contents(sheet) == after, c.what);
        }
    }

    // A paste that does not fit says so and leaves the sheet, its steps and their saved state as
    // they were: the step typed before it is still the one Ctrl+Z takes back.
    void aPasteThatDoesNotFitLeavesSheetAndStepsAlone()
    {
        TestPrompter prompter;
        Sheet sheet(50, 8);
        sheet.setMaxCol(6);
        SheetView view(sheet);
        view.model()->setData(view.model()->index(0, 0), "typed");
        view.document()->markSaved();
        view.model()->setData(view.model()->index(1, 0), "unsaved");
        const QStringList before = contents(sheet);

        QGuiApplication::clipboard()->setText("1\t2\t3\t4\t5\t6\t7\t8\n");
        view.selectRange(3, 5, 3, 5);
        QVERIFY(view.paste().isEmpty());
        QCOMPARE(prompter.shown,
                 QStringList{"ERROR: 粘贴的内容有6列超出表格的最后一列，没有粘贴。"
                             "请从更靠左的列开始粘贴，或去掉多余的列。"});
        QCOMPARE(contents(sheet), before);
        QCOMPARE(view.document()->undoStack()->count(), 2);
        QVERIFY(view.document()->isModified());
        view.undo();
        QCOMPARE(sheet.text(2, 1), QString());
        QCOMPARE(sheet.text(1, 1), QStringLiteral("typed"));
    }

    void aChangeOutsideTheGridForgetsTheSteps()
    {
        Sheet sheet(50, 6);
        SheetView view(sheet);
        view.model()->setData(view.model()->index(0, 0), "a");
        view.model()->setData(view.model()->index(0, 0), "b");
        view.undo();
        QCOMPARE(sheet.text(1, 1), QStringLiteral("a"));
        QVERIFY(view.document()->undoStack()->canRedo());
        sheet.setText(5, 5, "loaded");  // a load or a save writes the sheet itself
        QCOMPARE(view.document()->undoStack()->count(), 0);
        view.undo();
        QCOMPARE(sheet.text(1, 1), QStringLiteral("a"));

        // A layout (fonts, widths) keeps the steps; a read-only grid takes none back.
        view.model()->setData(view.model()->index(0, 0), "c");
        sheet.setFont(1, 1, 3, 3, CellFont{8, false});
        QCOMPARE(view.document()->undoStack()->count(), 1);
        view.setReadOnly(true);
        view.undo();
        QCOMPARE(sheet.text(1, 1), QStringLiteral("c"));
    }

    void unsavedMeansTheStackIsAwayFromWhereItWasSaved()
    {
        Sheet sheet(50, 6);
        SheetView view(sheet);
        SheetDocument& document = *view.document();
        QVERIFY(!document.isModified());
        view.model()->setData(view.model()->index(0, 0), "a");
        QVERIFY(document.isModified());
        view.undo();  // back where it was saved
        QVERIFY(!document.isModified());

        view.redo();
        document.markSaved();
        view.model()->setData(view.model()->index(0, 0), "b");
        // The window's own write forgets the steps, not that "b" is unsaved.
        document.quietly([&] { sheet.setText(5, 5, "marked"); });
        QCOMPARE(document.undoStack()->count(), 0);
        QVERIFY(document.isModified());
        document.markSaved();
        document.quietly([&] { sheet.setText(5, 5, "loaded"); });
        QVERIFY(!document.isModified());
        sheet.setText(6, 6, "imported");  // past the view and not the window's own
        QVERIFY(document.isModified());
    }

    void staffSheetRuleAndReplacementAreOneStepEach()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        UnitRegistration r;
        r.name = "测试单位";
        r.code = "12345678X";
        r.type = unit::EnterpriseType;
        r.unitClass = unit::ClassIndustrial;
        saveRegistration(s.db(), r);
        s.unitRegistered();
            TestPrompter prompter;
        OpeningRosterWindow w(WindowContext{s});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Sheet& sheet = w.panel()->sheet();
        SheetView& view = *w.panel()->view();
        QCOMPARE(view.document()->undoStack()->count(), 0);

        // The paste writes columns 1 to 15; the rule copies 15 into 18 in the same step.
        QStringList row = {"张三", "001", "男", "否", "是", "1967-01", "20", "5", "大学本科",
                           "管理人员", "无", "无", "在岗职工", "是", "0"};
        QGuiApplication::clipboard()->setText(row.join('\t') + '\n' + row.join('\t') + '\n');
        view.selectRange(3, 1, 3, 1);
        w.panel()->pasteWithRule();
        QCOMPARE(sheet.text(4, staff::ProductionCol), QStringLiteral("否"));
        QCOMPARE(view.document()->undoStack()->count(), 1);

        view.selectRange(3, staff::EduCol, 3, staff::EduCol);
        FindReplaceWindow f(view, 3, staff::EduCol, s.codes(), [] {}, &w);
        f.findChild<QComboBox*>("replacement")->setCurrentText("大学专科");
        f.replaceAll();
        QCOMPARE(sheet.text(4, staff::EduCol), QStringLiteral("大学专科"));
        QCOMPARE(view.document()->undoStack()->count(), 2);

        view.undo();
        QCOMPARE(sheet.text(3, staff::EduCol), QStringLiteral("大学本科"));
        QCOMPARE(sheet.text(4, staff::EduCol), QStringLiteral("大学本科"));
        view.undo();
        QCOMPARE(sheet.text(3, staff::NameCol), QString());
        QCOMPARE(sheet.text(4, staff::ProductionCol), QString());
        QVERIFY(!w.hasUnsavedChanges());  // back to what was loaded
        view.redo();
        QVERIFY(w.hasUnsavedChanges());

        // Saving clears the history: nothing goes back past the stored roster.
        w.save();
        QCOMPARE(view.document()->undoStack()->count(), 0);
    }
};

VEL_GUI_TEST(SheetUndoTest)
#include "SheetUndoTest.moc"
