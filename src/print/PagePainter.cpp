#include "PagePainter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <map>
#include <tuple>

namespace vel {

namespace {

constexpr double ThinLine = 0.5;
constexpr double ThickLine = 1.5;

double lineWidth(Line line)
{
    return line == Line::Thick ? ThickLine : ThinLine;
}

void drawEdge(QPainter& painter, Line line, const QPointF& from, const QPointF& to)
{
    if (line == Line::None)
        return;
    painter.setPen(QPen(Qt::black, lineWidth(line), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

// A merged block has no lines inside it.
void drawEdges(QPainter& painter, const QRectF& rect, const CellEdges& edges,
               const CellRange* merge, int row, int col)
{
    drawEdge(painter, merge && row > merge->r1 ? Line::None : edges.top, rect.topLeft(),
             rect.topRight());
    drawEdge(painter, merge && row < merge->r2 ? Line::None : edges.bottom, rect.bottomLeft(),
             rect.bottomRight());
    drawEdge(painter, merge && col > merge->c1 ? Line::None : edges.left, rect.topLeft(),
             rect.bottomLeft());
    drawEdge(painter, merge && col < merge->c2 ? Line::None : edges.right, rect.topRight(),
             rect.bottomRight());
}

Qt::Alignment horizontalAlignment(const LaidOutCell& cell)
{
    if (cell.style.align == HAlign::Center)
        return Qt::AlignHCenter;
    return cell.number ? Qt::AlignRight : Qt::AlignLeft;
}

// Breaks the layout's text into lines `width` points wide, one under the other at the form's
// line height from the top; returns how many.
int breakLines(QTextLayout& layout, double width, double fontSize, Qt::Alignment align)
{
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    int count = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, count * lineHeight(fontSize)));
        ++count;
    }
    layout.endLayout();
    return count;
}

// The fonts of the pages, made once for each look.
class PageFonts {
public:
    explicit PageFonts(const QPaintDevice& device) : device_(device) {}

