#include "help/GeneratedSections.h"

#include "help/CheckGuide.h"
#include "help/FormGuide.h"
#include "help/StaffGuide.h"
#include "help/SummaryGuide.h"
#include "reports/Forms.h"

#include <functional>
#include <map>

namespace vel::help {

namespace {

using Sections = std::map<QString, std::function<QString()>>;

// A form's tables, from the rules it is computed with: a figure form's indicators, a summary's
// rows and columns.
void addFormSections(Sections& all, const FormDefinition& form)
{
    const QString key = form.helpKey;
    std::visit(EngineVisitor{[&](const FigureFormSetup& setup) {
                              all[key] = [&setup] {
                                  return indicatorTable(setup.rules, {setup.averagesFrom});
                              };
                          },
                          [&](const CategoryFormSetup& setup) {
                              all[key + "-rows"] = [&setup] { return categoryRows(setup.rows); };
                              all[key + "-columns"] = [&setup] {
                                  return categoryColumns(setup.columns, int(setup.rows.size()));
                              };
                          },
                          [&](const SummarySetup& setup) {
                              const WageSummaryForm& f = wageSummaryForm(setup.form);
                              all[key + "-rows"] = [&f] { return wageSummaryRows(f); };
                              all[key + "-columns"] = [&f] { return wageSummaryColumns(f); };
                          }},
               form.engine);
}

const Sections& sections()
{
    static const Sections all = [] {
        Sections s = {{"staff-answers", staffAnswerTable},
                      {"staff-posts", postTable},
                      {"check-rules", checkRulesGuide}};
        for (const FormDefinition* form : forms())
            addFormSections(s, *form);
        return s;
    }();
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
