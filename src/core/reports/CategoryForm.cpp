#include "CategoryForm.h"

#include "Session.h"
#include "reports/FormDefinition.h"

#include <QDate>

#include <stdexcept>

namespace vel {

CategoryForm::CategoryForm(Session& session, const CategoryFormSetup& setup,
                           const StoredTable& table)
    : session_(session), setup_(setup), table_(table), sheet_(setup.sheet())
{
}

CheckOutcome CategoryForm::compute(const Progress&)
{
    CheckOutcome guard = setup_.guard(session_.db());
    if (!guard.passed)
        return guard;
    CategoryCounts counts = countCategories(session_.db(), setup_.month, selectionsOf(setup_.rows),
                                            columnsOf(setup_.columns));
    const SheetBatch batch(sheet_);
    for (size_t r = 0; r < counts.size(); ++r)
        for (size_t c = 0; c < counts[r].size(); ++c)
            if (counts[r][c])
                sheet_.setText(setup_.firstRow + static_cast<int>(r),
                               setup_.firstValueCol + static_cast<int>(c),
                               QString::number(*counts[r][c]));
    counts_ = std::move(counts);
    return {};
}

void CategoryForm::store()
{
    if (counts_.empty())
        throw std::logic_error("a category form is stored before it was computed");
    const UnitAttributes& unit = session_.unit();
    storeCategoryCounts(session_.db(), table_.name, columnsOf(setup_.columns), counts_,
                        {unit.CurDepNo, QDate::currentDate().toString(Qt::ISODate),
                         setup_.stampsName ? std::optional<QString>(unit.CurDepName)
                                          : std::nullopt});
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
