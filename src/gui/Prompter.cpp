#include "Prompter.h"

#include "MainWindow.h"
#include "MessageCaptions.h"
#include "ShownText.h"
#include "WindowFit.h"

#include <QMessageBox>
#include <QPushButton>

namespace vel::gui {
namespace {

// The boxes' own button texts, so that no English one shows even where Qt's translations are
// missing.
QString caption(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return QStringLiteral("确定");
    case QMessageBox::Yes:
        return QStringLiteral("是");
    case QMessageBox::No:
        return QStringLiteral("否");
    case QMessageBox::Cancel:
        return QStringLiteral("取消");
    default:
        return {};
    }
}

// The box sizes itself as it shows, for its text alone; it is widened for its whole title after.
class ProgramBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (width() < titleRoom(this))
            setFixedWidth(titleRoom(this));
    }
};

QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    const QString title = messageCaption(text);
    ProgramBox box(icon, title.isEmpty() ? MainWindow::programTitle() : title, plainLineBreaks(text),
                   buttons, parent);
    for (QAbstractButton* b : box.buttons())
        b->setText(caption(box.standardButton(b)));
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

class MessageBoxPrompter : public Prompter {
public:
    void info(QWidget* parent, const QString& text) override
    {
        show(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
    }
    bool confirm(QWidget* parent, const QString& text) override
    {
        return show(parent, QMessageBox::Question, text, QMessageBox::Yes, QMessageBox::Yes) ==
               QMessageBox::Yes;
    }
    bool ask(QWidget* parent, const QString& text) override
    {
        // Every question of the program guards a step that deletes, overwrites or drops data:
        // a hasty Enter must not take it.
        return show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                    QMessageBox::No) == QMessageBox::Yes;
    }
    void error(QWidget* parent, const QString& text) override
    {
        show(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
    }
};

MessageBoxPrompter boxes;
Prompter* installed = nullptr;

}  // namespace

Prompter& Prompter::current()
{
    return installed ? *installed : boxes;
}

void Prompter::install(Prompter* prompter)
{
    installed = prompter;
}

}  // namespace vel::gui
