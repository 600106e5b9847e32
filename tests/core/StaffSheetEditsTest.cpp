#include "sheet/Sheet.h"
#include "staff/StaffSheet.h"
#include "staff/StaffSheetEdits.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {
Sheet peopleWithEducation(const std::vector<QString>& education)
{
    Sheet sheet(100, staff::ColumnCount);
    int row = staff::FirstPersonRow;
    for (const QString& e : education) {
        sheet.setText(row, staff::NameCol, QString("人%1").arg(row));
        sheet.setText(row, staff::EduCol, e);
        ++row;
    }
    return sheet;
}
}  // namespace

TEST(StaffSheetEdits, ReplaceMatchesWholeTrimmedTextFromTheStartRowToTheLastPerson)
{
    Sheet sheet = peopleWithEducation({"大学", "大学本科", " 大学 ", "大学"});
    sheet.setText(8, staff::EduCol, "大学");  // below the first empty name: not a person
    EXPECT_EQ(replaceInColumn(sheet, staff::EduCol, " 大学", "大学本科 ", 3), 3);
    EXPECT_EQ(sheet.text(3, staff::EduCol), "大学本科");
    EXPECT_EQ(sheet.text(5, staff::EduCol), "大学本科");
    EXPECT_EQ(sheet.text(8, staff::EduCol), "大学");

    Sheet fromRow = peopleWithEducation({"初中", "初中", "初中"});
    EXPECT_EQ(replaceInColumn(fromRow, staff::EduCol, "初中", "小学及以下", 4), 2);
    EXPECT_EQ(fromRow.text(3, staff::EduCol), "初中");
    EXPECT_EQ(replacedMessage(2), "共替换2个字段。");
}

TEST(StaffSheetEdits, OnlyListColumnsOfferReplacement)
{
    EXPECT_EQ(findReplaceList(staff::EduCol), CodeListId::Edu);
    EXPECT_EQ(findReplaceList(staff::SiteWorkerCol), CodeListId::Certy);
    EXPECT_EQ(findReplaceList(staff::SexCol), std::nullopt);
    EXPECT_EQ(findReplaceList(staff::FullTimeCol), std::nullopt);
}

TEST(StaffSheetEdits, IndustrialPasteCopiesColumn15IntoColumn18)
{
    Sheet sheet(100, staff::ColumnCount);
    for (int row = 3; row <= 5; ++row)
        sheet.setText(row, staff::NameCol, "甲");
    sheet.setText(3, staff::EngineerCol, "0");
    sheet.setText(4, staff::EngineerCol, "是");
    sheet.setText(5, staff::ProductionCol, "原样");
    applyIndustrialPasteRule(sheet);
    EXPECT_EQ(sheet.text(3, staff::ProductionCol), "否");
    EXPECT_EQ(sheet.text(3, staff::EngineerCol), "0");
    EXPECT_EQ(sheet.text(4, staff::ProductionCol), "是");
    EXPECT_EQ(sheet.text(5, staff::ProductionCol), "原样");  // the copy ends at an empty column 15
}
