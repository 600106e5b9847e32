#include "Errors.h"
#include "TestSession.h"
#include "staff/PersonRoster.h"

#include <gtest/gtest.h>

using namespace vel;
using F = PersonField;

namespace {

PersonRecord somebody(const QString& name, const QString& number)
{
    PersonRecord r;
    r.name = name;
    r.number = number;
    r.sex = "女";
    r.birthYear = "1967";
    r.birthMonth = "05";
    r.edu = "大学本科";
    r.nation = "否";
    r.party = "是";
    r.works = "10";
    r.work = "4";
    r.post = "单位负责人";
    r.grade = "中级";
    r.gradeJn = "";
    r.role = "劳务派遣人员";
    r.fullTime = "否";
    r.engineer = "是";
    r.constructor = "否";
    r.siteWorker = "是(持证上岗)";
    r.production = "是";
    return r;
}

class PersonRosterTest : public ::testing::Test {
protected:
    void SetUp() override { s->codes().load(s.db(), "1"); }

    const CodeLists& codes() { return s->codes(); }
    SqlValue field(long long id, const std::string& column)
    {
        return s.db().scalar("SELECT " + column + " FROM Staff_moninfo WHERE id = ?", {id});
    }
    QString text(long long id, const std::string& column)
    {
        const SqlValue v = field(id, column);
        if (const auto* t = std::get_if<QString>(&v))
            return *t;
        if (const auto* n = std::get_if<long long>(&v))
            return QString::number(*n);
        return "<null>";
    }
    long long count(int month)
    {
        return std::get<long long>(
            s.db().scalar("SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = ?", {(long long)month}));
    }
    static QStringList names(const std::vector<PersonListRow>& rows)
    {
        QStringList out;
        for (const PersonListRow& r : rows)
            out << r.cells[2];
        return out;
    }

    TestSession s;
};

}  // namespace

TEST(PersonChecks, BirthYear)
{
    const QString age = person::AgeMessage;
    const struct {
        QString year;
        bool ok;
        QString message;
    } cases[] = {
        {"1993", true, ""}, {"1932", true, ""},  {"1994", false, age}, {"1931", false, age},
        {"2003", false, age}, {"199", false, ""}, {"", false, ""},     {"19a5", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year.toStdString());
        const BirthYearCheck check = checkBirthYear(c.year);
        EXPECT_EQ(check.ok, c.ok);
        EXPECT_EQ(check.message, c.message);
    }
}

TEST(PersonChecks, YearsWhenLeavingEitherBox)
{
    const struct {
        QString works, work;
        F leaving;
        YearsCheck expected;
    } cases[] = {
        {"5", "6", F::Work, YearsCheck::PostExceedsWork},
        {"5", "6", F::Works, YearsCheck::PostExceedsWork},
        {"5", "5", F::Work, YearsCheck::Consistent},
        {"10", "9", F::Works, YearsCheck::Consistent},  // compared as numbers, not as texts
        {" 7", "3", F::Works, YearsCheck::Consistent},
        {"5", "", F::Works, YearsCheck::Incomplete},
        {"5", "x", F::Works, YearsCheck::Incomplete},  // the other box was marked when left
        {"", "", F::Work, YearsCheck::Incomplete},
        {"a", "3", F::Works, YearsCheck::NotANumber},
        {"5", "3.5", F::Work, YearsCheck::NotANumber},
        {"-1", "", F::Works, YearsCheck::NotANumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.works + "/" + c.work).toStdString());
        EXPECT_EQ(checkYears(c.works, c.work, c.leaving), c.expected);
    }
}

