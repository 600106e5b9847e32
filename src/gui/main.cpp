#include "Application.h"
#include "Prompter.h"
#include "ProgramFault.h"
#include "unit/UnitHost.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir("data-dir", "work folder", "DIR");
    parser.addOption(dataDir);

    // --version is answered before the window system is reached, so that it works in a terminal
    // without a display. The window system's own options are not known yet: errors wait.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    vel::gui::nameProgram();
    parser.parse(arguments);
    if (parser.isSet("version"))
        parser.showVersion();

    QApplication app(argc, argv);
    vel::gui::setUpApplication(app);
    parser.process(app);

    if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty()) {
        vel::gui::prompt().error(nullptr, QStringLiteral("--data-dir 不能为空。"));
        return 2;
    }

    try {
        vel::gui::UnitHost host;
        if (!host.start(parser.value(dataDir)))
            return 1;
        return app.exec();
    } catch (const std::exception& e) {
        // Commands catch their own errors; what still gets here ends the program with a word.
        vel::gui::prompt().error(nullptr, vel::programFault(e));
        return 1;
    }
}
