#include "WageSheetWindow.h"

#include "Session.h"
#include "WindowFit.h"
#include "grid/SheetDocument.h"
#include "grid/SheetView.h"

#include <QLabel>
#include <QPushButton>

namespace vel::gui {
namespace {
// Characters, in the sheet's units: wide enough for "工资性津贴和补贴" on one line.
constexpr int ColumnWidth = 13 * 256;
}

QLabel* sheetTitle(const QString& text, QWidget* parent)
{
    auto* title = new QLabel(text, parent);
    title->setObjectName("title");
    title->setAlignment(Qt::AlignCenter);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    title->setFont(f);
    return title;
}

WageSheetWindow::WageSheetWindow(const WindowContext& context, int month, WageTemplate layout,
                                 QWidget* parent)
    : QDialog(parent),
      context_(context),
      month_(month),
      read_(context.session.db()),
      sheet_(Sheet::DefaultMaxRow, wage::ColumnCount)
{
    applyWageLayout(sheet_, layout);
    {
        const SheetBatch batch(sheet_);
        sheet_.setColumnWidths(1, wage::TotalCol, ColumnWidth);
    }
    view_ = new SheetView(sheet_, this);
    view_->setObjectName("wageSheet");
    view_->setHeaderRows(wage::HeaderRow);
    view_->setComputedColumns({wage::TotalCol});  // totalled on storing
    fitOnShow(this, view_);
}

bool WageSheetWindow::hasUnsavedChanges() const
{
    return view_->document()->isModified();
}

void WageSheetWindow::quietly(const std::function<void()>& change)
{
    view_->document()->quietly(change);
}

void WageSheetWindow::markSaved()
{
    view_->document()->markSaved();
}

bool WageSheetWindow::mayDropEdits()
{
    return view_->document()->mayDropEdits(this);
}

Progress WageSheetWindow::progress() const
{
    return [this](int percent) { context_.setProgress(percent); };
}

void WageSheetWindow::reject()
{
    if (view_->document()->mayClose(this))
        QDialog::reject();
}

}  // namespace vel::gui
