#include "WageErrorWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "ShellOpen.h"
#include "grid/SheetView.h"
#include "monthly/WageErrorList.h"
#include "monthly/WageErrors.h"
#include "staff/StaffPanelFrame.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vel::gui {

WageErrorWindow::WageErrorWindow(const WindowContext& context, int month, QWidget* parent)
    : WageSheetWindow(context, month, WageTemplate::Errors, parent)
{
    const QString caption = QStringLiteral("%1月未输入从业工资错误信息").arg(month);
    setWindowTitle(caption);
    QLabel* title = sheetTitle(caption, this);
    auto* warning = new QLabel(
        QStringLiteral("注意：请务必改正错误工资数据，或者确认核实型错误，否则将产生错误！"), this);
    warning->setStyleSheet("color: red");

    auto* save = makeButton(QStringLiteral("检查/合计/保存"), "save", [this] { this->save(); });
    auto* confirm = makeButton(QStringLiteral("工资审核性错误 [确认]"), "confirm",
                               [this] { confirmBounds(); });
    auto* exportButton =
        makeButton(QStringLiteral("导出名单"), "exportList", [this] { exportList(); });
    auto* cancel = makeButton(QStringLiteral("取消"), "cancel", [this] { reject(); });
    setSheetMenu({{QStringLiteral("删除"), [this] { deleteRow(view()->currentIndex().row() + 1); }},
                  {QStringLiteral("复制"), [this] { view()->copy(); }},
                  {QStringLiteral("粘帖"), [this] { view()->paste(); }},
                  {QStringLiteral("剪贴"), [this] { view()->cut(); }}});

    count_ = new QLabel(this);
    count_->setObjectName("count");
    auto* status = new QStatusBar(this);
    status->addWidget(count_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(warning);
    layout->addWidget(view(), 1);
    layout->addLayout(buttonRow({save, confirm, exportButton, cancel}));
    layout->addWidget(status);
    resize(820, 560);

    runCommand(this, [this] { reload(); });
}

void WageErrorWindow::reload()
{
    Session& session = context_.session;
    int n = 0;
    read_.take(session.db());
    quietly([&] { n = loadWageErrors(session.db(), month_, sheet()); });
    markSaved();
    count_->setText(QStringLiteral("共有%1条记录!").arg(n));
    view()->selectRange(1, 1, 1, 1);
    if (n == 0)
        accept();
}

void WageErrorWindow::save()
{
    Session& session = context_.session;
    const WageCheckResult result = read_.write(
        session.db(), [&] { return saveWageCorrections(session.db(), month_, sheet()); });
    if (result.refused()) {
        prompt().info(this, wageRefusalMessage(result));
        return;
    }
    // A row whose number was emptied keeps what is stored; the clerk is told rather than left
    // to find the old row back.
    WageCheckResult skipped;
    for (const WageRowProblem& p : result.problems)
        if (p.kind == WageProblem::NoNumber)
            skipped.problems.push_back(p);
    for (const QString& message : wageStoreMessages(skipped))
        prompt().info(this, message);
    reload();
}

void WageErrorWindow::confirmBounds()
{
    if (!mayDropEdits())
        return;
    const CheckOutcome checks = wageConfirmChecks(context_.session.db(), month_);
    for (const QString& message : checks.messages)
        prompt().info(this, message);
    if (!checks.passed || (!checks.question.isEmpty() && !prompt().ask(this, checks.question)))
        return;
    read_.write(context_.session.db(), [&] { confirmBoundsErrors(context_.session.db(), month_); });
    reload();
    prompt().info(this, QStringLiteral("工资审核性错误确认成功！"));
}

void WageErrorWindow::deleteRow(int row)
{
    bool ok = false;
    const long long id = sheet().text(row, wage::ErrorsIdCol).trimmed().toLongLong(&ok);
    if (row < wage::FirstPersonRow || !ok || !mayDropEdits())
        return;
    Db& db = context_.session.db();
    read_.write(db, [&] { deleteWageRow(db, month_, id); });
    reload();
}

void WageErrorWindow::exportList()
{
    const WorkFolder& folder = context_.session.folder();
    QString message;
    try {
        message = exportWageErrorList(folder, month_, sheet(), progress());
    } catch (...) {
        context_.setProgress(0);
        throw;
    }
    prompt().info(this, message);
    openInShell(this, wageErrorListFolder(folder));
    context_.setProgress(100);
    context_.setProgress(0);
}

}  // namespace vel::gui
