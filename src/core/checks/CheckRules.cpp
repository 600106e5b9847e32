#include "CheckRules.h"

#include "Session.h"
#include "checks/CheckLimits.h"
#include "checks/FileRules.h"
#include "checks/FormRules.h"
#include "checks/MonthRules.h"
#include "checks/RecordRules.h"
#include "checks/WageRules.h"

namespace vel {

namespace L = check_limits;

CheckInput::CheckInput(Session& s, const FormDefinition* f, std::optional<FormPeriod> p)
    : session(s), form(f), period(std::move(p))
{
}

const YearRecords& CheckInput::records()
{
    if (!records_)
        records_ = loadYearRecords(session.db());
    return *records_;
}

const std::vector<PersonYear>& CheckInput::persons()
{
    if (!persons_)
        persons_ = personYears(records(), figures().minWage);
    return *persons_;
}

const UnitFigures& CheckInput::figures()
{
    if (!figures_)
        figures_ = loadUnitFigures(session.db());
    return *figures_;
}

const std::vector<CheckRule>& checkRules()
{
    static const std::vector<CheckRule> rules = {
        {"E01", QStringLiteral("已存报表自身不平"),
         QStringLiteral("每张已存报表（I202-1、I102-1、I202-2、I102-2 的已存数据，"
                        "以及工资汇总表 1-6、1-12、6-12 月的已存副本）中，合计等于各分项之和，"
                        "平均工资和人均数等于总额除以人数（按该表的取整）。"),
         QString(),
         QStringLiteral("重新打开该表，由记录重新计算并存储；数据库若经过手工修改或还原不全，"
                        "先还原完整的备份。"),
         findUnbalancedForms, MendedIn::Roster, false, true},
        {"E02", QStringLiteral("报表与名册、工资不符"),
         QStringLiteral("季报和年报（I202-1、I102-1、I102-2）已存的从业人员期末人数等于期末月"
                        "名册的人数，从业人员工资总额等于 1 月到期末月已存工资之和（按该表的取整）。"
                        "季度不明时，已存数据须与某一季度相符。"),
         QString(),
         QStringLiteral("名册或工资在报表之后改过：重新打开该表，再生成上报。"),
         findFormsOffRecords, MendedIn::Roster, false, true},
        {"E03", QStringLiteral("两表同一数字不一致"),
         QStringLiteral("I102-1 已存的数字与记录相符时，1-12 月按人员分类工资汇总的合计行"
                        "（期末从业人员总数、工资总额）和 I102-2 的从业人员期末人数、工资总额"
                        "与它一致。不一致的是另一张表，只妨碍那张表上报。"),
         QStringLiteral("工资总额与 1-12 月汇总相差 %1 千元以内视为一致：I102-1 先把全年工资"
                        "取整到元再折成千元，汇总表把全年工资直接折成千元，两次取整可能相差 1 千元。"
                        "与 I102-2 比较时把 I102-2 的元按同样的取整折成千元，须完全相等。")
             .arg(L::SummaryWageToleranceThousands),
         QStringLiteral("那张表算自较早的记录：重新打开它（1-12 月汇总选“重新汇总”）。"),
         findFormsDisagreeing, MendedIn::Roster, false, true},
        {"E04", QStringLiteral("上报文件与已存数据不符"),
         QStringLiteral("GZSB 和 RCSB 中本单位的每个上报文件，用 dBASE 读取方式读回，"
                        "记录数、字段与该表相同，每个字段等于该期已存的数字，单位代码是登记的单位代码"
                        "（接收方的核对）。季报、年报按现有记录重新计算后比较。"),
         QString(),
         QStringLiteral("重新生成该上报文件；不要手工修改上报文件。"),
         findFilesOffStored, MendedIn::Roster, true, true},
        {"E05", QStringLiteral("名册人数骤减"),
         QStringLiteral("某月名册的人数只有上月的一半或更少（名册没录完，或导入出错）："
                        "不在名册上的人的工资，报表不计。空月见 E10。"),
         QStringLiteral("不超过上月人数的 %1%（正好一半也算）。").arg(L::CutRosterPercent),
         QStringLiteral("打开该月名册，补齐缺少的人员。"),
         findCutRosters},
        {"E06", QStringLiteral("名册上的人没有工资行"),
         QStringLiteral("某月已录工资，但名册上有人在该月工资里没有行。没有工资的月份也录一行"
                        "（四项留空，工资录入会确认），缺行就是漏了人。"),
         QString(),
         QStringLiteral("打开该月工资，给此人录入工资；确实没有工资的，录一行四项留空。"),
         findRosterWithoutWages, MendedIn::Wages},
        {"E07", QStringLiteral("工资里的人不在名册上"),
         QStringLiteral("某月工资里有姓名编号不在该月名册上的行（如把别的月份的工资导入进来）："
                        "报表不计他们的工资。发现列出这些人。"),
         QString(),
         QStringLiteral("把此人补进该月名册，或从该月工资中删去此行。"),
         findWagesOffRoster, MendedIn::Wages},
        {"E08", QStringLiteral("名册有未通过审核的行"),
         QStringLiteral("期初或某月名册中有审核没有通过的行：读该月的报表都不能生成。"),
         QString(),
         QStringLiteral("打开该月名册，改正红色的单元格后保存。"),
         findFailedRosterRows},
        {"E09", QStringLiteral("工资有未通过检查的行"),
         QStringLiteral("某月工资中有检查没有通过的行：读该月的报表都不能生成。"),
         QString(),
         QStringLiteral("打开该月工资，改正后重新检查、合计、存储。"),
         findFailedWageRows, MendedIn::Wages},
        {"E10", QStringLiteral("缺月"),
         QStringLiteral("从创办月份（全年存在的单位从 1 月）到最后一个已录入名册或工资的月份之间，"
                        "某月没有名册（报表不计没有名册的月份的人员和工资）。"),
         QString(),
         QStringLiteral("按顺序录入该月的名册和工资。"),
         findMissingMonths},
        {"W01", QStringLiteral("月人数变动大"),
         QStringLiteral("某月人数比上月增减较多。"),
         QStringLiteral("变动达到上月人数的 %1% 且达到 %2 人（两个条件同时满足）。")
             .arg(L::HeadChangePercent)
             .arg(L::HeadChangePersons),
         QStringLiteral("核对该月名册；确实如此的，写明原因（如招聘、合同到期）。"),
         findHeadCountJumps},
        {"W02", QStringLiteral("个人工资异常"),
         QStringLiteral("某人当月工资合计与他本人平常月份（他其他整月工资合计的中位数，至少要有 %1 个"
                        "这样的月份）相差很大，"
                        "或合计过低，或四项工资都是空的（漏录或录错）。入职、离职当月只发部分工资，不比较；"
                        "连续几个月同样的情况（如长病假）合为一条。全单位同一方向变动的月份"
                        "（如发奖金、调资，见 W03）只报一条月份的发现，个人只在录错得离谱时报告。")
             .arg(L::TypicalMonthsLeast),
         QStringLiteral("与平常月份相差达到 %1% 且达到 %2 元；或合计不足 %3 元；或四项都空。"
                        "全单位变动的月份里，同一方向的个人须达到本人平常月份的 %4 倍且达到"
                        "当月平均工资的 %5 倍（如多打了一两个零）。")
             .arg(L::PersonWageChangePercent)
             .arg(L::PersonWageChangeYuan)
             .arg(L::LeastMonthWageYuan)
             .arg(L::SlipTimesTypical)
             .arg(L::SlipTimesAverage),
         QStringLiteral("打开该月工资核对此人；确实如此的，写明原因（如补发、病假）。"),
         findPersonWageSlips, MendedIn::Wages},
        {"W03", QStringLiteral("月平均工资变动大"),
         QStringLiteral("某月全单位的工资变动大：平均工资（工资合计÷工资人数）与其他月份平均工资的"
                        "中位数相差很大，或很多人同一方向变动（按 W02 的界限与各自平常月份相比）。"
                        "每月一条，写一条说明即可。"),
         QStringLiteral("平均工资相差达到 %1% 且达到 %2 元；或同一方向变动的人达到比较人数的 %3% "
                        "且达到 %4 人。")
             .arg(L::AverageWageChangePercent)
             .arg(L::AverageWageChangeYuan)
             .arg(L::MonthMovePercent)
             .arg(L::MonthMovePersons),
         QStringLiteral("核对该月工资；确实如此的（如发季度绩效、年终奖、调资），写明原因。"),
         findAverageWageJumps, MendedIn::Wages},
        {"W04", QStringLiteral("疑似重复录入"),
         QStringLiteral("同一月里两人姓名和出生年月相同而姓名编号不同（可能录了两次），"
                        "或同一姓名编号在不同月份姓名不同。在最先出现的月份报告一次。"),
         QString(),
         QStringLiteral("删去重复的人员或改正姓名编号；确是两个人或改了名的，写明说明。"),
         findDoubleEntries},
        {"W05", QStringLiteral("低于最低工资"),
         QStringLiteral("全日制在岗职工当月工资合计低于单位信息中填写的“当地月最低工资标准”；"
                        "没有填写时不检查。入职、离职当月不比较；连续几个月（如病假）合为一条。"),
         QString(),
         QStringLiteral("核对此人工资；确实如此的（如请假扣发），写明原因。"),
         findBelowMinimumWage, MendedIn::Wages},
        {"W06", QStringLiteral("与上年相比变动大"),
         QStringLiteral("年末从业人员（12 月名册人数）和人均工资（全年工资总额÷年末人数）与上年相比。"
                        "上年数字由历史数据导入带入，或在单位信息中填写；没有时不检查。"),
         QStringLiteral("人数变动达到 %1% 且达到 %2 人；人均工资变动达到 %3% 且达到 %4 元。")
             .arg(L::YearHeadChangePercent)
             .arg(L::YearHeadChangePersons)
             .arg(L::YearAverageChangePercent)
             .arg(L::YearAverageChangeYuan),
         QStringLiteral("核对上年数字和全年数据；确实如此的，写明原因。"),
         findYearAgainstLastYear, MendedIn::Roster, false, true},
        {"W07", QStringLiteral("两月工资相同"),
         QStringLiteral("某月大多数人的工资合计与之前某月分毫不差（可能把那个月的工资文件导入到了"
                        "这个月）。每月工资都一样的单位（相邻两月通常一样）不检查。"),
         QStringLiteral("两月都有工资的人中达到 %1% 且达到 %2 人相同；本单位相邻两月相同的人"
                        "通常（中位数）不到 %3%。")
             .arg(L::SameWagePercent)
             .arg(L::SameWagePersons)
             .arg(L::UsualSameWagePercent),
         QStringLiteral("核对该月工资是否导入了别的月份的文件；确实如此的，写明原因。"),
         findCopiedWageMonths, MendedIn::Wages},
    };
    return rules;
}

const CheckRule* checkRule(const QString& code)
{
    for (const CheckRule& r : checkRules())
        if (code.compare(QLatin1String(r.code), Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

}  // namespace vel
