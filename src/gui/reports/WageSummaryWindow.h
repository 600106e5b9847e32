#pragma once

#include "WindowContext.h"
#include "reports/MonthRange.h"

class QWidget;

namespace vel::gui {

// The summary of the chosen range in the form of the unit's type, computed and stored or shown
// from its stored copy; modal.
void openWageSummary(const WindowContext& context, const ChosenRange& chosen, QWidget* parent);

// "按人员分类工资情况汇总" once the unit is registered: its checks, then the month-range
// chooser whose "汇 总" opens the summary.
void openWageSummaryChooser(const WindowContext& context, QWidget* parent);

}  // namespace vel::gui
