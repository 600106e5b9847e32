#include "LaborForms.h"

#include "reports/AverageWage.h"

namespace vel {

Selection laborManagers()
{
    return anyOf({codesOf("sPost", {21, 22, 23, 41}),
                  allOf({codesOf("sPost", {42}), codesOf("sPostGrade", {31, 32, 33, 34})})});
}

void addUpSums(Figures& figures, const std::vector<SumRule>& rules)
{
    for (const SumRule& r : rules) {
        long long sum = 0;
        for (const char* part : r.parts)
            sum += figure(figures, part);
        figures[r.field] = sum;
    }
}

void perHeads(Figures& figures, const std::vector<PerHeadRule>& rules, long long scale)
{
    for (const PerHeadRule& r : rules)
        figures[r.field] = perHead(figure(figures, r.amount), figure(figures, r.heads), scale);
}

std::vector<const char*> zeroUnreported(Figures& figures,
                                        const std::vector<ClassZeros>& zeros,
                                        const QString& unitClass,
                                        bool organ)
{
    std::vector<const char*> out;
    for (const ClassZeros& z : zeros)
        if (z.classes.contains(unitClass.trimmed()) || (organ && z.organ))
            for (const char* f : z.fields) {
                figures[f] = 0;
                out.push_back(f);
            }
    return out;
}

}  // namespace vel
