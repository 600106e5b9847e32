#include "AsReader.h"
#include "Errors.h"
#include "TestSession.h"
#include "WorkFolder.h"
#include "maintenance/DatabaseCopy.h"
#include "output/DbfWriter.h"
#include "output/PendingFile.h"
#include "output/WorkbookWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using namespace vel;

TEST(WorkFolder, EveryOutputNameIsOneComponentInsideItsFolder)
{
    QTemporaryDir dir;
    const WorkFolder folder(dir.path());
    EXPECT_EQ(folder.filePath("GZSB", "123456789_i102.dbf"), dir.path() + "/GZSB/123456789_i102.dbf");
    EXPECT_EQ(submissionPath(folder, SubmissionFolder::Rcsb, "Gl_1.dbf"), dir.path() + "/RCSB/Gl_1.dbf");
    EXPECT_EQ(workbookPath(folder, "工资1_6"), dir.path() + "/XLS/工资1_6.xlsx");

    const QString refused[] = {"",        ".",          "..",       "../victim_i102.dbf",
                               "a/b.dbf", "a\\b.dbf", QString("a") + QChar(0) + "b.dbf",
                               QString(256, QChar(u'x'))};
    for (const QString& name : refused) {
        EXPECT_THROW(folder.filePath("GZSB", name), FileError) << name.toStdString();
        EXPECT_THROW(submissionPath(folder, SubmissionFolder::Gzsb, name), FileError)
            << name.toStdString();
    }
    EXPECT_THROW(workbookPath(folder, "../../outside/工资1_6"), FileError);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/../outside"));
}

TEST(WorkFolder, OnlyAFolderWithADatabaseIsUsedAndNothingIsCreatedInATypo)
{
    QTemporaryDir dir;
    const WorkFolder typo(dir.filePath("wrok"));
    EXPECT_FALSE(typo.hasDatabase());
    try {
        typo.requireDatabase();
        ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("文件夹 " + dir.filePath("wrok") + " 中没有数据库"));
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("wrok")));

    const WorkFolder work(dir.filePath("work"));
    Session session(work);  // "init", or the window program's first start
    EXPECT_NO_THROW(work.requireDatabase());
}

TEST(PendingFile, RemovesTheTemporariesOfInterruptedExportsOnly)
{
    QTemporaryDir dir;
    const auto touch = [&](const QString& name, int minutesAgo) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo),
                      QFileDevice::FileModificationTime);
    };
    touch(".123456789_i102.dbf-aB3dE9.dbf", 60);  // left by a killed export
    touch(".工资1_6.xlsx-Zz09Qq.xlsx", 60);
    touch(".123456789_i202.dbf-xY7wV2.dbf", 1);  // another export may still write it
    touch(".notes-abcdef.txt", 60);               // not ours
    touch("工资1_6.xlsx", 60);

    {
        PendingFile file(dir.filePath("123456789_i102.dbf"), ".dbf");
        file.commit();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{".123456789_i202.dbf-xY7wV2.dbf", ".notes-abcdef.txt",
                           "123456789_i102.dbf", "工资1_6.xlsx"}));
}

// A file that cannot be begun names the folder and why, in the clerk's words.
TEST(PendingFile, AFolderThatTakesNoFileIsNamedWithTheReason)
{
    QTemporaryDir dir;
    QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("shut");
    QFile::setPermissions(dir.filePath("shut"), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                    QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeOther);
    struct Case {
        const char* folder;
        const char* reason;
    };
    for (const Case& c : {Case{"missing", "文件夹不存在"}, Case{"plain", "这不是文件夹"},
                          Case{"shut", "没有在这个文件夹中写入的权限"}}) {
        const QString folder = dir.filePath(c.folder);
        const QString expected = QStringLiteral("无法在文件夹 %1 中写入文件：%2").arg(folder, c.reason);
        EXPECT_TRUE(asReader([&] {
            try {
                PendingFile file(folder + "/工资1_6.xlsx", ".xlsx");
            } catch (const FileError& e) {
                return e.message() == expected;
            }
            return false;
        })) << c.folder;
    }
    QFile::setPermissions(dir.filePath("shut"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
}

TEST(WorkFolder, AFolderTheUserMayNotChangeOpensForReadingOnly)
{
    QTemporaryDir dir;
    const WorkFolder folder(dir.filePath("work"));
    {
        Session session(folder);
        EXPECT_TRUE(folder.writable());
        EXPECT_FALSE(session.readOnly());
        session.db().exec("INSERT INTO Staff_moninfo (sName, sMon) VALUES ('甲', 0)");
    }
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto traversable = readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                             QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), traversable));
    ASSERT_TRUE(QFile::setPermissions(folder.root(), traversable));
    ASSERT_TRUE(QFile::setPermissions(folder.root() + "/Database", traversable));
    ASSERT_TRUE(QFile::setPermissions(folder.databaseFile(), readOnly));

    EXPECT_TRUE(asReader([&] {
        Session session(folder);  // neither fails nor creates anything
        return !folder.writable() && session.readOnly() &&
               std::get<long long>(session.db().scalar("SELECT COUNT(*) FROM Staff_moninfo")) == 1;
    }));
    // A backup reads it into a place the reader may write, taking no lock in the folder; the
    // clean-up before it leaves the folder alone.
    QTemporaryDir elsewhere;
    QFile::setPermissions(elsewhere.path(), QFileDevice::ReadOther | QFileDevice::WriteOther |
                                                QFileDevice::ExeOther | QFileDevice::ReadOwner |
                                                QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString copy = elsewhere.filePath("copy.db");
    EXPECT_TRUE(asReader([&] {
        try {
            Session session(folder);
            removeStaleCopies(folder);
            backupDatabase(session.db(), copy);
            return true;
        } catch (const Error& e) {
            std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
            return false;
        }
    }));
    SQLite::Database copied(copy.toStdString(), SQLite::OPEN_READONLY);
    EXPECT_EQ(copied.execAndGet("SELECT COUNT(*) FROM Staff_moninfo").getInt(), 1);
    EXPECT_FALSE(QFile::exists(folder.root() + "/Database/.maintenance.lock"));
    // Opened for reading, a write is refused in words, whoever asks.
    Session reader(folder, true);
    try {
        reader.db().exec("DELETE FROM Staff_moninfo");
        ADD_FAILURE() << "written";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains("是只读的")) << e.message().toStdString();
    }
    for (const QString& d : {dir.path(), folder.root(), folder.root() + "/Database"})
        QFile::setPermissions(d, traversable | QFileDevice::WriteOwner);
}
