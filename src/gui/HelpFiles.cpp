#include "HelpFiles.h"

#include "ShellOpen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace vel::gui::help {

void open(QWidget* parent, const QString& baseName)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList folders = {appDir + "/HLP", appDir + "/../share/veldrassa/HLP"};
    const QStringList endings = {".html", ".pdf", ".doc", ".chm"};
    for (const QString& folder : folders)
        for (const QString& ending : endings) {
            const QString path = folder + "/" + baseName + ending;
            if (QFileInfo::exists(path)) {
                openInShell(parent, path);
                return;
            }
        }
}

}  // namespace vel::gui::help
