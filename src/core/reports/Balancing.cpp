#include "Balancing.h"

namespace vel {

void balanceParts(long long total, std::vector<long long>& parts)
{
    if (parts.empty())
        return;
    long long d = total;
    for (long long p : parts)
        d -= p;
    if (d == 0)
        return;
    long long givenUp = 0;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (parts[i] + d >= 0) {
            parts[i] += d + givenUp;
            return;
        }
        givenUp += parts[i];
        parts[i] = 0;
    }
    parts.back() = total;
}

void balanceGroups(Figures& figures, const std::vector<BalanceGroup>& groups)
{
    for (const BalanceGroup& g : groups) {
        std::vector<long long> parts;
        for (const char* p : g.parts)
            parts.push_back(figure(figures, p));
        balanceParts(figure(figures, g.total), parts);
        for (size_t i = 0; i < parts.size(); ++i)
            figures[g.parts[i]] = parts[i];
    }
}

}  // namespace vel
