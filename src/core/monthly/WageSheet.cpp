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

double wageTotal(const std::array<std::optional<double>, 4>& parts)
{
    double sum = 0;
    for (const std::optional<double>& part : parts)
        if (part)
            sum += *part;
    const double total = static_cast<double>(std::llround(sum * 100)) / 100;
    return total > 0 ? total : 0.0;
}

QString wageTotalText(const QStringList& parts)
{
    std::array<std::optional<double>, 4> amounts;
    for (size_t i = 0; i < amounts.size(); ++i) {
        bool ok = true;
        amounts[i] = amountOf(parts.value(static_cast<qsizetype>(i)), ok);
        if (!ok)
            return {};
    }
    return decimalText(wageTotal(amounts));
}

bool sameToTheFen(double a, double b)
{
    return std::llround(a * 100) == std::llround(b * 100);
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

bool totalCountsEveryPart(const Query& q)
{
    std::array<std::optional<double>, 4> parts;
    for (size_t i = 0; i < parts.size(); ++i) {
        const char* field = Columns[wage::FirstPartCol - 1 + i].field;
        if (!q.isNull(field))
            parts[i] = q.number(field);
    }
    return sameToTheFen(q.number("sTotal"), wageTotal(parts));
}

void markStoredTotal(const Query& q, Sheet& sheet, int row)
{
    if (q.text("wFlag") == u"1")
        return;
    if (!withinWageBounds(q.number("sTotal")) || !totalCountsEveryPart(q))
        sheet.setMark(row, wage::TotalCol, CellMark::Error);
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

const ImportLayout& wageImportLayout()
{
    static const ImportLayout layout = [] {
        ImportLayout l;
        l.kind = QStringLiteral("wages");
        const auto words = [](std::initializer_list<const char*> list) {
            QStringList out;
            for (const char* w : list)
                out << QString::fromUtf8(w);
            return out;
        };
        l.columns = {
            {wageFileHeader(wage::NumberCol), false, words({"工号", "职工编号", "人员编号", "编号", "职工号"}), {}},
            {wageFileHeader(wage::NameCol), false, words({"职工姓名", "员工姓名"}), {}},
            {wageFileHeader(wage::BasicCol), true, words({"岗位工资", "薪级工资"}), {}},
            {wageFileHeader(wage::PerformanceCol), true, words({"绩效奖金", "奖金", "绩效"}), {}},
            {wageFileHeader(wage::AllowanceCol), true, {}, words({"补贴", "津贴"})},
            {wageFileHeader(wage::OtherCol), true, words({"加班费", "加班工资"}), {}},
        };
        l.numberColumn = wage::NumberCol - 1;
        l.nameColumn = wage::NameCol - 1;
        l.numberRequired = true;
        l.sheetName = QStringLiteral("工资表");
        return l;
    }();
    return layout;
}

void placeWageRows(const MatchedRows& rows, Sheet& sheet)
{
    const int room = sheet.maxRow() - wage::FirstPersonRow + 1;
    if (static_cast<int>(rows.rows.size()) > room)
        throw Error(QStringLiteral("工资行多于工资表能容纳的%1行。").arg(room));
    if (std::all_of(rows.rows.begin(), rows.rows.end(), [](const DelimitedLine& r) {
            return std::all_of(r.cells.begin(), r.cells.end(),
                               [](const QString& c) { return c.trimmed().isEmpty(); });
        }))
        throw Error(QStringLiteral("文件中没有工资数据。"));

    const SheetBatch batch(sheet);
    sheet.clearRange(wage::FirstPersonRow, 1, sheet.maxRow(), wage::ColumnCount,
                     ClearWhat::Everything);
    int row = wage::FirstPersonRow;
    for (const DelimitedLine& r : rows.rows) {
        for (int col = 1; col <= r.cells.size(); ++col)
            sheet.setText(row, col, r.cells[col - 1]);
        ++row;
    }
}

MatchedFile readWageFile(Db& db, const QString& path, Sheet& sheet, const ImportOptions& options)
{
    MatchedFile file = readMatchedFile(db, wageImportLayout(), path, options);
    placeWageRows(file.matched.rows, sheet);
    return file;
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
