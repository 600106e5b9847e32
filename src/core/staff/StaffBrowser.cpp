#include "StaffBrowser.h"

#include "db/Db.h"

namespace vel {

const std::array<BrowserColumn, 20> BrowserColumns = {{
    {"编号", nullptr, true},
    {"姓名编号", "sNumber", false},
    {"姓名", "sName", false},
    {"出生年月", "sBirth", false},
    {"性别", "sTsex", false},
    {"是否少数民族", "sTnation", false},
    {"是否中国党员", "sTparty", false},
    {"参加工作年限", "sWorks", false},
    {"现岗位年限", "sWork", false},
    {"学  历", "sTedu", false},
    {"    现任职务     （岗位）", "sGw", true},
    {"岗位名称", "sTpost", false},
    {"具有国家评定专业技术职称", "sTGrade", false},
    {"具有国家评定的专业技能等级", "sTJGrade", false},
    {"用工身份", "sTsf", false},
    {"是否全日制用工", "sTqrz", false},
    {"是否工程技术人员", "sTgc", false},
    {"是否一级建筑师", "sTjzs", false},
    {"是否现场施工人员", "sTsg", false},
    {"本职工作与建筑施工活动有关", "sTyg", false},
}};

QString browserMonthName(int month)
{
    static const char* const names[] = {"期初", "一月", "二月", "三月",   "四月",   "五月", "六月",
                                        "七月", "八月", "九月", "十月", "十一月", "十二月"};
    return month >= 0 && month <= 12 ? QString::fromUtf8(names[month]) : QString::number(month);
}

std::vector<int> browserMonths(Db& db)
{
    std::vector<int> months;
    Query q(db, "SELECT sMon FROM Staff_moninfo GROUP BY sMon ORDER BY sMon");
    while (q.next())
        months.push_back(static_cast<int>(q.integer("sMon")));
    return months;
}

BrowserPage browseStaff(Db& db, int month, const QString& nameText)
{
    BrowserPage page;
    const QString text = nameText.trimmed();
    SqlParams params{static_cast<long long>(month)};
    std::string sql = "SELECT * FROM Staff_moninfo WHERE sMon = ?";
    if (!text.isEmpty()) {
        sql += " AND instr(sName, ?) > 0";
        params.push_back(text);
    }
    Query q(db, sql + " ORDER BY id", params);
    int running = 0;
    while (q.next()) {
        QStringList row;
        for (const BrowserColumn& c : BrowserColumns)
            row << (c.field ? q.text(c.field) : QString::number(++running));
        page.rows.push_back(row);
    }
    page.status = QStringLiteral("  %1, 共有%2条记录。")
                      .arg(browserMonthName(month))
                      .arg(page.rows.size());
    return page;
}

}  // namespace vel
