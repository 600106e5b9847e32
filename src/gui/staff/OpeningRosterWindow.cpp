#include "OpeningRosterWindow.h"

#include "ErrorCorrectionWindow.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "ShellOpen.h"
#include "grid/SheetView.h"
#include "help/HelpDocuments.h"
#include "help/HelpWindow.h"
#include "staff/PersonWindow.h"
#include "staff/RosterStore.h"
#include "staff/RosterSubmission.h"
#include "staff/StaffPanelFrame.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheetPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vel::gui {

OpeningRosterWindow::OpeningRosterWindow(const WindowContext& context, OpeningRosterMode mode,
                                         QWidget* parent)
    : StaffSheetWindow(context, StaffTemplate::OpeningRoster, parent), firstMode_(mode)
{
    Session& session = context_.session;
    setWindowTitle(QStringLiteral("人员情况期初录入"));
    const auto button = [this](const QString& caption, const char* name, std::function<void()> command) {
        return makeButton(caption, name, std::move(command));
    };
    readHelp_ = button(QStringLiteral("阅读填写说明"), "readHelp",
                       [this] {
                           HelpWindow::open(this, help::FillingInstructions,
                                            help::staffAnswersAnchor().value_or(QString()));
                       });
    errorsOnly_ = button(QStringLiteral("仅显示错误"), "errorsOnly", [this] { showErrorsOnly(); });
    save_ = button(QStringLiteral("生成代码/审核/保存"), "save", [this] { save(); });
    duplicates_ = button(QStringLiteral("姓名编号查重"), "checkDuplicates", [this] { checkDuplicates(); });
    fromFile_ = button(QStringLiteral("从文件导入"), "fromFile", [this] {
        const QString path = chooseRosterFile();
        if (!path.isEmpty())
            importFile(path);
    });
    clear_ = button(QStringLiteral("清空"), "clear", [this] { clear(); });
    close_ = button(QStringLiteral("关闭"), "close", [this] { reject(); });
    submit_ = button(QStringLiteral("过录表上报"), "submitRoster", [this] { submitRoster(); });

    count_ = new QLabel(this);
    count_->setObjectName("statusCount");
    auto* note = new QLabel(
        QStringLiteral("  注：信息填写完整方能自动生成代码；保存前需审核通过。双击进入输入状态。"),
        this);
    auto* status = new QStatusBar(this);
    status->addWidget(count_, 1);
    status->addWidget(note, 2);

    const QString title = session.unit().isOrgan() ? QStringLiteral("机关单位人员情况表")
                                                      : QStringLiteral("企事业单位人员情况表");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(staffPanelHeader(session, title, this, &title_));
    layout->addWidget(panel_, 1);
    layout->addLayout(
        buttonRow({readHelp_, errorsOnly_, fromFile_, save_, duplicates_, clear_, close_, submit_}));
    layout->addWidget(status);
    resize(1180, 700);

    connect(panel_, &StaffSheetPanel::rowsInserted, this, [this] {
        setStatus(QStringLiteral("有新记录插入，需要保存上表，请按[生成代码/审核/保存]按钮，重新审核保存。"));
    });
    connect(panel_, &StaffSheetPanel::rowsDeleted, this, [this] {
        setStatus(QStringLiteral("有记录被删除，需要保存上表，请按[生成代码/审核/保存]按钮，重新审核保存。"));
    });
    connect(panel_, &StaffSheetPanel::pasted, this, [this] {
        setStatus(QStringLiteral("上表已经更改，需要保存请按[生成代码/审核/保存]按钮，重新审核保存。"));
    });
    runCommand(this, [this] {
        context_.setProgress(0);
        context_.session.codes().load(context_.session.db(), context_.session.postFilter());
        context_.setProgress(50);
        context_.setProgress(0);
    });
}

