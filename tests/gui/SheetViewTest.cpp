#include "GuiTest.h"
#include "grid/SheetDropDown.h"
#include "grid/SheetDropDowns.h"
#include "grid/SheetModel.h"
#include "grid/SheetView.h"
#include "sheet/Sheet.h"

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace vel;
using namespace vel::gui;

class SheetViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pasteLandsCellByCellAtTheActiveCell();
    void copyAndCutPutTabSeparatedText();
    void clipboardKeysCopyAndPaste();
    void deleteClearsValuesButNotMarks();
    void readOnlyRefusesEveryChange();
    void typingEditsEnterMovesDownTabMovesRight();
    void enterAfterTabsGoesBackToTheFirstColumn();
    void doubleClickAndKeyUpReportSheetCoordinates();
    void dropDownChoiceWritesTheLinkedCell();
    void marksShowAsRedBackgrounds();
    void layoutFollowsTheSheet();
    void rowsFitTheirFontAndTitlesWrap();
    void headingsStayInViewWhileRowsScroll();
    void readOnlyTextRunsOverEmptyCells();
    void rowCommandsWorkOnTheSelectedRows();
    void sheetMayDieBeforeTheView();

private:
    QString cell(int r, int c) const { return sheet->text(r, c); }
    // An in-cell editor holds the focus.
    bool editing() const
    {
        QWidget* w = QApplication::focusWidget();
        return qobject_cast<QLineEdit*>(w) && view->isAncestorOf(w);
    }
    void showActive();
    // What a mouse sends: a click, then the double-click on the press that follows.
    void doubleClick(int row, int col);

    std::unique_ptr<Sheet> sheet;
    std::unique_ptr<SheetView> view;
};

void SheetViewTest::init()
{
    sheet = std::make_unique<Sheet>(200, 8);
    sheet->setMaxCol(6);
    view = std::make_unique<SheetView>(*sheet);
    view->resize(900, 500);
    QGuiApplication::clipboard()->clear();
}

void SheetViewTest::cleanup()
{
    view.reset();
    sheet.reset();
}

void SheetViewTest::showActive()
{
    view->show();
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view.get()));
    view->setFocus();
}

void SheetViewTest::doubleClick(int row, int col)
{
    const QPoint at = view->visualRect(view->model()->index(row - 1, col - 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

void SheetViewTest::pasteLandsCellByCellAtTheActiveCell()
{
    sheet->setText(4, 7, "code");
    QGuiApplication::clipboard()->setText("a\t\"two\nlines\"\tc\r\nd\t\te\tf\tg\r\n");
    view->selectRange(3, 2, 9, 5);  // lands at the top left, whatever the selection's size

    const CellRange written = view->paste();
    QCOMPARE(written, (CellRange{3, 2, 4, 6}));
    QCOMPARE(cell(3, 2), "a");
    QCOMPARE(cell(3, 3), "two\nlines");
    QCOMPARE(cell(3, 4), "c");
    QCOMPARE(cell(4, 3), "");
    QCOMPARE(cell(4, 6), "g");
    QCOMPARE(cell(4, 7), "code");  // past the last shown column: the paste stops
    QCOMPARE(view->model()->data(view->model()->index(2, 1)).toString(), "a");
    QCOMPARE(view->selectedRange(), written);
    QCOMPARE(view->selStartRow(), 3);
    QCOMPARE(view->selStartCol(), 2);
}

void SheetViewTest::copyAndCutPutTabSeparatedText()
{
    sheet->setText(2, 1, "张三");
    sheet->setText(2, 2, "say \"hi\"");
    sheet->setText(3, 2, "a\tb");
    sheet->setText(3, 7, "code");
    view->selectRange(2, 1, 3, 8);
    view->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             "张三\t\"say \"\"hi\"\"\"\t\t\t\t\r\n\t\"a\tb\"\t\t\t\t\r\n");

    sheet->setMark(2, 1, CellMark::Error);
    view->cut();
    QCOMPARE(QGuiApplication::clipboard()->text().left(3), "张三\t");
    QCOMPARE(cell(2, 1), "");
    QCOMPARE(cell(3, 2), "");
    QCOMPARE(cell(3, 7), "code");
    QCOMPARE(sheet->mark(2, 1), CellMark::Error);
}

void SheetViewTest::clipboardKeysCopyAndPaste()
{
    showActive();
    sheet->setText(1, 1, "x");
    view->selectRange(1, 1, 1, 1);
    QTest::keyClick(view.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), "x\r\n");
    view->selectRange(5, 5, 5, 5);
    QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(5, 5), "x");
}

