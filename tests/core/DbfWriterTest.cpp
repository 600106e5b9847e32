#include "Errors.h"
#include "EveryForm.h"
#include "PythonReader.h"
#include "TestSession.h"
#include "output/DbfWriter.h"
#include "staff/RosterSubmission.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <map>

using namespace vel;

namespace {

// Whole numbers, decimals, texts in Chinese and nulls, as a report or roster table holds them.
void fillTable(Db& db)
{
    db.exec("CREATE TABLE t (id INTEGER, amount REAL, label TEXT, note TEXT, figure NUMERIC)");
    db.exec("INSERT INTO t VALUES (1, 1234.5, '张三', NULL, 10)");
    db.exec("INSERT INTO t VALUES (-20, 0.25, 'abc', '中共党员', NULL)");
    db.exec("INSERT INTO t VALUES (NULL, NULL, '', NULL, 3)");
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QJsonObject field(const QString& name, const QString& type, int length, int decimals)
{
    return {{"name", name}, {"type", type}, {"length", length}, {"decimals", decimals}};
}

}  // namespace

TEST(DbfWriter, TableReadsBackInCodePage936)
{
    TestSession s;
    fillTable(s.db());
    const QString path =
        submissionPath(s->folder(), SubmissionFolder::Gzsb, "123456789_1_i202.dbf");
    EXPECT_EQ(path, s->folder().root() + "/GZSB/123456789_1_i202.dbf");
    writeDbf(s.db(), DbfSource::table("t"), path);

    const QByteArray raw = bytesOf(path);
    ASSERT_GT(raw.size(), 32);
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), 0x03);   // dBASE without memo
    EXPECT_EQ(static_cast<unsigned char>(raw[29]), 0x7A);  // language driver: code page 936

    const QJsonObject dbf = readWithPython("read_dbf.py", path);
    EXPECT_EQ(dbf["fields"].toArray(),
              (QJsonArray{field("id", "N", 11, 0), field("amount", "N", 14, 2),
                          field("label", "C", 4, 0),  // 张三 is four bytes in GBK
                          field("note", "C", 8, 0), field("figure", "N", 11, 0)}));
    EXPECT_EQ(dbf["records"].toArray(),
              (QJsonArray{QJsonArray{1, 1234.5, "张三", "", 10},
                          QJsonArray{-20, 0.25, "abc", "中共党员", QJsonValue()},
                          QJsonArray{QJsonValue(), QJsonValue(), "", "", 3}}));
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"123456789_1_i202.dbf"});
}

TEST(DbfWriter, QueryColumnsBecomeFieldsUnderTheirNames)
{
    TestSession s;
    fillTable(s.db());
    const QString path = s.path() + "/q.dbf";
    // Names longer than dBASE's ten bytes are cut, and made unique when the cut ones clash.
    const DbfSource source{
        "SELECT id AS VeryLongColumnName, id * 2 AS verylongcolumnname2,"
        " label AS 姓名编号与姓名, NULL AS blank FROM t WHERE id > ? ORDER BY id",
        {-100LL}};
    writeDbf(s.db(), source, path);
    QJsonObject dbf = readWithPython("read_dbf.py", path);
    EXPECT_EQ(dbf["fields"].toArray(),
              (QJsonArray{field("VeryLongCo", "N", 11, 0), field("verylong_2", "N", 11, 0),
                          field("姓名编号与", "C", 4, 0), field("blank", "C", 1, 0)}));
    EXPECT_EQ(dbf["records"].toArray(),
              (QJsonArray{QJsonArray{-20, -40, "abc", ""}, QJsonArray{1, 2, "张三", ""}}));

    // No row: the fields alone.
    writeDbf(s.db(), {source.select, {100LL}}, path);
    dbf = readWithPython("read_dbf.py", path);
    EXPECT_EQ(dbf["fields"].toArray().size(), 4);
    EXPECT_TRUE(dbf["records"].toArray().isEmpty());
}

