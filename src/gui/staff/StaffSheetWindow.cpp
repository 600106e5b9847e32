#include "StaffSheetWindow.h"

#include "CommandWidgets.h"
#include "FileChooser.h"
#include "FindReplaceWindow.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowFit.h"
#include "grid/SheetDocument.h"
#include "grid/SheetView.h"
#include "io/ColumnMatchDialog.h"
#include "staff/RosterFile.h"
#include "staff/StaffSheetPanel.h"

#include <QPushButton>

namespace vel::gui {

StaffSheetWindow::StaffSheetWindow(const WindowContext& context, StaffTemplate layout,
                                   QWidget* parent)
    : QDialog(parent), context_(context), read_(context.session.db())
{
    panel_ = new StaffSheetPanel(context_.session, layout, this);
    connect(panel_, &StaffSheetPanel::findReplaceRequested, this, [this] {
        openFindReplace(this, *panel_->view(), context_.session.codes(),
                        [this] { runCommand(this, [this] { save(); }); });
    });
    fitOnShow(this, panel_->view());
}

bool StaffSheetWindow::hasUnsavedChanges() const
{
    return panel_->view()->document()->isModified();
}

void StaffSheetWindow::quietly(const std::function<void()>& change)
{
    panel_->view()->document()->quietly([&] {
        const SheetBatch batch(panel_->sheet());
        change();
    });
}

void StaffSheetWindow::markSaved()
{
    panel_->view()->document()->markSaved();
}

void StaffSheetWindow::markEdited()
{
    panel_->view()->document()->markEdited();
}

bool StaffSheetWindow::mayDropEdits()
{
    return panel_->view()->document()->mayDropEdits(this);
}

QString StaffSheetWindow::chooseRosterFile()
{
    return chooseFiles().openFile(this, QStringLiteral("从文件导入"), QString(),
                                  importFileFilter(QStringLiteral("名册文件")));
}

int StaffSheetWindow::importRosterFile(const QString& path, const StaffPass& pass)
{
    Sheet& sheet = panel_->sheet();
    if (!sheet.text(staff::FirstPersonRow, staff::NameCol).isEmpty() &&
        !prompt().ask(this, QStringLiteral("导入名单将覆盖上面显示名单，是否继续？")))
        return 0;
    panel_->hideEditors();
    Session& session = context_.session;
    const StaffRules rules(session.codes(), session.unit());
    std::optional<MatchedFile> matched =
        matchFileColumns(this, session.db(), rosterImportLayout(), path);
    if (!matched)
        return 0;
    int n = 0;
    quietly([&] {
        const RosterFile file = rosterFileOf(std::move(*matched));
        placeRosterFile(file, sheet, panel_->staffClass());
        n = static_cast<int>(file.rows.size());
        rules.runPass(sheet, pass);
    });
    markEdited();
    panel_->goToCell(staff::FirstPersonRow, 1);
    prompt().info(this, QStringLiteral("导入成功，共计%1人.").arg(n));
    return n;
}

void StaffSheetWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    runCommand(this, [this] { reload(); });
}

void StaffSheetWindow::reject()
{
    panel_->hideEditors();
    if (panel_->view()->document()->mayClose(this))
        QDialog::reject();
}

}  // namespace vel::gui
