#include "help/FilledMessage.h"
#include "help/HelpDocuments.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace vel::help;

TEST(FilledMessage, PlaceholdersTakeWhatTheProgramFilledIn)
{
    const struct {
        const char* entry;
        const char* shown;
        bool found;
    } cases[] = {
        {"{月份列表}有工资数据错误，请纠正。", "3月份,有工资数据错误，请纠正。", true},
        {"{月份列表}有工资数据错误，请纠正。", "期初中,3月份,11月份,有工资数据错误，请纠正。", true},
        {"{月份列表}有人员数据错误，请纠正。", "3月份,有工资数据错误，请纠正。", false},
        {"{姓名}（{姓名编号}）{月份}月的合计不是数字：{内容}", "张三（0012）3月的合计不是数字：abc", true},
        // A piece of a message, cut anywhere, also in the middle of a name.
        {"{姓名}（{姓名编号}）{月份}月的合计不是数字：{内容}", "三（0012）3月的合计不是数", true},
        {"{月份}月保存成功！共{人数}人输入。", "5月保存成功！ 共 30 人输入。", true},
        {"[{月份列表}]月有工资错误信息，请核查!", "[3,5]月有工资错误信息，请核查!", true},
        {"以下：\u2028{姓名编号和姓名}\u2028姓名编号或姓名不在当月名单中",
         "以下：\r\n[0012] [0013] \r\n姓名编号或姓名不在当月名单中", true},
        {"File {文件} is LOCKED", "file a.xlsx is locked", true},  // case aside
        // Too little of the entry's own text: a name, a number or a word alone finds nothing.
        {"{姓名}（{姓名编号}）{月份}月的合计不是数字：{内容}", "张三（0012）", false},
        {"{文件}：{原因}", "a.xlsx：磁盘已满", false},
        // The entry's own text alone is the ordinary search's, not this one's.
        {"{月份}月保存成功！共{人数}人输入。", "月保存成功！共", false},
        {"没有错误信息！", "没有错误信息！", false},
        {"{月份}月保存成功！", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isFilledIn(QString::fromUtf8(c.entry), QString::fromUtf8(c.shown)), c.found)
            << c.entry << " / " << c.shown;
}

TEST(FilledMessage, APastedMessageFindsItsEntryInTheMessageList)
{
    QStringList found;
    for (const QString& line : markdown(Messages).split('\n'))
        if (line.startsWith("> ") && isFilledIn(line.mid(2), "3月份,有工资数据错误，请纠正。"))
            found << line.mid(2);
    EXPECT_EQ(found, QStringList{"{月份列表}有工资数据错误，请纠正。"});
}
