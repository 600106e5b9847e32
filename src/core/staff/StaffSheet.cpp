#include "StaffSheet.h"

#include "Errors.h"
#include "sheet/Sheet.h"
#include "unit/UnitRegistration.h"

#include <algorithm>

namespace vel {
namespace {

using L = CodeListId;

const std::array<StaffColumn, staff::AnswerCount> Columns = {{
    {1, "姓名", nullptr, "甲", 0, "sName", nullptr, std::nullopt},
    {2, "   姓名     编号", "姓名编号", "1", 0, "sNumber", nullptr, std::nullopt},
    {3, "性别", nullptr, "2", 25, "sTsex", "sSex", std::nullopt},
    {4, "少数民族", nullptr, "3", 26, "sTnation", "sNation", L::Nation},
    {5, "中共党员", nullptr, "4", 27, "sTparty", "sParty", std::nullopt},
    {6, "出生年月", nullptr, "1967-01", 0, "sBirth", nullptr, std::nullopt},
    {7, "参加工作年限", nullptr, "6", 0, "sWorks", nullptr, std::nullopt},
    {8, "其中本岗位年限", nullptr, "7", 0, "sWork", nullptr, std::nullopt},
    {9, "学历", nullptr, "8", 28, "sTedu", "sEducation", L::Edu},
    {10, "岗位名称", nullptr, "9", 29, "sTpost", "sPost", L::Post},
    {11, "具有国家评定的专业技术 等级", "具有国家评定的专业技术等级", "10", 30, "sTGrade",
     "sPostGrade", L::Grade},
    {12, "具有国家评定的技能等级", nullptr, "11", 31, "sTJGrade", "sJGrade", L::GradeJn},
    {13, "用工身份", nullptr, "12", 32, "sTsf", "ssf", L::Role},
    {14, "全日制用工", nullptr, "13", 33, "sTqrz", "sqrz", L::YesNo},
    {15, "工程技术人员", nullptr, "14", 34, "sTgc", "sgc", L::YesNo},
    {16, "一级建造师", nullptr, "15", 35, "sTjzs", "sjzs", L::YesNo},
    {17, "现场施工人员", nullptr, "16", 36, "sTsg", "ssg", L::Certy},
    {18, "是否直接从事生产经营活动", nullptr, "17", 37, "sTyg", "syg", L::YesNo},
}};

struct TemplateLayout {
    // 1/256 of a character per column 1..18; 0 leaves the grid's default width.
    std::array<int, staff::AnswerCount> widths;
    int lastSizedRow;
    int rowHeight;  // twentieths of a point, rows 2 to lastSizedRow
    // The monthly window narrows the unused columns of an industrial unit to nothing instead.
    bool hidesUnusedColumns;
};

const TemplateLayout& layoutOf(StaffTemplate t)
{
    static const TemplateLayout opening{
        {2304, 1792, 1280, 1280, 1280, 2688, 1408, 1536, 2304, 4608, 2853, 2011, 3072, 1280,
         1280, 1280, 2432, 1792},
        16380, 310, true};
    static const TemplateLayout correction{
        {2304, 2341, 1536, 1280, 1280, 2048, 1280, 1536, 2560, 4352, 4352, 0, 0, 1280, 1280,
         1280, 1280, 1536},
        16000, 320, true};
    // 用工身份 as wide as in the opening roster: "劳务派遣人员" must show whole.
    static const TemplateLayout monthly{
        {2342, 2085, 1207, 1134, 1134, 2304, 1280, 1536, 2231, 4206, 3621, 2304, 3072, 1280,
         1280, 1280, 1792, 1792},
        16380, 310, false};
    switch (t) {
    case StaffTemplate::OpeningRoster:
        return opening;
    case StaffTemplate::ErrorCorrection:
        return correction;
    case StaffTemplate::MonthlyRoster:
        return monthly;
    }
    return monthly;
}

}  // namespace

StaffClass staffClassOf(const QString& curDepInfo)
{
    if (curDepInfo == unit::ClassIndustrial)
        return StaffClass::Industrial;
    if (curDepInfo == unit::ClassGeneralContractor || curDepInfo == unit::ClassLabourSubcontractor)
        return StaffClass::Construction;
    return StaffClass::Other;
}

const std::array<StaffColumn, staff::AnswerCount>& staffColumns()
{
    return Columns;
}

const StaffColumn& staffColumn(int col)
{
    return Columns.at(static_cast<size_t>(col - 1));
}

QString staffHeader(int col, StaffTemplate t)
{
    const StaffColumn& c = staffColumn(col);
    if (t != StaffTemplate::OpeningRoster && c.compactHeader)
        return QString::fromUtf8(c.compactHeader);
    return QString::fromUtf8(c.header);
}

QString staffNumberText(int col, StaffClass c)
{
    if (col == staff::ProductionCol && c == StaffClass::Industrial)
        return QStringLiteral("14");
    return QString::fromUtf8(staffColumn(col).number);
}

bool staffColumnUsed(int col, StaffClass c)
{
    if (col <= staff::FullTimeCol)
        return true;
    if (col == staff::ProductionCol)
        return c != StaffClass::Other;
    return c == StaffClass::Construction;
}

int staffMaxCol(StaffClass c)
{
    return c == StaffClass::Other ? staff::FullTimeCol : staff::ProductionCol;
}

void applyStaffLayout(Sheet& sheet, StaffClass c, StaffTemplate t)
{
    const SheetBatch batch(sheet);
    const TemplateLayout& layout = layoutOf(t);
    for (int col = 1; col <= staff::AnswerCount; ++col) {
        sheet.setText(staff::HeaderRow, col, staffHeader(col, t));
        sheet.setText(staff::NumberRow, col, staffNumberText(col, c));
        if (const int width = layout.widths[static_cast<size_t>(col - 1)])
            sheet.setColumnWidths(col, col, width);
    }
    sheet.setRowHeights(staff::NumberRow, layout.lastSizedRow, layout.rowHeight);

    const bool industrial = c == StaffClass::Industrial;
    if (industrial && !layout.hidesUnusedColumns)
        sheet.setColumnWidths(staff::EngineerCol, staff::SiteWorkerCol, 0);
    sheet.setColumnsHidden(staff::EngineerCol, staff::SiteWorkerCol,
                           industrial && layout.hidesUnusedColumns);
    sheet.setMaxCol(staffMaxCol(c));
}

int lastPersonRow(const Sheet& sheet)
{
    int row = staff::FirstPersonRow;
    while (row <= sheet.maxRow() && !sheet.text(row, staff::NameCol).isEmpty())
        ++row;
    return row - 1;
}

void NamelessRowCheck::row(int number, bool named)
{
    if (!named) {
        if (!namelessRow_)
            namelessRow_ = number;
    } else if (namelessRow_) {
        throw Error(QStringLiteral("第%1行没有姓名，其下还有人员。").arg(namelessRow_));
    }
}

void refusePeopleBelowNamelessRow(const Sheet& sheet)
{
    NamelessRowCheck check;
    for (int row = staff::FirstPersonRow; row <= sheet.maxRow(); ++row)
        check.row(row, !sheet.text(row, staff::NameCol).isEmpty());
}

bool isWorkYears(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() > 2)
        return false;
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace vel
