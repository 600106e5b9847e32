#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "reports/MonthRangeChooser.h"
#include "reports/PeriodCopy.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace vel;
using namespace vel::gui;

namespace {

void rosters(Session& s, std::initializer_list<int> months)
{
    for (int month : months)
        s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES ('甲', '1', ?,"
                    " '1')",
                    {static_cast<long long>(month)});
}

}  // namespace

class MonthRangeChooserTest : public QObject {
    Q_OBJECT

private slots:
    // Yes at the question overwrites the stored copy: Enter answers No.
    void recomputeQuestionDefaultsToNo()
    {
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            QTest::keyClick(box, Qt::Key_Return);
            checked = true;
        });
        QVERIFY(!prompt().ask(nullptr, RecomputeQuestion));
        QVERIFY(checked);
    }

    void refusalsShowInsteadOfTheChooser()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        QWidget parent;
        bool opened = false;
        openRangeChooser(WindowContext{s}, &parent, rangeChooserOpens(s.db()),
                         RangePurpose::Summary, 40, [&](const ChosenRange&, QWidget*) { opened = true; });
        QCOMPARE(prompter.shown, QStringList{"ERROR: 没有输入月工资信息！"});
        QVERIFY(!opened);
    }

    // The button refuses a wrong range and stays; a right one hands over the range and closes;
    // with a copy stored, No at the question reuses it and Yes recomputes.
    void chooserHandsOverTheRangeAndTheReuseDecision()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        rosters(s, {0, 1, 2, 3, 4, 5, 6});
        {
            Transaction tx(s.db());
            savePeriodCopy(s.db(), {1, 6}, 40);
            tx.commit();
        }
        TestPrompter prompter;
        QWidget parent;
        struct Case {
            RangePurpose purpose;
            bool answer;
            const char* button;
            bool asked;
            bool reuse;
        };
        for (const Case& c : {Case{RangePurpose::Summary, false, "summarise", true, true},
                              Case{RangePurpose::Summary, true, "summarise", true, false},
                              Case{RangePurpose::Period, false, "confirm", false, false}}) {
            prompter.shown.clear();
            prompter.answer = c.answer;
            std::optional<ChosenRange> chosen;
            bool checked = false;
            QTimer::singleShot(0, [&] {
                auto* chooser = qobject_cast<MonthRangeChooser*>(QApplication::activeModalWidget());
                QVERIFY(chooser);
                QCOMPARE(chooser->windowTitle(), QStringLiteral("选择汇总月度区间"));
                QCOMPARE(chooser->fromBox()->count(), 6);
                QCOMPARE(chooser->fromBox()->currentText(), QStringLiteral("1"));
                QVERIFY(!chooser->findChild<QPushButton*>(
                    c.purpose == RangePurpose::Summary ? "confirm" : "summarise"));
                auto* button = chooser->findChild<QPushButton*>(c.button);
                chooser->fromBox()->setCurrentText("6");
                chooser->toBox()->setCurrentText("1");
                button->click();
                QCOMPARE(prompter.shown, QStringList{"ERROR: 开始、截止月份错误!"});
                QVERIFY(chooser->isVisible());
                chooser->fromBox()->setCurrentText("1");
                chooser->toBox()->setCurrentText("6");
                button->click();
                checked = true;
            });
            openRangeChooser(WindowContext{s}, &parent, rangeChooserOpens(s.db()), c.purpose, 40,
                             [&](const ChosenRange& r, QWidget*) { chosen = r; });
            QVERIFY(checked);
            QVERIFY(chosen);
            QCOMPARE(chosen->range.from, 1);
            QCOMPARE(chosen->range.to, 6);
            QCOMPARE(chosen->reuseCopy, c.reuse);
            QCOMPARE(prompter.shown.contains(RecomputeQuestion), c.asked);
        }
    }
};

VEL_GUI_TEST(MonthRangeChooserTest)
#include "MonthRangeChooserTest.moc"
