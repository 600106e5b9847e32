#include "GuiTest.h"
#include "Session.h"
#include "TestPrompter.h"
#include "io/ColumnMatchDialog.h"
#include "monthly/WageEntryWindow.h"
#include "monthly/WageSheet.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vel;
using namespace vel::gui;

namespace {

// The finance office's payroll: a title, its own headings, the basic wage split in two, a
// deduction, a total row.
const char* const Payroll =
    "某公司2026年1月工资表\n"
    "序号,工号,姓名,岗位工资,薪级工资,交通补贴,加班费,应发合计,代扣个税,实发工资\n"
    "1,1001,张伟,3000,554.48,809.18,4011.39,8375.05,120,8255.05\n"
    "2,1002,李娜,2000,,,,2000,,2000\n"
    "合计,,,5000,554.48,809.18,4011.39,10375.05,120,10255.05\n";

QString payrollFile(const QString& folder)
{
    const QString path = folder + "/payroll.csv";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(Payroll);
    return path;
}

std::vector<DelimitedLine> payrollLines(const QString& folder)
{
    return readImportSheets(payrollFile(folder)).sheets.front().lines;
}

ColumnMatchNeeded needFor(Session& s, const std::vector<DelimitedLine>& lines)
{
    try {
        matchImportLines(s.db(), wageImportLayout(), lines);
    } catch (const ColumnMatchNeeded& need) {
        return need;
    }
    return ColumnMatchNeeded({}, std::nullopt);
}

QString previewCell(QDialog& d, int row, int col)
{
    const QTableWidgetItem* item = d.findChild<QTableWidget*>("preview")->item(row, col);
    return item ? item->text() : QString();
}

}  // namespace

class ColumnMatchDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The proposal shown first, the preview as the rows will be read with their 合计, the
    // counts, and a deduction refused before anything is read.
    void previewFollowsTheChoices()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        const std::vector<DelimitedLine> lines = payrollLines(dir.path());
        ColumnMatchDialog d(wageImportLayout(), lines, needFor(s, lines),
                            [](const QStringList& c) { return wageTotalText(c.mid(2, 4)); });
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.matchingText(), QStringLiteral("姓名编号=工号;姓名=姓名;基本工资=岗位工资+薪级工资;"
                                          "工资性津贴和补贴=交通补贴;其他工资=加班费"));
        QCOMPARE(d.findChild<QComboBox*>("source_0")->currentText(), QStringLiteral("工号"));
        QCOMPARE(d.findChild<QToolButton*>("source_2")->text(), QStringLiteral("岗位工资+薪级工资"));
        QCOMPARE(previewCell(d, 0, 2), QStringLiteral("3554.48"));
        QCOMPARE(previewCell(d, 0, 6), QStringLiteral("8375.05"));
        QCOMPARE(d.findChild<QLabel*>("counts")->text(),
                 QStringLiteral("将读入2行，跳过1行合计行。"));
        QPushButton* ok = d.findChild<QPushButton*>("btnOk");
        QVERIFY(ok->isEnabled());

        d.choose(5, {"加班费", "代扣个税"});
        QVERIFY(!ok->isEnabled());
        QVERIFY(d.findChild<QLabel*>("problem")->text().contains(QStringLiteral("代扣个税")));
        d.choose(5, {});
        QVERIFY(ok->isEnabled());
        QCOMPARE(previewCell(d, 0, 6), QStringLiteral("4363.66"));
        d.findChild<QComboBox*>("source_0")->setCurrentIndex(0);  // no number: nobody is known
        QVERIFY(!ok->isEnabled());
    }

    // "从文件导入" asks once; the confirmed matching is kept and the next file with the same
    // headings goes straight into the sheet.
    void theWageWindowAsksOnceAndKeepsTheMatching()
    {
        QTemporaryDir dir;
        Session s{WorkFolder(dir.path())};
        TestPrompter prompter;
        WageEntryWindow w(WindowContext{s}, 1);
        const QString path = payrollFile(dir.path());
        int asked = 0;
        QTimer::singleShot(0, [&] {
            auto* d = dynamic_cast<ColumnMatchDialog*>(QApplication::activeModalWidget());
            QVERIFY2(d, "the matching dialog did not open");
            ++asked;
            d->accept();
        });
        w.importFile(path);
        QCOMPARE(asked, 1);
        QCOMPARE(prompter.shown.last(), QStringLiteral("导入成功，共计2人."));
        QCOMPARE(w.sheet().text(2, wage::BasicCol), QStringLiteral("3554.48"));
        QCOMPARE(w.sheet().text(3, wage::NameCol), QStringLiteral("李娜"));
        QCOMPARE(w.sheet().text(4, wage::NameCol), QString());
        QCOMPARE(storedColumnMatches(s.db(), "wages").size(), size_t{1});

        prompter.answer = true;
        w.importFile(path);  // a dialog now would wait for ever
        QCOMPARE(prompter.shown.last(), QStringLiteral("导入成功，共计2人."));
    }
};

VEL_GUI_TEST(ColumnMatchDialogTest)
#include "ColumnMatchDialogTest.moc"
