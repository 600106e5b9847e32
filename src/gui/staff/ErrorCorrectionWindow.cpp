#include "ErrorCorrectionWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "staff/RosterStore.h"
#include "staff/StaffPanelFrame.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheetPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vel::gui {
namespace {
const QString NoErrors = QStringLiteral("无错误信息。");
}

ErrorCorrectionWindow::ErrorCorrectionWindow(const WindowContext& context, int month,
                                             QWidget* parent)
    : StaffSheetWindow(context, StaffTemplate::ErrorCorrection, parent), month_(month)
{
    Session& session = context_.session;
    const QString title = session.unit().isOrgan()
                              ? QStringLiteral("机关单位人员情况错误信息表")
                              : QStringLiteral("企事业单位人员情况错误信息表");
    setWindowTitle(title);
    auto* showButton = makeButton(QStringLiteral("显示错误"), "showErrors", [this] { showErrors(); });
    auto* saveButton = makeButton(QStringLiteral("生成代码/审核/保存"), "save", [this] { save(); });
    auto* cancelButton = makeButton(QStringLiteral("取消"), "cancel", [this] { reject(); });

    count_ = new QLabel(this);
    auto* status = new QStatusBar(this);
    status->addWidget(count_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(staffPanelHeader(session, title, this));
    layout->addWidget(panel_, 1);
    layout->addLayout(buttonRow({showButton, saveButton, cancelButton}));
    layout->addWidget(status);
    resize(1100, 640);

    panel_->applyLayout();
    panel_->fillLists();
}

int ErrorCorrectionWindow::loadFailedRows()
{
    panel_->hideEditors();
    context_.setProgress(0);
    int n = 0;
    read_.take(context_.session.db());
    quietly([&] {
        n = loadRoster(context_.session.db(), month_, RosterFilter::Failed, panel_->sheet(), true,
                       [this](int p) { context_.setProgress(p); });
    });
    markSaved();
    context_.setProgress(0);
    count_->setText(QStringLiteral(" 共有 %1 条记录！").arg(n));
    return n;
}

void ErrorCorrectionWindow::reload()
{
    loadFailedRows();
    const StaffRules rules(context_.session.codes(), context_.session.unit());
    quietly([&] { rules.runPass(panel_->sheet(), staffpass::CorrectionActivation); });
}

void ErrorCorrectionWindow::showErrors()
{
    if (!mayDropEdits())
        return;
    if (loadFailedRows() == 0) {
        prompt().info(this, NoErrors);
        accept();
        return;
    }
    const StaffRules rules(context_.session.codes(), context_.session.unit());
    quietly([&] { rules.runPass(panel_->sheet(), staffpass::CorrectionShowErrors); });
}

void ErrorCorrectionWindow::save()
{
    panel_->hideEditors();
    panel_->goToCell(1, 1);
    Sheet& sheet = panel_->sheet();
    if (sheet.text(staff::FirstPersonRow, staff::NameCol).isEmpty()) {
        prompt().info(this, QStringLiteral("第一行没有数据。"));
        return;
    }
    const StaffRules rules(context_.session.codes(), context_.session.unit());
    StaffPassResult audit;
    quietly([&] { audit = rules.runPass(sheet, staffpass::CorrectionSave); });
    Db& db = context_.session.db();
    read_.write(db, [&] {
        updateCorrectedRows(db, month_, sheet, audit, [this](int p) { context_.setProgress(p); });
    });
    markSaved();
    context_.setProgress(0);
    context_.notifyEntriesChanged();
    showErrors();
}

void openErrorCorrection(const WindowContext& context, int month, QWidget* parent)
{
    if (!hasFailedRows(context.session.db(), month)) {
        prompt().info(parent, NoErrors);
        return;
    }
    ErrorCorrectionWindow window(context, month, parent);
    window.exec();
}

}  // namespace vel::gui
