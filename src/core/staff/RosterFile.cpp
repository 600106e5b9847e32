#include "RosterFile.h"

#include "Errors.h"
#include "db/Db.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"

#include <map>

namespace vel {
namespace {

// Writes the people from sheet row 3 on; columns the unit's class does not answer stay empty.
void fillStaffSheet(Sheet& sheet, const std::vector<RosterFileRow>& rows, StaffClass staffClass)
{
    int row = staff::FirstPersonRow;
    for (const RosterFileRow& r : rows) {
        for (int col = 1; col <= r.cells.size(); ++col)
            if (staffColumnUsed(col, staffClass))
                sheet.setText(row, col, r.cells[col - 1]);
        ++row;
    }
}

}  // namespace

const ImportLayout& rosterImportLayout()
{
    static const ImportLayout layout = [] {
        ImportLayout l;
        l.kind = QStringLiteral("roster");
        const std::map<int, QStringList> synonyms = {
            {staff::NameCol, {QStringLiteral("职工姓名"), QStringLiteral("员工姓名")}},
            {staff::NumberCol,
             {QStringLiteral("工号"), QStringLiteral("职工编号"), QStringLiteral("人员编号"),
              QStringLiteral("编号"), QStringLiteral("职工号")}},
            {staff::NationCol, {QStringLiteral("民族")}},
            {staff::BirthCol, {QStringLiteral("出生日期")}},
            {staff::WorksCol, {QStringLiteral("工龄")}},
            {staff::EduCol, {QStringLiteral("文化程度")}},
            {staff::PostCol, {QStringLiteral("岗位")}},
        };
        const std::map<int, QStringList> shortNames = {
            {staff::GradeCol, {QStringLiteral("专业技术等级")}},
            {staff::GradeJnCol, {QStringLiteral("技能等级")}},
        };
        const auto listFor = [](const std::map<int, QStringList>& lists, int col) {
            const auto it = lists.find(col);
            return it == lists.end() ? QStringList() : it->second;
        };
        for (const StaffColumn& c : staffColumns())
            l.columns.push_back({headingKey(staffHeader(c.col, StaffTemplate::OpeningRoster)),
                                 false, listFor(synonyms, c.col), {}, listFor(shortNames, c.col)});
        l.numberColumn = staff::NumberCol - 1;
        l.nameColumn = staff::NameCol - 1;
        l.sheetName = QStringLiteral("人员表");
        return l;
    }();
    return layout;
}

RosterFile rosterFileOf(MatchedFile file)
{
    RosterFile roster;
    NamelessRowCheck nameless;
    for (DelimitedLine& line : file.matched.rows.rows) {
        QStringList& cells = line.cells;
        while (!cells.isEmpty() && cells.back().trimmed().isEmpty())
            cells.removeLast();
        const bool named = !cells.isEmpty() && !cells[0].isEmpty();
        nameless.row(line.line, named);
        if (named)
            roster.rows.push_back({line.line, std::move(cells)});
    }
    file.matched.rows.rows.clear();
    roster.file = std::move(file);
    return roster;
}

RosterFile readRosterFile(Db& db, const QString& path, const ImportOptions& options)
{
    return rosterFileOf(readMatchedFile(db, rosterImportLayout(), path, options));
}

void placeRosterFile(const RosterFile& file, Sheet& sheet, StaffClass staffClass)
{
    if (file.rows.empty())
        throw Error(QStringLiteral("第一行没有数据。"));
    const int room = sheet.maxRow() - staff::FirstPersonRow + 1;
    if (static_cast<int>(file.rows.size()) > room)
        throw Error(QStringLiteral("人员多于人员表能容纳的%1行。").arg(room));
    const SheetBatch batch(sheet);
    sheet.clearRange(staff::FirstPersonRow, 1, sheet.maxRow(), sheet.columnCount(),
                     ClearWhat::Everything);
    fillStaffSheet(sheet, file.rows, staffClass);
}

QString rosterExportText(Db& db, int month)
{
    QStringList header;
    for (const StaffColumn& c : staffColumns())
        header << staffHeader(c.col, StaffTemplate::ErrorCorrection);
    header << "sIsok";
    QString out = delimitedLine(header, '\t') + '\n';
    Query q(db, "SELECT * FROM Staff_moninfo WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    while (q.next()) {
        QStringList cells;
        for (const StaffColumn& c : staffColumns())
            cells << q.text(c.textField);
        cells << q.text("sIsok");
        out += delimitedLine(cells, '\t') + '\n';
    }
    return out;
}

}  // namespace vel
