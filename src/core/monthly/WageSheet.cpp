#include "WageSheet.h"

#include "Errors.h"
#include "db/CodeLists.h"
#include "db/Db.h"
#include "sheet/Sheet.h"
#include "sheet/SheetClipboard.h"
#include "io/ImportFile.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vel {
namespace {

constexpr int FileColumns = 6;

const std::array<WageColumn, 7> Columns = {{
    {wage::NumberCol, "姓名编号", "sNumber"},
    {wage::NameCol, "姓名", "sName"},
    {wage::BasicCol, "基本工资", "sN1"},
    {wage::PerformanceCol, "绩效工资", "sN2"},
    {wage::AllowanceCol, "工资性津贴和补贴", "sN3"},
    {wage::OtherCol, "其他工资", "sN4"},
    {wage::TotalCol, "合计", "sTotal"},
}};

// A stored amount as the sheet shows it, read as the number the engine holds: a month of them
// through text took most of the window's opening. A text that is no number stays as it is.
QString storedAmount(const Query& q, const char* field)
{
    const SqlValue value = q.value(field);
    if (const auto* d = std::get_if<double>(&value))
        return decimalText(*d);
    if (const auto* i = std::get_if<long long>(&value))
        return decimalText(static_cast<double>(*i));
    const auto* text = std::get_if<QString>(&value);
    if (!text)
        return {};
    bool ok = false;
    const double number = text->toDouble(&ok);
    return ok ? decimalText(number) : *text;
}

}  // namespace

const std::array<WageColumn, 7>& wageColumns()
{
    return Columns;
}

QString wageHeader(int col, WageTemplate t)
{
    if (col < 1 || col > static_cast<int>(Columns.size()))
        return {};
    if (t == WageTemplate::Errors && col == wage::AllowanceCol)
        return QStringLiteral("福利工资");
    return QString::fromUtf8(Columns[static_cast<size_t>(col - 1)].header);
}

QString wageFileHeader(int col)
{
    return wageHeader(col, WageTemplate::Entry);
}

void applyWageLayout(Sheet& sheet, WageTemplate t)
{
    const SheetBatch batch(sheet);
    for (const WageColumn& c : Columns)
        sheet.setText(wage::HeaderRow, c.col, wageHeader(c.col, t));
    if (t == WageTemplate::Entry)
        sheet.setFont(1, 1, wage::LastFormattedRow, 8, CellFont{8, false});
    sheet.setMaxCol(wage::TotalCol);
}

double roundedAmount(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return value == 0 ? 0.0 : value;  // no "-0"
    char digits[32];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    std::from_chars(digits, written.ptr, value);
    return value;
}

QString decimalText(double value)
{
    // Whole amounts, nearly all of them, without the general conversion.
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qlonglong>(value));
    return QString::number(roundedAmount(value), 'f', QLocale::FloatingPointShortest);
}

std::optional<double> amountOf(const QString& text, bool& ok)
{
    ok = true;
    const QString t = trimBlanks(text);
    if (t.isEmpty())
        return std::nullopt;
    const double value = t.toDouble(&ok);
    ok = ok && std::isfinite(value) && std::fabs(value) <= wage::MaxAmount;
    if (!ok)
        return std::nullopt;
    return value;
}

bool withinWageBounds(double total)
{
    return total >= wage::TotalMin && total <= wage::TotalMax;
}

bool isWholeAmount(double value)
{
    return std::floor(value) == value;
}

QStringList storedWageCells(const Query& q)
{
    QStringList cells;
    for (const WageColumn& c : Columns)
        cells << (c.col <= wage::NameCol ? q.text(c.field) : storedAmount(q, c.field));
    return cells;
}

void writeStoredWageRow(const Query& q, Sheet& sheet, int row)
{
    const QStringList cells = storedWageCells(q);
    for (int col = 1; col <= cells.size(); ++col)
        sheet.setText(row, col, cells[col - 1]);
}

