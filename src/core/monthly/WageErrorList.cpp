#include "WageErrorList.h"

#include "WorkFolder.h"
#include "db/CodeLists.h"
#include "monthly/WageStore.h"
#include "output/WorkbookWriter.h"
#include "sheet/Sheet.h"

#include <QFileInfo>

#include <algorithm>

namespace vel {
namespace {

constexpr int ListColumns = 2;  // number, name

WorkbookLayout errorListLayout(int lastRow)
{
    WorkbookLayout layout;
    layout.sheetName = QStringLiteral("错误人员基本信息");
    layout.copy.sheetCells = {wage::HeaderRow, 1, lastRow, ListColumns};
    layout.copy.rowOffset = 1;  // the title takes row 1
    layout.copy.generalColumns.clear();
    layout.cell(1, 1, QStringLiteral("未输入名单")).centred();
    layout.merge(1, 1, 1, ListColumns);
    return layout;
}

}  // namespace

QString wageErrorListFolder(const WorkFolder& folder)
{
    return folder.folder("ERROR");
}

QString exportWageErrorList(const WorkFolder& folder, int month, const Sheet& errors,
                            const Progress& progress)
{
    // Every listed row, not only those above the first empty number: a number blanked while
    // correcting must not hide the rows below it.
    const int lastRow = std::max(lastWageRow(errors, wage::ErrorsIdCol), wage::HeaderRow);
    Sheet list(lastRow, ListColumns);
    for (int row = wage::HeaderRow; row <= lastRow; ++row) {
        list.setText(row, 1, trimBlanks(errors.text(row, wage::NumberCol)));
        list.setText(row, 2, trimBlanks(errors.text(row, wage::NameCol)));
    }
    const QString path =
        workbookPath(folder, QStringLiteral("%1月错误名单").arg(month), WorkbookFolder::Errors);
    writeWorkbook(list, errorListLayout(lastRow), path, progress);
    return QStringLiteral("你导出到'%1/'里,文件名为:%2")
        .arg(wageErrorListFolder(folder), QFileInfo(path).fileName());
}

}  // namespace vel
