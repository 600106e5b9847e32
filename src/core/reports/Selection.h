#pragma once

#include <string>
#include <vector>

namespace vel {

// Post codes of a government organ that follow its lowest rank (LookLeader): the unit heads are
// that rank and the next, the office staff the three ranks below them and the ordinary workers.
enum class LeaderRule { None, Heads, Office };

// The staff rows a figure takes, by the code of one staff column: the listed codes and every code
// whose decimal text begins with one of `leadingDigits` ("sPost like '2%'"). Without a column it
// takes every row. A row whose code is empty is never taken, as in a query's condition.
struct Selection {
    std::string column;
    std::vector<long long> codes;
    std::string leadingDigits;
    LeaderRule leader = LeaderRule::None;

    bool takesEveryRow() const { return column.empty(); }
    bool matches(long long code) const;
    // The codes a leader rule stands for, given the organ's lowest rank; other selections stay.
    Selection forLeader(int leaderPost) const;
};

Selection everyone();
Selection codesOf(const std::string& column, std::vector<long long> codes);
// Posts of whole classes (the first digit) and single posts besides.
Selection postClasses(const std::string& digits, std::vector<long long> posts = {});
Selection leaderPosts(LeaderRule rule);

}  // namespace vel
