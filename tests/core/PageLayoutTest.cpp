// The printed page as data: which cells are figures, how a form falls onto A4 paper (scaled to
// one page wide, headings repeated), for a made-up sheet and for every form of the registry.

#include "EveryForm.h"
#include "output/LaidOutSheet.h"
#include "output/PagePlan.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vel;

TEST(PageLayout, FigureTextsBecomeNumbersOnlyWhenTheyReadBackAlike)
{
    struct Case {
        const char* text;
        bool figure;
        double value;
        int decimals;
    } cases[] = {
        {"12", true, 12, 0},        {"0", true, 0, 0},          {"-3", true, -3, 0},
        {"4.50", true, 4.5, 2},     {"58689.20", true, 58689.2, 2},
        {"01", false, 0, 0},        {"A01", false, 0, 0},       {"--", false, 0, 0},
        {"——", false, 0, 0},        {"-", false, 0, 0},         {"", false, 0, 0},
        {" 12", false, 0, 0},       {"12.", false, 0, 0},       {"1e3", false, 0, 0},
        {"1,000", false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto value = figureValue(QString::fromUtf8(c.text));
        ASSERT_EQ(value.has_value(), c.figure) << c.text;
        if (value) {
            EXPECT_DOUBLE_EQ(value->first, c.value) << c.text;
            EXPECT_EQ(value->second, c.decimals) << c.text;
        }
    }

    // Only the layout's figure blocks hold figures; a decoration over one is text again.
    Sheet sheet(3, 3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            sheet.setText(r, c, QString::number(r * 10 + c));
    WorkbookLayout layout;
    layout.copy.sheetCells = {1, 1, 3, 3};
    layout.copy.figures = {{2, 2, 3, 3}};
    layout.cell(3, 3, QStringLiteral("33"));
    const LaidOutSheet page = layOutSheet(sheet, layout);
    EXPECT_FALSE(page.cell(1, 2)->number);
    EXPECT_FALSE(page.cell(2, 1)->number);
    EXPECT_EQ(page.cell(2, 2)->number, 22);
    EXPECT_EQ(page.cell(3, 2)->number, 32);
    EXPECT_FALSE(page.cell(3, 3)->number);
}

// A form of `rows` rows of `width` characters in three columns, heading rows 2 and 3.
LaidOutSheet madeUpForm(int rows, double width, bool landscape)
{
    Sheet sheet(rows, 3);
    WorkbookLayout layout;
    layout.copy.sheetCells = {1, 1, rows, 3};
    layout.setColumnWidths(1, 3, width);
    layout.setRowHeights(1, rows, 20);
    layout.rowHeights[5] = 0;
    layout.margins = {36, 36, 36, 36};
    layout.landscape = landscape;
    layout.headingRows = {2, 3};
    return layOutSheet(sheet, layout);
}

TEST(PageLayout, WideFormIsScaledToOnePageWideAndItsHeadingsRepeat)
{
    // Portrait A4 leaves 523 points between the margins; three columns of 100 characters take
    // 3 × 705 pixels, 1586 points: 32 percent, rounded down so that the width always fits.
    const LaidOutSheet wide = madeUpForm(200, 100, false);
    const PagePlan plan = planPages(wide);
    EXPECT_DOUBLE_EQ(plan.paperWidth, A4Width);
    EXPECT_DOUBLE_EQ(plan.paperHeight, A4Height);
    EXPECT_DOUBLE_EQ(plan.formWidth(), 3 * 705 * 0.75);
    EXPECT_DOUBLE_EQ(plan.scale, 0.32);
    EXPECT_LE(plan.formWidth() * plan.scale, A4Width - 72);

    // 769.89 points high at 32 percent hold 120 rows of 20 points: the first page rows 1 to 121
    // but the hidden row 5; the second the two heading rows, then the rest.
    ASSERT_EQ(plan.pages.size(), 2u);
    const std::vector<int>& first = plan.pages[0].rows;
    EXPECT_EQ(first.front(), 1);
    EXPECT_EQ(first.size(), 120u);
    EXPECT_EQ(std::count(first.begin(), first.end(), 5), 0);
    const std::vector<int>& second = plan.pages[1].rows;
    EXPECT_EQ(second[0], 2);
    EXPECT_EQ(second[1], 3);
    EXPECT_EQ(second[2], first.back() + 1);
    EXPECT_EQ(second.back(), 200);

    // A narrow form is never enlarged; landscape turns the paper.
    const PagePlan narrow = planPages(madeUpForm(10, 10, true));
    EXPECT_DOUBLE_EQ(narrow.scale, 1);
    EXPECT_DOUBLE_EQ(narrow.paperWidth, A4Height);
    EXPECT_EQ(narrow.pages.size(), 1u);

    // Headings taller than the page leave room for the body instead of repeating.
    LaidOutSheet tall = madeUpForm(40, 10, true);
    tall.rowHeights[2] = tall.rowHeights[3] = 300;
    for (const PlannedPage& page : planPages(tall).pages)
        EXPECT_NE(page.rows.front(), 2) << "heading rows of 600 points repeated on a later page";
}

TEST(PageLayout, EveryFormFitsA4WideWithItsHeadingsOnEveryPage)
{
    // The forms print one page each, the year-end talent summary Ⅰ303-1 two.
    for (bool organ : {false, true}) {
        TestSession s;
        everyFormYear(s, organ);
        for (const auto& run : everyForm(*s)) {
            const QString number = run->form().number;
            const std::string name = number.toStdString();
            const LaidOutSheet sheet = run->printedSheet();
            const PagePlan plan = planPages(sheet);
            EXPECT_LE(plan.formWidth() * plan.scale,
                      plan.paperWidth - sheet.marginLeft - sheet.marginRight + 1e-9)
                << name;
            EXPECT_EQ(plan.paperWidth > plan.paperHeight, sheet.landscape) << name;
            ASSERT_TRUE(sheet.headingRows) << name;
            EXPECT_EQ(plan.pages.size(), number == QStringLiteral("Ⅰ303-1") ? 2u : 1u) << name;
            for (size_t p = 1; p < plan.pages.size(); ++p)
                EXPECT_EQ(plan.pages[p].rows.front(), sheet.headingRows->first) << name;
            // Every printed row has a height of its own, the same in the workbook.
            for (int r = 1; r <= sheet.lastRow; ++r)
                EXPECT_TRUE(sheet.rowHeights.count(r)) << name << " row " << r;
        }
    }
}
