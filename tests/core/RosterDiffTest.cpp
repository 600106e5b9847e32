#include "PythonReader.h"
#include "TestSession.h"
#include "staff/RosterDiff.h"

#include <gtest/gtest.h>

#include <QJsonArray>

using namespace vel;

namespace {

// name, number, sex, education: the answers that differ below; the others stay empty.
void rosterOf(Db& db, int month, const std::vector<QStringList>& people)
{
    for (const QStringList& p : people)
        db.exec("INSERT INTO Staff_moninfo (sName, sNumber, sTsex, sTedu, sMon, sIsok)"
                " VALUES (?, ?, ?, ?, ?, '1')",
                {p[0], p[1], p[2], p[3], static_cast<long long>(month)});
}

std::vector<QStringList> fixture(Db& db)
{
    rosterOf(db, 0, {{"甲", "001", "男", "大学专科"},
                     {"乙", "002", "女", "高中"},
                     {"丙", "003", "男", "初中"},
                     {"戊", "005", "女", "高中"},
                     {"己", "005", "男", "高中"}});
    // 乙 left, 丁 joined, 甲 studied on, 丙 changed the name; the two 005 swapped places and
    // changed nothing; blanks around an answer are no change.
    rosterOf(db, 3, {{"丁", "004", "女", "大学本科"},
                     {"丙二", "003", "男", "初中"},
                     {"己", "005", "男", " 高中"},
                     {"甲", "001", "男", "大学本科"},
                     {"戊", "005", "女", "高中"}});
    return rosterDiffTable(diffRosters(db, 0, 3));
}

}  // namespace

TEST(RosterDiff, JoinedLeftAndChangedByNameNumber)
{
    TestSession s;
    const std::vector<QStringList> table = fixture(s.db());
    const std::vector<QStringList> expected = {
        {"变动", "姓名编号", "姓名", "项目", "期初", "3月"},
        {"新增", "004", "丁", "", "", ""},
        {"离开", "002", "乙", "", "", ""},
        {"变更", "003", "丙二", "姓名", "丙", "丙二"},
        {"变更", "001", "甲", "学历", "大学专科", "大学本科"},
    };
    EXPECT_EQ(table, expected);
    const RosterDiff diff = diffRosters(s.db(), 0, 3);
    EXPECT_EQ(rosterDiffSummary(diff), "新增1人，离开1人，变更2人。");
    // The other way round the joined have left and the changes run back.
    const std::vector<QStringList> back = rosterDiffTable(diffRosters(s.db(), 3, 0));
    EXPECT_EQ(back[1], (QStringList{"新增", "002", "乙", "", "", ""}));
    EXPECT_EQ(back[2], (QStringList{"离开", "004", "丁", "", "", ""}));
    EXPECT_EQ(back[3], (QStringList{"变更", "001", "甲", "学历", "大学本科", "大学专科"}));
}

TEST(RosterDiff, RefusesWhatCannotBeCompared)
{
    TestSession s;
    rosterOf(s.db(), 0, {{"甲", "001", "男", "高中"}});
    EXPECT_EQ(rosterDiffRefusal(s.db(), 0, 13), "月份必须是0（期初）到12。");
    EXPECT_EQ(rosterDiffRefusal(s.db(), 2, 2), "请选择两个不同的月份。");
    EXPECT_EQ(rosterDiffRefusal(s.db(), 0, 4), "4月名册内没有数据！");
    EXPECT_EQ(rosterDiffRefusal(s.db(), 4, 0), "4月名册内没有数据！");
    rosterOf(s.db(), 4, {{"甲", "001", "男", "高中"}});
    EXPECT_EQ(rosterDiffRefusal(s.db(), 4, 0), "");
    EXPECT_TRUE(diffRosters(s.db(), 0, 4).changes.empty());
}

TEST(RosterDiff, ExportedWorkbookHoldsTheTable)
{
    TestSession s;
    fixture(s.db());
    const QString path = exportRosterDiff(s->folder(), diffRosters(s.db(), 0, 3), s->unit());
    EXPECT_TRUE(path.endsWith("/XLS/人员变动0_3.xlsx")) << path.toStdString();
    const QJsonObject book = readWithPython("read_xlsx.py", path);
    const QJsonObject cells = book["cells"].toObject();
    EXPECT_EQ(cells["A1"].toObject()["value"].toString(), "人员变动（期初—3月）　新增1人，离开1人，变更2人。");
    EXPECT_EQ(cells["E2"].toObject()["value"].toString(), "期初");
    EXPECT_EQ(cells["A3"].toObject()["value"].toString(), "新增");
    EXPECT_EQ(cells["F6"].toObject()["value"].toString(), "大学本科");
    EXPECT_EQ(cells["D6"].toObject()["bottom"].toString(), "thin");
    EXPECT_TRUE(book["merges"].toArray().contains("A1:F1"));
}
