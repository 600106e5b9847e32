#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "unit/UnitFigures.h"
#include "unit/UnitInfoWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

class UnitInfoWindowTest : public QObject {
    Q_OBJECT

    template <class T>
    static T* child(UnitInfoWindow& w, const char* name)
    {
        T* c = w.findChild<T*>(name);
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    static void typeCode(UnitInfoWindow& w, const QString& code)
    {
        for (int i = 0; i < code.size(); ++i)
            QTest::keyClicks(child<QLineEdit>(w, qPrintable(QString("code%1").arg(i + 1))),
                             code.mid(i, 1));
    }
    static void fill(UnitInfoWindow& w)
    {
        child<QLineEdit>(w, "name")->setText("测试'单位");
        typeCode(w, "12345678x");
    }

private slots:
    void typeAndClassRules()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        UnitInfoWindow w(s);
        auto* construction = child<QRadioButton>(w, "classConstruction");
        auto* qualification = child<QComboBox>(w, "qualification");
        QVERIFY(child<QRadioButton>(w, "enterprise")->isChecked());
        QVERIFY(!qualification->isEnabled());

        construction->click();
        QVERIFY(qualification->isEnabled());
        QCOMPARE(qualification->currentText(), QStringLiteral("有总承包和专业承包资质"));

        child<QRadioButton>(w, "isNew")->click();
        QVERIFY(child<QComboBox>(w, "foundingMonth")->isEnabled());
        child<QRadioButton>(w, "organ")->click();
        QVERIFY(child<QRadioButton>(w, "classOther")->isChecked());
        QVERIFY(child<QRadioButton>(w, "notNew")->isChecked());
        QVERIFY(!qualification->isEnabled());
        QVERIFY(prompter.shown.isEmpty());

        child<QRadioButton>(w, "classIndustrial")->click();
        QCOMPARE(prompter.shown, QStringList{"机关单位，不可能是规模以上工业单位！"});
        QVERIFY(child<QRadioButton>(w, "classOther")->isChecked());
    }

    void codeBoxesUpperCaseMoveOnAndReportIllegalCharacters()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        UnitInfoWindow w(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* first = child<QLineEdit>(w, "code1");
        first->setFocus();
        QTest::keyClicks(first, "a");
        QCOMPARE(first->text(), QStringLiteral("A"));
        QTest::keyClicks(child<QLineEdit>(w, "code2"), "7");
        QVERIFY(child<QLineEdit>(w, "code3")->hasFocus());
        QTest::keyClicks(child<QLineEdit>(w, "code3"), "-");
        QCOMPARE(prompter.shown, QStringList{"非法字符"});
        QCOMPARE(child<QLineEdit>(w, "code3")->text(), QStringLiteral("-"));

        // The illegal character is refused again at save, and nothing is stored.
        child<QLineEdit>(w, "name")->setText("甲");
        for (int i = 4; i <= 9; ++i)
            child<QLineEdit>(w, qPrintable(QString("code%1").arg(i)))->setText("1");
        w.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("非法字符"));
        QVERIFY(!loadRegistration(s.db()));
    }

    void aCodeWithLowerCaseLettersIsTypedInOneRun()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        UnitInfoWindow w(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        child<QLineEdit>(w, "code1")->setFocus();
        // Every key goes where the focus is, as a clerk's typing does.
        for (const QChar c : QStringLiteral("12ab5678x"))
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QString typed;
        for (int i = 1; i <= 9; ++i)
            typed += child<QLineEdit>(w, qPrintable(QString("code%1").arg(i)))->text();
        QCOMPARE(typed, QStringLiteral("12AB5678X"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void firstSaveThenReopenThenDeclinedChange()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        {
            UnitInfoWindow w(s);
            QSignalSpy saved(&w, &UnitInfoWindow::saved);
            fill(w);
            child<QRadioButton>(w, "isNew")->click();
            w.save();
            QCOMPARE(prompter.shown.last(), QStringLiteral("请输入创办月份。"));
            child<QComboBox>(w, "foundingMonth")->setCurrentIndex(2);
            child<QRadioButton>(w, "classConstruction")->click();
            child<QComboBox>(w, "qualification")->setCurrentIndex(1);
            w.save();
            QCOMPARE(prompter.shown.last(), QStringLiteral("保存成功！"));
            QCOMPARE(saved.count(), 1);
        }
        const std::optional<UnitRegistration> r = loadRegistration(s.db());
        QVERIFY(r);
        QCOMPARE(r->code, QStringLiteral("12345678X"));
        QCOMPARE(r->name, QStringLiteral("测试'单位"));
        QCOMPARE(r->unitClass, QStringLiteral("是2"));
        QCOMPARE(r->createMon, QStringLiteral("2"));

        UnitInfoWindow again(s);
        QVERIFY(child<QRadioButton>(again, "isNew")->isChecked());
        QCOMPARE(child<QComboBox>(again, "foundingMonth")->currentText(), QStringLiteral("3月创办"));
        QCOMPARE(child<QComboBox>(again, "qualification")->currentText(),
                 QStringLiteral("有劳务分包资质"));
        QCOMPARE(child<QLineEdit>(again, "code9")->text(), QStringLiteral("X"));

        child<QLineEdit>(again, "name")->setText("改名");
        prompter.answer = false;
        again.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("是否要进行修改?"));
        QCOMPARE(loadRegistration(s.db())->name, QStringLiteral("测试'单位"));
        prompter.answer = true;
        again.save();
        QCOMPARE(loadRegistration(s.db())->name, QStringLiteral("改名"));
    }

    // The data check's figures are stored with the registration, all or nothing.
    void checkFiguresAreSavedWithTheRegistrationOrNothingIs()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        {
            UnitInfoWindow w(s);
            fill(w);
            child<QLineEdit>(w, "minWage")->setText("1800");
            child<QLineEdit>(w, "lastYearHeads")->setText("40.5");
            w.save();
            QCOMPARE(prompter.shown.last(),
                     QStringLiteral("“上年年末从业人员”应为不小于0的整数，或者空着：40.5"));
            QVERIFY(!loadRegistration(s.db()));
            QVERIFY(!loadUnitFigures(s.db()).minWage);
            child<QLineEdit>(w, "lastYearHeads")->setText(" 40 ");
            child<QLineEdit>(w, "lastYearWages")->setText("1920.5");
            w.save();
            QCOMPARE(prompter.shown.last(), QStringLiteral("保存成功！"));
        }
        const UnitFigures kept = loadUnitFigures(s.db());
        QCOMPARE(kept.minWage, std::optional<double>(1800));
        QCOMPARE(kept.lastYearHeads, std::optional<long long>(40));
        QCOMPARE(kept.lastYearWages, std::optional<double>(1920.5));

        UnitInfoWindow again(s);
        QCOMPARE(child<QLineEdit>(again, "lastYearWages")->text(), QStringLiteral("1920.5"));
        child<QLineEdit>(again, "minWage")->clear();  // the rule is off again
        again.save();
        QVERIFY(!loadUnitFigures(s.db()).minWage);
        QCOMPARE(loadUnitFigures(s.db()).lastYearHeads, std::optional<long long>(40));
    }

    void emptyCodeBoxIsRefused()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        UnitInfoWindow w(s);
        child<QLineEdit>(w, "name")->setText("甲");
        typeCode(w, "1234");
        w.save();
        QCOMPARE(prompter.shown.last(), QStringLiteral("请确认单位名称或法人代码是否填写正确！"));
        QVERIFY(!loadRegistration(s.db()));
    }
};

VEL_GUI_TEST(UnitInfoWindowTest)
#include "UnitInfoWindowTest.moc"
