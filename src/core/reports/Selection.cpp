#include "Selection.h"

#include <algorithm>

namespace vel {

namespace {
// Below this rank the heads are two ranks and the office staff the next three; at it the heads are
// one rank; above it (17 to 19) the form has no rule and the rows take nobody.
constexpr int LowestRankWithRule = 16;
constexpr long long OrdinaryWorker = 18;
}  // namespace

bool Selection::matches(long long code) const
{
    if (std::find(codes.begin(), codes.end(), code) != codes.end())
        return true;
    if (leadingDigits.empty())
        return false;
    const char first = std::to_string(code).front();
    return leadingDigits.find(first) != std::string::npos;
}

Selection Selection::forLeader(int leaderPost) const
{
    if (leader == LeaderRule::None)
        return *this;
    Selection s = codesOf(column, {});
    const long long l = leaderPost;
    if (leader == LeaderRule::Heads) {
        if (l < LowestRankWithRule)
            s.codes = {l, l + 1};
        else if (l == LowestRankWithRule)
            s.codes = {l};
    } else {
        if (l < LowestRankWithRule)
            s.codes = {l + 2, l + 3, l + 4, OrdinaryWorker};
        else if (l == LowestRankWithRule)
            s.codes = {OrdinaryWorker};
    }
    return s;
}

Selection everyone()
{
    return {};
}

Selection codesOf(const std::string& column, std::vector<long long> codes)
{
    Selection s;
    s.column = column;
    s.codes = std::move(codes);
    return s;
}

Selection postClasses(const std::string& digits, std::vector<long long> posts)
{
    Selection s = codesOf("sPost", std::move(posts));
    s.leadingDigits = digits;
    return s;
}

Selection leaderPosts(LeaderRule rule)
{
    Selection s = codesOf("sPost", {});
    s.leader = rule;
    return s;
}

}  // namespace vel
