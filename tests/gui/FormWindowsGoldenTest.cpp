#include "GuiTest.h"
#include "MainWindow.h"
#include "Session.h"
#include "ShellOpen.h"
#include "TestPrompter.h"
#include "grid/SheetView.h"
#include "reports/MonthRangeChooser.h"
#include "reports/ReportWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

using namespace vel;
using namespace vel::gui;

// Every form as a clerk reaches it from the main window, for an enterprise 是1 and a government
// organ: the menus and tool buttons (texts, names, shown, enabled), and each window they open
// (caption, modality, the texts above the sheet, the buttons and their states, the sheet) with the
// messages shown on the way, must equal fixtures/golden/windows.txt. VEL_GOLDEN_UPDATE=1 writes
// that text instead of comparing.

namespace {

// Four persons in every roster with varied answers, wages in every month.
void fillYear(Session& s, const QString& type, const QString& unitClass)
{
    UnitRegistration r;
    r.name = "测试单位";
    r.code = "12345678X";
    r.type = type;
    r.unitClass = unitClass;
    saveRegistration(s.db(), r);
    s.unitRegistered();
    const bool organ = type == unit::OrganType;
    struct Person {
        long long sex, nation, party, edu, post, grade, jgrade, role, gc, jzs, sg, yg;
        const char* birth;
        double wage;
    };
    const Person people[] = {
        {1, 2, 1, 3, organ ? 13 : 21, 10, 50, 1, 1, 1, 1, 1, "1967-01", 9000.5},
        {2, 1, 2, 1, 33, 33, 50, 1, 1, 2, 1, 2, "1977-01", 6000},
        {1, 2, 2, 8, 53, 10, 53, 2, 2, 2, 3, 1, "1985-06", 3500.5},
        {2, 2, 1, 4, organ ? 19 : 42, 34, 50, 3, 2, 2, 2, 2, "1972-02", 2800},
    };
    Transaction tx(s.db());
    for (int month = 0; month <= 12; ++month)
        for (int p = 0; p < 4; ++p) {
            const Person& x = people[p];
            const QString number = QString::number(p + 1);
            s.db().exec("INSERT INTO Staff_moninfo (sName, sNumber, sSex, sNation, sParty,"
                        " sEducation, sPost, sPostGrade, sJGrade, ssf, sgc, sjzs, ssg, syg, sBirth,"
                        " sIsok, sMon) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '1', ?)",
                        {QString("人%1").arg(number), number, x.sex, x.nation, x.party, x.edu,
                         x.post, x.grade, x.jgrade, x.role, x.gc, x.jzs, x.sg, x.yg,
                         QString(x.birth), static_cast<long long>(month)});
            if (month > 0)
                s.db().exec("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sTotal, sFlag,"
                            " wFlag) VALUES (?, ?, ?, ?, ?, '1', '1')",
                            {number, QString("人%1").arg(number), static_cast<long long>(month),
                             x.wage, x.wage});
        }
    tx.commit();
}

// A hidden action reads as disabled; its own enabled state shows while it is shown for a moment.
QString flags(QAction* a)
{
    const bool visible = a->isVisible();
    a->setVisible(true);
    const bool enabled = a->isEnabled();
    a->setVisible(visible);
    return QString(" [%1]%2%3")
        .arg(a->objectName(), visible ? "" : " hidden", enabled ? "" : " disabled");
}

void describeMenu(QStringList& out, QMenu* menu, const QString& indent)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        out << indent + a->text() + flags(a);
        if (a->menu())
            describeMenu(out, a->menu(), indent + "  ");
    }
}

QStringList describeMenus(MainWindow& w)
{
    QStringList out;
    for (QAction* a : w.menuBar()->actions()) {
        out << "menu " + a->text() + flags(a) +
                   (a->menu() && !a->menu()->isEnabled() ? " menu-disabled" : "");
        if (a->menu())
            describeMenu(out, a->menu(), "  ");
    }
    for (QAction* a : w.findChild<QToolBar*>("toolBar")->actions())
        out << "tool " + a->text() + flags(a);
    return out;
}

// What a window shows: caption, modality, texts, entry boxes, buttons, and its sheet's rows.
QStringList describeWindow(QWidget* w)
{
    QStringList out{"  caption " + w->windowTitle(),
                    QString("  modal %1").arg(w->isModal() ? "yes" : "no")};
    for (const QLabel* l : w->findChildren<QLabel*>())
        out << "  label " + l->text();
    for (const QLineEdit* e : w->findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            out << "  box [" + e->objectName() + "] " + e->text();
    for (const QComboBox* c : w->findChildren<QComboBox*>()) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        out << "  list [" + c->objectName() + "] " + items.join(',') + " = " + c->currentText();
    }
    for (const QPushButton* b : w->findChildren<QPushButton*>())
        out << QString("  button %1 [%2]%3%4")
                   .arg(b->text(), b->objectName(), b->isVisibleTo(w) ? "" : " hidden",
                        b->isEnabled() ? "" : " disabled");
    if (const SheetView* v = w->findChild<SheetView*>()) {
        const Sheet& sheet = v->sheet();
        for (int row = 1; row <= sheet.maxRow(); ++row) {
            QStringList cells;
            for (int col = 1; col <= sheet.columnCount(); ++col)
                cells << sheet.text(row, col);
            out << QString("  row %1 ").arg(row) + cells.join('\t');
        }
    }
    return out;
}

