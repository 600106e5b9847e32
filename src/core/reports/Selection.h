#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vel {

// Post codes of a government organ that follow its lowest rank (LookLeader): the unit heads are
// that rank and the next, the office staff the three ranks below them and the ordinary workers.
enum class LeaderRule { None, Heads, Office };

using RowCodes = std::vector<std::optional<long long>>;

// The staff rows a figure takes, by the code of one staff column: the listed codes, every code
// whose decimal text begins with one of `leadingDigits` ("sPost like '2%'") and every code from
// `lowest` to `highest`. Without a column it takes every row. A row whose code is empty is never
// taken, as in a query's condition. Selections over several columns join others: a row is taken
// when all of `allOf` take it, or when any of `anyOf` does.
struct Selection {
    std::string column;
    std::vector<long long> codes;
    std::string leadingDigits;
    std::optional<long long> lowest;
    std::optional<long long> highest;
    LeaderRule leader = LeaderRule::None;
    std::vector<Selection> allOf;
    std::vector<Selection> anyOf;

    bool joinsOthers() const { return !allOf.empty() || !anyOf.empty(); }
    bool takesEveryRow() const { return column.empty() && !joinsOthers(); }
    // The code test of a one-column selection.
    bool matches(long long code) const;
    // Any selection, on a row's codes in `columns` (which must hold every column it tests).
    bool matchesRow(const std::vector<std::string>& columns, const RowCodes& codes) const;
    // The columns it tests, each once, added to `into`.
    void addColumns(std::vector<std::string>& into) const;
    // The codes a leader rule stands for, given the organ's lowest rank; other selections stay.
    Selection forLeader(int leaderPost) const;
};

Selection everyone();
Selection codesOf(const std::string& column, std::vector<long long> codes);
// Posts of whole classes (the first digit) and single posts besides.
Selection postClasses(const std::string& digits, std::vector<long long> posts = {});
Selection leaderPosts(LeaderRule rule);
Selection allOf(std::vector<Selection> parts);
Selection anyOf(std::vector<Selection> parts);

// The birth column read as a code: birthMonthNumber of its text; a text that is no month falls
// in no age band.
inline const std::string BirthColumn = "sBirth";
// Persons born in the months from `earliest` to `latest` (birthMonthNumber), either end open.
Selection bornBetween(std::optional<int> earliest, std::optional<int> latest);

}  // namespace vel
