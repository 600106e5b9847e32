#include "FileChooser.h"

#include <QFileDialog>

namespace vel::gui {
namespace {

FileChooser dialogs{
    [](QWidget* parent, const QString& title, const QString& start, const QString& filter) {
        // Whether to replace a file is asked by the command's own checks, with No as default.
        return QFileDialog::getSaveFileName(parent, title, start, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    },
    [](QWidget* parent, const QString& title, const QString& start, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, title, start, filter);
    },
    [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, title, start);
    }};
FileChooser* installed = nullptr;

}  // namespace

FileChooser& FileChooser::current()
{
    return installed ? *installed : dialogs;
}

void FileChooser::install(FileChooser* chooser)
{
    installed = chooser;
}

QString importFileFilter(const QString& kind)
{
    return QStringLiteral("%1 (*.xlsx *.xls *.csv *.txt *.tsv);;Excel工作簿 (*.xlsx *.xls);;"
                          "文本文件 (*.csv *.txt *.tsv);;所有文件 (*)")
        .arg(kind);
}

}  // namespace vel::gui
