#include "TestSession.h"
#include "db/CodeLists.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

int countPost(const CodeLists& lists, int id)
{
    int n = 0;
    for (const CodeEntry& e : lists.list(CodeListId::Post))
        n += e.id == id;
    return n;
}

}  // namespace

TEST(CodeLists, PostFilterFollowsTheUnitKind)
{
    TestSession s;
    CodeLists& lists = s->codes();
    lists.load(s.db(), "0");
    EXPECT_EQ(lists.postCode("科级公务员"), 14);
    EXPECT_EQ(lists.postCode("单位负责人"), 0);     // enterprise only
    EXPECT_EQ(lists.postCode("中级专业技术人员"), 33);  // Memo "01": both kinds
    lists.load(s.db(), "1");
    EXPECT_EQ(lists.postCode("科级公务员"), 0);
    EXPECT_EQ(lists.postCode("单位负责人"), 21);
    EXPECT_EQ(countPost(lists, 33), 1);
    EXPECT_EQ(lists.names(CodeListId::Sex), (QStringList{"男", "女"}));
}

TEST(CodeLists, GradeRowsSplitByMemoAndARowInBothListsShowsInBoth)
{
    TestSession s;
    s.db().exec("INSERT INTO Code_Grade (ID, CodeName, Memo) VALUES (99, '双证', '01')");
    CodeLists& lists = s->codes();
    lists.load(s.db(), "1");
    EXPECT_EQ(lists.gradeCode("中级"), 33);
    EXPECT_EQ(lists.gradeCode("技师"), 0);
    EXPECT_EQ(lists.gradeJnCode("技师"), 52);
    EXPECT_EQ(lists.gradeCode("双证"), 99);
    EXPECT_EQ(lists.gradeJnCode("双证"), 99);
}

TEST(CodeLists, LookupsAreExactAndTrimmedListsTrimTheirRows)
{
    TestSession s;
    s.db().exec("UPDATE Code_Nation SET CodeName = '  是 ' WHERE ID = 1");
    s.db().exec("UPDATE Code_Edu SET CodeName = ' 初中' WHERE ID = 8");
    CodeLists& lists = s->codes();
    lists.load(s.db(), "1");
    EXPECT_EQ(lists.sexCode("男"), 1);
    EXPECT_EQ(lists.sexCode("男 "), 0);
    EXPECT_EQ(lists.sexCode("male"), 0);
    EXPECT_EQ(lists.nationCode("是"), 1);  // trimmed when loaded
    EXPECT_EQ(lists.eduCode("初中"), 0);   // this list keeps the blanks
    EXPECT_EQ(lists.eduCode(" 初中"), 8);
}

TEST(CodeLists, EndTerminatesAListAndEmptyTablesGiveEmptyLists)
{
    TestSession s;
    s.db().exec("DELETE FROM Code_Role");
    s.db().exec("INSERT INTO Code_Edu (ID, CodeName, Memo) VALUES (0, 'End', '')");
    s.db().exec("INSERT INTO Code_Edu (ID, CodeName, Memo) VALUES (10, '其他', '')");
    CodeLists& lists = s->codes();
    lists.load(s.db(), "1");
    EXPECT_TRUE(lists.list(CodeListId::Role).empty());
    EXPECT_EQ(lists.codeOf(CodeListId::Role, "在岗职工"), 0);
    EXPECT_EQ(lists.list(CodeListId::Edu).size(), 9u);
    EXPECT_EQ(lists.eduCode("其他"), 0);

    // A smaller table on a later load leaves nothing of the earlier one to be found.
    s.db().exec("DELETE FROM Code_Sex WHERE ID = 2");
    lists.load(s.db(), "1");
    EXPECT_EQ(lists.sexCode("女"), 0);
}

TEST(CodeLists, ListsGrowPastTheirOldCapacities)
{
    TestSession s;
    Transaction tx(s.db());
    for (int i = 0; i < 250; ++i)
        s.db().exec("INSERT INTO Code_Post (ID, CodeName, Memo) VALUES (?, ?, '1')",
                    {static_cast<long long>(1000 + i), QString("岗位%1").arg(i)});
    tx.commit();
    CodeLists& lists = s->codes();
    lists.load(s.db(), "1");
    EXPECT_EQ(lists.postCode("岗位249"), 1249);
}
