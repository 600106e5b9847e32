#include "ReportWindow.h"

#include "CheckBoxes.h"
#include "CommandWidgets.h"
#include "Prompter.h"
#include "PrintCommands.h"
#include "Session.h"
#include "ShellOpen.h"
#include "WindowFit.h"
#include "checks/DataCheckWindow.h"
#include "grid/SheetView.h"
#include "output/WorkbookWriter.h"
#include "reports/FormRun.h"
#include "reports/ReportHeader.h"
#include "staff/StaffPanelFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace vel::gui {

ReportWindow::ReportWindow(const WindowContext& context, std::shared_ptr<FormRun> run,
                           QWidget* parent)
    : QDialog(parent), context_(context), run_(std::move(run))
{
    const FormWindow& text = run_->form().window;
    setWindowTitle(run_->caption());
    view_ = new SheetView(run_->sheet(), this);
    view_->setObjectName("reportSheet");
    view_->setReadOnly(true);
    // Every form heads its columns in its first two rows, a group title over the column titles.
    view_->setHeaderRows(2);
    // The workbook keeps the form's mixed sizes; on screen one size reads better.
    view_->setOneFontSize(true);
    if (text.copyMenu)
        setSheetMenu(view_, {{QStringLiteral("复制"), [this] { view_->copy(); }}});

    const auto button = [this](const QString& caption, const char* name,
                               std::function<void()> command) {
        return commandButton(this, caption, name, std::move(command));
    };
    export_ = button(text.exportCaption, "exportWorkbook", [this] { exportWorkbook(); });
    print_ = button(text.printCaption, "print", [this] { print(); });
    pdf_ = button(QStringLiteral("导出PDF"), "exportPdf", [this] { exportPdf(); });
    spreadsheet_ = button(QStringLiteral("用表格程序打开"), "openInSpreadsheet",
                          [this] { openInSpreadsheet(); });
    check_ = button(QStringLiteral("数据审核"), "dataCheck", [this] { openDataCheck(); });
    submit_ = button(text.submitCaption, "submit", [this] { submit(); });
    auto* closeButton = button(QStringLiteral("关闭"), "close", [this] { reject(); });
    // A form its guard refused stays blank and offers no file: none would match the records.
    export_->setEnabled(run_->computed());
    print_->setEnabled(run_->computed());
    pdf_->setEnabled(run_->computed());
    spreadsheet_->setEnabled(run_->computed());
    submit_->setEnabled(run_->computed() && run_->submissionOffered());

    progress_ = workProgressBar(this);
    auto* layout = new QVBoxLayout(this);
    addHeader(layout);
    layout->addWidget(view_, 1);
    layout->addLayout(
        buttonRow({export_, print_, pdf_, spreadsheet_, check_, submit_, closeButton}));
    layout->addWidget(progress_);
    resize(1000, 720);
    fitOnShow(this, view_, FitHeight::UsedRows);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::addHeader(QVBoxLayout* layout)
{
    const FormWindow& text = run_->form().window;
    auto* area = new QVBoxLayout;
    if (!text.kindLine.isEmpty()) {
        auto* kind = new QLabel(text.kindLine, this);
        kind->setAlignment(Qt::AlignCenter);
        area->addWidget(kind);
    }
    QStringList unitLines = run_->unitLines();
    if (const std::optional<QString> period = run_->periodLine())
        unitLines << *period;
    addReportHeader(area, this, unitLines, text.identityLines, text.title);
    // A form headed by a year takes it from the clerk, for its workbook.
    const QString year = run_->form().workbook.defaultYear;
    if (!year.isEmpty()) {
        year_ = new QLineEdit(year, this);
        year_->setObjectName("Year");
        year_->setMaxLength(4);
        year_->setFixedWidth(60);
        year_->setValidator(
            new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), year_));
        auto* yearLine = new QHBoxLayout;
        yearLine->addStretch();
        yearLine->addWidget(year_);
        yearLine->addWidget(new QLabel(QStringLiteral("年"), this));
        yearLine->addStretch();
        area->addLayout(yearLine);
    }
    layout->addLayout(area);
}

QString ReportWindow::year() const
{
    return year_ ? year_->text() : QString();
}

void ReportWindow::exportWorkbook()
{
    progress_->setValue(0);
    const QString message =
        run_->exportWorkbook([this](int p) { progress_->setValue(p); }, year());
    prompt().info(this, message);
    openInShell(this, run_->workbookFolder());
    progress_->setValue(100);
    progress_->setValue(0);
}

void ReportWindow::print()
{
    openPrintPreview(this, run_->printedSheet(year()));
}

void ReportWindow::exportPdf()
{
    gui::exportPdf(this, context_.session.folder(), run_->workbookName(),
                   run_->printedSheet(year()));
}

void ReportWindow::openInSpreadsheet()
{
    const QString path = run_->workbookPath();
    if (!QFileInfo::exists(path)) {
        prompt().info(this, PrintNeedsExportMessage);
        return;
    }
    if (!openWithDesktop(path))
        prompt().error(this, NoSpreadsheetMessage + QStringLiteral("\n\r") +
                                 QDir::toNativeSeparators(path));
}

void ReportWindow::openDataCheck()
{
    DataCheckWindow window(context_, {&run_->form(), run_->period(), std::nullopt, true}, this);
    window.exec();
}

void ReportWindow::submit()
{
    if (!passChecks(this, run_->submissionAudit()))
        return;
    prompt().info(this, run_->submit());
    openInShell(this, run_->submissionFolder());
    accept();
}

void ReportWindow::done(int result)
{
    context_.setProgress(0);
    QDialog::done(result);
}

}  // namespace vel::gui
