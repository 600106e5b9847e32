#include "RosterFile.h"

#include "Errors.h"
#include "db/Db.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"

#include <QFile>
#include <QStringDecoder>

namespace vel {

QString decodeForeignText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gbk("GBK");
        text = gbk.decode(bytes);
        if (gbk.hasError())
            throw ConversionError(QStringLiteral("文件既不是UTF-8也不是GBK编码，无法读取。"));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

std::vector<RosterFileRow> readRosterFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("无法读取文件：%1").arg(path));
    const QString text = decodeForeignText(file.readAll());
    const QChar separator = text.section('\n', 0, 0).contains('\t') ? QChar('\t') : QChar(',');
    const std::vector<QStringList> lines = parseDelimitedText(text, separator);

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
