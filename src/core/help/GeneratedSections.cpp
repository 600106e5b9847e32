#include "help/GeneratedSections.h"

#include "help/FormGuide.h"
#include "help/StaffGuide.h"
#include "help/SummaryGuide.h"
#include "reports/AnnualReport.h"
#include "reports/BasicAnnualReport.h"
#include "reports/BasicQuarterlyReport.h"
#include "reports/QuarterlyReport.h"
#include "reports/TalentOpeningSummary.h"
#include "reports/TalentSummary.h"

#include <functional>
#include <map>

namespace vel::help {

namespace {

const std::map<QString, std::function<QString()>>& sections()
{
    const FormPeriod fromOpening{QStringLiteral("年初名册（0 月）")};
    // The document says which month starts the basic quarterly form's period.
    const FormPeriod basicQuarter{QStringLiteral("起始月")};
    const auto wage = [](SummaryForm f) { return wageSummaryForm(f); };
    static const std::map<QString, std::function<QString()>> all = {
        {"staff-answers", staffAnswerTable},
        {"staff-posts", postTable},
        {"i202-1", [=] { return indicatorTable(QuarterlyReport::rules(), fromOpening); }},
        {"i102-1", [=] { return indicatorTable(AnnualReport::rules(), fromOpening); }},
        {"i202-2", [=] { return indicatorTable(BasicQuarterlyReport::rules(), basicQuarter); }},
        {"i102-2", [=] { return indicatorTable(BasicAnnualReport::rules(), fromOpening); }},
        {"i704-rows", [=] { return wageSummaryRows(wage(SummaryForm::Enterprise)); }},
        {"i704-columns", [=] { return wageSummaryColumns(wage(SummaryForm::Enterprise)); }},
        {"i705-rows", [=] { return wageSummaryRows(wage(SummaryForm::Organ)); }},
        {"i705-columns", [=] { return wageSummaryColumns(wage(SummaryForm::Organ)); }},
        {"talent-year-rows", [] { return categoryRows(TalentSummary::rows()); }},
        {"talent-year-columns",
         [] {
             return categoryColumns(TalentSummary::columns(),
                                    int(TalentSummary::rows().size()));
         }},
        {"talent-opening-rows", [] { return categoryRows(TalentOpeningSummary::rows()); }},
        {"talent-opening-columns",
         [] {
             return categoryColumns(TalentOpeningSummary::columns(),
                                    int(TalentOpeningSummary::rows().size()));
         }},
    };
    return all;
}

}  // namespace

std::optional<QString> generatedSection(const QString& key)
{
    const auto it = sections().find(key);
    if (it == sections().end())
        return std::nullopt;
    return it->second();
}

QStringList generatedSectionKeys()
{
    QStringList keys;
    for (const auto& [key, make] : sections())
        keys << key;
    return keys;
}

}  // namespace vel::help
