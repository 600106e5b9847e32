#pragma once

#include "output/LaidOutSheet.h"

#include <QString>

#include <vector>

namespace vel {

// A4 in points, portrait.
constexpr double A4Width = 595.28;
constexpr double A4Height = 841.89;

// The points a column of `characters` width takes, as the spreadsheet measures it: seven pixels
// per character of its default font and five of padding, at 96 pixels per inch.
double columnPoints(double characters);

// The page stamp's lines: the owner's and the page numbers' size, and how near the paper's edge
// a printer still prints.
constexpr double StampFontSize = 9;
constexpr double PrintableEdge = 18;

// The text at the foot of page `page` of `pages`: numbers, or the spreadsheet's codes for them.
QString pageNumberText(const QString& page, const QString& pages);

// One printed page: the rows drawn on it, top to bottom, the repeated heading rows first.
struct PlannedPage {
    std::vector<int> rows;
};

// How a laid-out form falls onto A4 paper: scaled down to one page wide (never up), as many
// pages high as its rows need, the heading rows repeated at the top of every page after the
// first. Lengths in points of the unscaled form unless named otherwise.
struct PagePlan {
    double paperWidth = A4Width;   // the paper as it lies: landscape swaps the sides
    double paperHeight = A4Height;
    double scale = 1;              // form points to paper points
    double left = 0;               // paper points: where the form's top left corner lies
    double top = 0;
    double bottom = 0;             // paper points: where the room for the form ends
    std::vector<double> columnLeft;  // [c] the left edge of column c, 1..lastColumn + 1
    std::vector<PlannedPage> pages;
    // Paper points: the stamp's bands above and below the form, height 0 where there is none.
    // The owner's band is as wide as the margins leave and as high as its wrapped lines.
    double ownerTop = 0;
    double ownerHeight = 0;
    double ownerWidth = 0;
    double numberTop = 0;
    double numberHeight = 0;

    double columnRight(int col) const { return columnLeft[static_cast<size_t>(col) + 1]; }
    double formWidth() const { return columnLeft.back(); }
};

// Plans the form's pages, with room for its stamp: in the margins where they are wide enough,
// else taken from the form's room. A row taller than a whole page gets a page of its own and is cut
// at its foot; hidden rows are left out. A form without rows still gets one empty page.
PagePlan planPages(const LaidOutSheet& sheet);

}  // namespace vel
