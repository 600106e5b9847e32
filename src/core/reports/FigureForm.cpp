#include "FigureForm.h"

#include "Session.h"
#include "reports/FormDefinition.h"
#include "reports/ReportTable.h"

#include <stdexcept>

namespace vel {

FigureForm::FigureForm(Session& session, const FigureFormSetup& setup, const StoredTable& table,
                       const FormPeriod& period)
    : session_(session), setup_(setup), table_(table), period_(period), sheet_(setup.sheet(period))
{
}

CheckOutcome FigureForm::compute(const Progress& progress)
{
    figures_ = setup_.compute({session_.db(), session_.unit(), period_}, sheet_, progress);
    return {};
}

ReportRow FigureForm::storedRow() const
{
    if (figures_.empty())
        throw std::logic_error("a figure form is stored before it was computed");
    const UnitAttributes& unit = session_.unit();
    return reportRow(table_.columns, figures_, unit.CurDepNo, unit.CurDepName, setup_.inFen);
}

void FigureForm::store()
{
    storeReportRow(session_.db(), table_.name, storedRow());
}

std::optional<QString> FigureForm::periodLine() const
{
    return setup_.periodLine ? setup_.periodLine(period_) : std::nullopt;
}

}  // namespace vel
