#include "WorkbookWriter.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "output/PendingFile.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace vel {

namespace {

constexpr double PointsPerInch = 72.0;

struct CellStyle {
    QString fontName = BodyFont;
    double fontSize = 10;
    bool bold = false;
    HAlign align = HAlign::General;
    bool wrap = false;
};

struct CellContent {
    QString text;
    CellStyle style;
};

using CellKey = std::pair<int, int>;  // row, column

// A line between two cells is one line: the bottom edge of a cell and the top edge of the one
// below are the same entry, so the two cells can never disagree about it.
struct Lines {
    std::map<CellKey, uint8_t> above;   // the line above cell (row, col)
    std::map<CellKey, uint8_t> before;  // the line left of cell (row, col)
};

uint8_t lineAt(const std::map<CellKey, uint8_t>& lines, int row, int col)
{
    const auto it = lines.find({row, col});
    return it == lines.end() ? static_cast<uint8_t>(LXW_BORDER_NONE) : it->second;
}

[[noreturn]] void fail(const QString& cause)
{
    throw FileError(cause);
}

// What went wrong, in words a clerk can act on.
QString causeOf(lxw_error result)
{
    switch (result) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("文件无法写入（文件夹不可写、磁盘已满或文件正被其他程序打开）。");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("内存不足。");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("有单元格的文字超过32767个字符。");
    default:
        return QStringLiteral("工作簿写入失败（%1）。").arg(QString::fromUtf8(lxw_strerror(result)));
    }
}

void check(lxw_error result)
{
    if (result != LXW_NO_ERROR)
        fail(causeOf(result));
}

// One libxlsxwriter format per distinct look; every cell of the sheet is text ("@").
class Formats {
public:
    explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

    lxw_format* textOnly()
    {
        if (!textOnly_) {
            textOnly_ = workbook_add_format(workbook_);
            format_set_num_format(textOnly_, "@");
        }
        return textOnly_;
    }

