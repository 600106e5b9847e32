#include "SheetClipboard.h"

#include "Errors.h"

#include <algorithm>

namespace vel {

namespace {

bool endsLine(QChar c)
{
    return c == u'\n' || c == u'\r';
}

void appendCell(QString& out, const QString& cell, QChar separator = u'\t')
{
    const bool quote = std::any_of(cell.begin(), cell.end(), [separator](QChar c) {
        return c == separator || endsLine(c) || c == u'"';
    });
    if (!quote) {
        out += cell;
        return;
    }
    out += u'"';
    for (QChar c : cell) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

// A quoted field starting at `pos`; on success moves `pos` past the closing quote. Fails when the
// quote never closes or text follows it before the field ends.
bool readQuoted(const QString& text, QChar separator, qsizetype& pos, QString& field)
{
    const qsizetype n = text.size();
    QString value;
    for (qsizetype i = pos + 1; i < n; ++i) {
        if (text[i] != u'"') {
            value += text[i];
            continue;
        }
        if (i + 1 < n && text[i + 1] == u'"') {
            value += u'"';
            ++i;
            continue;
        }
        if (i + 1 < n && text[i + 1] != separator && !endsLine(text[i + 1]))
            return false;
        field = value;
        pos = i + 1;
        return true;
    }
    return false;
}

}  // namespace

QString clipboardText(const Sheet& sheet, const CellRange& range)
{
    const int r2 = std::min(range.r2, sheet.maxRow());
    const int c2 = std::min(range.c2, sheet.columnCount());
    QString out;
    for (int r = std::max(range.r1, 1); r <= r2; ++r) {
        for (int c = std::max(range.c1, 1); c <= c2; ++c) {
            if (c > std::max(range.c1, 1))
                out += u'\t';
            appendCell(out, sheet.text(r, c));
        }
        out += u"\r\n";
    }
    return out;
}

QString delimitedLine(const QStringList& cells, QChar separator)
{
    QString out;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        appendCell(out, cells[i], separator);
    }
    return out;
}

std::vector<QStringList> parseClipboardText(const QString& text)
{
    return parseDelimitedText(text, u'\t');
}

std::vector<QStringList> parseDelimitedText(const QString& text, QChar separator)
{
    std::vector<QStringList> rows;
    const qsizetype n = text.size();
    if (n == 0)
        return rows;
    QStringList row;
    qsizetype pos = 0;
    while (true) {
        QString field;
        if (pos >= n || text[pos] != u'"' || !readQuoted(text, separator, pos, field)) {
            const qsizetype start = pos;
            while (pos < n && text[pos] != separator && !endsLine(text[pos]))
                ++pos;
            field = text.mid(start, pos - start);
        }
        row.append(field);
        if (pos >= n)
            break;
        if (text[pos] == separator) {
            ++pos;
            continue;
        }
        if (text[pos] == u'\r' && pos + 1 < n && text[pos + 1] == u'\n')
            ++pos;
        ++pos;
        rows.push_back(row);
        row.clear();
        if (pos >= n)
            return rows;
    }
    rows.push_back(row);
    return rows;
}

QString pasteRefusal(const Sheet& sheet, int row, int col, const std::vector<QStringList>& block)
{
    const int rowsLeft = sheet.maxRow() - row + 1;
    const int colsLeft = sheet.maxCol() - col + 1;
    int rowsOut = 0;
    int colsOut = 0;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const QStringList& cells = block[i];
        int lastFilled = static_cast<int>(cells.size());
        while (lastFilled > 0 && cells[lastFilled - 1].isEmpty())
            --lastFilled;
        if (lastFilled == 0)
            continue;
        if (static_cast<int>(i) >= rowsLeft)
            ++rowsOut;
        colsOut = std::max(colsOut, lastFilled - colsLeft);
    }
    if (rowsOut > 0)
        return QStringLiteral("粘贴的内容有%1行超出表格的最后一行（第%2行），没有粘贴。"
                              "请分批粘贴，或从更靠上的行开始粘贴。")
            .arg(rowsOut)
            .arg(sheet.maxRow());
    if (colsOut > 0)
        return QStringLiteral("粘贴的内容有%1列超出表格的最后一列，没有粘贴。"
                              "请从更靠左的列开始粘贴，或去掉多余的列。")
            .arg(colsOut);
    return {};
}

CellRange pasteClipboardText(Sheet& sheet, int row, int col, const QString& text)
{
    const std::vector<QStringList> block = parseClipboardText(text);
    const int lastRow = sheet.maxRow();
    const int lastCol = sheet.maxCol();
    if (row < 1 || col < 1 || row > lastRow || col > lastCol || block.empty())
        return {};
    const QString refusal = pasteRefusal(sheet, row, col, block);
    if (!refusal.isEmpty())
        throw Error(refusal);
    SheetBatch batch(sheet);
    CellRange written{row, col, row - 1, col - 1};
    for (std::size_t i = 0; i < block.size() && row + static_cast<int>(i) <= lastRow; ++i) {
        const int r = row + static_cast<int>(i);
        const QStringList& cells = block[i];
        const int count = std::min(static_cast<int>(cells.size()), lastCol - col + 1);
        for (int j = 0; j < count; ++j)
            sheet.setText(r, col + j, cells[j]);
        written.r2 = r;
        written.c2 = std::max(written.c2, col + count - 1);
    }
    return written;
}

}  // namespace vel