void markStoredTotal(const Query& q, Sheet& sheet, int row)
{
    if (q.text("wFlag") == u"1")
        return;
    if (!withinWageBounds(q.number("sTotal")))
        sheet.setMark(row, wage::TotalCol, CellMark::Error);
    if (!q.isNull("sN1") && !isWholeAmount(q.number("sN1")))
        sheet.setMark(row, wage::BasicCol, CellMark::Error);
}

int loadMonthRoster(Db& db, int month, Sheet& sheet)
{
    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), 8, ClearWhat::Values);
    Query q(db, "SELECT sNumber, sName FROM Staff_moninfo WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    int row = wage::FirstPersonRow;
    while (row <= sheet.maxRow() && q.next()) {
        sheet.setText(row, wage::NumberCol, q.text("sNumber"));
        sheet.setText(row, wage::NameCol, q.text("sName"));
        ++row;
    }
    return row - wage::FirstPersonRow;
}

std::optional<int> openWageSheet(Db& db, int lastWageMonth, int month, Sheet& sheet)
{
    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), wage::ColumnCount,
                     ClearWhat::Everything);
    if (lastWageMonth < month)
        return std::nullopt;
    Query q(db, "SELECT * FROM Wage_Info WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    int row = wage::FirstPersonRow;
    while (row <= sheet.maxRow() && q.next()) {
        writeStoredWageRow(q, sheet, row);
        if (q.text("sFlag") == u"0")
            sheet.markRange(row, wage::NumberCol, row, wage::NameCol, CellMark::Error);
        markStoredTotal(q, sheet, row);
        ++row;
    }
    return row - wage::FirstPersonRow;
}

ImportSource readWageFile(const QString& path, Sheet& sheet, std::optional<TextEncoding> encoding)
{
    const ImportTable text = readImportFile(path, encoding);
    const int dataLines = static_cast<int>(text.lines.size()) - 1;
    if (dataLines > sheet.maxRow() - wage::FirstPersonRow + 1)
        throw Error(QStringLiteral("工资行多于工资表能容纳的%1行。")
                        .arg(sheet.maxRow() - wage::FirstPersonRow + 1));

    std::vector<QStringList> rows;
    for (size_t i = 1; i < text.lines.size(); ++i) {
        const DelimitedLine& line = text.lines[i];
        QStringList cells = line.cells;
        while (!cells.isEmpty() && cells.back().trimmed().isEmpty())
            cells.removeLast();
        if (cells.size() > FileColumns)
            throw Error(QStringLiteral("第%1行有%2列，多于工资表的%3列。")
                            .arg(line.line)
                            .arg(cells.size())
                            .arg(FileColumns));
        rows.push_back(cells);
    }
    if (std::all_of(rows.begin(), rows.end(), [](const QStringList& r) { return r.isEmpty(); }))
        throw Error(QStringLiteral("文件中没有工资数据。"));

    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), wage::ColumnCount,
                     ClearWhat::Everything);
    int row = wage::FirstPersonRow;
    for (const QStringList& cells : rows) {
        for (int col = 1; col <= cells.size(); ++col)
            sheet.setText(row, col, cells[col - 1]);
        ++row;
    }
    return text.source;
}

QString wageExportText(Db& db, int month)
{
    QStringList header;
    for (const WageColumn& c : Columns)
        header << wageFileHeader(c.col);
    header << "sFlag" << "wFlag";
    QString out = delimitedLine(header, '\t') + '\n';
    Query q(db, "SELECT * FROM Wage_Info WHERE sMon = ? ORDER BY id",
            {static_cast<long long>(month)});
    while (q.next()) {
        QStringList cells = storedWageCells(q);
        cells << q.text("sFlag") << q.text("wFlag");
        out += delimitedLine(cells, '\t') + '\n';
    }
    return out;
}

}  // namespace vel
