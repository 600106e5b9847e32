#include "GeneratedYear.h"

#include "Errors.h"
#include "Session.h"
#include "monthly/WageSheet.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"
#include "staff/RosterFile.h"
#include "staff/RosterStore.h"
#include "staff/StaffRules.h"
#include "staff/StaffSheet.h"

#include <algorithm>
#include <random>
#include <vector>

namespace vel::screens {
namespace {

const QString UnitName = QStringLiteral("临川市恒达建材有限公司");
const QString UnitCode = QStringLiteral("36010288X");

struct Person {
    QStringList answers;  // staff sheet columns 1 to 18
    int basic = 0;
    int performance = 0;
    int allowance = 0;
};

// mt19937's sequence is fixed by the standard; the distributions are not, so draws are taken
// straight from it and the pictures come out the same on every machine.
class Draw {
public:
    explicit Draw(unsigned seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<unsigned>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) { return items[below(static_cast<int>(items.size()))]; }

private:
    std::mt19937 engine_;
};

struct Post {
    QString name;
    int basicLow, basicHigh;
    QString grade;    // professional-technical grade
    QString skill;    // skill grade
};

const std::vector<Post>& posts()
{
    static const std::vector<Post> p = {
        {"单位负责人", 9000, 11000, "无", "无"},
        {"部门负责人", 6500, 8000, "中级", "无"},
        {"专业技术负责人", 6500, 8000, "副高级", "无"},
        {"中级专业技术人员", 5000, 6000, "中级", "无"},
        {"初级专业技术人员", 4000, 4800, "初级", "无"},
        {"管理人员", 4200, 5200, "无", "无"},
        {"办事人员", 3400, 4000, "无", "无"},
        {"技师", 4600, 5400, "无", "技师"},
        {"高级工", 4000, 4600, "无", "高级工"},
        {"中级工", 3600, 4200, "无", "中级工"},
        {"初级工", 3000, 3500, "无", "初级工"},
        {"辅助生产人员", 2800, 3300, "无", "无"},
        {"商业人员", 3000, 3600, "无", "无"},
        {"服务业人员", 2600, 3000, "无", "无"},
    };
    return p;
}

Person makePerson(Draw& d, int number)
{
    static const std::vector<QString> surnames = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵",
                                                  "吴", "周", "徐", "孙", "胡", "朱", "高", "林",
                                                  "何", "郭", "罗", "梁", "宋", "郑", "谢", "韩"};
    static const std::vector<QString> given = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊",
                                               "军", "洋", "勇", "艳", "杰", "娟", "涛", "明",
                                               "超", "秀英", "霞", "平", "刚", "桂英", "建华", "文",
                                               "志强", "海燕", "晓东", "春梅", "国庆", "红梅"};
    static const std::vector<QString> schooling = {"硕士研究生", "大学本科", "大学本科", "大学专科",
                                                   "大学专科", "中等专科", "职业高中", "普通高中",
                                                   "初中"};
    // The first person leads the unit; the rest spread over the other posts.
    const Post& post = number == 1 ? posts()[0] : posts()[1 + d.below(static_cast<int>(posts().size()) - 1)];
    const int birthYear = d.between(1962, 1992);
    const int worked = std::max(1, 2012 - birthYear - d.between(18, 23));
    const int inPost = d.between(1, worked);
    QString role = QStringLiteral("在岗职工");
    if (number > 3 && d.chance(12))
        role = QStringLiteral("劳务派遣人员");
    else if (number > 3 && d.chance(6))
        role = QStringLiteral("其他从业人员");
    const bool fullTime = role != QStringLiteral("其他从业人员");
    const bool production = post.skill != QStringLiteral("无") ||
                            post.name == QStringLiteral("辅助生产人员");

    Person p;
    p.answers = {d.pick(surnames) + d.pick(given),
                 QStringLiteral("%1").arg(number, 3, 10, QChar('0')),
                 d.chance(62) ? QStringLiteral("男") : QStringLiteral("女"),
                 d.chance(8) ? QStringLiteral("是") : QStringLiteral("否"),
                 d.chance(25) ? QStringLiteral("是") : QStringLiteral("否"),
                 QStringLiteral("%1-%2").arg(birthYear).arg(d.between(1, 12), 2, 10, QChar('0')),
                 QString::number(worked),
                 QString::number(inPost),
                 d.pick(schooling),
                 post.name,
                 post.grade,
                 post.skill,
                 role,
                 fullTime ? QStringLiteral("是") : QStringLiteral("否"),
                 QString(), QString(), QString(),
                 production ? QStringLiteral("是") : QStringLiteral("否")};
    p.basic = d.between(post.basicLow, post.basicHigh) / 10 * 10;
    p.performance = d.between(5, 25) * 50;
    p.allowance = d.between(2, 8) * 50;
    return p;
}

void requirePassed(const StaffPassResult& audit, int month)
{
    for (const StaffRowResult& r : audit.rows)
        if (!r.passed)
            throw Error(QStringLiteral("generated roster of month %1 fails its audit at row %2")
                            .arg(month)
                            .arg(r.row));
}

