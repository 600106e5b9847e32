// What a receiving office gets from the printed pages: the text layer of every form and list, for
// unit names short and long, read back with pdftotext. Each page holds exactly the characters
// drawn on it (no stand-in code points, no digit lost), its words stay apart and on the paper,
// and the lists say on every page whose they are and which page it is.

#include "EveryForm.h"
#include "PdfFile.h"
#include "monthly/PayoutList.h"
#include "output/PagePlan.h"
#include "reports/YearOverview.h"
#include "staff/RosterDiff.h"

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace vel;

namespace {

struct Word {
    QString text;
    QRectF box;
};

struct PdfPage {
    QSizeF size;
    std::vector<Word> words;
};

QString unescaped(QString text)
{
    return text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
}

std::vector<PdfPage> readWords(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression item(QStringLiteral(
        R"re(<page width="([0-9.]+)" height="([0-9.]+)">|)re"
        R"re(<word xMin="([0-9.-]+)" yMin="([0-9.-]+)" xMax="([0-9.-]+)" yMax="([0-9.-]+)">([^<]*)</word>)re"));
    std::vector<PdfPage> pages;
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.push_back({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!pages.empty()) {
            const QPointF from(m.captured(3).toDouble(), m.captured(4).toDouble());
            const QPointF to(m.captured(5).toDouble(), m.captured(6).toDouble());
            pages.back().words.push_back({unescaped(m.captured(7)), QRectF(from, to)});
        }
    }
    return pages;
}

QString withoutBlanks(const QString& text)
{
    QString kept;
    for (const QChar c : text)
        if (!c.isSpace())
            kept += c;
    return kept;
}

// The characters of a text but its blanks, in order of code point.
QString sortedCharacters(const QString& text)
{
    QString kept = withoutBlanks(text);
    std::sort(kept.begin(), kept.end());
    return kept;
}

// Every text the page draws: the cells of its rows (a merged block's text once, from its first
// cell), the owner above and the page number below.
QString drawnText(const LaidOutSheet& sheet, const PagePlan& plan, int index)
{
    QString text;
    for (int r : plan.pages[static_cast<size_t>(index)].rows)
        for (int c = 1; c <= sheet.lastColumn; ++c) {
            const LaidOutCell* cell = sheet.cell(r, c);
            const CellRange* merge = sheet.mergeAt(r, c);
            if (cell && (!merge || (merge->r1 == r && merge->c1 == c)))
                text += cell->text;
        }
    if (plan.ownerHeight > 0)
        text += sheet.stamp.owner;
    if (plan.numberHeight > 0)
        text += pageNumberText(QString::number(index + 1), QString::number(plan.pages.size()));
    return text;
}

// What set the characters apart: those drawn but not in the text layer, and the other way.
std::string difference(QString drawn, QString layer)
{
    QString missing;
    for (const QChar c : drawn) {
        const qsizetype at = layer.indexOf(c);
        if (at < 0)
            missing += c;
        else
            layer.remove(at, 1);
    }
    return ("missing [" + missing + "] extra [" + layer + "]").toStdString();
}

// Two words overlap when their boxes share more than half a point across and half the lower one's
// height: a word's box is its font's, taller than the ink, so lines of a table set close touch.
bool overlap(const QRectF& a, const QRectF& b)
{
    const QRectF both = a.intersected(b);
    return both.width() > 0.5 && both.height() > 0.5 * std::min(a.height(), b.height());
}

void checkPdf(const std::string& what, const LaidOutSheet& sheet, const QString& pdf)
{
    const PagePlan plan = planPages(sheet);
    const std::vector<PdfPage> pages = readWords(pdf);
    ASSERT_EQ(pages.size(), plan.pages.size()) << what;
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        const std::string where = what + " page " + std::to_string(i + 1);
        const PdfPage& page = pages[static_cast<size_t>(i)];
        QString layer;
        for (const Word& w : page.words)
            layer += w.text;
        for (const QChar c : layer)
            EXPECT_FALSE(c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF)
                << where << ": radical U+" << std::hex << c.unicode() << " in the text layer";
        const QString drawn = drawnText(sheet, plan, i);
        EXPECT_EQ(sortedCharacters(layer), sortedCharacters(drawn))
            << where << ": " << difference(withoutBlanks(drawn), withoutBlanks(layer));

        const QRectF paper(QPointF(0, 0), page.size);
        for (size_t a = 0; a < page.words.size(); ++a) {
            const Word& w = page.words[a];
            EXPECT_TRUE(paper.adjusted(-0.5, -0.5, 0.5, 0.5).contains(w.box))
                << where << ": " << w.text.toStdString() << " passes the paper's edge";
            for (size_t b = a + 1; b < page.words.size(); ++b)
                EXPECT_FALSE(overlap(w.box, page.words[b].box))
                    << where << ": " << w.text.toStdString() << " over "
                    << page.words[b].text.toStdString();
        }
    }
}

// A unit name of `length` characters, as long names run (branches, project departments).
QString unitName(int length)
{
    const QString parts = QStringLiteral(
        "临川市恒达建筑工程有限公司第三工程分公司城东片区市政道路及配套管网改造项目经理部"
        "第二施工队综合办公室劳务分包管理中心");
    QString name;
    while (name.size() < length)
        name += parts;
    return name.left(length);
}

}  // namespace

TEST(PrintedText, EveryPageHoldsWhatItDrawsForNamesShortAndLong)
{
    for (int length : {1, 45, 60, 127}) {
        for (bool organ : {false, true}) {
            TestSession s;
            const QString name = unitName(length);
            everyFormYear(s, organ, name);
            const std::string kind = (organ ? "organ, name of " : "name of ") + std::to_string(length);
            for (const auto& form : everyForm(*s)) {
                const LaidOutSheet sheet = form->printedSheet();
                const QString pdf = pdfPath(s->folder(), form->workbookName());
                writePdf(sheet, pdf);
                checkPdf(form->form().number.toStdString() + ", " + kind, sheet, pdf);
            }

            const UnitAttributes& unit = s->unit();
            const std::vector<std::pair<std::string, LaidOutSheet>> lists = {
                {"payout list", payoutPage(listPayouts(s.db(), 1, 12), unit, 1, 12, QDate(2012, 12, 31)).laidOut()},
                {"roster changes", rosterDiffPage(diffRosters(s.db(), 0, 12), unit).laidOut()},
                {"year overview", yearOverviewPage(yearOverview(*s), unit).laidOut()},
            };
            for (const auto& [what, sheet] : lists) {
                const QString pdf = pdfPath(s->folder(), QString::fromStdString(what));
                writePdf(sheet, pdf);
                checkPdf(what + ", " + kind, sheet, pdf);
                // Whose and which page, on every page.
                const std::vector<PdfPage> pages = readWords(pdf);
                for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
                    QString layer;
                    for (const Word& w : pages[static_cast<size_t>(i)].words)
                        layer += w.text;
                    // Name and code each whole; pdftotext may order the two apart.
                    const QString owner = withoutBlanks(unitPageOwner(name, unit.CurDepNo));
                    for (const QString& part : owner.split(QStringLiteral("单位代码")))
                        EXPECT_TRUE(layer.contains(part))
                            << what << ", " << kind << " page " << i + 1 << " lacks "
                            << part.toStdString();
                    EXPECT_TRUE(layer.contains(withoutBlanks(pageNumberText(
                        QString::number(i + 1), QString::number(pages.size())))))
                        << what << ", " << kind << " page " << i + 1;
                }
            }
        }
    }
}
