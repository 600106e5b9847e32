#include "TestSession.h"
#include "unit/UnitRegistration.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

UnitRegistration unitOf(const QString& name, const QString& code, const QString& type,
                        const QString& unitClass, const QString& createMon = "99")
{
    UnitRegistration r;
    r.name = name;
    r.code = code;
    r.type = type;
    r.unitClass = unitClass;
    r.createMon = createMon;
    return r;
}

long long count(Db& db, const char* sql)
{
    return std::get<long long>(db.scalar(sql));
}

}  // namespace

TEST(UnitRegistration, RefusalsInTheWindowsOrder)
{
    const QString E = unit::EnterpriseType;
    const QString O = unit::OrganType;
    struct Case {
        UnitRegistration r;
        QString message;
    };
    const std::vector<Case> cases = {
        {unitOf("甲厂", "12345678X", E, "否"), ""},
        {unitOf("甲厂", "12345678X", E, "否", "11"), ""},
        {unitOf("甲厂", "12345678X", E, "否", ""), "请输入创办月份。"},
        {unitOf("甲厂", "12345678X", E, "否", "12"), "请输入创办月份。"},
        {unitOf("", "", E, "否", ""), "请输入创办月份。"},  // the month is asked first
        {unitOf("  ", "12345678X", E, "否"), "请确认单位名称或法人代码是否填写正确！"},
        {unitOf("甲厂", "1234567X", E, "否"), "请确认单位名称或法人代码是否填写正确！"},
        {unitOf("甲厂", "1234 678X", E, "否"), "请确认单位名称或法人代码是否填写正确！"},
        {unitOf("甲厂", "1234-678X", E, "否"), "非法字符"},
        {unitOf("甲厂", "12345678中", E, "否"), "非法字符"},
        {unitOf(QString(127, QChar(u'厂')), "12345678X", E, "否"), ""},
        {unitOf(QString(128, QChar(u'厂')), "12345678X", E, "否"),
         "单位名称过长：上报文件最多容纳254个字节（127个汉字），该名称有256个字节。"},
        {unitOf("甲厂😀", "12345678X", E, "否"),
         "单位名称含有上报文件（GBK编码）无法表示的字符“😀”，请改写。"},
        {unitOf(QString("甲") + QChar(0) + "厂", "12345678X", E, "否"),
         "单位名称含有控制字符 U+0000，请删除。"},
        {unitOf("甲局", "123456789", O, "规上"), "机关单位，不可能是规模以上工业单位！"},
        {unitOf("甲局", "123456789", O, "是2"), "机关单位，不可能是资质建筑业单位！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.r.name + "/" + c.r.code + "/" + c.r.createMon).toStdString());
        EXPECT_EQ(validateRegistration(c.r), c.message);
    }
}

TEST(UnitRegistration, ClassAndCreationMonthFromTheWindowsChoices)
{
    EXPECT_EQ(unitClassFor(UnitClassChoice::Construction, unit::QualificationGeneral), "是1");
    EXPECT_EQ(unitClassFor(UnitClassChoice::Construction, unit::QualificationLabour), "是2");
    EXPECT_EQ(unitClassFor(UnitClassChoice::Construction, "有总承包"), "是2");
    EXPECT_EQ(unitClassFor(UnitClassChoice::Industrial, ""), "规上");
    EXPECT_EQ(unitClassFor(UnitClassChoice::Other, unit::QualificationGeneral), "否");
    EXPECT_EQ(createMonFor(3), "2");
    EXPECT_EQ(createMonFor(std::nullopt), "99");
    EXPECT_EQ(normalizeUnitCode("12ab5678x"), "12AB5678X");
}

TEST(UnitRegistration, StatusTextOfEachClass)
{
    EXPECT_EQ(unitClassCaption(unit::EnterpriseType, "规上"), "规模以上工业单位");
    EXPECT_EQ(unitClassCaption(unit::EnterpriseType, "否"), "其他企业事业单位");
    EXPECT_EQ(unitClassCaption(unit::EnterpriseType, "是1"), "有总承包和专业承包资质的建筑业单位");
    EXPECT_EQ(unitClassCaption(unit::EnterpriseType, "是2"), "有劳务分包资质的建筑业单位");
    EXPECT_EQ(unitClassCaption(unit::OrganType, "否"), "机关单位");
}

TEST(UnitRegistration, FirstSaveLeavesOneRowAndAChangeRewritesEveryRow)
{
    TestSession s;
    s.db().exec("INSERT INTO Dep_Info (DepName, Flag) VALUES ('旧的', '0')");
    EXPECT_EQ(pendingSaveKind(s.db()), SaveKind::FirstRegistration);
    saveRegistration(s.db(), unitOf("乙'公司", "12345678X", unit::EnterpriseType, "是2"));
    EXPECT_EQ(count(s.db(), "SELECT COUNT(*) FROM Dep_Info"), 1);
    std::optional<UnitRegistration> r = loadRegistration(s.db());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->name, "乙'公司");  // quotes stored as typed
    EXPECT_EQ(r->unitClass, "是2");
    EXPECT_EQ(r->createMon, "99");

    s.db().exec("INSERT INTO Dep_Info (DepName, Flag) VALUES ('另一行', '0')");
    EXPECT_EQ(pendingSaveKind(s.db()), SaveKind::Change);
    saveRegistration(s.db(), unitOf("丙局", "ABCDEFGH1", unit::OrganType, "否", "2"));
    EXPECT_EQ(count(s.db(), "SELECT COUNT(*) FROM Dep_Info WHERE DepName = '丙局'"), 2);
    r = loadRegistration(s.db());
    EXPECT_EQ(r->createMon, "2");
    EXPECT_EQ(r->type, unit::OrganType);
}

TEST(UnitRegistration, ARefusedSaveStoresNothing)
{
    TestSession s;
    EXPECT_THROW(saveRegistration(s.db(), unitOf("丁", "1234-678X", unit::EnterpriseType, "否")),
                 Error);
    EXPECT_EQ(count(s.db(), "SELECT COUNT(*) FROM Dep_Info"), 0);
}

TEST(UnitRegistration, SessionCopiesTheAttributes)
{
    TestSession s;
    EXPECT_FALSE(s->unitRegistered());
    saveRegistration(s.db(), unitOf("丙局", "ABCDEFGH1", unit::OrganType, "否", "4"));
    ASSERT_TRUE(s->unitRegistered());
    EXPECT_EQ(s->unit().CurDepNo, "ABCDEFGH1");
    EXPECT_EQ(s->unit().CurCreateMon, "4");
    EXPECT_TRUE(s->unit().isOrgan());
    EXPECT_EQ(s->postFilter(), "0");
}

TEST(UnitRegistration, AStoredCodeThatBreaksTheRulesStopsEveryUse)
{
    TestSession s;
    saveRegistration(s.db(), unitOf("甲厂", "12345678X", unit::EnterpriseType, "否"));
    // Only a damaged or foreign database holds such a code; files are named after it.
    s.db().exec("UPDATE Dep_Info SET DepNo = '../../../outside/victim'");
    try {
        loadRegistration(s.db());
        ADD_FAILURE() << "loaded";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("“../../../outside/victim”不符合规则")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(s.db().path()));
    }
    EXPECT_THROW(s->unitRegistered(), Error);
    EXPECT_THROW(s->refreshMonthMenus(), Error);

    // Registering again repairs it.
    saveRegistration(s.db(), unitOf("甲厂", "12345678Y", unit::EnterpriseType, "否"));
    EXPECT_TRUE(s->unitRegistered());
    EXPECT_EQ(s->unit().CurDepNo, "12345678Y");
}
