#include "ReportWindow.h"

#include "CommandWidgets.h"
#include "Guarded.h"
#include "Prompter.h"
#include "ShellOpen.h"
#include "WindowFit.h"
#include "grid/SheetView.h"
#include "staff/StaffPanelFrame.h"

#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {

ReportWindow::ReportWindow(const WindowContext& context, const QString& caption,
                           std::shared_ptr<void> report, Sheet& sheet, ReportCommands commands,
                           QWidget* parent)
    : QDialog(parent), context_(context), report_(std::move(report)), commands_(std::move(commands))
{
    setWindowTitle(caption);
    view_ = new SheetView(sheet, this);
    view_->setObjectName("reportSheet");
    view_->setReadOnly(true);
    // Every form heads its columns in its first two rows, a group title over the column titles.
    view_->setHeaderRows(2);
    // The workbook keeps the form's mixed sizes; on screen one size reads better.
    view_->setOneFontSize(true);

    const auto button = [this](const QString& text, const char* name, std::function<void()> command) {
        return commandButton(this, text, name, std::move(command));
    };
    export_ = button(commands_.exportCaption, "exportWorkbook", [this] { exportWorkbook(); });
    print_ = button(QStringLiteral("打印"), "print", [this] { print(); });
    submit_ = button(commands_.submitCaption, "submit", [this] { submit(); });
    auto* closeButton = button(QStringLiteral("关闭"), "close", [this] { reject(); });

    progress_ = workProgressBar(this);
    header_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttonRow({export_, print_, submit_, closeButton}));
    layout->addWidget(progress_);
    resize(1000, 720);
    fitOnShow(this, view_, FitHeight::UsedRows);
}

void ReportWindow::exportWorkbook()
{
    progress_->setValue(0);
    const QString message = commands_.exportWorkbook([this](int p) { progress_->setValue(p); });
    if (message.isEmpty())
        return;
    prompt().info(this, message);
    openInShell(this, commands_.workbookFolder());
    progress_->setValue(100);
    progress_->setValue(0);
}

void ReportWindow::print()
{
    const QString path = commands_.workbookPath();
    if (!QFileInfo::exists(path)) {
        prompt().info(this, QStringLiteral("必须导成EXCEL才支持打印。"));
        return;
    }
    openInShell(this, path);
}

void ReportWindow::submit()
{
    const QString message = commands_.submit();
    prompt().info(this, message);
    openInShell(this, commands_.submissionFolder());
    accept();
}

void ReportWindow::done(int result)
{
    context_.setProgress(0);
    QDialog::done(result);
}

}  // namespace vel::gui
