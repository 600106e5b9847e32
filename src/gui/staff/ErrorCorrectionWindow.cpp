#include "ErrorCorrectionWindow.h"

#include "FindReplaceWindow.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "grid/SheetView.h"
#include "staff/RosterStore.h"
#include "staff/StaffPanelFrame.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheetPanel.h"

#include <QHBoxLayout>
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
    : QDialog(parent), context_(context), month_(month)
{
    Session& session = context_.session;
    const QString title = session.unit().EnterpriseFlag == 1
                              ? QStringLiteral("企事业单位人员情况错误信息表")
                              : QStringLiteral("机关单位人员情况错误信息表");
    setWindowTitle(title);
    panel_ = new StaffSheetPanel(session, StaffTemplate::ErrorCorrection, this);

    auto* showButton = new QPushButton(QStringLiteral("显示错误"), this);
    showButton->setObjectName("showErrors");
    auto* saveButton = new QPushButton(QStringLiteral("生成代码/审核/保存"), this);
    saveButton->setObjectName("save");
    auto* cancelButton = new QPushButton(QStringLiteral("取消"), this);
    cancelButton->setObjectName("cancel");
    connect(showButton, &QPushButton::clicked, this,
            [this] { runCommand(this, [this] { showErrors(); }); });
    connect(saveButton, &QPushButton::clicked, this, [this] { runCommand(this, [this] { save(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        panel_->hideEditors();
        accept();
    });
    connect(panel_, &StaffSheetPanel::findReplaceRequested, this, [this] {
        const SheetView* v = panel_->view();
        openFindReplace(this, panel_->sheet(), v->selStartRow(), v->selStartCol(),
                        context_.session.codes(), [this] { runCommand(this, [this] { save(); }); });
    });

    count_ = new QLabel(this);
    auto* status = new QStatusBar(this);
    status->addWidget(count_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(staffPanelHeader(session, title, this));
    layout->addWidget(panel_, 1);
    layout->addLayout(buttonRow({showButton, saveButton, cancelButton}));
    layout->addWidget(status);
    resize(1100, 640);

    panel_->fillLists();
}

int ErrorCorrectionWindow::loadFailedRows()
{
    panel_->hideEditors();
    context_.setProgress(0);
    const int n = loadRoster(context_.session.db(), month_, RosterFilter::Failed, panel_->sheet(),
                             true, [this](int p) { context_.setProgress(p); });
    context_.setProgress(0);
    count_->setText(QStringLiteral(" 共有 %1 条记录！").arg(n));
    return n;
}

bool ErrorCorrectionWindow::showErrors()
{
    if (loadFailedRows() == 0) {
        prompt().info(this, NoErrors);
        accept();
        return false;
    }
    const StaffRules rules(context_.session.codes(), context_.session.unit());
    SheetBatch batch(panel_->sheet());
    rules.runPass(panel_->sheet(), staffpass::CorrectionShowErrors);
    return true;
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
    {
        SheetBatch batch(sheet);
        audit = rules.runPass(sheet, staffpass::CorrectionSave);
    }
    updateCorrectedRows(context_.session.db(), month_, sheet, audit,
                        [this](int p) { context_.setProgress(p); });
    context_.setProgress(0);
    context_.notifyEntriesChanged();
    showErrors();
}

bool ErrorCorrectionWindow::start()
{
    if (loadFailedRows() == 0) {
        prompt().info(parentWidget(), NoErrors);
        return false;
    }
    // The first look patterns a missing name number, unlike the later passes.
    const StaffRules rules(context_.session.codes(), context_.session.unit());
    SheetBatch batch(panel_->sheet());
    rules.runPass(panel_->sheet(), staffpass::CorrectionActivation);
    return true;
}

void openErrorCorrection(const WindowContext& context, int month, QWidget* parent)
{
    ErrorCorrectionWindow window(context, month, parent);
    if (window.start())
        window.exec();
}

}  // namespace vel::gui
