#include "PdfTextLayer.h"

#include <QRawFont>

#include <vector>

namespace vel {

namespace {

constexpr char16_t FirstRadical = 0x2E80;
constexpr char16_t LastRadical = 0x2FDF;

bool isRadical(uint code)
{
    return code >= FirstRadical && code <= LastRadical;
}

// The unified ideographs: the basic block, extension A and the compatibility block.
QString unifiedIdeographs()
{
    QString all;
    for (char16_t c = 0x3400; c <= 0x4DBF; ++c)
        all += QChar(c);
    for (char16_t c = 0x4E00; c <= 0x9FFF; ++c)
        all += QChar(c);
    for (char16_t c = 0xF900; c <= 0xFAFF; ++c)
        all += QChar(c);
    return all;
}

void replaceRadical(QByteArray& pdf, qsizetype at, const QHash<char16_t, char16_t>& unified)
{
    bool ok = false;
    const uint code = pdf.mid(at, 4).toUInt(&ok, 16);
    if (!ok || !isRadical(code))
        return;
    const auto found = unified.find(static_cast<char16_t>(code));
    if (found != unified.end())
        pdf.replace(at, 4, QByteArray::number(*found, 16).rightJustified(4, '0').toUpper());
}

// Rewrites the codes of one character map's lines, "<glyph> <code>" or "<first> <last> [<code>
// …]", and "<first> <last> <code>" where first and last are one glyph (a range that runs on
// from one code is left whole). The glyph numbers stay as they are.
void fixMapLines(QByteArray& pdf, qsizetype begin, qsizetype end, int sources,
                 const QHash<char16_t, char16_t>& unified)
{
    for (qsizetype line = begin; line < end;) {
        qsizetype lineEnd = pdf.indexOf('\n', line);
        if (lineEnd < 0 || lineEnd > end)
            lineEnd = end;
        std::vector<qsizetype> codes;  // where each four-digit code starts
        for (qsizetype at = pdf.indexOf('<', line); at >= 0 && at + 5 < lineEnd;
             at = pdf.indexOf('<', at + 1))
            if (pdf.at(at + 5) == '>')
                codes.push_back(at + 1);
        const bool list = pdf.mid(line, lineEnd - line).contains('[');
        const bool oneGlyph = codes.size() == 3 && pdf.mid(codes[0], 4) == pdf.mid(codes[1], 4);
        if (sources == 1 || list || oneGlyph)
            for (size_t i = static_cast<size_t>(sources); i < codes.size(); ++i)
                replaceRadical(pdf, codes[i], unified);
        line = lineEnd + 1;
    }
}

void fixMaps(QByteArray& pdf, const QByteArray& opening, const QByteArray& closing, int sources,
             const QHash<char16_t, char16_t>& unified)
{
    for (qsizetype at = pdf.indexOf(opening); at >= 0; at = pdf.indexOf(opening, at)) {
        const qsizetype end = pdf.indexOf(closing, at);
        if (end < 0)
            return;
        fixMapLines(pdf, at + opening.size(), end, sources, unified);
        at = end;
    }
}

}  // namespace

QHash<char16_t, char16_t> unifiedForRadicals(const QList<QFont>& fonts)
{
    static const QString ideographs = unifiedIdeographs();
    QString radicals;
    for (char16_t c = FirstRadical; c <= LastRadical; ++c)
        radicals += QChar(c);
    QHash<char16_t, char16_t> unified;
    for (const QFont& font : fonts) {
        const QRawFont raw = QRawFont::fromFont(font);
        if (!raw.isValid())
            continue;
        QHash<quint32, char16_t> byGlyph;
        const QList<quint32> glyphs = raw.glyphIndexesForString(ideographs);
        for (qsizetype i = 0; i < glyphs.size() && i < ideographs.size(); ++i)
            if (glyphs[i] != 0 && !byGlyph.contains(glyphs[i]))
                byGlyph.insert(glyphs[i], ideographs[i].unicode());
        const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(radicals);
        for (qsizetype i = 0; i < radicalGlyphs.size() && i < radicals.size(); ++i) {
            const auto found = byGlyph.find(radicalGlyphs[i]);
            if (radicalGlyphs[i] != 0 && found != byGlyph.end())
                unified.insert(radicals[i].unicode(), *found);
        }
    }
    return unified;
}

QByteArray withUnifiedIdeographs(QByteArray pdf, const QHash<char16_t, char16_t>& unified)
{
    fixMaps(pdf, "beginbfrange", "endbfrange", 2, unified);
    fixMaps(pdf, "beginbfchar", "endbfchar", 1, unified);
    return pdf;
}

}  // namespace vel
