#include "GuiTest.h"
#include "Application.h"
#include "Prompter.h"
#include "WindowFit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vel::gui;

namespace {

struct Seen {
    QString caption;
    QStringList buttons;
    QString defaultButton;
    QString text;
    bool titleWhole = false;
};

// Runs `show`, reads the message box it opens and answers it with `key`.
Seen respond(const std::function<void()>& show, Qt::Key key)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        seen.buttons.sort();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        seen.text = box->text();
        seen.titleWhole = box->width() >= titleRoom(box);
        seen.caption = box->windowTitle();
        QTest::keyClick(box, key);
    });
    show();
    return seen;
}

}  // namespace

class PrompterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*static_cast<QApplication*>(QApplication::instance())); }

    void boxesSpeakChineseAndEnterNeverTakesTheHarmfulAnswer()
    {
        QWidget parent;
        bool answer = true;
        Seen seen = respond([&] { answer = prompt().ask(&parent, "Yes:清空，无法恢复；No:不清空。"); },
                            Qt::Key_Return);
        QCOMPARE(seen.buttons, (QStringList{"否", "是"}));
        QCOMPARE(seen.defaultButton, QStringLiteral("否"));
        QVERIFY(!answer);
        seen = respond([&] { answer = prompt().ask(&parent, "确认清空？"); }, Qt::Key_Escape);
        QVERIFY(!answer);

        seen = respond([&] { answer = prompt().confirm(&parent, "保存成功！"); }, Qt::Key_Return);
        QCOMPARE(seen.buttons, QStringList{"是"});
        QVERIFY(answer);
        seen = respond([&] { prompt().info(&parent, "没有重名重号信息。"); }, Qt::Key_Return);
        QCOMPARE(seen.buttons, QStringList{"确定"});
        seen = respond([&] { prompt().error(&parent, "出错"); }, Qt::Key_Return);
        QCOMPARE(seen.buttons, QStringList{"确定"});
        QVERIFY(seen.titleWhole);  // a short text still leaves room for the title
    }

    // The boxes whose caption the program names carry it; the others the program's title.
    void namedMessagesCarryTheirCaption()
    {
        const struct {
            QString text;
            QString caption;
        } cases[] = {
            {QStringLiteral("没有输入月工资信息！"), QStringLiteral("消息")},
            {QStringLiteral("数据导出错误！\n\r文件：XLS/汇总.xlsx\n\r原因：内存不足。"),
             QStringLiteral("消息")},
            {QStringLiteral("无法打开Xls文件，请确认已经安装EXCEL.\n\rXLS/汇总.xlsx"),
             QStringLiteral("警告")},
            {QStringLiteral("必须导成EXCEL才支持打印。"), QStringLiteral("Veldrassa.2012版")},
        };
        for (const auto& c : cases) {
            const Seen seen = respond([&] { prompt().error(nullptr, c.text); }, Qt::Key_Return);
            QCOMPARE(seen.caption, c.caption);
        }
    }

    void oldLineBreaksShowAsOne()
    {
        const Seen seen = respond(
            [] { prompt().info(nullptr, "工资总额超出额定范围：\n\r上限不超过100000,\r下限不低于500."); },
            Qt::Key_Return);
        QCOMPARE(seen.text, QStringLiteral("工资总额超出额定范围：\n上限不超过100000,\n下限不低于500."));
    }

    // What Qt draws itself (file dialogs, standard buttons) comes in Chinese too.
    void qtsOwnButtonsAreTranslated()
    {
        QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
        QVERIFY(buttons.button(QDialogButtonBox::Cancel)->text().contains(QStringLiteral("取消")));
        QVERIFY(buttons.button(QDialogButtonBox::Open)->text().contains(QStringLiteral("打开")));
    }

};

VEL_GUI_TEST(PrompterTest)
#include "PrompterTest.moc"
