#include "Errors.h"
#include "db/Db.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <thread>

using namespace vel;

TEST(Db, EngineErrorsNameTheFileAndWhatToDo)
{
    QTemporaryDir dir;
    const QString notADatabase = dir.filePath("RCdatabase.db");
    QFile f(notADatabase);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const QString missingFolder = dir.filePath("none/RCdatabase.db");
    const struct {
        QString path;
        QString message;
    } opens[] = {
        {notADatabase,
         "文件 " + notADatabase + " 不是本程序的数据库。请检查工作文件夹是否选对，或从备份还原数据库。"},
        {missingFolder,
         "无法打开数据库文件 " + missingFolder + "。请检查文件夹是否存在以及读写权限。"},
    };
    for (const auto& c : opens) {
        try {
            Db db(c.path);
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }

    const QString file = "/data/RCdatabase.db";
    const struct {
        int code;
        QString message;
    } codes[] = {
        {SQLITE_BUSY, "数据库文件 /data/RCdatabase.db 正被另一个程序使用，等待5秒后仍未释放。"
                      "请等它完成或关闭它，然后再试；本次操作没有改动数据。"},
        {SQLITE_READONLY,
         "数据库文件 /data/RCdatabase.db 是只读的，无法保存。请检查该文件及其文件夹的写权限。"},
        {SQLITE_FULL, "磁盘已满，数据库文件 /data/RCdatabase.db 无法写入。请腾出磁盘空间后再试；"
                      "本次操作没有改动数据。"},
    };
    for (const auto& c : codes)
        EXPECT_EQ(databaseErrorText(SQLite::Exception("engine text", c.code), file), c.message);
}

TEST(Db, WaitsForAnotherProgramsWriteInsteadOfFailing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RCdatabase.db");
    Db writer(path);
    Db reader(path);
    writer.exec("BEGIN EXCLUSIVE");
    writer.exec("INSERT INTO Dep_Info (DepName, Flag) VALUES ('甲', '1')");
    std::thread commit([&writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        writer.exec("COMMIT");
    });
    long long seen = -1;
    EXPECT_NO_THROW(seen = std::get<long long>(reader.scalar("SELECT COUNT(*) FROM Dep_Info")));
    commit.join();
    EXPECT_EQ(seen, 1);
}