TEST_F(PersonRosterTest, ChoicesPassOnlyWithAnEntryGradesAlsoEmpty)
{
    const struct {
        F field;
        QString text;
        bool ok;
    } cases[] = {
        {F::Sex, "男", true},          {F::Sex, "男 ", false},
        {F::Sex, "", false},           {F::Grade, "", true},
        {F::GradeJn, "", true},        {F::Grade, "特级", false},
        {F::Grade, "高级技师", false},  // a skill grade is no professional title
        {F::GradeJn, "高级技师", true}, {F::Nation, "是", true},
        {F::Nation, "1", false},       {F::Post, "普通工人", false},  // organs only
        {F::Post, "技师", true},       {F::SiteWorker, "是(持证上岗)", true},
        {F::FullTime, "是", true},     {F::Role, "临时工", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(choiceOk(c.field, c.text, codes()), c.ok);
    }
    EXPECT_EQ(personChoices(F::BirthYear, codes()).first(), "1932");
    EXPECT_EQ(personChoices(F::BirthYear, codes()).last(), "2003");
    EXPECT_EQ(personChoices(F::BirthMonth, codes()).first(), "01");
    EXPECT_EQ(personChoices(F::Party, codes()), QStringList({"是", "否"}));
}

TEST_F(PersonRosterTest, CodesOfARecord)
{
    PersonRecord r = somebody("甲", "1");
    PersonCodes c = personCodes(r, codes());
    EXPECT_EQ(c.sex, 2);
    EXPECT_EQ(c.edu, 3);
    EXPECT_EQ(c.nation, 2);
    EXPECT_EQ(c.party, 1);
    EXPECT_EQ(c.post, 21);
    EXPECT_EQ(c.grade, 33);
    EXPECT_EQ(c.gradeJn, std::nullopt);
    EXPECT_EQ(c.role, 2);
    EXPECT_EQ(c.fullTime, 2);
    EXPECT_EQ(c.engineer, 1);
    EXPECT_EQ(c.siteWorker, 3);

    r.sex = "男 ";
    r.nation = "1";  // not "是": counts as no
    c = personCodes(r, codes());
    EXPECT_EQ(c.sex, 0);
    EXPECT_EQ(c.nation, 2);
}

TEST_F(PersonRosterTest, FailedFieldsFollowTheClass)
{
    PersonRecord r = somebody("甲", "1");
    EXPECT_TRUE(failedFields(r, codes(), StaffClass::Construction).empty());

    r.sex = "x";
    r.works = "5";
    r.work = "6";
    r.grade = "特级";
    r.engineer = "";
    r.production = "也许";
    using V = std::vector<F>;
    EXPECT_EQ(failedFields(r, codes(), StaffClass::Other), V({F::Sex, F::Works, F::Work, F::Grade}));
    EXPECT_EQ(failedFields(r, codes(), StaffClass::Industrial),
              V({F::Sex, F::Works, F::Work, F::Grade, F::Production}));
    EXPECT_EQ(failedFields(r, codes(), StaffClass::Construction),
              V({F::Sex, F::Works, F::Work, F::Grade, F::Engineer, F::Production}));

    // Empty boxes without a check of their own are the required check's business.
    PersonRecord blank = somebody("", "");
    blank.works = "";
    blank.birthMonth = "";
    EXPECT_TRUE(failedFields(blank, codes(), StaffClass::Other).empty());
    blank.birthYear = "";
    EXPECT_EQ(failedFields(blank, codes(), StaffClass::Other), V({F::BirthYear}));
}

TEST_F(PersonRosterTest, RequiredFieldsMessageByClass)
{
    const QString other =
        "姓名、姓名编号、出生年月、学历、性别、是否少数名族、是否党员、\n"
        "工作年限、岗位名称、用工身份、是否全日制为必填项，请核实！";
    const QString construction =
        "姓名、姓名编号、出生年月、学历、性别、是否少数名族、是否党员、工作年限、岗位名称、\n"
        "用工身份、是否全日制、是否工程技术人员、是否一级建造师、现场施工人员以及本职工作与建筑施工"
        "有关为必填项，\n请核实！";
    EXPECT_EQ(missingFieldsMessage(somebody("甲", "1"), StaffClass::Construction), "");
    for (F f : {F::Name, F::Number, F::BirthMonth, F::Works, F::Work, F::Role}) {
        PersonRecord r = somebody("甲", "1");
        fieldText(r, f) = "  ";
        SCOPED_TRACE(int(f));
        EXPECT_EQ(missingFieldsMessage(r, StaffClass::Other), other);
        EXPECT_EQ(missingFieldsMessage(r, StaffClass::Industrial), other);
        EXPECT_EQ(missingFieldsMessage(r, StaffClass::Construction), construction);
    }
    PersonRecord optional = somebody("甲", "1");
    optional.grade = optional.gradeJn = optional.position = "";
    optional.engineer = "";
    EXPECT_EQ(missingFieldsMessage(optional, StaffClass::Other), "");
    EXPECT_EQ(missingFieldsMessage(optional, StaffClass::Construction), construction);
}

TEST(PersonBirth, SplitsTheStoredText)
{
    PersonRecord r;
    splitBirth("", r);
    EXPECT_EQ(r.birthYear + "|" + r.birthMonth, "1960|01");
    splitBirth("1967-10", r);
    EXPECT_EQ(r.birthYear + "|" + r.birthMonth, "1967|10");
    splitBirth("1967-5", r);
    EXPECT_EQ(r.birthYear + "|" + r.birthMonth, "1967|05");
    EXPECT_EQ(birthText(r), "1967-05");
    splitBirth("1967-005", r);
    EXPECT_EQ(r.birthYear + "|" + r.birthMonth, "1967|05");
}

TEST_F(PersonRosterTest, AddStoresTrimmedAnswersCodesAndPassedFlag)
{
    PersonRoster roster(s.db(), 3);
    PersonRecord r = somebody(" O'Brien \"张\" ", " 007 ");
    const long long id = roster.add(r, codes(), StaffClass::Construction);

    EXPECT_EQ(text(id, "sName"), "O'Brien \"张\"");
    EXPECT_EQ(text(id, "sNumber"), "007");
    EXPECT_EQ(text(id, "sTsex") + text(id, "sSex"), "女2");
    EXPECT_EQ(text(id, "sBirth"), "1967-05");
    EXPECT_EQ(field(id, "sWorks"), SqlValue(10LL));
    EXPECT_EQ(field(id, "sWork"), SqlValue(4LL));
    EXPECT_EQ(text(id, "sTnation") + text(id, "sNation"), "否2");
    EXPECT_EQ(text(id, "sTparty") + text(id, "sParty"), "是1");
    EXPECT_EQ(text(id, "sPost"), "21");
    EXPECT_EQ(text(id, "sTGrade") + text(id, "sPostGrade"), "中级33");
    EXPECT_EQ(text(id, "sTJGrade"), "<null>");
    EXPECT_EQ(text(id, "sJGrade"), "<null>");
    EXPECT_EQ(text(id, "sGw"), "<null>");
    EXPECT_EQ(text(id, "ssf") + text(id, "sqrz"), "22");
    EXPECT_EQ(text(id, "sTgc") + text(id, "sgc") + text(id, "sTjzs") + text(id, "sjzs"), "是1否2");
    EXPECT_EQ(text(id, "sTsg") + text(id, "ssg") + text(id, "sTyg") + text(id, "syg"),
              "是(持证上岗)3是1");
    EXPECT_EQ(field(id, "sIsok"), SqlValue(QString("1")));
    EXPECT_EQ(field(id, "sMon"), SqlValue(3LL));
}

TEST_F(PersonRosterTest, OnlyTheQuestionsTheClassAsksAreStored)
{
    PersonRoster roster(s.db(), 0);
    const long long other = roster.add(somebody("甲", "1"), codes(), StaffClass::Other);
    const long long industrial = roster.add(somebody("乙", "2"), codes(), StaffClass::Industrial);
    for (const char* c : {"sTgc", "sgc", "sTjzs", "sjzs", "sTsg", "ssg", "sTyg", "syg"})
        EXPECT_EQ(text(other, c), "<null>") << c;
    for (const char* c : {"sTgc", "sgc", "sTjzs", "sjzs", "sTsg", "ssg"})
        EXPECT_EQ(text(industrial, c), "<null>") << c;
    EXPECT_EQ(text(industrial, "sTyg") + text(industrial, "syg"), "是1");
}

TEST_F(PersonRosterTest, RefusedRecordsStoreNothing)
{
    const QString missing =
        "姓名、姓名编号、出生年月、学历、性别、是否少数名族、是否党员、\n"
        "工作年限、岗位名称、用工身份、是否全日制为必填项，请核实！";
    PersonRoster roster(s.db(), 0);
    std::vector<std::pair<PersonRecord, QString>> cases;
    cases.push_back({somebody("甲", "1"), person::ErrorsInRed});
    cases.back().first.sex = "男 ";  // red although another field was left last
    cases.push_back({somebody("  ", "1"), missing});
    cases.push_back({somebody("乙", "2"), person::ErrorsInRed});
    cases.back().first.birthYear = "1994";
    cases.push_back({somebody("丙", "3"), person::ErrorsInRed});
    cases.back().first.works = "五";
    cases.push_back({somebody("丁", "4"), person::ErrorsInRed});  // red comes before missing
    cases.back().first.work = "11";
    cases.back().first.number = "";
    for (const auto& [record, message] : cases) {
        SCOPED_TRACE(record.name.toStdString());
        try {
            roster.add(record, codes(), StaffClass::Other);
            ADD_FAILURE() << "stored";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), message);
        }
    }
    EXPECT_EQ(count(0), 0);
}

