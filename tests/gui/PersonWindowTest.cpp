#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "staff/PersonRoster.h"
#include "staff/PersonWindow.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace vel;
using namespace vel::gui;

class PersonWindowTest : public QObject {
    Q_OBJECT

    // A unit database with its code lists, of the given class.
    struct Unit {
        explicit Unit(const QString& unitClass) : session(WorkFolder(dir.path()))
        {
            UnitRegistration r;
            r.unitClass = unitClass;
            session.applyRegistration(r);
            session.codes().load(session.db(), session.postFilter());
        }
        long long add(int month, const QString& name, const QString& number)
        {
            PersonRecord r;
            r.name = name;
            r.number = number;
            r.sex = "男";
            r.birthYear = "1970";
            r.birthMonth = "03";
            r.edu = "初中";
            r.nation = "否";
            r.party = "否";
            r.works = "12";
            r.work = "2";
            r.post = "技师";
            r.grade = "无";
            r.gradeJn = "技师";
            r.role = "在岗职工";
            r.fullTime = "是";
            r.engineer = r.constructor = r.production = "否";
            r.siteWorker = "否";
            return PersonRoster(session.db(), month)
                .add(r, session.codes(), staffClassOf(session.unit().CurDepInfo));
        }
        QString stored(long long id, const char* column)
        {
            const SqlValue v = session.db().scalar(
                std::string("SELECT ") + column + " FROM Staff_moninfo WHERE id = ?", {id});
            if (const auto* n = std::get_if<long long>(&v))
                return QString::number(*n);
            return std::holds_alternative<QString>(v) ? std::get<QString>(v) : "<null>";
        }

        QTemporaryDir dir;
        Session session;
    };

