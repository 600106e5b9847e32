#include "Application.h"
#include "Errors.h"
#include "MainWindow.h"
#include "Prompter.h"
#include "Session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vel::gui::setUpApplication(app);

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption dataDir("data-dir", "work folder", "DIR");
    parser.addOption(dataDir);
    parser.process(app);

    if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty()) {
        vel::gui::prompt().error(nullptr, QStringLiteral("--data-dir 不能为空。"));
        return 2;
    }

    std::unique_ptr<vel::Session> session;
    try {
        session = std::make_unique<vel::Session>(
            vel::WorkFolder(vel::WorkFolder::resolve(parser.value(dataDir))));
        vel::loadRegistration(session->db());
    } catch (const vel::Error& e) {
        // Without its database (or with a registration no file may be named after) no command
        // can work; say why and stop rather than fail later.
        vel::gui::prompt().error(nullptr, e.message());
        return 1;
    }

    try {
        vel::gui::MainWindow window(*session);
        window.resize(1024, 700);  // the size it keeps where no window manager maximises it
        window.showMaximized();
        QTimer::singleShot(0, &window, [&window] { window.startUp(); });
        return app.exec();
    } catch (const std::exception& e) {
        // Commands catch their own errors; what still gets here ends the program with a word.
        vel::gui::prompt().error(nullptr, QStringLiteral("程序意外中止：%1")
                                              .arg(QString::fromLocal8Bit(e.what())));
        return 1;
    }
}
