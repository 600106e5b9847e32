#include "TextFit.h"

#include "output/PagePlan.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vel {

namespace {

// Smaller than this a printed text is no longer read with ease.
constexpr double LeastFontSize = 7;
// Column headings are read close up, in a table of small type.
constexpr double LeastHeadingSize = 6;

bool wide(QChar c)
{
    return c.unicode() >= 0x2E80;  // CJK, full-width forms and their punctuation
}

double advance(QChar c, double fontSize)
{
    return (wide(c) ? 1.0 : 0.6) * fontSize;
}

// Closing marks never start a line, opening marks never end one.
bool closing(QChar c)
{
    // ）》」』，。、：；！？ and their narrow kin.
    static const QString marks = QString::fromUtf16(
        u"\uFF09\u300B\u300D\u300F\uFF0C\u3002\u3001\uFF1A\uFF1B\uFF01\uFF1F%)]}:;,.");
    return marks.contains(c);
}

bool opening(QChar c)
{
    return QStringLiteral("（《「『([{").contains(c);
}

// The pieces a line may be broken between: a run of digits, letters and signs stays whole, a
// Chinese character stands alone, a mark goes with its neighbour; blanks are pieces of their own.
std::vector<QString> unbreakablePieces(const QString& text)
{
    std::vector<QString> pieces;
    QChar previous;
    for (const QChar c : text) {
        const bool blank = c.isSpace();
        const bool joins = !pieces.empty() && !blank && !previous.isSpace() &&
                           ((!wide(c) && !wide(previous)) || closing(c) || opening(previous));
        if (joins)
            pieces.back() += c;
        else
            pieces.emplace_back(c);
        previous = c;
    }
    return pieces;
}

struct Wrapped {
    int lines = 1;
    QString lastLine;
};

// The lines a text takes broken only between its pieces (a piece wider than a line is broken
// anywhere, as the printed page does).
Wrapped wrapByPieces(const QString& text, double fontSize, double width)
{
    Wrapped w;
    double used = 0;
    for (const QString& piece : unbreakablePieces(text)) {
        const double size = textWidth(piece, fontSize);
        if (used > 0 && used + size > width) {
            ++w.lines;
            used = 0;
            w.lastLine.clear();
        }
        if (used == 0 && piece.at(0).isSpace())
            continue;
        if (size > width && width > 0)
            w.lines += static_cast<int>(std::ceil(size / width)) - 1;
        used += size;
        w.lastLine += piece;
    }
    return w;
}

double columnsWidth(const LaidOutSheet& page, int c1, int c2)
{
    double width = 0;
    for (int c = c1; c <= c2; ++c)
        width += columnPoints(page.columnWidth(c));
    return width;
}

double rowsHeight(const LaidOutSheet& page, int r1, int r2)
{
    double height = 0;
    for (int r = r1; r <= r2; ++r)
        height += page.rowHeight(r);
    return height;
}

// Whole points down: the printed page sets its fonts in whole pixels of a point each, so a half
// point would be drawn rounded up.
double smallerSize(double size, double factor)
{
    return std::floor(size * factor);
}

// The block a cell's text may fill: its merge, else the cell and, for a text left in general
// alignment that is not wrapped, the empty unmerged cells on its right up to the last column.
CellRange roomOf(const LaidOutSheet& page, int row, int col, const LaidOutCell& cell)
{
    if (const CellRange* merge = page.mergeAt(row, col))
        return {merge->r1, merge->c1, merge->r2, std::min(merge->c2, page.lastColumn)};
    CellRange room{row, col, row, col};
    if (cell.style.wrap || cell.style.align != HAlign::General)
        return room;
    while (room.c2 < page.lastColumn) {
        const LaidOutCell* next = page.cell(row, room.c2 + 1);
        if ((next && !next->text.isEmpty()) || page.mergeAt(row, room.c2 + 1))
            break;
        ++room.c2;
    }
    return room;
}

// Raises the block's last row so that its rows are `height` points high together.
void raiseTo(LaidOutSheet& page, const CellRange& block, double height)
{
    const double missing = height - rowsHeight(page, block.r1, block.r2);
    if (missing > 0)
        page.rowHeights[block.r2] = page.rowHeight(block.r2) + missing;
}

void fitHeaderText(LaidOutSheet& page, int row, int col, LaidOutCell& cell)
{
    const CellRange room = roomOf(page, row, col, cell);
    const double inner = columnsWidth(page, room.c1, room.c2) - 2 * CellPadding;
    double& size = cell.style.fontSize;
    if (!cell.style.wrap) {
        const double needed = textWidth(cell.text, size);
        if (needed <= inner)
            return;
        const double smaller = smallerSize(size, inner / needed);
        if (smaller >= LeastFontSize) {
            size = smaller;
            return;
        }
        // Too long for one line at any legible size: over the room it may fill, on more lines.
        if (room.c2 > room.c1 && !page.mergeAt(row, col))
            page.merges.push_back(room);
        cell.style.wrap = true;
    }
    const double height = rowsHeight(page, room.r1, room.r2);
    // One line always stands, at the block's foot, as the form draws it.
    const auto fits = [&](double points) {
        const int lines = wrappedLines(cell.text, points, inner);
        return lines == 1 || lineRowHeight(points, lines) <= height;
    };
    if (fits(size))
        return;
    for (double smaller = std::ceil(size) - 1; smaller >= LeastFontSize; --smaller)
        if (fits(smaller)) {
            size = smaller;
            return;
        }
    raiseTo(page, room, lineRowHeight(size, wrappedLines(cell.text, size, inner)));
}

void fitHeading(LaidOutSheet& page, int row, int col, LaidOutCell& cell)
{
    const CellRange* merge = page.mergeAt(row, col);
    const CellRange block = merge ? CellRange{merge->r1, merge->c1, merge->r2,
                                              std::min(merge->c2, page.lastColumn)}
                                  : CellRange{row, col, row, col};
    const double inner = columnsWidth(page, block.c1, block.c2) - 2 * CellPadding;
    const double height = rowsHeight(page, block.r1, block.r2);
    double& size = cell.style.fontSize;
    const double widest = widestUnbreakable(cell.text, size);
    if (widest > inner)
        size = std::max(LeastHeadingSize, smallerSize(size, inner / widest));
    // A last character alone, cut from the word before it ("中专及高/中"), reads as a word of its
    // own; a point or two smaller usually takes it back.
    const Wrapped now = wrapByPieces(cell.text, size, inner);
    const QString text = cell.text.trimmed();
    if (now.lines == 1 || now.lastLine.trimmed().size() != 1 || text.size() < 2 ||
        !wide(text.back()) || !wide(text.at(text.size() - 2)))
        return;
    const double least = std::max(LeastHeadingSize, std::ceil(size) - 2);
    for (double smaller = std::ceil(size) - 1; smaller >= least; --smaller) {
        const Wrapped w = wrapByPieces(cell.text, smaller, inner);
        if (w.lines < now.lines && w.lines * lineHeight(smaller) <= height) {
            size = smaller;
            return;
        }
    }
}

template <typename Fit>
void fitRows(LaidOutSheet& page, int r1, int r2, bool wrapped, Fit fit)
{
    for (auto& [key, cell] : page.cells) {
        const auto [row, col] = key;
        if (row < r1 || row > r2 || col > page.lastColumn || page.rowHeight(row) <= 0 ||
            cell.text.trimmed().isEmpty() || cell.number || (wrapped && !cell.style.wrap))
            continue;
        const CellRange* merge = page.mergeAt(row, col);
        if (merge && (merge->r1 != row || merge->c1 != col))
            continue;
        fit(page, row, col, cell);
    }
}

}  // namespace

double textWidth(const QString& text, double fontSize)
{
    double widest = 0;
    double line = 0;
    for (const QChar c : text) {
        if (c == u'\n') {
            line = 0;
            continue;
        }
        line += advance(c, fontSize);
        widest = std::max(widest, line);
    }
    return widest;
}

double widestUnbreakable(const QString& text, double fontSize)
{
    double widest = 0;
    for (const QString& piece : unbreakablePieces(text))
        widest = std::max(widest, textWidth(piece.trimmed(), fontSize));
    return widest;
}

void fitHeaderTexts(LaidOutSheet& page)
{
    if (page.headingRows)
        fitRows(page, 1, page.headingRows->first - 1, false, fitHeaderText);
}

void fitHeadings(LaidOutSheet& page)
{
    if (page.headingRows)
        fitRows(page, page.headingRows->first, page.headingRows->second, true, fitHeading);
}

}  // namespace vel
