#include "HelpFiles.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace vel::gui::help {

void open(const QString& baseName)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList folders = {appDir + "/HLP", appDir + "/../share/veldrassa/HLP"};
    const QStringList endings = {".html", ".pdf", ".doc", ".chm"};
    for (const QString& folder : folders)
        for (const QString& ending : endings) {
            const QString path = folder + "/" + baseName + ending;
            if (QFileInfo::exists(path)) {
                QDesktopServices::openUrl(QUrl::fromLocalFile(path));
                return;
            }
        }
}

}  // namespace vel::gui::help