void OpeningRosterWindow::reload()
{
    Session& session = context_.session;
    panel_->applyLayout();
    panel_->hideEditors();
    const StaffRules rules(session.codes(), session.unit());
    read_.take(session.db());
    quietly([&] {
        const int n = loadRoster(session.db(), 0, RosterFilter::All, panel_->sheet(), true,
                                 [this](int p) { context_.setProgress(p); });
        context_.setProgress(0);
        setCount(n);
        rules.runPass(panel_->sheet(), staffpass::OpeningLoad);
        const StaffPassResult audit = rules.runPass(panel_->sheet(), staffpass::OpeningActivation);
        if (!audit.allRowsOk())
            errorsOnly_->setEnabled(true);
    });
    markSaved();
    panel_->goToCell(1, 1);

    const bool listMode = firstMode_ == OpeningRosterMode::RosterList;
    if (listMode) {
        firstMode_ = OpeningRosterMode::Entry;
        setWindowTitle(QStringLiteral("人员名册"));
        title_->setText(QStringLiteral("企 事 业 单 位 人 员 名 册"));
    }
    setEntryMode(!listMode);
    panel_->fillLists();
}

void OpeningRosterWindow::setEntryMode(bool entry)
{
    for (QPushButton* b : {readHelp_, fromFile_, save_, clear_, close_})
        b->setVisible(entry);
    submit_->setVisible(!entry);
}

void OpeningRosterWindow::importFile(const QString& path)
{
    if (const int n = importRosterFile(path, staffpass::OpeningActivation))
        setStatus(QStringLiteral("共%1条，未保存！").arg(n));
}

void OpeningRosterWindow::setCount(int n)
{
    count_->setText(QStringLiteral(" 共 %1 条").arg(n));
}

void OpeningRosterWindow::setStatus(const QString& text)
{
    count_->setText(text);
}

void OpeningRosterWindow::save()
{
    panel_->goToCell(1, 1);
    errorsOnly_->setEnabled(false);
    panel_->hideEditors();
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
            audit = auditAndReplaceRoster(session.db(), 0, sheet, rules, panel_->staffClass(),
                                          [this](int p) { context_.setProgress(p); });
        });
    });
    markSaved();
    panel_->goToCell(staff::FirstPersonRow, 1);
    setCount(static_cast<int>(audit.rows.size()));
    if (audit.allRowsOk()) {
        prompt().confirm(this, QStringLiteral("[名册清单]保存成功！"));
    } else {
        prompt().confirm(this, QStringLiteral("出现错误，请核实！"));
        errorsOnly_->setEnabled(true);
    }
    context_.notifyRosterStored();
    context_.setProgress(100);
    context_.setProgress(0);
    duplicates_->setEnabled(true);
}

void OpeningRosterWindow::showErrorsOnly()
{
    panel_->goToCell(1, 1);
    panel_->hideEditors();
    if (!hasFailedRows(context_.session.db(), 0)) {
        prompt().confirm(this, QStringLiteral("没有错误信息！"));
        errorsOnly_->setEnabled(false);
        return;
    }
    if (!mayDropEdits())
        return;
    openErrorCorrection(context_, 0, this);
    // Whatever way the correction window closed, show what is stored now.
    reload();
}

void OpeningRosterWindow::checkDuplicates()
{
    if (PersonRoster(context_.session.db(), 0).sameNumbers().empty()) {
        prompt().info(this, QStringLiteral("没有重名重号信息。"));
        return;
    }
    if (!mayDropEdits())
        return;
    PersonWindow window(context_.session, PersonWindowMode::openingDuplicates(), this);
    connect(&window, &PersonWindow::rosterChanged, this, [this] { context_.notifyEntriesChanged(); });
    window.exec();
    reload();
}

void OpeningRosterWindow::clear()
{
    if (!context_.clearOpeningRoster || !context_.clearOpeningRoster())
        return;
    quietly([&] {
        panel_->sheet().clearRange(staff::FirstPersonRow, 1, panel_->sheet().maxRow(),
                                   panel_->sheet().columnCount(), ClearWhat::Everything);
    });
    markSaved();
    setCount(0);
}

void OpeningRosterWindow::submitRoster()
{
    Session& session = context_.session;
    const QString message =
        vel::submitRoster(session.db(), session.folder(), session.unit().CurDepNo);
    prompt().info(this, message);
    openInShell(this, session.folder().folder("RCSB"));
    reject();
}

}  // namespace vel::gui
