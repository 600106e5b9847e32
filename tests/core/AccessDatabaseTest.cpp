#include "AsReader.h"
#include "Errors.h"
#include "history/AccessDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vel;

namespace {

const QString Fixtures = QStringLiteral(VEL_FIXTURES_DIR "/predecessor/");
const QString Good = Fixtures + "good/Database/RCdatabase.mdb";

// The expected cells as the independent writer reads them back: \N for NULL.
std::vector<QStringList> expectedRows(const QString& table)
{
    QFile file(Fixtures + "expected-" + table + ".tsv");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<QStringList> rows;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            rows.push_back(QString::fromUtf8(line).split(u'\t'));
    return rows;
}

// A value matches its expected text exactly: NULL only \N, an empty text only an empty field,
// a double the very double the text names.
::testing::AssertionResult matches(const SqlValue& value, const QString& expected)
{
    if (std::holds_alternative<std::nullptr_t>(value))
        return expected == u"\\N" ? ::testing::AssertionSuccess()
                                  : ::testing::AssertionFailure() << "NULL, not " << expected.toStdString();
    if (const auto* text = std::get_if<QString>(&value))
        return *text == expected ? ::testing::AssertionSuccess()
                                 : ::testing::AssertionFailure()
                                       << "\"" << text->toStdString() << "\"";
    if (const auto* n = std::get_if<long long>(&value))
        return QString::number(*n) == expected ? ::testing::AssertionSuccess()
                                               : ::testing::AssertionFailure() << *n;
    const double d = std::get<double>(value);
    return expected != u"\\N" && d == expected.toDouble()
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << QString::number(d, 'g', 17).toStdString();
}

std::string refusal(const QString& path, const QStringList& tables = {"Staff_moninfo"})
{
    try {
        readAccessTables(path, tables, std::chrono::seconds(3));
    } catch (const Error& e) {
        return e.message().toStdString();
    }
    return "read without refusal";
}

std::string damaged(const QString& path)
{
    return ("原系统数据库已损坏或不是Access数据库文件，无法读取：" + path).toStdString();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

}  // namespace

// Every cell of the three tables as the file holds it: NULL and empty text apart, names and
// numbers with their blanks, amounts exact to the fen (99.99, 3000.5, 600.25).
TEST(AccessDatabase, ReadsEveryCellAsTheFileHoldsIt)
{
    const QStringList names = {"Dep_Info", "staff_moninfo", "Wage_Info"};
    const std::vector<std::optional<AccessTable>> tables =
        readAccessTables(Good, names + QStringList{"Staff_Info"});
    ASSERT_EQ(tables.size(), 4u);
    EXPECT_FALSE(tables[3]);  // a table the file does not have
    for (size_t t = 0; t < 3; ++t) {
        SCOPED_TRACE(names[t].toStdString());
        const std::vector<QStringList> expected = expectedRows(t == 1 ? "Staff_moninfo" : names[t]);
        ASSERT_TRUE(tables[t]);
        const AccessTable& table = *tables[t];
        ASSERT_EQ(table.rows.size() + 1, expected.size());
        for (const QString& column : expected[0]) {
            const int c = table.column(column);
            ASSERT_GE(c, 0) << column.toStdString();
            for (size_t r = 0; r < table.rows.size(); ++r)
                EXPECT_TRUE(matches(table.rows[r][c], expected[r + 1][expected[0].indexOf(column)]))
                    << column.toStdString() << " of row " << r + 1;
        }
    }
}

TEST(AccessDatabase, RefusesWhatItCannotReadWhole)
{
    QTemporaryDir dir;
    // Cut short where the library still reads on without a word, but finds fewer rows.
    QFile good(Good);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QString shortFile = dir.filePath("short.mdb");
    writeFile(shortFile, good.readAll().left(37 * 4096));
    const QString text = dir.filePath("text.mdb");
    writeFile(text, "not a database\n");
    const QString truncated = Fixtures + "truncated/Database/RCdatabase.mdb";

    EXPECT_EQ(refusal(truncated, {"Staff_moninfo", "Wage_Info"}), damaged(truncated));
    EXPECT_EQ(refusal(shortFile, {"Staff_moninfo", "Wage_Info"}), damaged(shortFile));
    EXPECT_EQ(refusal(text), damaged(text));
    EXPECT_EQ(refusal(dir.filePath("missing.mdb")), damaged(dir.filePath("missing.mdb")));

    // A good file the user may not read is named as such.
    const QString shut = dir.filePath("shut.mdb");
    ASSERT_TRUE(QFile::copy(Good, shut));
    ASSERT_TRUE(QFile::setPermissions(shut, QFileDevice::WriteOwner));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeOther);
    const std::string noRights =
        ("没有读取原系统数据库文件的权限，无法读取：" + shut +
         "。请检查该文件及其所在文件夹的读权限后再试。")
            .toStdString();
    EXPECT_TRUE(asReader([&] { return refusal(shut) == noRights; }));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
}

// A reader that crashes or hangs ends itself, not the program.
TEST(AccessDatabase, SurvivesAReaderThatCrashesOrHangs)
{
    QTemporaryDir dir;
    const QString crashing = dir.filePath("crashing");
    writeFile(crashing, "#!/bin/sh\necho noise\nkill -SEGV $$\n");
    const QString hanging = dir.filePath("hanging");
    writeFile(hanging, "#!/bin/sh\nexec sleep 600\n");
    qputenv("VELDRASSA_MDB_READER", crashing.toLocal8Bit());
    EXPECT_EQ(refusal(Good), damaged(Good));
    qputenv("VELDRASSA_MDB_READER", hanging.toLocal8Bit());
    EXPECT_EQ(refusal(Good), damaged(Good));
    qunsetenv("VELDRASSA_MDB_READER");
}