// Modal windows seen on the way, each described and then handled by `next` (or closed).
struct Steps {
    QStringList* out;
    std::vector<std::function<void(QWidget*)>> next;
};

void onModals(Steps& steps, size_t at)
{
    QTimer::singleShot(0, [&steps, at] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        *steps.out << "window " + QString(modal->metaObject()->className());
        *steps.out << describeWindow(modal);
        if (at < steps.next.size()) {
            onModals(steps, at + 1);
            steps.next[at](modal);
        }
        if (modal->isVisible())
            modal->close();
    });
}

}  // namespace

class FormWindowsGoldenTest : public QObject {
    Q_OBJECT

    QStringList out_;

    // Triggers the entry, describes every window it opens (modal ones as they come, `next`
    // working in each, modeless ones afterwards) and the messages shown, and closes them.
    void entry(MainWindow& w, TestPrompter& prompter, const char* name,
               std::vector<std::function<void(QWidget*)>> next = {})
    {
        QAction* a = w.findChild<QAction*>(name);
        QVERIFY2(a, name);
        out_ << QString("entry %1").arg(name);
        prompter.shown.clear();
        Steps steps{&out_, std::move(next)};
        const QWidgetList before = QApplication::topLevelWidgets();
        onModals(steps, 0);
        // The hidden entries that are also disabled are reached the way the menu would.
        const bool enabled = a->isEnabled();
        a->setEnabled(true);
        a->trigger();
        a->setEnabled(enabled);
        QApplication::processEvents();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && !before.contains(top) && top != &w) {
                out_ << "modeless " + QString(top->metaObject()->className());
                out_ << describeWindow(top);
                // The quarter chooser opens its reports beside it.
                if (QPushButton* q = top->findChild<QPushButton*>("quarter2")) {
                    const QWidgetList withChooser = QApplication::topLevelWidgets();
                    q->click();
                    for (QWidget* report : QApplication::topLevelWidgets())
                        if (report->isVisible() && !withChooser.contains(report) && report != top) {
                            out_ << "modeless " + QString(report->metaObject()->className());
                            out_ << describeWindow(report);
                            report->close();
                        }
                }
                top->close();
            }
        for (const QString& m : prompter.shown)
            out_ << "  message " + m;
        QApplication::processEvents();
    }

    static std::function<void(QWidget*)> range(const QString& from, const QString& to)
    {
        return [from, to](QWidget* w) {
            auto* chooser = qobject_cast<MonthRangeChooser*>(w);
            QVERIFY(chooser);
            chooser->fromBox()->setCurrentText(from);
            chooser->toBox()->setCurrentText(to);
            chooser->choose();
        };
    }

    void unit(const QString& type, const QString& unitClass)
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        fillYear(s, type, unitClass);
        TestPrompter prompter;
        MainWindow w(s);
        w.startUp();
        out_ << "# " + type + " " + unitClass;
        out_ << describeMenus(w);
        for (const char* name :
             {"actQuarterly1", "actQuarterly2", "actQuarterly3", "actAnnual", "btnAnnual",
              "btnQuarterly", "actBasicQuarter1", "actBasicQuarter2", "actBasicQuarter3",
              "actBasicAnnual", "actTalentYearEnd", "btnTalent", "actTalent"})
            entry(w, prompter, name);
        entry(w, prompter, "actBasicPeriod", {range("4", "9")});
        entry(w, prompter, "actWageSummaryEnterprise", {range("1", "6")});
        entry(w, prompter, "actWageSummaryOrgan", {range("1", "12")});
        entry(w, prompter, "btnWageSituation", {range("6", "12")});
        // A stored copy: No at the question shows it.
        prompter.answer = false;
        entry(w, prompter, "btnWageSituation", {range("1", "6")});
        prompter.answer = true;
        // A month that failed the audit: every form's refusal.
        s.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE sMon = 5 AND sNumber = '2'");
        for (const char* name :
             {"actQuarterly2", "actAnnual", "actBasicQuarter2", "actBasicAnnual",
              "actTalentYearEnd", "actTalent", "btnWageSituation"})
            entry(w, prompter, name);
        entry(w, prompter, "actBasicPeriod", {range("4", "9")});
    }

private slots:
    void initTestCase()
    {
        setShellOpener([](const QString&) { return true; });
    }

    void everyFormWindowAsGolden()
    {
        unit(unit::EnterpriseType, "是1");
        unit(unit::OrganType, "否");
        const QString path = QStringLiteral(VEL_FIXTURES_DIR "/golden/windows.txt");
        const QString text = out_.join('\n') + '\n';
        if (qEnvironmentVariable("VEL_GOLDEN_UPDATE") == "1") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.toUtf8());
            return;
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList golden = QString::fromUtf8(f.readAll()).split('\n');
        const QStringList now = text.split('\n');
        for (int i = 0; i < std::min(golden.size(), now.size()); ++i)
            if (golden[i] != now[i])
                QFAIL(qPrintable(QString("line %1 differs from %2:\n  golden: %3\n  now:    %4")
                                     .arg(i + 1)
                                     .arg(path, golden[i], now[i])));
        QCOMPARE(now.size(), golden.size());
    }
};

VEL_GUI_TEST(FormWindowsGoldenTest)
#include "FormWindowsGoldenTest.moc"
