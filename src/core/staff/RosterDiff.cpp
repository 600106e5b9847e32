#include "RosterDiff.h"

#include "Session.h"
#include "db/CodeLists.h"
#include "db/Db.h"
#include "db/ReadTransaction.h"
#include "output/WorkbookWriter.h"
#include "sheet/Sheet.h"
#include "staff/PersonMatch.h"
#include "staff/StaffSheet.h"

#include <algorithm>

namespace vel {
namespace {

struct StoredPerson {
    QStringList answers;  // columns 1..18, trimmed
};

std::vector<StoredPerson> rosterOf(Db& db, int month)
{
    std::vector<StoredPerson> people;
    Query q(db, "SELECT * FROM Staff_moninfo WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    while (q.next()) {
        StoredPerson p;
        for (const StaffColumn& c : staffColumns())
            p.answers << trimBlanks(q.text(c.textField));
        people.push_back(std::move(p));
    }
    return people;
}

QString kindName(RosterChangeKind kind)
{
    switch (kind) {
    case RosterChangeKind::Joined:
        return QStringLiteral("新增");
    case RosterChangeKind::Left:
        return QStringLiteral("离开");
    case RosterChangeKind::Changed:
        break;
    }
    return QStringLiteral("变更");
}

}  // namespace

int RosterDiff::count(RosterChangeKind kind) const
{
    return static_cast<int>(std::count_if(changes.begin(), changes.end(),
                                          [kind](const RosterChange& c) { return c.kind == kind; }));
}

QString rosterMonthName(int month)
{
    return month == 0 ? QStringLiteral("期初") : QStringLiteral("%1月").arg(month);
}

std::optional<int> latestRosterMonth(Db& db)
{
    const SqlValue month = db.scalar("SELECT MAX(sMon) FROM Staff_moninfo");
    if (const long long* m = std::get_if<long long>(&month))
        return static_cast<int>(*m);
    return std::nullopt;
}

QString rosterDiffRefusal(Db& db, int from, int to)
{
    if (from < 0 || from > 12 || to < 0 || to > 12)
        return QStringLiteral("月份必须是0（期初）到12。");
    if (from == to)
        return QStringLiteral("请选择两个不同的月份。");
    for (int month : {from, to})
        if (!db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ?", {static_cast<long long>(month)}))
            return QStringLiteral("%1名册内没有数据！").arg(rosterMonthName(month));
    return {};
}

RosterDiff diffRosters(Db& db, int from, int to)
{
    RosterDiff diff;
    diff.from = from;
    diff.to = to;
    const ReadTransaction oneState(db);
    const std::vector<StoredPerson> before = rosterOf(db, from);
    const std::vector<StoredPerson> after = rosterOf(db, to);
    const int nameIndex = staff::NameCol - 1;
    const int numberIndex = staff::NumberCol - 1;

    PersonMatch match;
    for (const StoredPerson& p : before)
        match.add(p.answers[numberIndex], p.answers[nameIndex]);
    std::vector<RosterChange> changed;
    for (const StoredPerson& p : after) {
        const int earlier = match.take(p.answers[numberIndex], p.answers[nameIndex]);
        RosterChange c{earlier < 0 ? RosterChangeKind::Joined : RosterChangeKind::Changed,
                       p.answers[numberIndex], p.answers[nameIndex], {}};
        if (earlier < 0) {
            diff.changes.push_back(std::move(c));
            continue;
        }
        const QStringList& old = before[static_cast<size_t>(earlier)].answers;
        for (int i = 0; i < p.answers.size(); ++i)
            if (i != numberIndex && old[i] != p.answers[i])
                c.answers.push_back({i + 1, old[i], p.answers[i]});
        if (!c.answers.empty())
            changed.push_back(std::move(c));
    }
    for (int earlier : match.unused()) {
        const QStringList& old = before[static_cast<size_t>(earlier)].answers;
        diff.changes.push_back({RosterChangeKind::Left, old[numberIndex], old[nameIndex], {}});
    }
    std::move(changed.begin(), changed.end(), std::back_inserter(diff.changes));
    return diff;
}

std::vector<QStringList> rosterDiffTable(const RosterDiff& diff)
{
    std::vector<QStringList> rows;
    rows.push_back({QStringLiteral("变动"), QStringLiteral("姓名编号"), QStringLiteral("姓名"),
                    QStringLiteral("项目"), rosterMonthName(diff.from), rosterMonthName(diff.to)});
    for (const RosterChange& c : diff.changes) {
        if (c.kind != RosterChangeKind::Changed) {
            rows.push_back({kindName(c.kind), c.number, c.name, {}, {}, {}});
            continue;
        }
        for (const RosterAnswerChange& a : c.answers)
            rows.push_back({kindName(c.kind), c.number, c.name,
                            staffHeader(a.col, StaffTemplate::ErrorCorrection), a.before, a.after});
    }
    return rows;
}

QString rosterDiffSummary(const RosterDiff& diff)
{
    return QStringLiteral("新增%1人，离开%2人，变更%3人。")
        .arg(diff.count(RosterChangeKind::Joined))
        .arg(diff.count(RosterChangeKind::Left))
        .arg(diff.count(RosterChangeKind::Changed));
}

QString rosterDiffName(const RosterDiff& diff)
{
    return QStringLiteral("人员变动%1_%2").arg(diff.from).arg(diff.to);
}

TablePage rosterDiffPage(const RosterDiff& diff, const UnitAttributes& unit)
{
    TableOutline outline;
    outline.sheetName = QStringLiteral("人员变动");
    outline.title = QStringLiteral("人员变动（%1—%2）　%3")
                     .arg(rosterMonthName(diff.from), rosterMonthName(diff.to),
                          rosterDiffSummary(diff));
    outline.columnWidths = {10, 10, 12, 26, 18, 18};
    outline.generalColumns = {2, 3, 4, 5, 6};
    outline.owner = unitPageOwner(unit.CurDepName, unit.CurDepNo);
    return tablePage(outline, rosterDiffTable(diff));
}

QString exportRosterDiff(const WorkFolder& folder, const RosterDiff& diff,
                         const UnitAttributes& unit)
{
    const TablePage page = rosterDiffPage(diff, unit);
    const QString path = workbookPath(folder, rosterDiffName(diff));
    writeWorkbook(page.sheet, page.layout, path);
    return path;
}

}  // namespace vel
