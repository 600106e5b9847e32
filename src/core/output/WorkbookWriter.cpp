#include "WorkbookWriter.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "output/LaidOutSheet.h"
#include "output/PagePlan.h"
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

// The side of a page stamp's text that libxlsxwriter reads as a code: "&" is written "&&".
std::string headerText(const QString& text)
{
    return QString(text).replace('&', QStringLiteral("&&")).toUtf8().toStdString();
}

// A4, one page wide, the form's block as the print area and its headings on every page; the
// stamp in the margins the printed pages give it.
void setUpPage(lxw_worksheet* ws, const LaidOutSheet& page)
{
    const PagePlan plan = planPages(page);
    const double bottom = plan.numberHeight > 0 ? plan.paperHeight - plan.bottom : page.marginBottom;
    worksheet_set_margins(ws, page.marginLeft / PointsPerInch, page.marginRight / PointsPerInch,
                          plan.top / PointsPerInch, bottom / PointsPerInch);
    if (plan.ownerHeight > 0) {
        lxw_header_footer_options at{plan.ownerTop / PointsPerInch, nullptr, nullptr, nullptr};
        check(worksheet_set_header_opt(
            ws, ("&L&" + std::to_string(static_cast<int>(StampFontSize)) + headerText(page.stamp.owner))
                    .c_str(),
            &at));
    }
    if (plan.numberHeight > 0) {
        lxw_header_footer_options at{(plan.paperHeight - plan.numberTop - plan.numberHeight) /
                                         PointsPerInch,
                                     nullptr, nullptr, nullptr};
        const QString numbers = pageNumberText(QStringLiteral("&P"), QStringLiteral("&N"));
        check(worksheet_set_footer_opt(
            ws, ("&C&" + std::to_string(static_cast<int>(StampFontSize)) + numbers.toStdString())
                    .c_str(),
            &at));
    }
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

// Writes the laid-out page into the worksheet; `rowDone` hears each row once its cells are in.
void writeSheet(lxw_worksheet* ws, Formats& formats, const LaidOutSheet& page,
                const std::function<void(int)>& rowDone)
{
    setUpColumnsAndRows(ws, formats, page);
    for (const CellRange& m : page.merges) {
        const LaidOutCell& first = *page.cell(m.r1, m.c1);
        check(worksheet_merge_range(ws, m.r1 - 1, m.c1 - 1, m.r2 - 1, m.c2 - 1,
                                    first.text.toUtf8().constData(), formats.get(first)));
    }
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
        if (rowDone && (next == page.cells.end() || next->first.first != row))
            rowDone(row);
    }
    setUpPage(ws, page);
}

// The data check's explanations as a lined table under its bold headings: each finding on one
// row with its explanation beside it, the long texts wrapped, so that the sheet prints one
// page wide with its headings on every page.
LaidOutSheet notesPage(const WorkbookLayout& form)
{
    const std::vector<QStringList>& rows = form.notesRows;
    int columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, static_cast<int>(row.size()));
    Sheet sheet(static_cast<int>(rows.size()), columns);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[static_cast<size_t>(r)].size(); ++c)
            sheet.setText(r + 1, c + 1, rows[static_cast<size_t>(r)][c]);

    WorkbookLayout l;
    l.sheetName = form.notesSheetName;
    l.copy.sheetCells = {1, 1, sheet.maxRow(), columns};
    l.copy.generalColumns.clear();
    for (int c = 1; c <= columns; ++c) {
        l.copy.generalColumns.insert(c);
        l.format(1, c).inBold().centred();
    }
    // Code, place, finding, explanation, date: the texts get the room, no column more than its
    // longest text needs (a Chinese character two widths of a digit).
    constexpr double Widest[] = {10, 18, 54, 40, 12};
    for (int c = 1; c <= columns; ++c) {
        double width = 4;
        for (int r = 1; r <= sheet.maxRow(); ++r) {
            double need = 2;
            for (const QChar ch : sheet.text(r, c))
                need += ch.unicode() >= 0x2E80 ? 2 : 1;
            width = std::max(width, need);
        }
        const double widest = c <= 5 ? Widest[c - 1] : 30;
        l.columnWidths[c] = std::min(width, widest);
    }
    // Every spreadsheet sets the wrapped lines of its fallback CJK fonts wider apart than the
    // form's own line height: half the font size between lines, so that none is cut.
    constexpr double FontSize = 10;
    for (int r = 1; r <= sheet.maxRow(); ++r) {
        int lines = 1;
        for (int c = 1; c <= columns; ++c)
            lines = std::max(lines, wrappedLines(sheet.text(r, c), FontSize,
                                                 columnPoints(l.columnWidths[c]) - 2 * CellPadding));
        l.rowHeights[r] = lines * 1.5 * FontSize + 3;
    }
    l.grid(1, 1, sheet.maxRow(), columns);
    l.landscape = true;
    l.headingRows = {1, 1};
    l.stamp.numbers = PageNumbers::Always;
    LaidOutSheet page = layOutSheet(sheet, l);
    // The table's outer lines are its own cells' edges: no empty cells below or beside it.
    for (auto it = page.cells.begin(); it != page.cells.end();)
        it = it->first.first > page.lastRow || it->first.second > page.lastColumn
                 ? page.cells.erase(it)
                 : std::next(it);
    return page;
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
        const CopiedBlock& copy = layout.copy;
        const int divisor =
            layout.progressDivisor > 0 ? layout.progressDivisor : std::max(copy.sheetCells.r2, 1);
        writeSheet(ws, formats, page, [&](int row) {
            const int sheetRow = row - copy.rowOffset;
            if (sheetRow >= copy.sheetCells.r1 && sheetRow <= copy.sheetCells.r2)
                report(sheetRow * 100 / divisor);
        });

        if (!layout.notesRows.empty()) {
            lxw_worksheet* notes = workbook_add_worksheet(
                workbook.get(), layout.notesSheetName.toUtf8().constData());
            if (!notes)
                fail(QStringLiteral("工作表名称“%1”不合规则。").arg(layout.notesSheetName));
            writeSheet(notes, formats, notesPage(layout), {});
        }
        check(workbook_close(workbook.release()));
        storeShortestNumbers(file.path());
        file.commit();
    } catch (const FileError& e) {
        throw exportFailure(path, e.message());
    }
    report(100);
}

}  // namespace vel
