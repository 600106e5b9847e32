#include "StaffSheetWindow.h"

#include "CommandWidgets.h"
#include "FindReplaceWindow.h"
#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "WindowFit.h"
#include "grid/SheetModel.h"
#include "grid/SheetView.h"
#include "staff/StaffSheetPanel.h"

#include <QPushButton>

namespace vel::gui {

StaffSheetWindow::StaffSheetWindow(const WindowContext& context, StaffTemplate layout,
                                   QWidget* parent)
    : QDialog(parent), context_(context)
{
    panel_ = new StaffSheetPanel(context_.session, layout, this);
    connect(panel_, &StaffSheetPanel::findReplaceRequested, this, [this] {
        const SheetView* v = panel_->view();
        openFindReplace(this, panel_->sheet(), v->selStartRow(), v->selStartCol(),
                        context_.session.codes(), [this] { runCommand(this, [this] { save(); }); });
    });
    fitOnShow(this, panel_->view());
    connect(panel_->view()->sheetModel(), &QAbstractItemModel::dataChanged, this, [this] {
        if (!busy_)
            dirty_ = true;
    });
}

void StaffSheetWindow::quietly(const std::function<void()>& change)
{
    busy_ = true;
    try {
        SheetBatch batch(panel_->sheet());
        change();
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
}

bool StaffSheetWindow::mayDropEdits()
{
    return !dirty_ ||
           prompt().ask(this, QStringLiteral("上表的更改尚未保存，继续将放弃这些更改。是否继续？"));
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
    if (dirty_ &&
        !prompt().ask(this, QStringLiteral("上表的更改尚未保存，关闭将放弃这些更改。是否关闭？")))
        return;
    QDialog::reject();
}

}  // namespace vel::gui
