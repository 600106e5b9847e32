#include "Application.h"
#include "MainWindow.h"
#include "WorkFolder.h"
#include "unit/UnitHost.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vel::gui::setUpApplication(app);

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption dataDir("data-dir", "work folder", "DIR");
    parser.addOption(dataDir);
    parser.process(app);

    vel::gui::UnitHost host;
    if (!host.open(vel::WorkFolder::resolve(parser.value(dataDir))))
        return 1;
    return app.exec();
}