void storeRoster(Session& session, int month, const std::vector<Person>& people, bool mustPass = true)
{
    const StaffClass staffClass = staffClassOf(session.unit().CurDepInfo);
    RosterFile file;
    for (const Person& p : people)
        file.rows.push_back({static_cast<int>(file.rows.size()) + 2, p.answers});
    Sheet sheet(Sheet::DefaultMaxRow, staff::ColumnCount);
    placeRosterFile(file, sheet, staffClass);
    session.codes().load(session.db(), session.postFilter());
    const StaffRules rules(session.codes(), session.unit());
    const StaffPassResult audit = auditAndReplaceRoster(session.db(), month, sheet, rules, staffClass);
    if (mustPass)
        requirePassed(audit, month);
}

struct WageLine {
    QString number, name;
    int basic, performance, allowance, other;
};

void storeWageLines(Session& session, int month, const std::vector<WageLine>& lines, bool mustPass)
{
    Sheet sheet(Sheet::DefaultMaxRow, wage::ColumnCount);
    int row = wage::FirstPersonRow;
    for (const WageLine& w : lines) {
        sheet.setText(row, wage::NumberCol, w.number);
        sheet.setText(row, wage::NameCol, w.name);
        sheet.setText(row, wage::BasicCol, QString::number(w.basic));
        sheet.setText(row, wage::PerformanceCol, QString::number(w.performance));
        sheet.setText(row, wage::AllowanceCol, QString::number(w.allowance));
        if (w.other)
            sheet.setText(row, wage::OtherCol, QString::number(w.other));
        ++row;
    }
    session.refreshMonthMenus();
    const WageCheckResult result = storeWages(session.db(), month, sheet);
    if (result.refused() || (mustPass && result.flagged > 0))
        throw Error(QStringLiteral("generated wages of month %1 were not stored clean").arg(month));
}

// The unit's people over the year, drawn once so that both passes see the same year.
struct Year {
    std::vector<std::vector<Person>> rosters;  // month 0 (the opening roster) to 12
};

Year drawYear()
{
    Draw d(20120101);
    std::vector<Person> people;
    for (int n = 1; n <= 37; ++n)
        people.push_back(makePerson(d, n));
    std::vector<int> present;
    for (int i = 0; i < 30; ++i)
        present.push_back(i);
    Year y;
    const auto rosterOf = [&people](const std::vector<int>& members) {
        std::vector<Person> out;
        for (int i : members)
            out.push_back(people[i]);
        return out;
    };
    y.rosters.push_back(rosterOf(present));
    // Who joins and who leaves in which month: a busy spring, a quiet autumn, and a December
    // with one of each and a promotion, so that the year's last change shows all three kinds.
    const std::vector<std::pair<int, int>> joins = {{3, 30}, {3, 31}, {6, 32}, {8, 33},
                                                    {9, 34}, {11, 35}, {12, 36}};
    const std::vector<std::pair<int, int>> leaves = {{2, 17}, {5, 8}, {8, 23}, {10, 12}, {12, 27}};
    for (int m = 1; m <= 12; ++m) {
        for (const auto& [month, who] : leaves)
            if (month == m)
                present.erase(std::find(present.begin(), present.end(), who));
        for (const auto& [month, who] : joins)
            if (month == m)
                present.push_back(who);
        if (m == 12) {
            Person& promoted = people[present[9]];
            promoted.answers[9] = QStringLiteral("部门负责人");
            promoted.answers[10] = QStringLiteral("中级");
            promoted.answers[11] = QStringLiteral("无");
            promoted.basic += 1500;
        }
        y.rosters.push_back(rosterOf(present));
    }
    return y;
}

std::vector<WageLine> wagesOf(const Year& y, int month)
{
    std::vector<WageLine> lines;
    for (const Person& p : y.rosters[month]) {
        // A raise in July and the year-end bonus in December.
        const int basic = month >= 7 ? p.basic + 200 : p.basic;
        const int other = month == 12 ? p.basic : (month == 6 ? 300 : 0);
        lines.push_back({p.answers[1], p.answers[0], basic, p.performance + (month % 3) * 50,
                         p.allowance, other});
    }
    return lines;
}

}  // namespace

void generateYear(Session& session)
{
    UnitRegistration r;
    r.name = UnitName;
    r.code = UnitCode;
    r.type = unit::EnterpriseType;
    r.unitClass = QStringLiteral("规上");
    saveRegistration(session.db(), r);
    session.unitRegistered();

    const Year y = drawYear();
    for (int m = 0; m <= 12; ++m)
        storeRoster(session, m, y.rosters[m]);
    for (int m = 1; m <= 12; ++m)
        storeWageLines(session, m, wagesOf(y, m), true);
    session.refreshMonthMenus();
    session.refreshEntryMenus();
}

void spoilDecember(Session& session)
{
    Year y = drawYear();
    y.rosters[12][4].answers[5] = QStringLiteral("1996-01");
    storeRoster(session, 12, y.rosters[12], false);
    std::vector<WageLine> lines = wagesOf(y, 12);
    lines[6].basic = 120;
    lines[6].performance = 0;
    lines[6].allowance = 0;
    lines[6].other = 0;
    lines.push_back({QStringLiteral("099"), QStringLiteral("赵临时"), 2000, 0, 0, 0});
    storeWageLines(session, 12, lines, false);
    session.refreshMonthMenus();
}

}  // namespace vel::screens
