#pragma once

#include "output/TablePage.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

struct UnitAttributes;

class Db;
class WorkFolder;

// "人员变动": who joined, who left and whose answers changed between two rosters (month 0 is the
// opening roster), persons matched by name number.
enum class RosterChangeKind { Joined, Left, Changed };

struct RosterAnswerChange {
    int col = 0;  // staff sheet column 1..18
    QString before;
    QString after;
};

struct RosterChange {
    RosterChangeKind kind = RosterChangeKind::Joined;
    QString number;
    QString name;  // as the later roster holds it; a person who left as the earlier one did
    std::vector<RosterAnswerChange> answers;  // Changed only
};

struct RosterDiff {
    int from = 0;
    int to = 0;
    // The joined in the later roster's order, then the left in the earlier one's, then the
    // changed in the later roster's order.
    std::vector<RosterChange> changes;

    int count(RosterChangeKind kind) const;
};

// "期初" for month 0, else "{m}月".
QString rosterMonthName(int month);

// The highest month that has a roster; nullopt when none has.
std::optional<int> latestRosterMonth(Db& db);

// Why the two rosters cannot be compared (a month outside 0..12, the same month twice, a month
// without a roster); empty when they can.
QString rosterDiffRefusal(Db& db, int from, int to);

// Compares the stored answers (trimmed) of every person found in both rosters; the number is
// what matches them and is never a change itself.
RosterDiff diffRosters(Db& db, int from, int to);

// The differences as rows of text: the header row, then one row per joined or left person and
// one per changed answer: kind, number, name, answer, before, after.
std::vector<QStringList> rosterDiffTable(const RosterDiff& diff);

// "新增{n}人，离开{n}人，变更{n}人。"
QString rosterDiffSummary(const RosterDiff& diff);

// The base name of the workbook and of the PDF: "人员变动{from}_{to}".
QString rosterDiffName(const RosterDiff& diff);

// The table under its title, for the workbook and the printed pages.
TablePage rosterDiffPage(const RosterDiff& diff, const UnitAttributes& unit);

// Writes the table under its title as XLS/人员变动{from}_{to}.xlsx; returns the path. Throws
// FileError when the workbook cannot be written, any earlier file left as it was.
QString exportRosterDiff(const WorkFolder& folder, const RosterDiff& diff,
                         const UnitAttributes& unit);

}  // namespace vel
