#include "TestSession.h"
#include "unit/UnitList.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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
    QTemporaryDir config;
    const QString path = config.path() + "/units.json";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{not a list");
    f.close();
    EXPECT_THROW(UnitList(path).units(), FileError);

    TestSession unit;
    QTemporaryDir empty;
    EXPECT_EQ(openFolderRefusal(unit.path()), "");
    EXPECT_TRUE(openFolderRefusal(empty.path()).startsWith("该文件夹不是单位的工作文件夹"));
    EXPECT_EQ(newFolderRefusal(empty.path()), "");
    EXPECT_TRUE(newFolderRefusal(unit.path()).startsWith("该文件夹已有单位数据"));
}
