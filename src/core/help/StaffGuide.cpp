#include "help/StaffGuide.h"

#include "db/CodeLists.h"
#include "db/Db.h"
#include "help/MarkdownTable.h"
#include "help/SelectionWords.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheet.h"

#include <map>

namespace vel::help {

namespace {

const QString FromList = QStringLiteral("与可选答案之一完全相同，否则标红");
const QString YesNoTyped = QStringLiteral("只能是“是”或“否”，也可输入 1（是）或 0（否），"
                                          "程序改写为文字；其他内容标红");

// What the audit refuses in each column, as the staff rules check it.
QString auditWords(int col)
{
    switch (col) {
    case staff::NameCol:
        return QStringLiteral("保存时去掉姓名中的空格；只有空格的姓名标红");
    case staff::NumberCol:
        return QStringLiteral("不能为空，只有空格也算空；为空时标红（批量录入装入时不查）");
    case staff::SexCol:
        return QStringLiteral("只能是“男”或“女”，否则标红");
    case staff::NationCol:
    case staff::PartyCol:
    case staff::FullTimeCol:
    case staff::EngineerCol:
    case staff::ConstructorCol:
    case staff::ProductionCol:
        return YesNoTyped;
    case staff::BirthCol:
        return QStringLiteral("写成 1967-01 的样式；输入“1967年1月5日”“67年1月”“1967.1.5”时程序"
                              "改写为 1967-01。年份须为 %1 至 %2 的四位数，月份不大于 12，"
                              "否则标红")
            .arg(staff::FirstBirthYear)
            .arg(staff::LastBirthYear);
    case staff::WorksCol:
    case staff::WorkCol:
        return QStringLiteral("空白，或 0 至 99 的整数（前后可有空格）；其他内容标红");
    case staff::PostCol:
        return FromList + QStringLiteral("；批量录入时，公务员岗位的“全日制用工”自动填“是”");
    case staff::RoleCol:
        return FromList +
               QStringLiteral("；机关单位的公务员岗位和普通工人不能是“劳务派遣人员”，否则标红");
    case staff::SiteWorkerCol:
        return FromList + QStringLiteral("；批量录入和月度名册中输入 0 时改写为“否”");
    default:
        return FromList;
    }
}

QString answersOf(const StaffColumn& c)
{
    if (c.col == staff::BirthCol)
        return QStringLiteral("年-月，如 1967-01");
    if (c.col == staff::WorksCol || c.col == staff::WorkCol)
        return QStringLiteral("整年数");
    if (!c.codeField)
        return QStringLiteral("文字");
    if (c.col == staff::PostCol)
        return QStringLiteral("见下面的岗位名称表");
    QStringList names;
    for (const auto& [code, name] : CodeWords::shipped().codes(c.codeField))
        names << QStringLiteral("%1（%2）").arg(name).arg(code);
    return names.join(u'、');
}

QString answeringUnits(int col)
{
    const bool other = staffColumnUsed(col, StaffClass::Other);
    const bool industrial = staffColumnUsed(col, StaffClass::Industrial);
    const bool construction = staffColumnUsed(col, StaffClass::Construction);
    if (other && industrial && construction)
        return QStringLiteral("全部单位");
    QStringList who;
    if (construction)
        who << QStringLiteral("有资质的建筑业单位");
    if (industrial)
        who << QStringLiteral("规模以上工业单位");
    return who.join(u'、');
}

}  // namespace

QString staffAnswerTable()
{
    std::vector<QStringList> rows;
    for (const StaffColumn& c : staffColumns())
        rows.push_back({QString::number(c.col), CodeWords::columnName(c.textField),
                        answeringUnits(c.col), answersOf(c), auditWords(c.col)});
    return markdownTable({QStringLiteral("列"), QStringLiteral("栏目"), QStringLiteral("填报单位"),
                          QStringLiteral("可填的答案（代码）"), QStringLiteral("审核：何时标红")},
                         rows);
}

QString postTable()
{
    Db db(QStringLiteral(":memory:"));
    CodeLists enterprise;
    enterprise.load(db, QStringLiteral("1"));
    CodeLists organ;
    organ.load(db, QStringLiteral("0"));
    std::map<int, std::pair<QString, QStringList>> posts;
    for (const auto& [lists, type] :
         {std::pair{&enterprise, QStringLiteral("企业事业单位")},
          std::pair{&organ, QStringLiteral("机关单位")}})
        for (const CodeEntry& e : lists->list(CodeListId::Post)) {
            posts[e.id].first = e.name;
            posts[e.id].second << type;
        }
    std::vector<QStringList> rows;
    for (const auto& [code, entry] : posts)
        rows.push_back({QString::number(code), entry.first, entry.second.join(u'、')});
    return markdownTable(
        {QStringLiteral("代码"), QStringLiteral("岗位名称"), QStringLiteral("适用单位")}, rows);
}

}  // namespace vel::help
