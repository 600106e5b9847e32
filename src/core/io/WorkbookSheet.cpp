#include "WorkbookSheet.h"

#include "Errors.h"

#include <algorithm>

namespace vel {

std::vector<DelimitedLine> sheetLines(std::vector<ShownCell> cells)
{
    const auto before = [](const ShownCell& a, const ShownCell& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    };
    // Workbooks keep their cells in order; a sort is for those that do not.
    if (!std::is_sorted(cells.begin(), cells.end(), before))
        std::stable_sort(cells.begin(), cells.end(), before);
    std::vector<DelimitedLine> lines;
    for (const ShownCell& c : cells) {
        if (c.text.isEmpty())
            continue;
        refuseControlCharacters(c.text, c.row, c.column);
        while (static_cast<int>(lines.size()) < c.row)
            lines.push_back({static_cast<int>(lines.size()) + 1, {}});
        QStringList& row = lines.back().cells;
        if (row.size() >= c.column)  // a cell written twice: the first stands
            continue;
        while (row.size() < c.column - 1)
            row.append(QString());
        row.append(c.text);
    }
    return lines;
}

void checkCellPlace(const QString& path, int row, int column)
{
    if (row > MaxWorkbookRows)
        throw FileError(QStringLiteral("文件 %1 第%2行有内容，名册或工资表最多%3行。"
                                       "请删除多余的行后再导入。")
                            .arg(path)
                            .arg(row)
                            .arg(MaxWorkbookRows));
    if (column > MaxWorkbookColumns)
        throw FileError(QStringLiteral("文件 %1 第%2行第%3列有内容，名册或工资表最多%4列。"
                                       "请删除多余的列后再导入。")
                            .arg(path)
                            .arg(row)
                            .arg(column)
                            .arg(MaxWorkbookColumns));
}

void refuseDamagedWorkbook(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 已损坏，无法读取。").arg(path));
}

void refuseNotWorkbook(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 不是Excel工作簿，无法读取。").arg(path));
}

void refuseProtectedWorkbook(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 设有密码保护，无法读取。请在表格程序中取消密码后再导入。")
                        .arg(path));
}

void refuseLargeWorkbook(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 解压后超过%2 MB，不是可导入的名册或工资表。")
                        .arg(path)
                        .arg(MaxWorkbookPartBytes / (1024 * 1024)));
}

void refuseOldWorkbook(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 是Excel 95或更早的格式，无法读取。"
                                   "请在表格程序中另存为.xlsx后再导入。")
                        .arg(path));
}

void refuseWorkbookWithoutSheet(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 中没有工作表。").arg(path));
}

void refuseFormulaWithoutResult(int row, int column)
{
    refuseCell(row, column,
               QStringLiteral("是公式，文件中没有保存计算结果，请在表格程序中打开并保存后再导入。"));
}

}  // namespace vel
