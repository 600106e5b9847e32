#include "PagePlan.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {

constexpr double PointsPerPixel = 72.0 / 96.0;
// The spreadsheet's least zoom when it fits a sheet to the page.
constexpr double LeastScale = 0.1;

// The scale the spreadsheet prints at when it fits the form to one page wide: whole percents,
// rounded down so that the width always fits.
double fitScale(double available, double width)
{
    if (width <= available || width <= 0)
        return 1;
    return std::max(LeastScale, std::floor(available / width * 100) / 100);
}

// The gap between a stamp's band and the form.
constexpr double StampGap = 3;

PagePlan planPages(const LaidOutSheet& sheet, bool numbered)
{
    PagePlan plan;
    if (sheet.landscape)
        std::swap(plan.paperWidth, plan.paperHeight);
    plan.left = sheet.marginLeft;
    plan.top = sheet.marginTop;
    double& bottom = plan.bottom;
    bottom = plan.paperHeight - sheet.marginBottom;
    if (!sheet.stamp.owner.isEmpty()) {
        plan.ownerWidth = plan.paperWidth - sheet.marginLeft - sheet.marginRight;
        plan.ownerHeight = lineRowHeight(
            StampFontSize, wrappedLines(sheet.stamp.owner, StampFontSize, plan.ownerWidth));
        plan.ownerTop = std::max(PrintableEdge, plan.top - StampGap - plan.ownerHeight);
        plan.top = std::max(plan.top, plan.ownerTop + plan.ownerHeight + StampGap);
    }
    if (numbered) {
        plan.numberHeight = lineRowHeight(StampFontSize);
        plan.numberTop = std::min(plan.paperHeight - PrintableEdge - plan.numberHeight,
                                  bottom + StampGap);
        bottom = std::min(bottom, plan.numberTop - StampGap);
    }

    plan.columnLeft.assign(static_cast<size_t>(sheet.lastColumn) + 2, 0);
    for (int c = 1; c <= sheet.lastColumn; ++c)
        plan.columnLeft[static_cast<size_t>(c) + 1] =
            plan.columnLeft[static_cast<size_t>(c)] + columnPoints(sheet.columnWidth(c));
    plan.scale = fitScale(plan.paperWidth - sheet.marginLeft - sheet.marginRight, plan.formWidth());
    const double pageHeight = (bottom - plan.top) / plan.scale;

    std::vector<int> headings;
    double headingHeight = 0;
    if (sheet.headingRows)
        for (int r = sheet.headingRows->first; r <= sheet.headingRows->second; ++r)
            if (sheet.rowHeight(r) > 0) {
                headings.push_back(r);
                headingHeight += sheet.rowHeight(r);
            }
    const int lastHeading = sheet.headingRows ? sheet.headingRows->second : 0;

    PlannedPage page;
    double used = 0;
    for (int r = 1; r <= sheet.lastRow; ++r) {
        const double height = sheet.rowHeight(r);
        if (height <= 0)
            continue;
        if (!page.rows.empty() && used + height > pageHeight) {
            plan.pages.push_back(std::move(page));
            page = {};
            used = 0;
            // Headings that leave no room for a row of the body are not repeated.
            if (r > lastHeading && headingHeight + height <= pageHeight) {
                page.rows = headings;
                used = headingHeight;
            }
        }
        page.rows.push_back(r);
        used += height;
    }
    plan.pages.push_back(std::move(page));
    return plan;
}

}  // namespace

double columnPoints(double characters)
{
    if (characters <= 0)
        return 0;
    return std::trunc(characters * 7 + 5) * PointsPerPixel;
}

QString pageNumberText(const QString& page, const QString& pages)
{
    return QStringLiteral("第 %1 页 共 %2 页").arg(page, pages);
}

PagePlan planPages(const LaidOutSheet& sheet)
{
    switch (sheet.stamp.numbers) {
    case PageNumbers::None:
        return planPages(sheet, false);
    case PageNumbers::Always:
        return planPages(sheet, true);
    case PageNumbers::WhenSeveral:
        break;
    }
    PagePlan plan = planPages(sheet, false);
    if (plan.pages.size() > 1)
        plan = planPages(sheet, true);
    return plan;
}

}  // namespace vel
