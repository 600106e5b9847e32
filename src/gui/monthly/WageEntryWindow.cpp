#include "WageEntryWindow.h"

#include "FileChooser.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "grid/SheetView.h"
#include "io/ColumnMatchDialog.h"
#include "monthly/WageCarry.h"
#include "monthly/WageDuplicatesWindow.h"
#include "monthly/WageErrorWindow.h"
#include "monthly/WageErrors.h"
#include "monthly/WageStore.h"
#include "staff/StaffPanelFrame.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vel::gui {

WageEntryWindow::WageEntryWindow(const WindowContext& context, int month, QWidget* parent)
    : WageSheetWindow(context, month, WageTemplate::Entry, parent)
{
    const QString caption = QStringLiteral("%1月份工资输入").arg(month);
    setWindowTitle(caption);
    QLabel* title = sheetTitle(caption, this);

    edit_ = makeButton(QStringLiteral("编辑"), "edit", [this] { toggleEdit(); });
    auto* verify = makeButton(QStringLiteral("核实名册"), "verifyRoster",
                              [this] { emit rosterRequested(); });
    import_ = makeButton(QStringLiteral("导入本月名册"), "importRoster",
                         [this] { importRoster(); });
    fromFile_ = makeButton(QStringLiteral("从文件导入"), "fromFile", [this] {
        const QString path = chooseFiles().openFile(this, QStringLiteral("从文件导入"), QString(),
                                                    importFileFilter(QStringLiteral("工资文件")));
        if (!path.isEmpty())
            importFile(path);
    });
    carry_ = makeButton(QStringLiteral("导入上一月"), "carryPrevious", [this] { carryPrevious(); });
    carry_->setVisible(month >= 2);
    store_ = makeButton(QStringLiteral("检查/合计/存储"), "store", [this] { store(); });
    auto* errors = makeButton(QStringLiteral("显示错误"), "showErrors", [this] { showErrors(); });
    duplicates_ = makeButton(QStringLiteral("姓名编号查重"), "duplicates",
                             [this] { checkDuplicates(); });
    auto* close = makeButton(QStringLiteral("关   闭"), "close", [this] { reject(); });

    setSheetMenu({{QStringLiteral("插入"), [this] { view()->insertSelectedRows(); }},
                  {QStringLiteral("整条删除"), [this] { view()->deleteSelectedRows(); }},
                  {QStringLiteral("复制"), [this] { view()->copy(); }},
                  {QStringLiteral("粘贴"), [this] { view()->paste(); }},
                  {QStringLiteral("剪切"), [this] { view()->cut(); }}});

    count_ = new QLabel(this);
    count_->setObjectName("count");
    auto* status = new QStatusBar(this);
    status->addWidget(count_, 1);
    const QString hint =
        QStringLiteral("提示：'姓名编号'、'姓名'出现红色表明库中无此人，'合计'红色表明超出限额。");
    status->addWidget(new QLabel(hint, this), 4);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(view(), 1);
    layout->addLayout(buttonRow({edit_, verify, import_, fromFile_, carry_, store_, errors, duplicates_, close}));
    layout->addWidget(status);
    resize(900, 640);

    runCommand(this, [this] { reload(); });
}

bool WageEntryWindow::editing() const
{
    return store_->isEnabled();
}

void WageEntryWindow::setEditing(bool editing)
{
    edit_->setText(editing ? QStringLiteral("取消") : QStringLiteral("编辑"));
    import_->setEnabled(editing);
    fromFile_->setEnabled(editing);
    carry_->setEnabled(editing);
    store_->setEnabled(editing);
    view()->setReadOnly(!editing);
}

void WageEntryWindow::setCount(int n)
{
    count_->setText(QStringLiteral("共%1条").arg(n));
}

void WageEntryWindow::reload()
{
    setEditing(false);
    Session& session = context_.session;
    std::optional<int> n;
    read_.take(session.db());
    quietly([&] { n = openWageSheet(session.db(), session.lastWageMonth(), month_, sheet()); });
    markSaved();
    setCount(n.value_or(0));
    view()->selectRange(1, 1, 1, 1);
}

void WageEntryWindow::toggleEdit()
{
    setEditing(!editing());
}

