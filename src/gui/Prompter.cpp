#include "Prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace vel::gui {
namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

class MessageBoxPrompter : public Prompter {
public:
    void info(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, title(), text);
    }
    bool confirm(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, title(), text, QMessageBox::StandardButtons(QMessageBox::Yes)) ==
               QMessageBox::Yes;
    }
    bool ask(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) ==
               QMessageBox::Yes;
    }
    void error(QWidget* parent, const QString& text) override
    {
        QMessageBox::critical(parent, title(), text);
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
