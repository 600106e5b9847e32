#pragma once

#include "WindowContext.h"

class QWidget;

namespace vel::gui {

// "一季度报表" … "三季度报表": checks the quarter and shows its I202-2 modally.
void openBasicQuarterly(const WindowContext& context, int quarter, QWidget* parent);

// The range path of I202-2 from the month-range chooser: shown modally, without "生成上报".
void openBasicRange(const WindowContext& context, int from, int to, QWidget* parent);

// "劳动情况基层年报表": checks the year and shows I102-2 modelessly.
void openBasicAnnual(const WindowContext& context, QWidget* parent);

}  // namespace vel::gui
