#include "Application.h"
#include "ProgramVersion.h"
#include "WindowFit.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vel::gui {

void nameProgram()
{
    // The work folder's default place is named after it. No display name is set: the window
    // system would append it to every window title.
    QCoreApplication::setApplicationName("veldrassa");
    QCoreApplication::setApplicationVersion(programVersion);
}

void setUpApplication(QApplication& app)
{
    nameProgram();
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("veldrassa");
    QIcon icon;
    for (const QFileInfo& size : QDir(":/icons").entryInfoList(QDir::Files))
        icon.addFile(size.filePath());
    QApplication::setWindowIcon(icon);
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
    keepTitlesWhole(app);
}

}  // namespace vel::gui