    const QFont& of(const CellStyle& style)
    {
        const auto key = std::make_tuple(style.fontName, style.fontSize, style.bold);
        auto it = fonts_.find(key);
        if (it == fonts_.end())
            it = fonts_.emplace(key, printFont(style, device_)).first;
        return it->second;
    }

private:
    const QPaintDevice& device_;
    std::map<std::tuple<QString, double, bool>, QFont> fonts_;
};

// As the spreadsheet shows a cell: at its foot; general alignment puts texts left and numbers
// right; a wrapped text stays inside its cell, lines as far apart as the row heights reckon; a
// figure too wide is set smaller; another text runs on into the empty cells beside.
void drawText(QPainter& painter, const QRectF& rect, const LaidOutCell& cell, PageFonts& fonts)
{
    const QFont& font = fonts.of(cell.style);
    painter.setPen(Qt::black);
    const QRectF inner = rect.adjusted(CellPadding, 0, -CellPadding, 0);
    if (!cell.style.wrap) {
        QFont shown = font;
        if (cell.style.shrink) {
            const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(cell.text);
            if (width > inner.width())
                shown.setPointSizeF(font.pointSizeF() * inner.width() / width);
        }
        painter.setFont(shown);
        painter.drawText(inner, Qt::AlignBottom | horizontalAlignment(cell) | Qt::TextDontClip,
                         cell.text);
        return;
    }
    painter.setFont(font);
    QTextLayout layout(cell.text, font, painter.device());
    const int lines = breakLines(layout, inner.width(), cell.style.fontSize, horizontalAlignment(cell));
    // The last line's foot on the cell's, as a single line would stand.
    const double descent = QFontMetricsF(font, painter.device()).descent();
    const double firstTop = inner.bottom() - descent - layout.lineAt(0).ascent() -
                            (lines - 1) * lineHeight(cell.style.fontSize);
    painter.save();
    painter.setClipRect(rect);
    layout.draw(&painter, QPointF(inner.left(), firstTop));
    painter.restore();
}

// The owner above the form and the page number below it, in the bands the plan gives them.
void paintStamp(QPainter& painter, const LaidOutSheet& sheet, const PagePlan& plan, int index)
{
    CellStyle style;
    style.fontSize = StampFontSize;
    const QFont font = printFont(style, *painter.device());
    painter.setPen(Qt::black);
    if (plan.ownerHeight > 0) {
        QTextLayout layout(sheet.stamp.owner, font, painter.device());
        breakLines(layout, plan.ownerWidth, StampFontSize, Qt::AlignLeft);
        layout.draw(&painter, QPointF(plan.left, plan.ownerTop));
    }
    if (plan.numberHeight > 0) {
        painter.setFont(font);
        const double width = plan.paperWidth - plan.left - sheet.marginRight;
        painter.drawText(QRectF(plan.left, plan.numberTop, width, plan.numberHeight),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         pageNumberText(QString::number(index + 1),
                                        QString::number(plan.pages.size())));
    }
}

}  // namespace

int printedLines(const LaidOutCell& cell, double width, QPaintDevice& device)
{
    QTextLayout layout(cell.text, printFont(cell.style, device), &device);
    return breakLines(layout, width, cell.style.fontSize, horizontalAlignment(cell));
}

QFont printFont(const CellStyle& style, const QPaintDevice& device)
{
    QFont font;
    if (style.fontName == TitleFont)
        font.setFamilies({TitleFont, QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("WenQuanYi Zen Hei")});
    else
        font.setFamilies({style.fontName, QStringLiteral("SimSun"),
                          QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    // The painter draws in points; the font would otherwise be scaled twice.
    font.setPointSizeF(style.fontSize * 72.0 / device.logicalDpiY());
    font.setBold(style.bold);
    // Han and Latin need no shaping; shaped, a digit after a letter takes a glyph of its own that
    // no character maps to, and it drops out of a PDF's text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void paintPage(QPainter& painter, const LaidOutSheet& sheet, const PagePlan& plan, int index)
{
    const PlannedPage& page = plan.pages.at(static_cast<size_t>(index));
    painter.save();
    painter.translate(plan.left, plan.top);
    painter.scale(plan.scale, plan.scale);
    PageFonts fonts(*painter.device());

    std::map<int, double> rowTop;
    double y = 0;
    for (int r : page.rows) {
        rowTop[r] = y;
        y += sheet.rowHeight(r);
    }
    // The rows a merged block covers on this page, from its first.
    const auto mergedHeight = [&](const CellRange& m, size_t at) {
        double height = 0;
        for (size_t i = at; i < page.rows.size() && page.rows[i] <= m.r2; ++i)
            height += sheet.rowHeight(page.rows[i]);
        return height;
    };

    for (size_t i = 0; i < page.rows.size(); ++i) {
        const int r = page.rows[i];
        for (int c = 1; c <= sheet.lastColumn; ++c) {
            const LaidOutCell* cell = sheet.cell(r, c);
            if (!cell)
                continue;
            const double x = plan.columnLeft[static_cast<size_t>(c)];
            const QRectF rect(x, rowTop[r], plan.columnRight(c) - x, sheet.rowHeight(r));
            const CellRange* merge = sheet.mergeAt(r, c);
            drawEdges(painter, rect, cell->edges, merge, r, c);
            if (cell->text.isEmpty())
                continue;
            if (!merge) {
                drawText(painter, rect, *cell, fonts);
            } else if (r == merge->r1 && c == merge->c1) {
                const int lastCol = std::min(merge->c2, sheet.lastColumn);
                drawText(painter,
                         QRectF(x, rect.top(), plan.columnRight(lastCol) - x, mergedHeight(*merge, i)),
                         *cell, fonts);
            }
        }
    }
    painter.restore();
}

bool paintPages(QPagedPaintDevice& device, const LaidOutSheet& sheet)
{
    const PagePlan plan = planPages(sheet);
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     sheet.landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait,
                                     QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double pointToDevice = device.logicalDpiX() / 72.0;
    for (int i = 0; i < static_cast<int>(plan.pages.size()); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        painter.save();
        painter.scale(pointToDevice, pointToDevice);
        paintPage(painter, sheet, plan, i);
        paintStamp(painter, sheet, plan, i);
        painter.restore();
    }
    return painter.end();
}

}  // namespace vel
