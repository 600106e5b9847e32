#include "RosterFile.h"

#include "Errors.h"
#include "db/Db.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"

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

RosterFile readRosterFile(const QString& path, std::optional<TextEncoding> encoding)
{
    const ImportTable text = readImportFile(path, encoding);

    RosterFile file;
    file.source = text.source;
    NamelessRowCheck nameless;
    for (size_t i = 1; i < text.lines.size(); ++i) {
        const int line = text.lines[i].line;
        QStringList cells = text.lines[i].cells;
        while (!cells.isEmpty() && cells.back().trimmed().isEmpty())
            cells.removeLast();
        if (cells.size() > staff::AnswerCount)
            throw Error(QStringLiteral("第%1行有%2列，多于人员表的%3列。")
                            .arg(line)
                            .arg(cells.size())
                            .arg(staff::AnswerCount));
        const bool named = !cells.isEmpty() && !cells[0].isEmpty();
        nameless.row(line, named);
        if (named)
            file.rows.push_back({line, cells});
    }
    return file;
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

RosterFile loadRosterFile(const QString& path, Sheet& sheet, StaffClass staffClass,
                          std::optional<TextEncoding> encoding)
{
    RosterFile file = readRosterFile(path, encoding);
    placeRosterFile(file, sheet, staffClass);
    return file;
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
