#include "Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vel::gui {

void setUpApplication(QApplication& app)
{
    // The work folder's default place is named after it. No display name is set: the window
    // system would append it to every window title.
    QApplication::setApplicationName("veldrassa");
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}

}  // namespace vel::gui
