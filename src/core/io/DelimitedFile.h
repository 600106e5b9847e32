#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

// The two encodings a clerk's file may come in: UTF-8, or GBK from the legacy system.
enum class TextEncoding { Utf8, Gbk };
QString encodingName(TextEncoding encoding);  // "UTF-8", "GBK"
// "utf-8" or "gbk", any case; nullopt for anything else.
std::optional<TextEncoding> encodingFromName(const QString& name);

// A file larger than this is no roster or wage list: it is refused before it is read
// (readImportFile).
constexpr qint64 MaxImportFileBytes = 8 * 1024 * 1024;
[[noreturn]] void refuseLargeFile(const QString& path);

// One line of a delimited file: its cells, and its number counted in physical lines from 1.
struct DelimitedLine {
    int line = 0;
    QStringList cells;
};

struct DelimitedText {
    TextEncoding encoding = TextEncoding::Utf8;
    std::vector<DelimitedLine> lines;  // the header line included
};

// Splits a file's bytes into lines ("\n", any "\r" before it belonging to the line end; in a file
// without any "\n", a lone "\r") and
// decodes them in one encoding for the whole file: the given one, else UTF-8 when every line is
// UTF-8 that reads as Chinese text, else GBK when every line is GBK. A UTF-8 byte-order mark is
// dropped. Cells are separated by tabs when the first line holds one, else by commas; a cell may
// be quoted ("" for a quote). Throws ConversionError naming the line (and column) for a file that
// mixes the encodings or is valid in neither, a quote left open at the end of a line, and any
// control character (a NUL, a tab inside a comma-separated cell ...); a lone carriage return
// among "\n" line ends is refused as mixed line ends.
DelimitedText parseDelimitedBytes(const QByteArray& bytes,
                                  std::optional<TextEncoding> encoding = std::nullopt);

// The first control character of a text a person typed or a file brought, or -1 when there is
// none: C0 and C1 controls, DEL, and the invisible marks that turn or isolate the direction of the
// text around them (U+202A..U+202E, U+2066..U+2069), with which a name prints other than it is.
qsizetype controlCharAt(const QString& text);
// "U+0000" for the character at the position: how a refusal names an invisible character.
QString charCodeText(QChar c);
// Throws ConversionError naming line and column for a cell that holds a control character.
void refuseControlCharacters(const QString& cell, int line, int column);
// Throws ConversionError "第{line}行第{column}列" followed by why.
[[noreturn]] void refuseCell(int line, int column, const QString& why);

}  // namespace vel
