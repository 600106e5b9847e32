#pragma once

#include "output/LaidOutSheet.h"
#include "output/PagePlan.h"

#include <QFont>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace vel {

// The font a cell is printed in, sized in points of the unscaled form for a painter that draws
// in points on `device`. The Windows names of the forms' fonts come first; where they are
// missing, the CJK fonts of the system take their place.
QFont printFont(const CellStyle& style, const QPaintDevice& device);

// The lines a wrapped cell's text takes when printed `width` points wide on `device`.
int printedLines(const LaidOutCell& cell, double width, QPaintDevice& device);

// Draws page `index` of the plan with the painter's unit one point of paper, origin at the
// paper's top left corner.
void paintPage(QPainter& painter, const LaidOutSheet& sheet, const PagePlan& plan, int index);

// Sets `device` to A4 in the form's orientation, without margins of its own (the form brings
// them), and draws every page on it. Returns false when the device cannot be painted on.
bool paintPages(QPagedPaintDevice& device, const LaidOutSheet& sheet);

}  // namespace vel
