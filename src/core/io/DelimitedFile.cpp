#include "DelimitedFile.h"

#include "Errors.h"

#include <QStringDecoder>

namespace vel {
namespace {

bool isAscii(const QByteArray& bytes)
{
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    return true;
}

std::optional<QString> decoded(const QByteArray& bytes, TextEncoding encoding)
{
    QStringDecoder decoder = encoding == TextEncoding::Utf8
                                 ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)
                                 : QStringDecoder("GBK", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    // Bytes outside GBK proper come back as private-use characters or replacements, not errors.
    if (encoding == TextEncoding::Gbk)
        for (QChar c : text)
            if (c.category() == QChar::Other_PrivateUse || c == QChar::ReplacementCharacter)
                return std::nullopt;
    return text;
}

// GBK bytes that happen to be valid UTF-8 decode to Latin, Greek, Cyrillic, Hebrew ... or
// private-use characters, which no Chinese roster holds; the middle dot of minority names may.
bool readsAsChinese(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || u == 0xB7)
            continue;
        if (u < 0x2000 || (u >= 0xE000 && u <= 0xF8FF) || c.isSurrogate())
            return false;
    }
    return true;
}

// Decides one encoding for every line; lines of plain ASCII read the same in both.
TextEncoding detectEncoding(const std::vector<QByteArray>& raw)
{
    int utf8Line = 0;
    int gbkLine = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (isAscii(raw[i]))
            continue;
        const int line = static_cast<int>(i) + 1;
        const std::optional<QString> utf8 = decoded(raw[i], TextEncoding::Utf8);
        if (utf8 && readsAsChinese(*utf8)) {
            if (!utf8Line)
                utf8Line = line;
        } else if (decoded(raw[i], TextEncoding::Gbk)) {
            if (!gbkLine)
                gbkLine = line;
        } else if (utf8) {
            if (!utf8Line)
                utf8Line = line;
        } else {
            throw ConversionError(
                QStringLiteral("第%1行既不是UTF-8也不是GBK编码，无法读取。").arg(line));
        }
    }
    if (utf8Line && gbkLine)
        throw ConversionError(
            QStringLiteral("文件混用了两种编码（第%1行是UTF-8，第%2行是GBK），无法读取。"
                           "请把文件统一保存为一种编码，或用 --encoding 指定编码。")
                .arg(utf8Line)
                .arg(gbkLine));
    return gbkLine ? TextEncoding::Gbk : TextEncoding::Utf8;
}

QStringList splitLine(const QString& text, QChar separator, int line)
{
    QStringList cells;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (true) {
        const int column = static_cast<int>(cells.size()) + 1;
        QString field;
        bool quoted = false;
        if (pos < n && text[pos] == u'"') {
            qsizetype i = pos + 1;
            QString value;
            for (; i < n; ++i) {
                if (text[i] != u'"') {
                    value += text[i];
                } else if (i + 1 < n && text[i + 1] == u'"') {
                    value += u'"';
                    ++i;
                } else {
                    break;
                }
            }
            if (i >= n)
                refuseCell(line, column, QStringLiteral("的引号没有在本行结束（单元格内不能换行）。"));
            // Text after the closing quote makes the quote part of a plain cell.
            if (i + 1 >= n || text[i + 1] == separator) {
                field = value;
                pos = i + 1;
                quoted = true;
            }
        }
        if (!quoted) {
            const qsizetype start = pos;
            while (pos < n && text[pos] != separator)
                ++pos;
            field = text.mid(start, pos - start);
        }
        // A lone return among ordinary line ends says more than "a control character".
        if (field.contains(u'\r'))
            refuseCell(line, column,
                       QStringLiteral("含有单独的回车符 U+000D：文件的换行方式不统一，"
                                      "请把文件统一保存为一种换行方式后再导入。"));
        refuseControlCharacters(field, line, column);
        cells.append(field);
        if (pos >= n)
            return cells;
        ++pos;  // the separator
    }
}

}  // namespace

QString encodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("GBK");
}

std::optional<TextEncoding> encodingFromName(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == u"utf-8" || n == u"utf8")
        return TextEncoding::Utf8;
    if (n == u"gbk")
        return TextEncoding::Gbk;
    return std::nullopt;
}

qsizetype controlCharAt(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
            (c >= 0x2066 && c <= 0x2069))
            return i;
    }
    return -1;
}

QString charCodeText(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
}

void refuseCell(int line, int column, const QString& why)
{
    throw ConversionError(QStringLiteral("第%1行第%2列%3").arg(line).arg(column).arg(why));
}

void refuseControlCharacters(const QString& cell, int line, int column)
{
    const qsizetype bad = controlCharAt(cell);
    if (bad >= 0)
        refuseCell(line, column,
                   QStringLiteral("含有控制字符 %1，请删除后再导入。").arg(charCodeText(cell[bad])));
}

DelimitedText parseDelimitedBytes(const QByteArray& bytes, std::optional<TextEncoding> encoding)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) {
        body.remove(0, 3);
        encoding = encoding.value_or(TextEncoding::Utf8);
    }
    // Lines end in "\n" (any "\r" before it belongs to the line end), or, in a file that holds no
    // "\n" at all, in a lone "\r" as old Mac programs write them.
    const char lineEnd = body.contains('\n') ? '\n' : '\r';
    std::vector<QByteArray> raw;
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = body.indexOf(lineEnd, start);
        const bool last = end < 0;
        if (last)
            end = body.size();
        qsizetype stop = end;
        while (!last && lineEnd == '\n' && stop > start && body[stop - 1] == '\r')
            --stop;
        raw.push_back(body.mid(start, stop - start));
        start = end + 1;
    }

    DelimitedText text;
    text.encoding = encoding ? *encoding : detectEncoding(raw);
    QChar separator = u',';
    for (size_t i = 0; i < raw.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const std::optional<QString> decodedLine = decoded(raw[i], text.encoding);
        if (!decodedLine)
            throw ConversionError(QStringLiteral("第%1行不是%2编码，无法读取。")
                                      .arg(line)
                                      .arg(encodingName(text.encoding)));
        if (i == 0 && decodedLine->contains(u'\t'))
            separator = u'\t';
        text.lines.push_back({line, splitLine(*decodedLine, separator, line)});
    }
    return text;
}

void refuseLargeFile(const QString& path)
{
    throw FileError(QStringLiteral("文件 %1 超过%2 MB，不是可导入的名册或工资表。")
                        .arg(path)
                        .arg(MaxImportFileBytes / (1024 * 1024)));
}

}  // namespace vel
