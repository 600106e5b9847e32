#include "RosterFile.h"

#include "Errors.h"
#include "db/Db.h"
#include "sheet/Sheet.h"
#include "io/DelimitedFile.h"
#include "sheet/SheetClipboard.h"


namespace vel {

std::vector<RosterFileRow> readRosterFile(const QString& path)
{
    const std::vector<QStringList> lines = readDelimitedFile(path);

    std::vector<RosterFileRow> rows;
    int emptyNameLine = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        QStringList cells = lines[i];
        while (!cells.isEmpty() && cells.back().trimmed().isEmpty())
            cells.removeLast();
        if (cells.size() > staff::AnswerCount)
            throw Error(QStringLiteral("第%1行有%2列，多于人员表的%3列。")
                            .arg(line)
                            .arg(cells.size())
                            .arg(staff::AnswerCount));
        if (cells.isEmpty() || cells[0].isEmpty()) {
            if (!emptyNameLine)
                emptyNameLine = line;
            continue;
        }
        if (emptyNameLine)
            throw Error(QStringLiteral("第%1行没有姓名，其下还有人员。").arg(emptyNameLine));
        rows.push_back({line, cells});
    }
    return rows;
}

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

std::vector<RosterFileRow> loadRosterFile(const QString& path, Sheet& sheet, StaffClass staffClass)
{
    std::vector<RosterFileRow> rows = readRosterFile(path);
    if (rows.empty())
        throw Error(QStringLiteral("第一行没有数据。"));
    const int room = sheet.maxRow() - staff::FirstPersonRow + 1;
    if (static_cast<int>(rows.size()) > room)
        throw Error(QStringLiteral("人员多于人员表能容纳的%1行。").arg(room));
    const SheetBatch batch(sheet);
    sheet.clearRange(staff::FirstPersonRow, 1, sheet.maxRow(), sheet.columnCount(),
                     ClearWhat::Everything);
    fillStaffSheet(sheet, rows, staffClass);
    return rows;
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
