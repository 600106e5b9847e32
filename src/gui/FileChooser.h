#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vel::gui {

// The file and folder dialogs the maintenance commands show, replaceable so that tests can
// answer them. Each returns the chosen path, or empty when the clerk cancelled.
struct FileChooser {
    std::function<QString(QWidget*, const QString& title, const QString& start,
                          const QString& filter)>
        saveFile;
    std::function<QString(QWidget*, const QString& title, const QString& start,
                          const QString& filter)>
        openFile;
    std::function<QString(QWidget*, const QString& title, const QString& start)> folder;

    static FileChooser& current();
    // Replaces the dialogs (tests); nullptr restores them.
    static void install(FileChooser* chooser);
};

inline FileChooser& chooseFiles() { return FileChooser::current(); }

// The open dialog's filter for a roster or wage file (`kind` names it): every kind it reads with
// the workbooks first, then workbooks alone, delimited text alone and any file.
QString importFileFilter(const QString& kind);

}  // namespace vel::gui