    lxw_format* get(const CellStyle& s, uint8_t top, uint8_t bottom, uint8_t left, uint8_t right)
    {
        const auto key = std::make_tuple(s.fontName, s.fontSize, s.bold, s.align, s.wrap, top,
                                         bottom, left, right);
        const auto found = formats_.find(key);
        if (found != formats_.end())
            return found->second;
        lxw_format* f = workbook_add_format(workbook_);
        format_set_num_format(f, "@");
        format_set_font_name(f, s.fontName.toUtf8().constData());
        format_set_font_size(f, s.fontSize);
        if (s.bold)
            format_set_bold(f);
        if (s.align == HAlign::Center)
            format_set_align(f, LXW_ALIGN_CENTER);
        if (s.wrap)
            format_set_text_wrap(f);
        format_set_top(f, top);
        format_set_bottom(f, bottom);
        format_set_left(f, left);
        format_set_right(f, right);
        formats_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* workbook_;
    lxw_format* textOnly_ = nullptr;
    std::map<std::tuple<QString, double, bool, HAlign, bool, uint8_t, uint8_t, uint8_t, uint8_t>,
             lxw_format*>
        formats_;
};

// Every cell the workbook will hold, copied and decorated, in row order.
std::map<CellKey, CellContent> collectCells(const Sheet& sheet, const WorkbookLayout& layout)
{
    std::map<CellKey, CellContent> cells;
    const CopiedBlock& copy = layout.copy;
    for (int r = copy.sheetCells.r1; r <= copy.sheetCells.r2; ++r) {
        for (int c = copy.sheetCells.c1; c <= copy.sheetCells.c2; ++c) {
            CellContent& cell = cells[{r + copy.rowOffset, c}];
            cell.text = sheet.text(r, c);
            cell.style.fontSize = copy.fontSize;
            cell.style.wrap = true;
            cell.style.align = copy.generalColumns.count(c) ? HAlign::General : HAlign::Center;
        }
    }
    for (const CellAddress& a : copy.centred)
        cells[{a.row, a.col}].style.align = HAlign::Center;

    for (const CellDecoration& d : layout.cells) {
        CellContent& cell = cells[{d.at.row, d.at.col}];
        if (d.text)
            cell.text = *d.text;
        if (d.fontName)
            cell.style.fontName = *d.fontName;
        if (d.fontSize)
            cell.style.fontSize = *d.fontSize;
        if (d.bold)
            cell.style.bold = *d.bold;
        if (d.align)
            cell.style.align = *d.align;
        if (d.wrap)
            cell.style.wrap = *d.wrap;
    }
    // A merged block shows only its top left text, as the spreadsheet's own merge keeps.
    for (const CellRange& m : layout.merges)
        for (int r = m.r1; r <= m.r2; ++r)
            for (int c = m.c1; c <= m.c2; ++c)
                if (r != m.r1 || c != m.c1)
                    cells[{r, c}].text.clear();
    return cells;
}

uint8_t borderStyle(EdgeWeight weight)
{
    // The forms' weight 4 is the spreadsheet's thick line, 2 its thin one.
    return weight == EdgeWeight::Thick ? LXW_BORDER_THICK : LXW_BORDER_THIN;
}

// The lines of the grids, then the bottom edges over them; the cells on either side of a line
// are added so that both carry it.
Lines collectLines(const WorkbookLayout& layout, std::map<CellKey, CellContent>& cells)
{
    Lines lines;
    for (const CellRange& g : layout.grids) {
        for (int r = g.r1; r <= g.r2 + 1; ++r)
            for (int c = g.c1; c <= g.c2; ++c)
                lines.above[{r, c}] = LXW_BORDER_THIN;
        for (int r = g.r1; r <= g.r2; ++r)
            for (int c = g.c1; c <= g.c2 + 1; ++c)
                lines.before[{r, c}] = LXW_BORDER_THIN;
    }
    for (const BottomEdge& e : layout.bottomEdges)
        for (int c = e.cells.c1; c <= e.cells.c2; ++c)
            lines.above[{e.cells.r2 + 1, c}] = borderStyle(e.weight);

    for (const auto& [key, style] : lines.above) {
        cells[key];
        if (key.first > 1)
            cells[{key.first - 1, key.second}];
    }
    for (const auto& [key, style] : lines.before) {
        cells[key];
        if (key.second > 1)
            cells[{key.first, key.second - 1}];
    }
    return lines;
}

double inches(const std::optional<double>& points)
{
    return points ? *points / PointsPerInch : -1;  // -1: libxlsxwriter's default
}

void setUpColumnsAndRows(lxw_worksheet* ws, Formats& formats, const WorkbookLayout& layout,
                         int lastColumn)
{
    // The whole sheet is text, also the cells nothing writes into.
    for (int c = 1; c <= lastColumn; ++c) {
        const auto width = layout.columnWidths.find(c);
        check(worksheet_set_column(
            ws, c - 1, c - 1,
            width == layout.columnWidths.end() ? LXW_DEF_COL_WIDTH : width->second,
            formats.textOnly()));
    }
    check(worksheet_set_column(ws, lastColumn, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH,
                               formats.textOnly()));

    std::map<int, double> heights;
    if (layout.copy.rowHeight)
        for (int r = layout.copy.sheetCells.r1; r <= layout.copy.sheetCells.r2; ++r)
            heights[r + layout.copy.rowOffset] = *layout.copy.rowHeight;
    for (const auto& [row, points] : layout.rowHeights)
        heights[row] = points;
    for (const auto& [row, points] : heights) {
        if (points > 0) {
            check(worksheet_set_row(ws, row - 1, points, nullptr));
        } else {
            lxw_row_col_options hidden{1, 0, 0};
            check(worksheet_set_row_opt(ws, row - 1, LXW_DEF_ROW_HEIGHT, nullptr, &hidden));
        }
    }
}

// The plain rows of the second sheet, the first one bold, each column as wide as its longest text.
void writeNotesSheet(lxw_workbook* workbook, const WorkbookLayout& layout)
{
    if (layout.notesRows.empty())
        return;
    lxw_worksheet* ws = workbook_add_worksheet(workbook, layout.notesSheetName.toUtf8().constData());
    if (!ws)
        fail(QStringLiteral("工作表名称“%1”不合规则。").arg(layout.notesSheetName));
    lxw_format* header = workbook_add_format(workbook);
    format_set_bold(header);
    std::map<int, int> widths;
    for (size_t r = 0; r < layout.notesRows.size(); ++r) {
        const QStringList& row = layout.notesRows[r];
        for (int c = 0; c < row.size(); ++c) {
            const QByteArray text = row[c].toUtf8();
            check(worksheet_write_string(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                         text.constData(), r == 0 ? header : nullptr));
            // A Chinese character takes about two widths of a digit.
            widths[c] = std::max(widths[c], static_cast<int>(row[c].size()) * 2 + 2);
        }
    }
    constexpr int WidestColumn = 80;
    for (const auto& [c, width] : widths)
        check(worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                   std::min(width, WidestColumn), nullptr));
}

}  // namespace