void WageEntryWindow::importRoster()
{
    // Anything in the sheet, not only its first row, would be overwritten.
    if (lastWageRow(sheet()) >= wage::FirstPersonRow &&
        !prompt().ask(this, QStringLiteral("导入名单将覆盖上面显示名单，是否继续？")))
        return;
    const int n = loadMonthRoster(context_.session.db(), month_, sheet());
    prompt().info(this, QStringLiteral("导入成功，共计%1人.").arg(n));
    setCount(n);
}

void WageEntryWindow::importFile(const QString& path)
{
    if (lastWageRow(sheet()) >= wage::FirstPersonRow &&
        !prompt().ask(this, QStringLiteral("导入文件将覆盖上面显示的工资，是否继续？")))
        return;
    const std::optional<MatchedFile> file =
        matchFileColumns(this, context_.session.db(), wageImportLayout(), path,
                         [](const QStringList& cells) { return wageTotalText(cells.mid(2, 4)); });
    if (!file)
        return;
    // Unsaved on purpose: the clerk looks the wages over before "检查/合计/存储".
    placeWageRows(file->matched.rows, sheet());
    const int n = lastWageRow(sheet()) - wage::FirstPersonRow + 1;
    setCount(n);
    view()->selectRange(wage::FirstPersonRow, 1, wage::FirstPersonRow, 1);
    prompt().info(this, QStringLiteral("导入成功，共计%1人.").arg(n));
}

void WageEntryWindow::carryPrevious()
{
    Db& db = context_.session.db();
    const QString refusal = wageCarryRefusal(db, month_);
    if (!refusal.isEmpty()) {
        prompt().info(this, refusal);
        return;
    }
    if (lastWageRow(sheet()) >= wage::FirstPersonRow &&
        !prompt().ask(this, QStringLiteral("导入上一月工资将覆盖上面显示的工资，是否继续？")))
        return;
    // Unsaved on purpose: the clerk edits what changed and stores as usual.
    const WageCarryResult result = carryWages(db, month_, sheet());
    setCount(result.persons());
    prompt().info(this, wageCarryMessage(result));
}

void WageEntryWindow::store()
{
    Session& session = context_.session;
    context_.setProgress(2);
    duplicates_->setEnabled(true);
    WageCheckResult result;
    try {
        result = read_.write(session.db(),
                             [&] { return storeWages(session.db(), month_, sheet(), progress()); });
    } catch (...) {
        context_.setProgress(0);
        throw;
    }
    for (const QString& message : wageStoreMessages(result))
        prompt().info(this, message);
    if (result.refused()) {
        // Nothing was stored: the clerk goes on editing at the red cells.
        context_.setProgress(0);
        return;
    }
    // Rows left out of the store stay unsaved, so that closing asks before they are lost.
    if (result.storedEveryRow())
        markSaved();
    setEditing(false);
    setCount(result.writtenRows);
    context_.notifyWagesStored();
    prompt().info(this, wageSavedMessage(month_, result.people));
    context_.setProgress(100);
    context_.setProgress(0);
}

void WageEntryWindow::showErrors()
{
    if (!hasWageErrors(context_.session.db(), month_)) {
        prompt().info(this, QStringLiteral("没有错误信息！"));
        return;
    }
    if (!mayDropEdits())
        return;
    {
        WageErrorWindow window(context_, month_, this);
        window.exec();
    }
    reload();
}

void WageEntryWindow::checkDuplicates()
{
    if (!hasDuplicatePersons(context_.session.db(), month_)) {
        duplicates_->setEnabled(false);
        prompt().info(this, QStringLiteral("没有同时重名重编号信息。"));
        return;
    }
    if (!mayDropEdits())
        return;
    bool modified = false;
    {
        WageDuplicatesWindow window(context_, month_, this);
        window.exec();
        modified = window.modified();
    }
    reload();
    // The edited rows get their flags again from the month stored whole.
    if (modified)
        store();
}

void openWageEntry(const WindowContext& context, int month, QWidget* parent,
                   const std::function<void(WageEntryWindow&)>& connectWindow)
{
    WageEntryWindow window(context, month, parent);
    if (connectWindow)
        connectWindow(window);
    window.exec();
}

}  // namespace vel::gui
