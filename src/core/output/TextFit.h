#pragma once

#include "output/LaidOutSheet.h"

#include <QString>

namespace vel {

// The points a text takes on one line at `fontSize`, reckoned as wrappedLines() does.
double textWidth(const QString& text, double fontSize);

// The widest part of a text that a line may not be broken in (a number such as "36-40", a code
// such as "I102-2", a closing mark with the character before it), in points at `fontSize`.
double widestUnbreakable(const QString& text, double fontSize);

// Makes the texts above the column headings fit where they stand (a long unit name, its code
// line): a text wider than its cell, or than the empty cells it would run on into, is set
// smaller down to a legible size, else wrapped over those cells merged, its row raised. Never
// over another text, never past the form's last column. A form without heading rows is left as
// it is.
void fitHeaderTexts(LaidOutSheet& page);

// Column headings break only where their text allows: a heading with a number or code wider
// than its column is set smaller, and one whose last line would hold a character cut from its
// word alone a point or two smaller where that takes it back.
void fitHeadings(LaidOutSheet& page);

}  // namespace vel
