#include "AverageWage.h"

#include "reports/Rounding.h"

namespace vel {

std::optional<long long> averageWage(long long thousands, long long heads, WithoutHeads rule)
{
    if (thousands == 0)
        return 0;
    if (heads < 1)
        return rule == WithoutHeads::Empty ? std::nullopt : std::optional<long long>(0);
    return roundedQuotient(thousands * 1000, heads);
}

long long perHead(long long amount, long long heads, long long scale)
{
    return heads == 0 ? 0 : roundedQuotient(amount * scale, heads);
}

void averageWages(Figures& figures, const std::vector<AverageWageRule>& rules, WithoutHeads rule)
{
    for (const AverageWageRule& r : rules)
        figures[r.field] = averageWage(figure(figures, r.wage), figure(figures, r.heads), rule);
}

}  // namespace vel