TEST_F(PersonRosterTest, LoadModifyAndTheirMonth)
{
    PersonRoster march(s.db(), 3);
    PersonRoster opening(s.db(), 0);
    const long long id = march.add(somebody("甲", "1"), codes(), StaffClass::Construction);
    s.db().exec("UPDATE Staff_moninfo SET sIsok = '0', sGw = '科长' WHERE id = ?", {id});

    std::optional<PersonRecord> r = march.load(id);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->name, "甲");
    EXPECT_EQ(r->birthYear + r->birthMonth, "196705");
    EXPECT_EQ(r->works, "10");
    EXPECT_EQ(r->gradeJn, "");
    EXPECT_EQ(r->siteWorker, "是(持证上岗)");
    EXPECT_EQ(r->position, "科长");
    EXPECT_FALSE(opening.load(id));

    r->name = "甲'乙";
    r->sex = "男";
    r->grade = "";
    r->engineer = "否";
    EXPECT_FALSE(opening.modify(id, *r, codes(), StaffClass::Construction));
    EXPECT_EQ(text(id, "sName"), "甲");

    ASSERT_TRUE(march.modify(id, *r, codes(), StaffClass::Construction));
    EXPECT_EQ(text(id, "sName"), "甲'乙");
    EXPECT_EQ(text(id, "sSex"), "1");
    EXPECT_EQ(text(id, "sTGrade") + text(id, "sPostGrade"), "<null><null>");
    EXPECT_EQ(text(id, "sTgc") + text(id, "sgc"), "否2");
    EXPECT_EQ(text(id, "sIsok"), "1");
    EXPECT_EQ(text(id, "sGw"), "科长");

    // A unit that is not asked the construction questions leaves them as they are.
    r->engineer = "是";
    r->production = "否";
    ASSERT_TRUE(march.modify(id, *r, codes(), StaffClass::Other));
    EXPECT_EQ(text(id, "sTgc") + text(id, "sTyg"), "否是");

    r->post = "普通工人";
    EXPECT_THROW(march.modify(id, *r, codes(), StaffClass::Other), Error);
    EXPECT_EQ(text(id, "sTpost"), "单位负责人");
}

