#include "Errors.h"
#include "io/DelimitedFile.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace vel;

namespace {

QByteArray gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder(text);
}

QStringList cells(const DelimitedText& text, size_t line)
{
    return text.lines.at(line).cells;
}

std::string refusal(const QByteArray& bytes, std::optional<TextEncoding> encoding = {})
{
    try {
        parseDelimitedBytes(bytes, encoding);
    } catch (const ConversionError& e) {
        return e.message().toStdString();
    }
    return "read without refusal";
}

}  // namespace

TEST(DelimitedFile, DecidesOneEncodingForTheWholeFile)
{
    const DelimitedText utf8 = parseDelimitedBytes(QStringLiteral("姓名,编号\n张三,1\n").toUtf8());
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
    EXPECT_EQ(cells(utf8, 1), (QStringList{"张三", "1"}));

    const DelimitedText legacy = parseDelimitedBytes(gbk(QStringLiteral("姓名,编号\n张三,1\n")));
    EXPECT_EQ(legacy.encoding, TextEncoding::Gbk);
    EXPECT_EQ(cells(legacy, 1), (QStringList{"张三", "1"}));

    // Every byte pair of these GBK names is also valid UTF-8 (Latin letters and signs).
    const QByteArray lookalike = "name,number\n" + gbk(QStringLiteral("卢莫,1\n毛梅,2\n"));
    ASSERT_TRUE(QString::fromUtf8(lookalike).toUtf8() == lookalike);
    const DelimitedText guessed = parseDelimitedBytes(lookalike);
    EXPECT_EQ(guessed.encoding, TextEncoding::Gbk);
    EXPECT_EQ(cells(guessed, 2), (QStringList{"毛梅", "2"}));
    // The clerk's word wins.
    EXPECT_EQ(parseDelimitedBytes(lookalike, TextEncoding::Utf8).encoding, TextEncoding::Utf8);

    // A byte-order mark says UTF-8 and is not part of the first cell.
    const DelimitedText marked = parseDelimitedBytes("\xEF\xBB\xBFh1,h2\n");
    EXPECT_EQ(cells(marked, 0), (QStringList{"h1", "h2"}));
}

TEST(DelimitedFile, RefusesMixedOrUnreadableFilesNamingTheLine)
{
    const QByteArray mixed =
        "h\n" + QStringLiteral("张三,1\n").toUtf8() + gbk(QStringLiteral("李四,2\n"));
    EXPECT_EQ(refusal(mixed),
              "文件混用了两种编码（第2行是UTF-8，第3行是GBK），无法读取。"
              "请把文件统一保存为一种编码，或用 --encoding 指定编码。");
    EXPECT_EQ(refusal("h\n\xFF\xFF\n"), "第2行既不是UTF-8也不是GBK编码，无法读取。");
    EXPECT_EQ(refusal(gbk(QStringLiteral("h\n张三\n")), TextEncoding::Utf8),
              "第2行不是UTF-8编码，无法读取。");
}

TEST(DelimitedFile, RefusesControlCharactersAndOpenQuotesByPhysicalLine)
{
    const struct {
        QByteArray bytes;
        std::string message;
    } cases[] = {
        {QByteArray("h\nab,c\0d\n", 10), "第2行第2列含有控制字符 U+0000，请删除后再导入。"},
        {"h\n\"a\tb\",c\n", "第2行第1列含有控制字符 U+0009，请删除后再导入。"},
        {"h\r\r\nx\r\r\na\rb,c\n",
         "第3行第1列含有单独的回车符 U+000D：文件的换行方式不统一，"
         "请把文件统一保存为一种换行方式后再导入。"},
        {"h\nx,\"two\nlines\",y\n", "第2行第2列的引号没有在本行结束（单元格内不能换行）。"},
        {"h\tk\n1\t\x1b\n", "第2行第2列含有控制字符 U+001B，请删除后再导入。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c.bytes), c.message) << c.bytes.toStdString();
}

TEST(DelimitedFile, CountsPhysicalLinesAndReadsQuotedCells)
{
    const DelimitedText text = parseDelimitedBytes("h,k\r\r\na,\"b,\"\"c\"\"\"\r\n\nd,x\"y\n");
    ASSERT_EQ(text.lines.size(), 4u);
    EXPECT_EQ(text.lines[3].line, 4);
    EXPECT_EQ(cells(text, 1), (QStringList{"a", "b,\"c\""}));
    EXPECT_EQ(cells(text, 2), QStringList{""});
    EXPECT_EQ(cells(text, 3), (QStringList{"d", "x\"y"}));
}

// Old Mac programs end lines in a lone carriage return; such a file has no "\n" at all.
TEST(DelimitedFile, ReadsLinesEndedByCarriageReturnsAlone)
{
    const DelimitedText text = parseDelimitedBytes("h,k\r001,\"a\"\r\r002,b\r");
    ASSERT_EQ(text.lines.size(), 4u);
    EXPECT_EQ(cells(text, 1), (QStringList{"001", "a"}));
    EXPECT_EQ(cells(text, 2), QStringList{""});
    EXPECT_EQ(text.lines[3].line, 4);
    EXPECT_EQ(cells(text, 3), (QStringList{"002", "b"}));
}
