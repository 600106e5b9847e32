#pragma once

#include "WindowContext.h"

class QWidget;

namespace vel::gui {

// "年末人才资源情况汇总" and the tool button "人才资源": checks December's roster and shows the
// year-end summary modally.
void openTalentSummary(const WindowContext& context, QWidget* parent);

// "人才资源汇总": the older summary of the opening roster, modally.
void openTalentOpeningSummary(const WindowContext& context, QWidget* parent);

}  // namespace vel::gui
