#include "ShellOpen.h"

#include "Prompter.h"

#include <QDesktopServices>
#include <QUrl>

namespace vel::gui {
namespace {

std::function<bool(const QString&)>& opener()
{
    static std::function<bool(const QString&)> replaced;
    return replaced;
}

}  // namespace

bool openWithDesktop(const QString& path)
{
    return opener() ? opener()(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void openInShell(QWidget* parent, const QString& path)
{
    if (!openWithDesktop(path))
        prompt().info(parent, QStringLiteral("无法自动打开，请到以下位置查看：\n%1").arg(path));
}

void setShellOpener(std::function<bool(const QString&)> replacement)
{
    opener() = std::move(replacement);
}

}  // namespace vel::gui
