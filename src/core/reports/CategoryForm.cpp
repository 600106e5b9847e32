#include "CategoryForm.h"

#include "Session.h"
#include "output/DbfWriter.h"
#include "output/WorkbookWriter.h"

#include <QDate>
#include <QFileInfo>

#include <stdexcept>

namespace vel {

CategoryForm::CategoryForm(Session& session, const Definition& definition, Sheet sheet)
    : session_(session), definition_(definition), sheet_(std::move(sheet))
{
}

void CategoryForm::compute()
{
    CategoryCounts counts =
        countCategories(session_.db(), definition_.month, definition_.rows, definition_.columns);
    const SheetBatch batch(sheet_);
    for (size_t r = 0; r < counts.size(); ++r)
        for (size_t c = 0; c < counts[r].size(); ++c)
            if (counts[r][c])
                sheet_.setText(definition_.firstRow + static_cast<int>(r),
                               definition_.firstValueCol + static_cast<int>(c),
                               QString::number(*counts[r][c]));
    counts_ = std::move(counts);
}

void CategoryForm::store()
{
    if (counts_.empty())
        throw std::logic_error("a category form is stored before it was computed");
    const UnitAttributes& unit = session_.unit();
    storeCategoryCounts(session_.db(), definition_.table, definition_.columns, counts_,
                        {unit.CurDepNo, QDate::currentDate().toString(Qt::ISODate),
                         definition_.stampsName ? std::optional<QString>(unit.CurDepName)
                                                : std::nullopt});
}

QString CategoryForm::workbookPath() const
{
    return vel::workbookPath(session_.folder(), definition_.workbookName);
}

QString CategoryForm::workbookFolder() const
{
    return QFileInfo(workbookPath()).path();
}

QString CategoryForm::exportWorkbook(const Progress& progress) const
{
    const QString path = workbookPath();
    writeWorkbook(sheet_, workbookLayout(), path, progress);
    const QFileInfo file(path);
    return QStringLiteral("你导出到'%1/'里,文件名为:%2").arg(file.path(), file.fileName());
}

QString CategoryForm::submissionFolder() const
{
    return session_.folder().folder("RCSB");
}

QString CategoryForm::savedMessage(const QString& folder, const QString& names)
{
    return QStringLiteral("你保存在'%1/'里,%2").arg(folder, names);
}

std::vector<Selection> selectionsOf(const std::vector<Category>& categories)
{
    std::vector<Selection> out;
    for (const Category& c : categories)
        out.push_back(c.who);
    return out;
}

std::vector<CategoryColumn> columnsOf(const std::vector<HeadedColumn>& columns)
{
    std::vector<CategoryColumn> out;
    for (const HeadedColumn& c : columns)
        out.push_back(c.column);
    return out;
}

}  // namespace vel
