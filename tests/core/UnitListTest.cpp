#include "TestSession.h"
#include "unit/UnitList.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>

using namespace vel;

TEST(UnitList, RemembersEachFolderOnceNewestFirst)
{
    QTemporaryDir config;
    UnitList list(config.path() + "/veldrassa/units.json");
    EXPECT_TRUE(list.units().empty());

    TestSession first;
    TestSession second;
    UnitRegistration r;
    r.name = "第一厂";
    r.code = "11111111A";
    r.type = unit::EnterpriseType;
    r.unitClass = unit::ClassIndustrial;
    saveRegistration(first.db(), r);

    list.remember(*first);
    list.remember(*second);  // not registered yet: listed by its folder
    list.remember(*first);   // opened again: one entry, now on top

    const std::vector<KnownUnit> units = UnitList(list.path()).units();
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].folder, first->folder().root());
    EXPECT_EQ(units[0].code, "11111111A");
    EXPECT_EQ(units[0].name, "第一厂");
    EXPECT_EQ(units[0].type, unit::EnterpriseType);
    EXPECT_EQ(units[0].unitClass, unit::ClassIndustrial);
    EXPECT_TRUE(units[0].lastOpened.isValid());
    EXPECT_EQ(units[1].folder, second->folder().root());
    EXPECT_TRUE(units[1].code.isEmpty());

    list.forget(second->folder().root() + "/");
    ASSERT_EQ(list.units().size(), 1u);
    EXPECT_TRUE(QFile::exists(second->folder().databaseFile()));  // forgotten, not deleted
}

TEST(UnitList, ARefusedFileOrFolderSaysWhy)
{
    TestSession unit;
    QTemporaryDir empty;
    EXPECT_EQ(openFolderRefusal(unit.path()), "");
    EXPECT_TRUE(openFolderRefusal(empty.path()).startsWith("该文件夹不是单位的工作文件夹"));
    EXPECT_EQ(newFolderRefusal(empty.path()), "");
    EXPECT_TRUE(newFolderRefusal(unit.path()).startsWith("该文件夹已有单位数据"));
}

TEST(UnitList, AListThatIsNoListIsPutAsideOnceAndNeverReadThrough)
{
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const struct {
        const char* what;
        std::function<void(const QString&)> make;
    } cases[] = {
        {"damaged", [](const QString& p) {
             QFile f(p);
             f.open(QIODevice::WriteOnly);
             f.write("{not a list");
         }},
        {"pipe", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0600); }},
        {"endless", [](const QString& p) { QFile::link("/dev/zero", p); }},
        {"too big", [](const QString& p) {
             QFile f(p);
             f.open(QIODevice::WriteOnly);
             f.write("[" + QByteArray(UnitList::MaxBytes, ' ') + "]");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir config;
        const QString path = config.path() + "/units.json";
        c.make(path);
        try {
            UnitList(path).units();
            ADD_FAILURE() << "read";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(), "单位列表 " + path + " 已损坏（或不是普通文件、超过1 MB），已改名为 " +
                                       path + ".bad-" + today + " 留存；单位列表重新开始记录。");
        }
        // Said once: the list starts again empty, and the next unit opened is remembered.
        EXPECT_TRUE(UnitList(path).units().empty());
        TestSession unit;
        UnitList(path).remember(*unit);
        EXPECT_EQ(UnitList(path).units().size(), 1u);
        EXPECT_TRUE(QFileInfo::exists(path + ".bad-" + today));
    }
}

TEST(UnitList, TheWindowProgramStartsWhereTheClerkLeftOff)
{
    QTemporaryDir config, dataHome, named;
    const QByteArray keptDir = qgetenv("VELDRASSA_DATA_DIR");
    const QByteArray keptHome = qgetenv("XDG_DATA_HOME");
    qunsetenv("VELDRASSA_DATA_DIR");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    const QString fallback = dataHome.path() + "/veldrassa";
    UnitList list(config.path() + "/units.json");

    EXPECT_EQ(startFolder({}, list), fallback);  // nothing opened yet
    TestSession used, last;
    list.remember(*used);
    list.remember(*last);
    EXPECT_EQ(startFolder({}, list), last->folder().root());
    EXPECT_EQ(startFolder(named.path(), list), named.path());
    qputenv("VELDRASSA_DATA_DIR", QFile::encodeName(named.path()));
    EXPECT_EQ(startFolder({}, list), named.path());
    qunsetenv("VELDRASSA_DATA_DIR");
    // A folder that lost its database is passed over for the one used before it.
    QFile::remove(last->folder().databaseFile());
    EXPECT_EQ(startFolder({}, list), used->folder().root());

    EXPECT_TRUE(list.severalUnits());
    list.forget(last->folder().root());
    EXPECT_FALSE(list.severalUnits());

    keptDir.isNull() ? qunsetenv("VELDRASSA_DATA_DIR") : qputenv("VELDRASSA_DATA_DIR", keptDir);
    keptHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", keptHome);
}
