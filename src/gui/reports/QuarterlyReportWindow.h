#pragma once

#include "WindowContext.h"

class QWidget;

namespace vel::gui {

// Checks the quarter and opens its report modelessly: computed, stored and shown once.
void openQuarterlyReport(const WindowContext& context, int quarter, QWidget* parent);

// "季度选择": one button per quarter; it stays open beside the reports it opens.
void openQuarterChooser(const WindowContext& context, QWidget* parent);

}  // namespace vel::gui