void SheetViewTest::deleteClearsValuesButNotMarks()
{
    showActive();
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c)
            sheet->setText(r, c, "v");
    sheet->setMark(2, 2, CellMark::Error);
    // Two separate blocks: the cells between them stay.
    view->selectRange(1, 1, 1, 2);
    view->selectionModel()->select(
        QItemSelection(view->model()->index(3, 2), view->model()->index(3, 3)),
        QItemSelectionModel::Select);
    view->selectionModel()->select(view->model()->index(1, 1), QItemSelectionModel::Select);
    QTest::keyClick(view.get(), Qt::Key_Delete);

    QCOMPARE(cell(1, 1), "");
    QCOMPARE(cell(1, 2), "");
    QCOMPARE(cell(2, 2), "");
    QCOMPARE(cell(4, 3), "");
    QCOMPARE(cell(4, 4), "");
    QCOMPARE(cell(1, 3), "v");
    QCOMPARE(cell(3, 3), "v");
    QCOMPARE(cell(4, 1), "v");
    QCOMPARE(sheet->mark(2, 2), CellMark::Error);
}

void SheetViewTest::readOnlyRefusesEveryChange()
{
    showActive();
    view->setReadOnly(true);
    sheet->setText(2, 2, "keep");
    QGuiApplication::clipboard()->setText("new");
    view->selectRange(2, 2, 2, 2);
    QTest::keyClick(view.get(), Qt::Key_Delete);
    QTest::keyClicks(view.get(), "z");
    QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
    view->cut();
    view->insertSelectedRows();
    QCOMPARE(cell(2, 2), "keep");
    QVERIFY(!editing());
    QVERIFY(!(view->model()->flags(view->model()->index(1, 1)) & Qt::ItemIsEditable));

    view->copy();  // reading stays allowed
    QCOMPARE(QGuiApplication::clipboard()->text(), "keep\r\n");
}

void SheetViewTest::typingEditsEnterMovesDownTabMovesRight()
{
    showActive();
    sheet->setText(3, 2, "old");
    view->selectRange(3, 2, 3, 2);
    QTest::keyClick(view.get(), Qt::Key_N);
    QVERIFY(editing());
    QTest::keyClicks(QApplication::focusWidget(), "ew");
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit*>(editor));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell(3, 2), "new");  // typing replaces the old text
    QCOMPARE(view->selStartRow(), 4);
    QCOMPARE(view->selStartCol(), 2);
    QVERIFY(!editing());

    QTest::keyClicks(view.get(), "t");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(cell(4, 2), "t");
    QCOMPARE(view->selStartRow(), 4);
    QCOMPARE(view->selStartCol(), 3);
    QVERIFY(!editing());  // the next cell is not opened

    // Without an editor Enter still moves down and Tab right, at the last column Tab stays.
    QTest::keyClick(view.get(), Qt::Key_Enter);
    QCOMPARE(view->selStartRow(), 5);
    view->selectRange(5, 6, 5, 6);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    QCOMPARE(view->selStartRow(), 5);
    QCOMPARE(view->selStartCol(), 6);
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(view->selStartCol(), 5);
}