TEST(DbfWriter, TextDbaseCannotHoldRefusesTheWholeFile)
{
    struct Case {
        const char* what;
        QString note;
        QString expected;
    } cases[] = {
        {"emoji", QString::fromUtf8("张😀"), "第2条记录的“note”字段含有GBK编码无法表示的字符“😀”"},
        {"rare character", QString::fromUtf8("𠀀"),
         "第2条记录的“note”字段含有GBK编码无法表示的字符“𠀀”"},
        // Windows' GBK puts the euro sign on byte 0x80; GBK proper and its readers do not.
        {"euro sign", QString::fromUtf8("5€"), "第2条记录的“note”字段含有GBK编码无法表示的字符“€”"},
        {"self-made glyph", QString(QChar(0xE000)),
         "第2条记录的“note”字段含有GBK编码无法表示的字符“\uE000”"},
        {"byte-order mark", "张" + QString(QChar(0xFEFF)) + "三",
         "第2条记录的“note”字段含有GBK编码无法表示的字符“\uFEFF”"},
        {"too long", QString(128, QChar(0x5F20)), "第2条记录的“note”字段有256个字节"},
    };
    for (const Case& c : cases) {
        TestSession s;
        fillTable(s.db());
        s.db().exec("UPDATE t SET note = ? WHERE id = -20", {c.note});
        const QString path = s.path() + "/Gl_123456789.dbf";
        QFile previous(path);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous submission");
        previous.close();
        try {
            writeDbf(s.db(), DbfSource::table("t"), path);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ConversionError& e) {
            EXPECT_TRUE(e.message().startsWith(c.expected))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_EQ(bytesOf(path), "previous submission") << c.what;
        EXPECT_EQ(QDir(s.path()).entryList({"*.dbf", ".*.dbf"}, QDir::Files | QDir::Hidden),
                  QStringList{"Gl_123456789.dbf"})
            << c.what;
    }
}

TEST(DbfWriter, UnwritableTargetKeepsThePreviousFile)
{
    TestSession s;
    fillTable(s.db());
    const QString file = s.path() + "/plain";
    QFile plain(file);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_THROW(writeDbf(s.db(), DbfSource::table("t"), file + "/x.dbf"), FileError);
    // A query the database refuses is its error, before any file is made.
    EXPECT_THROW(writeDbf(s.db(), DbfSource::table("missing"), s.path() + "/m.dbf"), DatabaseError);
    EXPECT_FALSE(QFile::exists(s.path() + "/m.dbf"));
}

TEST(DbfWriter, QuarterlySubmissionRemovesOnlyTheQuarterlessName)
{
    TestSession s;
    fillTable(s.db());
    const auto gzsb = [&](const char* name) {
        return submissionPath(s->folder(), SubmissionFolder::Gzsb, name);
    };
    for (const char* old : {"123456789_i202.dbf", "123456789_1_i202.dbf", "123456789_2_i202.dbf"}) {
        QFile f(gzsb(old));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    writeDbf(s.db(), DbfSource::table("t"), gzsb("123456789_1_i202.dbf"));
    removeOlderFile(gzsb("123456789_i202.dbf"));
    removeOlderFile(gzsb("123456789_i202.dbf"));  // already gone: nothing to do
    EXPECT_EQ(QDir(s->folder().root() + "/GZSB").entryList(QDir::Files | QDir::Hidden),
              (QStringList{"123456789_1_i202.dbf", "123456789_2_i202.dbf"}));
    EXPECT_GT(QFileInfo(gzsb("123456789_1_i202.dbf")).size(), 0);
}

TEST(DbfWriter, EverySubmissionFileHasOneLayoutWhateverTheUnitsName)
{
    // The shortest name and the longest registration accepts: 127 characters, 254 GBK bytes.
    const QString names[] = {QStringLiteral("甲"), QString(127, QChar(0x7532))};
    for (bool organ : {false, true}) {
        std::map<QString, QJsonArray> fieldsOf[2];
        for (int n = 0; n < 2; ++n) {
            TestSession s;
            everyFormYear(s, organ, names[n]);
            // The year's wages of nobody on a roster would refuse the submission (E07).
            s.db().exec("DELETE FROM Wage_Info WHERE sNumber = '99999'");
            QStringList paths;
            for (const auto& run : everyForm(*s))
                if (run->submissionOffered()) {
                    run->submit();
                    paths << run->submissionPaths();
                }
            paths << writeRosterSubmission(s.db(), s->folder(), s->unit().CurDepNo);
            for (const QString& path : paths) {
                const QJsonObject dbf = readWithPython("read_dbf.py", path);
                const QFileInfo file(path);
                fieldsOf[n][file.dir().dirName() + '/' + file.fileName()] = dbf["fields"].toArray();
                for (const QJsonValue& f : dbf["fields"].toArray())
                    if (f.toObject()["name"] == "frmc")
                        EXPECT_EQ(f.toObject()["length"].toInt(), DbfMaxTextBytes) << path.toStdString();
            }
        }
        // I202-1, I102-1, I202-2, I102-2, the wage summary, the two talent summaries and the
        // roster they share with the roster window.
        EXPECT_EQ(fieldsOf[0].size(), 8u) << organ;
        EXPECT_EQ(fieldsOf[0], fieldsOf[1]) << organ;
    }
}
