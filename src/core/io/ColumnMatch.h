#pragma once

#include "io/DelimitedFile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

// One column of our sheet that a clerk's file is read into.
struct ImportColumn {
    QString name;           // our heading, and the name a matching gives it
    bool amount = false;    // an amount: it may be the sum of several of the file's columns
    QStringList synonyms;   // headings of other offices proposed for it, besides its own name
    QStringList endings;    // a heading ending so is proposed too (…补贴)
    QStringList ownNames;   // shorter forms of our heading, read as ours without asking
};

// The columns of a kind of file (wages, roster) in our order, and the two that say who a row is.
struct ImportLayout {
    QString kind;  // under which the confirmed matchings are kept
    std::vector<ImportColumn> columns;
    int numberColumn = 0;  // 姓名编号, an index into columns
    int nameColumn = 0;    // 姓名
    // Needed for a row to be ours; the name always is.
    bool numberRequired = false;
    QString sheetName;  // the sheet the rows go to, as refusals name it (工资表, 人员表)
};

// A heading compared the way a clerk reads it: without the blanks some offices pad it with.
QString headingKey(const QString& heading);

// Which of the file's columns each of ours is read from: one heading, or several that are added
// (amounts only); no heading leaves our column empty. Columns of the file named nowhere are
// ignored.
struct ColumnMatch {
    std::vector<QStringList> sources;  // per layout column, heading keys
    // Our own file: its columns are ours in our order, the headings naming the first few.
    bool inOrder = false;

    // "目标=来源[+来源…];…" in our column order, the columns read only.
    QString text(const ImportLayout& layout) const;
    // Every heading named, in our column order.
    QStringList headings() const;
};

// Reads "目标=来源[+来源…];…". Throws Error naming the fault: an unknown target, a target named
// twice, one heading for two targets, a sum into a column that is no amount, a wage part from a
// deduction or from what is paid out, or a row's number or name left unmatched.
ColumnMatch parseColumnMatch(const ImportLayout& layout, const QString& written);

// The file's rows in our column order, as the sheet takes them.
struct MatchedRows {
    int headingLine = 0;     // the file line that holds the headings
    QStringList headings;    // that line's cells as heading keys, trailing empty ones dropped
    std::vector<DelimitedLine> rows;  // our columns, each with its file line
    int skipped = 0;         // total rows (合计, 小计, 总计, figures without a person) left out
};

// Finds the heading row, the first line holding every heading the matching names (title and
// empty lines above it are passed over), and reads each line below it: a column from one heading
// as the cell stands, a column from several as their sum to the fen. Total rows are skipped and
// counted: a row whose number or name is 合计, 小计 or 总计 and the other empty, and the rows after
// the last person that have figures but neither number nor name. Throws Error when a heading is
// in no line, stands twice in the heading row, a summed column holds text, or a row of a file in
// our order has more columns than the sheet.
MatchedRows applyColumnMatch(const ImportLayout& layout, const ColumnMatch& match,
                             const std::vector<DelimitedLine>& lines);

// A matching offered for the clerk to confirm, from the synonyms: the first line (of the first
// fifty) in which a row's number and name are recognised (the name only when the layout does not
// need a number). Deductions and what is paid out are never proposed as a part.
struct ColumnProposal {
    int headingLine = 0;
    QStringList headings;
    ColumnMatch match;
};
std::optional<ColumnProposal> proposeColumnMatch(const ImportLayout& layout,
                                                 const std::vector<DelimitedLine>& lines);

// The file is in our own layout: a line whose every heading is one of our column names and that
// holds the name (and the number where it is needed). That matching, by name, or in order when
// the headings are our first columns in our order (the cells right of them are then our next
// columns, as our files have always been read); nullopt otherwise.
std::optional<ColumnMatch> standardColumnMatch(const ImportLayout& layout,
                                               const std::vector<DelimitedLine>& lines);

// The line's cells as heading keys, trailing empty ones dropped.
QStringList headingKeys(const DelimitedLine& line);

}  // namespace vel