TEST_F(PersonRosterTest, DeleteAndEmptyStayInTheirMonth)
{
    PersonRoster march(s.db(), 3);
    PersonRoster opening(s.db(), 0);
    const long long a = march.add(somebody("甲", "1"), codes(), StaffClass::Other);
    march.add(somebody("乙", "2"), codes(), StaffClass::Other);
    const long long c = opening.add(somebody("丙", "3"), codes(), StaffClass::Other);

    EXPECT_FALSE(march.remove(c));
    EXPECT_TRUE(march.remove(a));
    EXPECT_FALSE(march.remove(a));
    EXPECT_EQ(count(3), 1);
    EXPECT_EQ(march.clear(), 1);
    EXPECT_EQ(count(3), 0);
    EXPECT_EQ(count(0), 1);
}

TEST_F(PersonRosterTest, QueriesSeeOnlyTheirMonth)
{
    PersonRoster march(s.db(), 3);
    PersonRoster opening(s.db(), 0);
    const auto add = [&](PersonRoster& roster, const QString& name, const QString& number) {
        return roster.add(somebody(name, number), codes(), StaffClass::Other);
    };
    add(march, "王五", "20");
    add(march, "李'四", "10");
    add(march, "王五", "30");
    const long long d = add(march, "赵六", "10");
    add(march, "孙%七", "40");
    add(opening, "李'四", "20");
    add(opening, "钱八", "10");
    s.db().exec("UPDATE Staff_moninfo SET sIsok = '0' WHERE id = ? OR sMon = 0", {d});

    EXPECT_EQ(names(march.all()), QStringList({"王五", "李'四", "王五", "赵六", "孙%七"}));
    EXPECT_EQ(march.all().front().cells.size(), PersonListColumnCount);
    EXPECT_EQ(names(march.find(" 李' ")), QStringList({"李'四"}));
    EXPECT_EQ(names(march.find("0")).size(), 5);  // numbers match too
    EXPECT_EQ(names(march.find("%")), QStringList({"孙%七"}));
    EXPECT_EQ(names(march.find("")).size(), 5);
    EXPECT_EQ(names(march.sameNames()), QStringList({"王五", "王五"}));
    EXPECT_EQ(names(march.sameNumbers()), QStringList({"李'四", "赵六"}));
    EXPECT_EQ(names(march.faulty()), QStringList({"赵六"}));

    EXPECT_EQ(names(opening.all()), QStringList({"李'四", "钱八"}));
    EXPECT_TRUE(opening.sameNumbers().empty());
    EXPECT_TRUE(opening.sameNames().empty());
}

TEST_F(PersonRosterTest, SameNumbersOrderedByNumberThenInsertion)
{
    PersonRoster roster(s.db(), 0);
    for (const auto& [name, number] : std::vector<std::pair<QString, QString>>{
             {"甲", "9"}, {"乙", "10"}, {"丙", "9"}, {"丁", "10"}, {"戊", "5"}})
        roster.add(somebody(name, number), codes(), StaffClass::Other);
    // Numbers are texts: "10" sorts before "9".
    EXPECT_EQ(names(roster.sameNumbers()), QStringList({"乙", "丁", "甲", "丙"}));
}

TEST_F(PersonRosterTest, MonthOutsideTheYearIsRefused)
{
    EXPECT_THROW(PersonRoster(s.db(), 13), Error);
    EXPECT_THROW(PersonRoster(s.db(), -1), Error);
    EXPECT_NO_THROW(PersonRoster(s.db(), 12));
}
