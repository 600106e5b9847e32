#include "Selection.h"

#include <algorithm>
#include <stdexcept>

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
    if ((lowest || highest) && (!lowest || code >= *lowest) && (!highest || code <= *highest))
        return true;
    if (leadingDigits.empty())
        return false;
    const char first = std::to_string(code).front();
    return leadingDigits.find(first) != std::string::npos;
}

bool Selection::matchesRow(const std::vector<std::string>& columns, const RowCodes& rowCodes) const
{
    if (!allOf.empty())
        return std::all_of(allOf.begin(), allOf.end(),
                           [&](const Selection& s) { return s.matchesRow(columns, rowCodes); });
    if (!anyOf.empty())
        return std::any_of(anyOf.begin(), anyOf.end(),
                           [&](const Selection& s) { return s.matchesRow(columns, rowCodes); });
    if (column.empty())
        return true;
    const auto at = std::find(columns.begin(), columns.end(), column);
    if (at == columns.end())
        throw std::logic_error("a selection tests a column that was not read: " + column);
    const std::optional<long long>& code = rowCodes[at - columns.begin()];
    return code && matches(*code);
}

void Selection::addColumns(std::vector<std::string>& into) const
{
    if (!column.empty() && std::find(into.begin(), into.end(), column) == into.end())
        into.push_back(column);
    for (const auto* parts : {&allOf, &anyOf})
        for (const Selection& s : *parts)
            s.addColumns(into);
}

Selection Selection::forLeader(int leaderPost) const
{
    if (joinsOthers()) {
        Selection s = *this;
        for (auto* parts : {&s.allOf, &s.anyOf})
            for (Selection& part : *parts)
                part = part.forLeader(leaderPost);
        return s;
    }
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
        if (l < LowestRankWithRule) {
            // Counting down from the lowest rank passes the ordinary workers into "其他人员",
            // who are counted with the technical operators: never both.
            for (long long code = l + 2; code <= l + 4 && code < OrdinaryWorker; ++code)
                s.codes.push_back(code);
            s.codes.push_back(OrdinaryWorker);
        }
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

Selection allOf(std::vector<Selection> parts)
{
    Selection s;
    s.allOf = std::move(parts);
    return s;
}

Selection anyOf(std::vector<Selection> parts)
{
    Selection s;
    s.anyOf = std::move(parts);
    return s;
}

Selection bornBetween(std::optional<int> earliest, std::optional<int> latest)
{
    Selection s = codesOf(BirthColumn, {});
    s.lowest = earliest.value_or(0);
    if (latest)
        s.highest = *latest;
    return s;
}

}  // namespace vel