// A row typed across with Tab: Enter starts the next row in the column the run began at.
void SheetViewTest::enterAfterTabsGoesBackToTheFirstColumn()
{
    showActive();
    view->selectRange(3, 3, 3, 3);
    for (const char* text : {"1", "2", "3"}) {
        QTest::keyClicks(view.get(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClicks(view.get(), "4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(view->selStartRow(), 4);  // the editor closes after the key
    QCOMPARE(QStringList({cell(3, 3), cell(3, 4), cell(3, 5), cell(3, 6)}),
             QStringList({"1", "2", "3", "4"}));
    QCOMPARE(view->selStartCol(), 3);

    // Without editors, Shift+Tab inside the run keeps where it began.
    QTest::keyClick(view.get(), Qt::Key_Tab);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_Enter);
    QCOMPARE(view->selStartRow(), 5);
    QCOMPARE(view->selStartCol(), 3);

    // A cell chosen after the Tabs ends the run: Enter goes straight down.
    QTest::keyClick(view.get(), Qt::Key_Tab);
    view->selectRange(5, 6, 5, 6);
    QTest::keyClick(view.get(), Qt::Key_Enter);
    QCOMPARE(view->selStartRow(), 6);
    QCOMPARE(view->selStartCol(), 6);
}

void SheetViewTest::doubleClickAndKeyUpReportSheetCoordinates()
{
    showActive();
    QSignalSpy clicks(view.get(), &SheetView::cellDoubleClicked);
    QSignalSpy keys(view.get(), &SheetView::keyReleased);
    auto* dropDowns = new SheetDropDowns(*view);
    SheetDropDown* list = dropDowns->add("YorN", {"否", "是"});
    connect(view.get(), &SheetView::cellDoubleClicked, this, [&](int row, int col) {
        if (col == 3)
            dropDowns->show(list, {row, col, row + 3, col});
    });

    doubleClick(5, 2);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.last(), (QList<QVariant>{5, 2}));
    QVERIFY(editing());  // edited in the grid
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    doubleClick(7, 3);
    QCOMPARE(clicks.last(), (QList<QVariant>{7, 3}));
    QVERIFY(list->isVisible());
    QVERIFY(!editing());  // the window's editor took over

    list->hide();
    view->setFocus();
    keys.clear();
    QTest::keyRelease(view.get(), Qt::Key_F5, Qt::ShiftModifier);  // then Shift goes up too
    QVERIFY(!keys.isEmpty());
    QCOMPARE(keys.first().at(0).toInt(), int(Qt::Key_F5));
    QCOMPARE(keys.first().at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
}

void SheetViewTest::dropDownChoiceWritesTheLinkedCell()
{
    showActive();
    auto* dropDowns = new SheetDropDowns(*view);
    SheetDropDown* sex = dropDowns->add("sexCom", {"女", "男"});
    SheetDropDown* grade = dropDowns->add("ZC");
    grade->setItems({"高级", "中级", "初级"});
    QCOMPARE(dropDowns->find("ZC"), grade);
    QCOMPARE(dropDowns->find("nothing"), nullptr);

    dropDowns->show(grade, {5, 4, 14, 4});
    dropDowns->show(sex, {5, 3, 8, 3});
    QVERIFY(!grade->isVisible());  // one at a time
    QVERIFY(sex->isVisible());
    QCOMPARE(sex->currentRow(), -1);  // no item chosen
    QTest::keyClick(sex, Qt::Key_Return);
    QVERIFY(sex->isVisible());
    QCOMPARE(cell(5, 3), "");
    const QRect cellRect = view->visualRect(view->model()->index(4, 2));
    QCOMPARE(sex->geometry().topLeft(), cellRect.topLeft());
    QCOMPARE(sex->width(), view->columnWidth(2));
    QCOMPARE(sex->height(), 4 * view->rowHeight(4));
    // It follows its cells as the grid scrolls and its column widens.
    view->verticalScrollBar()->setValue(2);
    QCOMPARE(sex->geometry().topLeft(), view->visualRect(view->model()->index(4, 2)).topLeft());
    view->setColumnWidth(2, view->columnWidth(2) + 30);
    QCOMPARE(sex->width(), view->columnWidth(2));

    QListWidgetItem* male = sex->item(1);
    QTest::mouseClick(sex->viewport(), Qt::LeftButton, {}, sex->visualItemRect(male).center());
    QCOMPARE(cell(5, 3), "男");
    QVERIFY(!sex->isVisible());
    QVERIFY(view->hasFocus());

    // Escape and focus loss hide it without writing.
    dropDowns->show(grade, {6, 4, 9, 4});
    QTest::keyClick(grade, Qt::Key_Down);
    QTest::keyClick(grade, Qt::Key_Escape);
    QVERIFY(!grade->isVisible());
    QVERIFY(view->hasFocus());
    dropDowns->show(grade, {6, 4, 9, 4});
    view->setFocus();
    QVERIFY(!grade->isVisible());
    QCOMPARE(cell(6, 4), "");

    // Keyboard choice; the selection does not move.
    view->selectRange(2, 2, 2, 2);
    dropDowns->show(grade, {6, 4, 9, 4});
    QTest::keyClick(grade, Qt::Key_Down);
    QTest::keyClick(grade, Qt::Key_Down);
    QTest::keyClick(grade, Qt::Key_Return);
    QCOMPARE(cell(6, 4), "中级");
    QCOMPARE(view->selectedRange(), (CellRange{2, 2, 2, 2}));

    // Over a narrow column the list widens to its longest entry, with no scroll bar sideways.
    const QString longest = QStringLiteral("专业技术岗位工作人员");
    grade->setItems({"高级", longest});
    view->setColumnWidth(3, 30);
    dropDowns->show(grade, {6, 4, 9, 4});
    QVERIFY(grade->viewport()->width() >= grade->fontMetrics().horizontalAdvance(longest));
    QVERIFY(grade->geometry().right() < view->viewport()->width());
    QVERIFY(!grade->horizontalScrollBar()->isVisible());
}

void SheetViewTest::marksShowAsRedBackgrounds()
{
    QAbstractItemModel* model = view->model();
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    sheet->setMark(3, 2, CellMark::Error);
    sheet->markRange(4, 1, 4, 3, CellMark::ErrorPattern);
    QCOMPARE(changed.count(), 2);  // rules marking the sheet show at once

    const auto brush = [&](int r, int c) {
        return model->data(model->index(r - 1, c - 1), Qt::BackgroundRole).value<QBrush>();
    };
    QCOMPARE(brush(3, 2).color(), QColor(255, 0, 0));
    QCOMPARE(brush(3, 2).style(), Qt::SolidPattern);
    QCOMPARE(brush(4, 2).color(), QColor(255, 0, 0));
    QVERIFY(brush(4, 2).style() != Qt::SolidPattern);
    QVERIFY(!model->data(model->index(2, 2), Qt::BackgroundRole).isValid());

    sheet->clearRange(3, 1, 4, 3, ClearWhat::Formats);
    QVERIFY(!model->data(model->index(2, 1), Qt::BackgroundRole).isValid());

    sheet->setFont(3, 1, 200, 8, {8, true});
    const QFont f = model->data(model->index(4, 0), Qt::FontRole).value<QFont>();
    QCOMPARE(f.pointSize(), 8);
    QVERIFY(f.bold());
    QCOMPARE(model->data(model->index(0, 0), Qt::FontRole).value<QFont>().pointSize(), 10);
    QCOMPARE(model->headerData(27, Qt::Horizontal).toString(), "AB");
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), "1");
}

void SheetViewTest::layoutFollowsTheSheet()
{
    sheet->setColumnsHidden(3, 4, true);
    sheet->setColumnWidths(5, 5, 0);
    sheet->setColumnWidths(1, 1, 2304);
    sheet->setColumnWidths(2, 2, 4608);
    for (int c : {3, 4, 5, 7, 8})
        QVERIFY2(view->isColumnHidden(c - 1), qPrintable(QString::number(c)));
    for (int c : {1, 2, 6})
        QVERIFY2(!view->isColumnHidden(c - 1), qPrintable(QString::number(c)));
    QCOMPARE(view->columnWidth(1), view->columnPixels(4608));
    QVERIFY(view->columnWidth(1) > view->columnWidth(0) * 19 / 10);
    sheet->setColumnsHidden(3, 3, false);
    sheet->setMaxCol(8);
    QVERIFY(!view->isColumnHidden(2));
    QVERIFY(!view->isColumnHidden(7));

    sheet->setRowHeights(2, 200, 310);
    sheet->setRowHeights(7, 7, 900);
    QCOMPARE(view->rowHeight(6), view->rowPixels(900));
    QVERIFY(view->rowHeight(5) >= view->rowPixels(310));
    QCOMPARE(view->verticalHeader()->defaultSectionSize(), view->rowHeight(5));
    QVERIFY(view->rowHeight(5) < view->rowPixels(900));
    sheet->insertRows(3, 1);  // heights travel with their rows
    QCOMPARE(view->rowHeight(7), view->rowPixels(900));
    QVERIFY(view->rowHeight(6) < view->rowPixels(900));
}

void SheetViewTest::rowsFitTheirFontAndTitlesWrap()
{
    const auto lineOf = [this](int size) {
        QFont f = view->font();
        f.setPointSize(size);
        return QFontMetrics(f).height();
    };
    sheet->setRowHeights(1, 200, 100);  // 5 points: less than a line of either size
    sheet->setFont(10, 1, 20, 8, {8});
    QVERIFY(view->rowHeight(4) >= lineOf(10));
    QVERIFY(view->rowHeight(14) >= lineOf(8));
    QVERIFY(view->rowHeight(14) < view->rowHeight(4));

    // A title too wide for its column wraps and its row grows to show it whole; the same text
    // below the title row keeps to one line.
    const QString title = "具有国家评定的专业技术等级";
    sheet->setColumnWidths(2, 2, 5 * 256);
    sheet->setText(1, 2, title);
    sheet->setText(5, 2, title);
    QVERIFY(view->rowHeight(0) >= 3 * lineOf(10));
    QVERIFY(view->rowHeight(4) < 2 * lineOf(10));
    sheet->setColumnWidths(2, 2, 40 * 256);  // wide enough again: one line
    QVERIFY(view->rowHeight(0) < 2 * lineOf(10));
    view->setHeaderRows(0);
    sheet->setColumnWidths(2, 2, 5 * 256);
    QVERIFY(view->rowHeight(0) < 2 * lineOf(10));

    // One size on screen: the 8-point rows show and stand as the others.
    view->setOneFontSize(true);
    QCOMPARE(view->model()->data(view->model()->index(14, 0), Qt::FontRole).value<QFont>().pointSize(),
             10);
    QCOMPARE(view->rowHeight(14), view->rowHeight(6));
    QCOMPARE(sheet->font(15, 1).size, 8);  // the sheet keeps its sizes for the workbook
}

void SheetViewTest::headingsStayInViewWhileRowsScroll()
{
    sheet->setText(1, 2, "姓名");
    view->setHeaderRows(1);
    showActive();
    auto* frozen = view->findChild<QTableView*>("frozenRows");
    QVERIFY(frozen);
    QVERIFY(frozen->isHidden());  // the headings are where they belong

    view->selectRange(150, 2, 150, 2);
    QVERIFY(view->verticalScrollBar()->value() > 0);
    QVERIFY(frozen->isVisible());
    QCOMPARE(frozen->geometry().top(), view->viewport()->geometry().top());
    QCOMPARE(frozen->height(), view->rowHeight(0));
    QCOMPARE(frozen->columnWidth(1), view->columnWidth(1));
    QCOMPARE(frozen->visualRect(frozen->model()->index(0, 1)).top(), 0);

    // Walking up, the current cell never hides under the headings; at the top they go.
    for (int row = 150; row > 2; --row) {
        QTest::keyClick(view.get(), Qt::Key_Up);
        const QRect cell = view->visualRect(view->currentIndex());
        QVERIFY2(cell.top() >= (frozen->isHidden() ? 0 : frozen->height()),
                 qPrintable(QStringLiteral("row %1 under the headings").arg(view->selStartRow())));
    }
    QCOMPARE(view->selStartRow(), 2);
    QCOMPARE(view->verticalScrollBar()->value(), 0);
    QVERIFY(frozen->isHidden());
}

void SheetViewTest::readOnlyTextRunsOverEmptyCells()
{
    const QString line = "补充资料：一、直接从事生产经营活动的平均人数(48)   40  人";
    sheet->setText(3, 1, line);
    sheet->setText(4, 1, line);
    sheet->setText(4, 3, "x");
    sheet->setText(5, 1, "短");
    QCOMPARE(view->columnSpan(2, 0), 1);  // editable: every cell stays reachable
    view->setReadOnly(true);
    QVERIFY(view->columnSpan(2, 0) > 1);
    QCOMPARE(view->columnSpan(3, 0), 2);  // up to the next cell that holds text
    QCOMPARE(view->columnSpan(4, 0), 1);  // a text that fits stays in its cell
    sheet->setText(3, 2, "y");
    QCOMPARE(view->columnSpan(2, 0), 1);
}

void SheetViewTest::rowCommandsWorkOnTheSelectedRows()
{
    for (int r = 1; r <= 6; ++r)
        sheet->setText(r, 1, QString::number(r));
    sheet->setMark(4, 1, CellMark::Error);
    view->selectRange(3, 2, 4, 2);
    view->insertSelectedRows();
    QCOMPARE(cell(3, 1), "");
    QCOMPARE(cell(4, 1), "");
    QCOMPARE(cell(5, 1), "3");
    QCOMPARE(sheet->mark(6, 1), CellMark::Error);
    QCOMPARE(view->model()->data(view->model()->index(4, 0)).toString(), "3");

    view->selectRange(2, 1, 4, 1);
    view->deleteSelectedRows();
    QCOMPARE(cell(1, 1), "1");
    QCOMPARE(cell(2, 1), "3");
    QCOMPARE(cell(3, 1), "4");
    QCOMPARE(sheet->mark(3, 1), CellMark::Error);
}

void SheetViewTest::sheetMayDieBeforeTheView()
{
    sheet->setText(1, 1, "x");
    view->selectRange(1, 1, 1, 1);
    sheet.reset();
    QCOMPARE(view->model()->rowCount(), 0);
    view->copy();
    view->paste();
    view->clearSelectedValues();
    view.reset();  // and the view goes without touching it
}

VEL_GUI_TEST(SheetViewTest)
#include "SheetViewTest.moc"
