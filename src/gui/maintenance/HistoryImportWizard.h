#pragma once

#include "history/HistoryImport.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QProgressBar;

namespace vel {
class Session;
}

namespace vel::gui {

// "历史数据导入向导": staff and wages of an earlier installation, taken over in one transaction.
class HistoryImportWizard : public QDialog {
    Q_OBJECT
public:
    explicit HistoryImportWizard(Session& session, QWidget* parent = nullptr);

    QLineEdit* folderBox() const { return folder_; }
    QButtonGroup* options() const { return options_; }
    QProgressBar* progressBar() const { return progress_; }

    // "选择...": the folder browser; a folder without the old database is refused.
    void chooseFolder();
    // "开始导入".
    void start();

signals:
    // Rows were added: the main window's menus follow them.
    void imported();

private:
    Session& session_;
    QLineEdit* folder_ = nullptr;
    QButtonGroup* options_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace vel::gui
