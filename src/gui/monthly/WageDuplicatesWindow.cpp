#include "WageDuplicatesWindow.h"

#include "Guarded.h"
#include "Prompter.h"
#include "Session.h"
#include "grid/SheetView.h"
#include "monthly/WageErrors.h"
#include "staff/StaffPanelFrame.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::gui {

WageDuplicatesWindow::WageDuplicatesWindow(const WindowContext& context, int month,
                                           QWidget* parent)
    : WageSheetWindow(context, month, WageTemplate::Duplicates, parent)
{
    setWindowTitle(QStringLiteral("工资发放重名检测"));
    QLabel* title = sheetTitle(QStringLiteral("%1月重名重编号名单").arg(month), this);

    auto* save = makeButton(QStringLiteral("修改"), "modify", [this] { saveEdits(); });
    auto* close = makeButton(QStringLiteral("关闭"), "close", [this] { reject(); });
    setSheetMenu({{QStringLiteral("删除"), [this] { deleteSelected(); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(view(), 1);
    layout->addLayout(buttonRow({save, close}));
    resize(820, 480);

    runCommand(this, [this] {
        int n = 0;
        read_.take(context_.session.db());
        quietly([&] { n = loadDuplicateWages(context_.session.db(), month_, sheet()); });
        if (n == 0)
            prompt().info(this, QStringLiteral("没有错误信息。"));
    });
}

void WageDuplicatesWindow::saveEdits()
{
    view()->selectRange(wage::FirstPersonRow, 1, wage::FirstPersonRow, 1);
    Db& db = context_.session.db();
    const WageCheckResult result =
        read_.write(db, [&] { return saveDuplicateEdits(db, month_, sheet()); });
    if (result.refused()) {
        prompt().info(this, wageRefusalMessage(result));
        return;
    }
    markSaved();
    modified_ = true;
    prompt().info(this, QStringLiteral("修改信息成功。"));
}

void WageDuplicatesWindow::deleteSelected()
{
    const int row = view()->selStartRow();
    bool ok = false;
    const long long id = sheet().text(row, wage::DuplicatesIdCol).trimmed().toLongLong(&ok);
    if (row < wage::FirstPersonRow || !ok)
        return;
    Db& db = context_.session.db();
    read_.write(db, [&] { deleteWageRow(db, month_, id); });
    // Only the row whose record went leaves the sheet; other selected rows are still stored.
    quietly([&] { sheet().deleteRows(row, 1); });
}

}  // namespace vel::gui