QString workbookPath(const WorkFolder& folder, const QString& baseName, WorkbookFolder where)
{
    return folder.filePath(where == WorkbookFolder::Errors ? "ERROR" : "XLS", baseName + ".xlsx");
}

void writeWorkbook(const Sheet& sheet, const WorkbookLayout& layout, const QString& path,
                   const std::function<void(int)>& progress)
{
    const auto report = [&](int percent) {
        if (progress)
            progress(std::clamp(percent, 0, 100));
    };
    report(0);

    std::map<CellKey, CellContent> cells = collectCells(sheet, layout);
    const Lines lines = collectLines(layout, cells);

    try {
        PendingFile file(path, ".xlsx");
        std::unique_ptr<lxw_workbook, void (*)(lxw_workbook*)> workbook(
            workbook_new(QFile::encodeName(file.path()).constData()), lxw_workbook_free);
        if (!workbook)
            fail(causeOf(LXW_ERROR_CREATING_XLSX_FILE));
        lxw_worksheet* ws = workbook_add_worksheet(
            workbook.get(),
            layout.sheetName.isEmpty() ? nullptr : layout.sheetName.toUtf8().constData());
        if (!ws)
            fail(QStringLiteral("工作表名称“%1”不合规则。").arg(layout.sheetName));
        Formats formats(workbook.get());
        const auto formatOf = [&](int row, int col) {
            return formats.get(cells[{row, col}].style, lineAt(lines.above, row, col),
                               lineAt(lines.above, row + 1, col), lineAt(lines.before, row, col),
                               lineAt(lines.before, row, col + 1));
        };

        int lastColumn = layout.columnWidths.empty() ? 0 : layout.columnWidths.rbegin()->first;
        for (const auto& entry : cells)
            lastColumn = std::max(lastColumn, entry.first.second);
        setUpColumnsAndRows(ws, formats, layout, lastColumn);

        for (const CellRange& m : layout.merges)
            check(worksheet_merge_range(ws, m.r1 - 1, m.c1 - 1, m.r2 - 1, m.c2 - 1,
                                        cells[{m.r1, m.c1}].text.toUtf8().constData(),
                                        formatOf(m.r1, m.c1)));

        const CopiedBlock& copy = layout.copy;
        const int divisor =
            layout.progressDivisor > 0 ? layout.progressDivisor : std::max(copy.sheetCells.r2, 1);
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const auto [row, col] = it->first;
            lxw_format* format = formatOf(row, col);
            const QByteArray text = it->second.text.toUtf8();
            check(text.isEmpty()
                      ? worksheet_write_blank(ws, row - 1, col - 1, format)
                      : worksheet_write_string(ws, row - 1, col - 1, text.constData(), format));
            const auto next = std::next(it);
            const int sheetRow = row - copy.rowOffset;
            if ((next == cells.end() || next->first.first != row) &&
                sheetRow >= copy.sheetCells.r1 && sheetRow <= copy.sheetCells.r2)
                report(sheetRow * 100 / divisor);
        }

        worksheet_set_margins(ws, inches(layout.margins.left), inches(layout.margins.right),
                              inches(layout.margins.top), inches(layout.margins.bottom));
        if (layout.landscape)
            worksheet_set_landscape(ws);
        if (layout.fitToPageWidth)
            worksheet_fit_to_pages(ws, 1, 0);

        writeNotesSheet(workbook.get(), layout);
        check(workbook_close(workbook.release()));
        file.commit();
    } catch (const FileError& e) {
        throw FileError(ExportFailedMessage + QStringLiteral("\n\r文件：%1\n\r原因：%2")
                                                  .arg(QDir::toNativeSeparators(path), e.message()));
    }
    report(100);
}

}  // namespace vel
