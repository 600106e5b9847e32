#pragma once

#include "Progress.h"
#include "WindowContext.h"

#include <QDialog>

#include <functional>
#include <memory>

class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace vel {
class Sheet;
}

namespace vel::gui {

class SheetView;

// What a report offers besides its sheet; each returns the message the clerk is shown and
// throws Error when it fails, leaving earlier files in place.
struct ReportCommands {
    // "导出Excel": writes the workbook; returns the closing message.
    std::function<QString(const Progress&)> exportWorkbook;
    // The workbook "打印" opens.
    std::function<QString()> workbookPath;
    // "生成上报": writes the submission file; returns the message naming folder and file.
    std::function<QString()> submit;
    // The folders the two files are written to, opened for the clerk afterwards.
    std::function<QString()> workbookFolder;
    std::function<QString()> submissionFolder;
    // The captions the form gives its export and submission buttons.
    QString exportCaption = QStringLiteral("导出Excel");
    QString submitCaption = QStringLiteral("生成上报");
};

// The commands of a report whose workbook needs nothing but the progress.
template <class Report>
ReportCommands commandsOf(const std::shared_ptr<Report>& report)
{
    ReportCommands c;
    c.exportWorkbook = [report](const Progress& p) { return report->exportWorkbook(p); };
    c.workbookPath = [report] { return report->workbookPath(); };
    c.workbookFolder = [report] { return report->workbookFolder(); };
    c.submit = [report] { return report->submit(); };
    c.submissionFolder = [report] { return report->submissionFolder(); };
    return c;
}

// A computed report in a read-only worksheet with its export, print and submission commands.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    // `report` owns the sheet and the commands' state; the window keeps it alive.
    ReportWindow(const WindowContext& context, const QString& caption,
                 std::shared_ptr<void> report, Sheet& sheet, ReportCommands commands,
                 QWidget* parent = nullptr);

    SheetView* view() const { return view_; }
    // The command buttons, for the captions and states of a form's own window.
    QPushButton* exportButton() const { return export_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* submitButton() const { return submit_; }
    // The texts above the sheet go here.
    QVBoxLayout* headerArea() const { return header_; }

    void exportWorkbook();
    void print();
    void submit();

protected:
    void done(int result) override;

private:
    WindowContext context_;
    std::shared_ptr<void> report_;
    ReportCommands commands_;
    SheetView* view_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* submit_ = nullptr;
    QVBoxLayout* header_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace vel::gui
