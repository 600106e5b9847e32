#include "WorkbookWriter.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "output/LaidOutSheet.h"
#include "output/PendingFile.h"
#include "output/ShortestNumbers.h"

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
constexpr int A4Paper = 9;

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
        return FileNotWritableCause;
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

uint8_t borderOf(Line line)
{
    switch (line) {
    case Line::Thin:
        return LXW_BORDER_THIN;
    case Line::Thick:
        return LXW_BORDER_THICK;
    case Line::None:
        break;
    }
    return LXW_BORDER_NONE;
}

// "0", "0.00": a figure shows as many decimals as the form gives it.
std::string numberFormat(int decimals)
{
    return decimals > 0 ? "0." + std::string(static_cast<size_t>(decimals), '0') : "0";
}

// One libxlsxwriter format per distinct look. Texts are formatted as text ("@"), so that what
// a clerk types over them stays as typed; figures carry the number format that shows them.
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

    lxw_format* get(const LaidOutCell& cell)
    {
        const CellStyle& s = cell.style;
        const CellEdges& e = cell.edges;
        const int decimals = cell.number ? cell.decimals : -1;
        const auto key = std::make_tuple(s.fontName, s.fontSize, s.bold, s.align, s.wrap, s.shrink,
                                         e.top, e.bottom, e.left, e.right, decimals);
        const auto found = formats_.find(key);
        if (found != formats_.end())
            return found->second;
        lxw_format* f = workbook_add_format(workbook_);
        format_set_num_format(f, decimals < 0 ? "@" : numberFormat(decimals).c_str());
        format_set_font_name(f, s.fontName.toUtf8().constData());
        format_set_font_size(f, s.fontSize);
        if (s.bold)
            format_set_bold(f);
        if (s.align == HAlign::Center)
            format_set_align(f, LXW_ALIGN_CENTER);
        if (s.wrap)
            format_set_text_wrap(f);
        if (s.shrink)
            format_set_shrink(f);
        format_set_top(f, borderOf(e.top));
        format_set_bottom(f, borderOf(e.bottom));
        format_set_left(f, borderOf(e.left));
        format_set_right(f, borderOf(e.right));
        formats_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* workbook_;
    lxw_format* textOnly_ = nullptr;
    std::map<std::tuple<QString, double, bool, HAlign, bool, bool, Line, Line, Line, Line, int>,
             lxw_format*>
        formats_;
};

void setUpColumnsAndRows(lxw_worksheet* ws, Formats& formats, const LaidOutSheet& page)
{
    int lastColumn = page.lastColumn;
    for (const auto& entry : page.cells)
        lastColumn = std::max(lastColumn, entry.first.second);
    // Empty cells are text, so that what a clerk types there stays as typed.
    for (int c = 1; c <= lastColumn; ++c)
        check(worksheet_set_column(ws, c - 1, c - 1, page.columnWidth(c), formats.textOnly()));
    check(worksheet_set_column(ws, lastColumn, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH,
                               formats.textOnly()));

    for (const auto& [row, points] : page.rowHeights) {
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

// A4, one page wide, the form's block as the print area and its headings on every page.
void setUpPage(lxw_worksheet* ws, const LaidOutSheet& page)
{
    worksheet_set_margins(ws, page.marginLeft / PointsPerInch, page.marginRight / PointsPerInch,
                          page.marginTop / PointsPerInch, page.marginBottom / PointsPerInch);
    worksheet_set_paper(ws, A4Paper);
    if (page.landscape)
        worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
    if (page.lastRow > 0 && page.lastColumn > 0)
        check(worksheet_print_area(ws, 0, 0, page.lastRow - 1, page.lastColumn - 1));
    if (page.headingRows)
        check(worksheet_repeat_rows(ws, page.headingRows->first - 1,
                                    page.headingRows->second - 1));
}

}  // namespace

FileError exportFailure(const QString& path, const QString& cause)
{
    return FileError(ExportFailedMessage + QStringLiteral("\n\r文件：%1\n\r原因：%2")
                                               .arg(QDir::toNativeSeparators(path), cause));
}

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

    const LaidOutSheet page = layOutSheet(sheet, layout);

    try {
        PendingFile file(path, ".xlsx");
        std::unique_ptr<lxw_workbook, void (*)(lxw_workbook*)> workbook(
            workbook_new(QFile::encodeName(file.path()).constData()), lxw_workbook_free);
        if (!workbook)
            fail(causeOf(LXW_ERROR_CREATING_XLSX_FILE));
        lxw_worksheet* ws = workbook_add_worksheet(
            workbook.get(),
            page.sheetName.isEmpty() ? nullptr : page.sheetName.toUtf8().constData());
        if (!ws)
            fail(QStringLiteral("工作表名称“%1”不合规则。").arg(page.sheetName));
        Formats formats(workbook.get());
        setUpColumnsAndRows(ws, formats, page);

        for (const CellRange& m : page.merges) {
            const LaidOutCell& first = *page.cell(m.r1, m.c1);
            check(worksheet_merge_range(ws, m.r1 - 1, m.c1 - 1, m.r2 - 1, m.c2 - 1,
                                        first.text.toUtf8().constData(), formats.get(first)));
        }

        const CopiedBlock& copy = layout.copy;
        const int divisor =
            layout.progressDivisor > 0 ? layout.progressDivisor : std::max(copy.sheetCells.r2, 1);
        for (auto it = page.cells.begin(); it != page.cells.end(); ++it) {
            const auto [row, col] = it->first;
            const LaidOutCell& cell = it->second;
            lxw_format* format = formats.get(cell);
            const QByteArray text = cell.text.toUtf8();
            check(cell.number ? worksheet_write_number(ws, row - 1, col - 1, *cell.number, format)
                  : text.isEmpty()
                      ? worksheet_write_blank(ws, row - 1, col - 1, format)
                      : worksheet_write_string(ws, row - 1, col - 1, text.constData(), format));
            const auto next = std::next(it);
            const int sheetRow = row - copy.rowOffset;
            if ((next == page.cells.end() || next->first.first != row) &&
                sheetRow >= copy.sheetCells.r1 && sheetRow <= copy.sheetCells.r2)
                report(sheetRow * 100 / divisor);
        }
        setUpPage(ws, page);

        writeNotesSheet(workbook.get(), layout);
        check(workbook_close(workbook.release()));
        storeShortestNumbers(file.path());
        file.commit();
    } catch (const FileError& e) {
        throw exportFailure(path, e.message());
    }
    report(100);
}

}  // namespace vel
