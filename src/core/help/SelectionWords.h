#pragma once

#include "reports/Selection.h"

#include <QString>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vel {
class Db;
}

namespace vel::help {

// The answers of each coded staff column, code and name, as the shipped code tables give them;
// the posts of both unit types together.
class CodeWords {
public:
    using Codes = std::vector<std::pair<long long, QString>>;

    // From a database with the code tables (every new database has the shipped ones).
    explicit CodeWords(Db& db);
    // The shipped code tables, read once.
    static const CodeWords& shipped();

    // The column's answers in code order; empty for a column without a code list.
    const Codes& codes(const std::string& column) const;
    // The column's caption on the staff sheet ("岗位名称"); the column itself when unknown.
    static QString columnName(const std::string& column);

private:
    std::map<std::string, Codes> codes_;
};

// A birth month number (birthMonthNumber) as "yyyy-MM".
QString birthMonthText(int monthNumber);

// What a selection takes, in the clerk's words: "岗位名称 = 单位负责人、部门负责人",
// "出生年月 1966-01 至 1975-12", parts joined by "且" and "或".
QString selectionWords(const Selection& s, const CodeWords& words = CodeWords::shipped());

}  // namespace vel::help