    template <class T>
    static T* child(PersonWindow& w, const char* name)
    {
        T* c = w.findChild<T*>(name);
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    static QComboBox* combo(PersonWindow& w, const char* name) { return child<QComboBox>(w, name); }
    static QLineEdit* box(PersonWindow& w, const char* name) { return child<QLineEdit>(w, name); }
    static bool red(QWidget* field) { return field->property("failed").toBool(); }
    static QStandardItemModel* rows(PersonWindow& w)
    {
        return static_cast<QStandardItemModel*>(child<QTableView>(w, "list")->model());
    }
    static void showActive(PersonWindow& w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    // Gives the field the focus and moves on to the next one, as Tab does.
    static void leave(QWidget* field, QWidget* next)
    {
        field->setFocus(Qt::TabFocusReason);
        next->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    static void select(PersonWindow& w, int row)
    {
        auto* list = child<QTableView>(w, "list");
        list->setCurrentIndex(list->model()->index(row, 2));
    }

private slots:
    void leavingAFieldMarksItRed()
    {
        Unit unit("否");
        TestPrompter prompter;
        PersonWindow w(unit.session, PersonWindowMode::openingEntry());
        showActive(w);
        QComboBox* sex = combo(w, "sex");
        QComboBox* year = combo(w, "birthYear");
        QLineEdit* works = box(w, "works");
        QLineEdit* work = box(w, "work");
        QLineEdit* name = box(w, "name");

        sex->setEditText("男 ");
        leave(sex, name);
        QVERIFY(red(sex));
        sex->setEditText("女");
        leave(sex, name);
        QVERIFY(!red(sex));

        year->setEditText("199");
        leave(year, name);
        QVERIFY(red(year));
        QVERIFY(prompter.shown.isEmpty());
        year->setEditText("1994");
        leave(year, name);
        QVERIFY(red(year));
        QCOMPARE(prompter.shown, QStringList{"年龄一般不小于15岁，不大于75岁，请核实。"});
        year->setEditText("1993");
        leave(year, name);
        QVERIFY(!red(year));

        works->setText("5");
        work->setText("6");
        leave(work, name);
        QVERIFY(red(works) && red(work));
        work->setText("5");
        leave(work, name);
        QVERIFY(!red(works) && !red(work));

        works->setText("5a");
        leave(works, name);
        QVERIFY(red(works));
        QCOMPARE(prompter.shown.last(), QStringLiteral("红色为错误项，请改正!"));
        QTRY_VERIFY(works->hasFocus());

        // Enter walks on like Tab, in boxes and lists alike.
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(box(w, "number")->hasFocus());
        QTest::keyClick(box(w, "number"), Qt::Key_Return);
        QVERIFY(sex->hasFocus());
        QTest::keyClick(sex, Qt::Key_Enter);
        QVERIFY(year->hasFocus());
    }

    void addStoresTheRowAndRefreshesTheList()
    {
        Unit unit("是1");
        TestPrompter prompter;
        PersonWindow w(unit.session, PersonWindowMode::openingEntry());
        QSignalSpy changed(&w, &PersonWindow::rosterChanged);
        QVERIFY(child<QGroupBox>(w, "construction")->isVisibleTo(&w));
        QCOMPARE(child<QLabel>(w, "panel1")->text(), QStringLiteral("共0条"));

        // Nothing is chosen for the clerk: an untouched list is refused, red, except the
        // grades, which may stay empty.
        for (const char* name : {"sex", "birthYear", "birthMonth", "edu", "nation", "party",
                                 "post", "grade", "gradeJn", "role", "fullTime", "engineer",
                                 "constructor", "siteWorker", "production"})
            QVERIFY2(combo(w, name)->currentText().isEmpty(), name);
        child<QPushButton>(w, "add")->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("红色为错误项，请改正!"));
        QVERIFY(red(combo(w, "nation")) && red(combo(w, "party")) && red(combo(w, "post")));
        QVERIFY(!red(combo(w, "grade")) && !red(combo(w, "gradeJn")));
        QCOMPARE(rows(w)->rowCount(), 0);

        box(w, "name")->setText("O'Neil");
        box(w, "number")->setText("0001");
        const auto choosePerson = [&w] {
            combo(w, "birthYear")->setEditText("1980");
            combo(w, "birthMonth")->setCurrentText("01");
            combo(w, "edu")->setCurrentText("大学专科");
            combo(w, "nation")->setCurrentText("否");
            combo(w, "party")->setCurrentText("否");
            box(w, "works")->setText("8");
            box(w, "work")->setText("3");
            combo(w, "post")->setCurrentIndex(0);
        };
        choosePerson();
        combo(w, "role")->setCurrentIndex(0);
        combo(w, "fullTime")->setCurrentText("是");
        combo(w, "engineer")->setCurrentText("否");
        combo(w, "constructor")->setCurrentText("是");
        combo(w, "siteWorker")->setCurrentText("是(未持证上岗)");
        combo(w, "production")->setCurrentText("是");

        // A field made red earlier still blocks the store when another one was left last.
        combo(w, "sex")->setEditText("男 ");
        child<QPushButton>(w, "add")->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("红色为错误项，请改正!"));
        QVERIFY(red(combo(w, "sex")));
        QCOMPARE(rows(w)->rowCount(), 0);

        combo(w, "sex")->setCurrentText("男");
        child<QPushButton>(w, "add")->click();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(rows(w)->rowCount(), 1);
        QCOMPARE(rows(w)->item(0, 2)->text(), QStringLiteral("O'Neil"));
        QCOMPARE(rows(w)->item(0, 17)->text(), QStringLiteral("是"));
        QCOMPARE(child<QLabel>(w, "panel1")->text(), QStringLiteral("共1条"));
        QVERIFY(!red(combo(w, "sex")));
        const long long id = rows(w)->item(0, 0)->data().toLongLong();
        QCOMPARE(unit.stored(id, "sBirth"), QStringLiteral("1980-01"));
        QCOMPARE(unit.stored(id, "sEducation"), QStringLiteral("4"));
        QCOMPARE(unit.stored(id, "sJGrade"), QStringLiteral("<null>"));
        QCOMPARE(unit.stored(id, "ssg"), QStringLiteral("2"));
        QCOMPARE(unit.stored(id, "sMon"), QStringLiteral("0"));

        // Ready for the next person; status and full-time keep their choice.
        QCOMPARE(box(w, "name")->text(), QString());
        QCOMPARE(box(w, "works")->text(), QString());
        QCOMPARE(combo(w, "birthYear")->currentText(), QString());
        QCOMPARE(combo(w, "edu")->currentIndex(), -1);
        QCOMPARE(combo(w, "fullTime")->currentText(), QStringLiteral("是"));
        QCOMPARE(combo(w, "siteWorker")->currentText(), QStringLiteral("是(未持证上岗)"));

        // Without a name the required fields are named.
        choosePerson();
        combo(w, "sex")->setCurrentText("女");
        child<QPushButton>(w, "add")->click();
        QVERIFY(prompter.shown.last().endsWith("请核实！"));
        QCOMPARE(rows(w)->rowCount(), 1);

        // "取消" empties status and full-time too, but keeps the birth month and the
        // construction answers.
        child<QPushButton>(w, "cancel")->click();
        QCOMPARE(combo(w, "sex")->currentText(), QString());
        QCOMPARE(combo(w, "role")->currentIndex(), -1);
        QCOMPARE(combo(w, "fullTime")->currentText(), QString());
        QCOMPARE(combo(w, "birthMonth")->currentText(), QStringLiteral("01"));
        QCOMPARE(combo(w, "siteWorker")->currentText(), QStringLiteral("是(未持证上岗)"));
    }

    void loadForCorrectionThenModify()
    {
        Unit unit("规上");
        const long long first = unit.add(3, "甲", "1");
        unit.add(3, "乙", "2");
        unit.add(0, "期初", "3");
        TestPrompter prompter;
        PersonWindow w(unit.session, PersonWindowMode::monthlyCheck(3));
        QSignalSpy changed(&w, &PersonWindow::rosterChanged);
        QCOMPARE(w.windowTitle(), QStringLiteral("3月份个人数据核对"));
        QCOMPARE(rows(w)->rowCount(), 2);
        QVERIFY(!combo(w, "engineer")->isVisibleTo(&w));
        QVERIFY(combo(w, "production")->isVisibleTo(&w));

        select(w, 0);
        child<QAction>(w, "actCorrect")->trigger();
        QVERIFY(!child<QPushButton>(w, "add")->isVisibleTo(&w));
        QVERIFY(child<QPushButton>(w, "modify")->isVisibleTo(&w));
        QCOMPARE(box(w, "name")->text(), QStringLiteral("甲"));
        QCOMPARE(combo(w, "birthYear")->currentText(), QStringLiteral("1970"));
        QCOMPARE(combo(w, "birthMonth")->currentText(), QStringLiteral("03"));
        QCOMPARE(combo(w, "gradeJn")->currentText(), QStringLiteral("技师"));
        QCOMPARE(box(w, "works")->text(), QStringLiteral("12"));

        box(w, "name")->setText("甲'改");
        combo(w, "production")->setCurrentText("是");
        child<QPushButton>(w, "modify")->click();
        QCOMPARE(prompter.shown.last(), QStringLiteral("修改成功！"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(unit.stored(first, "sName"), QStringLiteral("甲'改"));
        QCOMPARE(unit.stored(first, "syg"), QStringLiteral("1"));
        QCOMPARE(rows(w)->item(0, 2)->text(), QStringLiteral("甲'改"));
        QVERIFY(child<QPushButton>(w, "add")->isVisibleTo(&w));
        QVERIFY(!child<QPushButton>(w, "modify")->isVisibleTo(&w));
        QCOMPARE(combo(w, "birthYear")->currentText(), QString());

        // Delete asks nothing; emptying asks, and only the working month is emptied.
        select(w, 1);
        child<QAction>(w, "actDelete")->trigger();
        QCOMPARE(rows(w)->rowCount(), 1);
        QCOMPARE(child<QLabel>(w, "panel2")->text(), QStringLiteral(" 乙 删除成功！"));
        prompter.answer = false;
        child<QAction>(w, "actEmpty")->trigger();
        QCOMPARE(prompter.shown.last(), QStringLiteral("确认清空？清空将无法恢复！"));
        QCOMPARE(rows(w)->rowCount(), 1);
        prompter.answer = true;
        child<QAction>(w, "actEmpty")->trigger();
        QCOMPARE(rows(w)->rowCount(), 0);
        QCOMPARE(child<QLabel>(w, "panel2")->text(), QStringLiteral("成功删除！"));
        QVERIFY(!child<QAction>(w, "actDelete")->isEnabled());
        QCOMPARE(PersonRoster(unit.session.db(), 0).all().size(), size_t(1));
        QCOMPARE(changed.count(), 3);
    }

    void duplicateModeOpensOnTheQueryPageWithTheDuplicates()
    {
        Unit unit("否");
        unit.add(0, "甲", "7");
        unit.add(0, "乙", "5");
        unit.add(0, "丙", "7");
        unit.add(3, "丁", "5");
        TestPrompter prompter;
        PersonWindow w(unit.session, PersonWindowMode::openingDuplicates());
        QCOMPARE(w.windowTitle(), QStringLiteral("个人信息核对窗口"));
        QCOMPARE(child<QTabWidget>(w, "pages")->currentIndex(), 1);
        QCOMPARE(rows(w)->rowCount(), 2);
        QCOMPARE(rows(w)->item(0, 2)->text(), QStringLiteral("甲"));
        QCOMPARE(rows(w)->item(1, 2)->text(), QStringLiteral("丙"));
        QCOMPARE(child<QLabel>(w, "panel1")->text(), QStringLiteral("共2条"));
        QCOMPARE(child<QLabel>(w, "panel2")->text(), QStringLiteral("查看同编号"));
        QVERIFY(!child<QGroupBox>(w, "construction")->isVisibleTo(&w));
        auto* list = child<QTableView>(w, "list");
        QVERIFY(list->isColumnHidden(0) && list->isColumnHidden(16) && list->isColumnHidden(19));
        QVERIFY(!list->isColumnHidden(1));

        box(w, "search")->setText("乙");
        child<QPushButton>(w, "find")->click();
        QCOMPARE(rows(w)->rowCount(), 1);
        child<QTabWidget>(w, "pages")->setCurrentIndex(0);
        QCOMPARE(rows(w)->rowCount(), 3);
        QVERIFY(prompter.shown.isEmpty());
    }
};

VEL_GUI_TEST(PersonWindowTest)
#include "PersonWindowTest.moc"
