#include "MonthlyRosterWindow.h"

#include "ErrorCorrectionWindow.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "grid/SheetView.h"
#include "monthly/BatchDeleteWindow.h"
#include "staff/PersonWindow.h"
#include "staff/RosterChangesWindow.h"
#include "staff/RosterStore.h"
#include "staff/StaffPanelFrame.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheetPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vel::gui {

MonthlyRosterWindow::MonthlyRosterWindow(const WindowContext& context, int month,
                                         QWidget* parent)
    : StaffSheetWindow(context, StaffTemplate::MonthlyRoster, parent), month_(month)
{
    Session& session = context_.session;
    const QString title = QStringLiteral("%1月份工资发放人员名单核对").arg(month);
    setWindowTitle(title);
    const auto button = [this](const QString& caption, const char* name, std::function<void()> command) {
        return makeButton(caption, name, std::move(command));
    };
    fromOpening_ = button(QStringLiteral("从期初导入"), "fromOpening", [this] { takeOver(0); });
    fromPrevious_ =
        button(QStringLiteral("从上一月导入"), "fromPrevious", [this] { takeOver(month_ - 1); });
    fromFile_ = button(QStringLiteral("从文件导入"), "fromFile", [this] {
        const QString path = chooseRosterFile();
        if (!path.isEmpty())
            importFile(path);
    });
    save_ = button(QStringLiteral("保存"), "save", [this] { save(); });
    edit_ = button(QStringLiteral("编辑"), "edit", [this] { toggleEdit(); });
    batchDelete_ = button(QStringLiteral("批量核对删除"), "batchDelete", [this] { deleteInBatch(); });
    showErrors_ = button(QStringLiteral("显示错误"), "showErrors", [this] { showErrors(); });
    individual_ = button(QStringLiteral("个别核对"), "individual", [this] { checkIndividually(); });
    auto* duplicates =
        button(QStringLiteral("姓名编号查重"), "duplicates", [this] { checkDuplicates(); });
    auto* changes = button(QStringLiteral("人员变动"), "changes",
                           [this] { openRosterChanges(context_, month_, this); });
    auto* close = button(QStringLiteral("关闭"), "close", [this] { reject(); });
    for (QPushButton* b :
         {fromOpening_, fromPrevious_, fromFile_, save_, batchDelete_, showErrors_, individual_})
        b->setEnabled(false);

    status_ = new QLabel(this);
    status_->setObjectName("status");
    // The greyed buttons say nothing of why: the hint does.
    hint_ = new QLabel(this);
    hint_->setObjectName("hint");
    auto* status = new QStatusBar(this);
    status->addWidget(status_, 1);
    status->addWidget(hint_, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(staffPanelHeader(session, title, this));
    layout->addWidget(panel_, 1);
    layout->addLayout(buttonRow({fromOpening_, fromPrevious_, fromFile_, save_, edit_, batchDelete_,
                                 showErrors_, individual_, duplicates, changes, close}));
    layout->addWidget(status);
    resize(1180, 700);
    showEditHint();

    runCommand(this, [this] {
        context_.setProgress(0);
        context_.session.codes().load(context_.session.db(), context_.session.postFilter());
        context_.setProgress(0);
    });
    panel_->fillLists();
}

bool MonthlyRosterWindow::editing() const
{
    return save_->isEnabled();
}

void MonthlyRosterWindow::reload()
{
    Session& session = context_.session;
    panel_->applyLayout();
    panel_->hideEditors();
    const StaffRules rules(session.codes(), session.unit());
    read_.take(session.db());
    quietly([&] {
        const int n = loadRoster(session.db(), month_, RosterFilter::All, panel_->sheet(), false,
                                 [this](int p) { context_.setProgress(p); });
        context_.setProgress(0);
        status_->setText(QStringLiteral(" 共 %1 条").arg(n));
        rules.runPass(panel_->sheet(), staffpass::MonthlyActivation);
    });
    markSaved();
    panel_->goToCell(1, 1);
}

void MonthlyRosterWindow::toggleEdit()
{
    const bool on = !editing();
    for (QPushButton* b : {fromOpening_, fromFile_, save_, batchDelete_, showErrors_, individual_})
        b->setEnabled(on);
    fromPrevious_->setEnabled(on && month_ != 1);
    edit_->setText(on ? QStringLiteral("取消编辑") : QStringLiteral("编辑"));
    showEditHint();
}

void MonthlyRosterWindow::showEditHint()
{
    hint_->setText(editing() ? QStringLiteral("编辑中：改完后请按[保存]。")
                             : QStringLiteral("请先按[编辑]，才能导入、保存、批量核对删除、"
                                              "显示错误和个别核对。"));
}

void MonthlyRosterWindow::takeOver(int fromMonth)
{
    Sheet& sheet = panel_->sheet();
    const bool asked = !sheet.text(staff::FirstPersonRow, staff::NameCol).isEmpty();
    if (asked &&
        !prompt().ask(this, QStringLiteral("导入名单将覆盖上面显示名单，是否继续？")))
        return;
    panel_->hideEditors();
    int n = 0;
    quietly([&] {
        n = loadRoster(context_.session.db(), fromMonth, RosterFilter::All, sheet, false);
        // Only the answers travel: the records stay with their month.
        sheet.clearRange(staff::FirstPersonRow, staff::IdCol, sheet.maxRow(), staff::IdCol,
                         ClearWhat::Values);
    });
    if (n == 0) {
        prompt().info(this, QStringLiteral("名册内没有数据！"));
        return;
    }
    markEdited();
    prompt().info(this, QStringLiteral("导入成功，共计%1人.").arg(n));
    status_->setText(QStringLiteral("共%1条，未保存！").arg(n));
    if (!asked && fromMonth == 0)
        fromOpening_->setEnabled(false);
}

void MonthlyRosterWindow::importFile(const QString& path)
{
    if (const int n = importRosterFile(path, staffpass::MonthlyActivation))
        status_->setText(QStringLiteral("共%1条，未保存！").arg(n));
}

void MonthlyRosterWindow::save()
{
    panel_->goToCell(1, 1);
    panel_->hideEditors();
    toggleEdit();
    Sheet& sheet = panel_->sheet();
    if (sheet.text(staff::FirstPersonRow, staff::NameCol).isEmpty()) {
        prompt().info(this, QStringLiteral("第一行没有数据。"));
        return;
    }
    Session& session = context_.session;
    const StaffRules rules(session.codes(), session.unit());
    StaffPassResult audit;
    context_.setProgress(0);
    quietly([&] {
        read_.write(session.db(), [&] {
            audit = auditAndReplaceRoster(session.db(), month_, sheet, rules,
                                          panel_->staffClass(),
                                          [this](int p) { context_.setProgress(p); });
        });
    });
    context_.setProgress(0);
    markSaved();
    status_->setText(QStringLiteral(" 共 %1 条").arg(audit.rows.size()));
    if (audit.allRowsOk()) {
        prompt().info(this, QStringLiteral("保存成功！"));
    } else {
        showErrors_->setEnabled(true);
        prompt().confirm(this, QStringLiteral("出现错误，请核实！"));
    }
}

void MonthlyRosterWindow::showErrors()
{
    panel_->goToCell(1, 1);
    panel_->hideEditors();
    if (!hasFailedRows(context_.session.db(), month_)) {
        prompt().confirm(this, QStringLiteral("没有错误信息！"));
        showErrors_->setEnabled(false);
        return;
    }
    if (!mayDropEdits())
        return;
    openErrorCorrection(context_, month_, this);
    reload();
}

void MonthlyRosterWindow::deleteInBatch()
{
    if (!mayDropEdits())
        return;
    openBatchDelete(context_, month_, this);
    reload();
}

void MonthlyRosterWindow::checkIndividually()
{
    if (!mayDropEdits())
        return;
    PersonWindow window(context_.session, PersonWindowMode::monthlyCheck(month_), this);
    window.exec();
    reload();
}

void MonthlyRosterWindow::checkDuplicates()
{
    if (PersonRoster(context_.session.db(), month_).sameNumbers().empty()) {
        prompt().info(this, QStringLiteral("没有重名重号信息。"));
        return;
    }
    if (!mayDropEdits())
        return;
    PersonWindow window(context_.session, PersonWindowMode::monthlyDuplicates(month_), this);
    window.exec();
    reload();
}

}  // namespace vel::gui
