#include "TestSession.h"
#include "monthly/BatchDelete.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

void person(Db& db, int month, const char* name, const char* number)
{
    db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sMon, sIsok) VALUES (?, ?, ?, '1')",
            {QString(name), QString(number), static_cast<long long>(month)});
}

long long count(Db& db, const char* sql)
{
    return std::get<long long>(db.scalar(sql));
}

}  // namespace

TEST(BatchDelete, MatchesByMonthAndNumberOnlyAndDeletesExactlyThose)
{
    TestSession s;
    Db& db = s.db();
    person(db, 4, "甲", "1");
    person(db, 4, "乙", "2");
    person(db, 4, "丙", "3");
    person(db, 5, "丁", "4");  // another month only
    listForDeletion(db, 4, {{"别名'甲", "1", "离职"}, {"乙", "2", ""}, {"乙", "2", ""},
                            {"丁", "4", ""}, {"无号", "", ""}, {"丙", "3", ""}});
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Tmp_Del"), 4);  // up to the first empty number
    const std::vector<DeletionMatch> found = deletionMatches(db);
    ASSERT_EQ(found.size(), 3u);  // the number listed twice shows twice
    EXPECT_EQ(found[0][0], "甲");  // the stored name, whatever was typed
    EXPECT_EQ(found[2][1], "2");

    deleteListedPersons(db, 4);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 4"), 1);  // 丙 stays
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 5"), 1);
    EXPECT_TRUE(deletionMatches(db).empty());
}

TEST(BatchDelete, DeletingOneNumberTakesEveryRowOfItInTheMonth)
{
    TestSession s;
    Db& db = s.db();
    person(db, 2, "甲", "7");
    person(db, 2, "甲", "7");
    person(db, 3, "甲", "7");
    deletePersonNumber(db, 2, " 7 ");
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 2"), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM Staff_moninfo WHERE sMon = 3"), 1);
}
