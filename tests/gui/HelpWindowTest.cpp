#include "GuiTest.h"
#include "MainWindow.h"
#include "WindowFit.h"
#include "Session.h"
#include "TestPrompter.h"
#include "help/HelpBrowser.h"
#include "help/HelpDocuments.h"
#include "help/HelpWindow.h"
#include "staff/OpeningRosterWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <QWindow>

using namespace vel;
using namespace vel::gui;

namespace {

// The heading block that carries an anchor name; invalid when none does.
QTextBlock headingNamed(const HelpBrowser* browser, const QString& anchor)
{
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().anchorNames().contains(anchor))
                return b;
    return {};
}

bool inView(const HelpBrowser* browser, const QTextBlock& block)
{
    const QRectF at = browser->document()->documentLayout()->blockBoundingRect(block).translated(
        0, -browser->verticalScrollBar()->value());
    return at.intersects(browser->viewport()->rect());
}

QString status(HelpWindow* w) { return w->findChild<QLabel*>("helpStatus")->text(); }

void search(HelpWindow* w, const QString& word)
{
    auto* field = w->findChild<QLineEdit*>("helpSearch");
    field->setText(word);
    QTest::keyClick(field, Qt::Key_Return);
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Each entry opens the one help window at its document; the opening roster's button at the
    // section on the staff answers.
    void entriesOpenTheirDocument()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        UnitRegistration r;
        r.name = "测试单位";
        r.code = "12345678X";
        r.type = unit::EnterpriseType;
        r.unitClass = "否";
        saveRegistration(s.db(), r);
        s.unitRegistered();
        TestPrompter prompter;
        MainWindow main(s);

        main.findChild<QAction*>("actFillingHelp")->trigger();
        HelpWindow* help = HelpWindow::current();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("帮助"));
        QCOMPARE(help->browser()->documentId(), help::FillingInstructions);
        QVERIFY(help->browser()->toPlainText().startsWith(QStringLiteral("填写说明及指标解释")));

        main.findChild<QAction*>("actManual")->trigger();
        QCOMPARE(HelpWindow::current(), help);
        QCOMPARE(help->browser()->documentId(), help::UserManual);

        const std::optional<QString> staffAnswers = help::staffAnswersAnchor();
        QVERIFY(staffAnswers);
        WindowContext context{s};
        {
            OpeningRosterWindow roster(context, OpeningRosterMode::Entry, &main);
            roster.show();
            help->resize(500, 260);
            roster.findChild<QPushButton*>("readHelp")->click();
            QCOMPARE(HelpWindow::current(), help);
            QVERIFY(help->isVisible());
            // The roster window runs modal: the help window belongs to it, so it is not blocked.
            QVERIFY(roster.windowHandle()->isAncestorOf(help->windowHandle(),
                                                        QWindow::IncludeTransients));
            QCOMPARE(help->browser()->documentId(), help::FillingInstructions);
            QCOMPARE(help->browser()->source().fragment(), *staffAnswers);
            const QTextBlock section = headingNamed(help->browser(), *staffAnswers);
            QVERIFY(section.isValid());
            QVERIFY(inView(help->browser(), section));
            roster.close();
        }
        // The roster window is gone; the help stays open where it was.
        QCOMPARE(HelpWindow::current(), help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->browser()->documentId(), help::FillingInstructions);
        QCOMPARE(prompter.shown, QStringList{});
    }

    // Every document is in the contents with its sections; choosing one shows it there.
    void contentsJumpToEverySection()
    {
        HelpWindow* help = HelpWindow::open(nullptr, help::UserManual);
        help->resize(500, 260);
        delete help;
        help = HelpWindow::open(nullptr, help::UserManual);
        QCOMPARE(help->size(), QSize(500, 260));  // as the last one was left
        auto* contents = help->findChild<QTreeWidget*>("helpContents");
        QCOMPARE(contents->topLevelItemCount(), static_cast<int>(help::documents().size()));
        for (int i = 0; i < contents->topLevelItemCount(); ++i) {
            const help::Document& d = help::documents()[i];
            QTreeWidgetItem* top = contents->topLevelItem(i);
            QCOMPARE(top->text(0), d.title);
            std::vector<help::Heading> sections;
            for (const help::Heading& h : help::headings(help::markdown(d.id)))
                if (h.level == 2)
                    sections.push_back(h);
            QCOMPARE(top->childCount(), static_cast<int>(sections.size()));
            for (int k = 0; k < top->childCount(); ++k) {
                QCOMPARE(top->child(k)->text(0), sections[k].text);
                emit contents->itemClicked(top->child(k), 0);
                QCOMPARE(help->browser()->documentId(), d.id);
                const QTextBlock block = headingNamed(help->browser(), sections[k].anchor);
                QVERIFY2(block.isValid(), qPrintable(sections[k].anchor));
                QVERIFY2(inView(help->browser(), block), qPrintable(sections[k].anchor));
            }
        }
        // A link from one document to a section of another, as the documents write it.
        const help::Heading target = help::headings(help::markdown(help::FillingInstructions)).back();
        help->browser()->setSource(HelpBrowser::urlOf(help::UserManual));
        help->browser()->setSource(QUrl(QStringLiteral("indicators.md#") + target.anchor));
        QCOMPARE(help->browser()->documentId(), help::FillingInstructions);
        QVERIFY(inView(help->browser(), headingNamed(help->browser(), target.anchor)));
        delete help;
    }

    // A word from another document is listed with its place, opening a hit shows it there, Enter
    // goes round the shown document, and back and forward return.
    void searchFindsAcrossDocumentsAndHistoryReturns()
    {
        HelpWindow* help = HelpWindow::open(nullptr, help::UserManual);
        help->resize(1000, 600);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
        auto* field = help->findChild<QLineEdit*>("helpSearch");
        QVERIFY(field->hasFocus());

        const QString word = help::headings(help::markdown(help::FillingInstructions))[1].text;
        search(help, word);
        auto* hits = help->findChild<QListWidget*>("helpHits");
        int inInstructions = -1;
        for (int i = 0; i < hits->count() && inInstructions < 0; ++i)
            if (hits->item(i)->text().startsWith(QStringLiteral("填写说明及指标解释：")))
                inInstructions = i;
        QVERIFY(inInstructions >= 0);
        QVERIFY(hits->item(inInstructions)->text().contains(word));
        emit hits->itemClicked(hits->item(inInstructions));
        HelpBrowser* browser = help->browser();
        QCOMPARE(browser->documentId(), help::FillingInstructions);
        QCOMPARE(browser->textCursor().selectedText(), word);
        // Every place in the shown document is marked, and nothing else.
        const QList<QTextEdit::ExtraSelection> marks = browser->extraSelections();
        QCOMPARE(marks.size(), static_cast<int>(browser->toPlainText().count(word)));
        for (const QTextEdit::ExtraSelection& m : marks)
            QCOMPARE(m.cursor.selectedText(), word);
        QCOMPARE(status(help),
                 QStringLiteral("本文档 %1 处 / 全部文档 %2 处").arg(marks.size()).arg(hits->count()));

        // Enter from the last hit starts again at the first.
        const int times = browser->toPlainText().count(word);
        QVERIFY(times >= 1);
        browser->moveCursor(QTextCursor::Start);
        QTest::keyClick(field, Qt::Key_Return);
        const int first = browser->textCursor().selectionStart();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(browser->textCursor().selectionStart(), first);
        QCOMPARE(browser->textCursor().selectedText(), word);

        QTest::keyClick(help, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(browser->documentId(), help::UserManual);
        QTest::keyClick(help, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(browser->documentId(), help::FillingInstructions);

        search(help, QStringLiteral("无此词语"));
        QCOMPARE(status(help), QStringLiteral("未找到“无此词语”"));
        QCOMPARE(hits->count(), 0);
        QVERIFY(browser->extraSelections().isEmpty());
        QCOMPARE(browser->documentId(), help::FillingInstructions);
        delete help;
    }

    // A message pasted as the program showed it, its months filled in, opens its entry; the
    // window lies inside the screen and 关闭 and Esc close it.
    void aPastedMessageFindsItsEntryAndTheWindowCloses()
    {
        QWidget over;
        over.setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(0, 0, 0, -300));
        HelpWindow* help = HelpWindow::open(&over, help::UserManual);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        const QRect room = help->screen()->availableGeometry();
        QVERIFY2(room.contains(framedGeometry(help)), "the help window leaves the screen");

        search(help, QStringLiteral("3月份,5月份,有工资数据错误，请纠正。"));
        auto* hits = help->findChild<QListWidget*>("helpHits");
        QCOMPARE(hits->count(), 1);
        QCOMPARE(help->browser()->documentId(), help::Messages);
        QCOMPARE(help->browser()->textCursor().selectedText(),
                 QStringLiteral("{月份列表}有工资数据错误，请纠正。"));

        auto* close = help->findChild<QPushButton*>("helpClose");
        QCOMPARE(close->text(), QStringLiteral("关闭"));
        close->click();
        QVERIFY(!help->isVisible());
        help = HelpWindow::open(nullptr, help::UserManual);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        delete help;
    }
};

VEL_GUI_TEST(HelpWindowTest)
#include "HelpWindowTest.moc"
