#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vel::gui {

// Opens a file with its usual program, or a folder in the file manager. Where the desktop cannot,
// the path is shown instead, so the clerk still knows where the file went.
void openInShell(QWidget* parent, const QString& path);
// The same without a word when the desktop cannot: whether it opened.
bool openWithDesktop(const QString& path);

// Replaces the desktop (tests); an empty function restores it. Returns whether it opened.
void setShellOpener(std::function<bool(const QString&)> opener);

}  // namespace vel::gui
