#pragma once

#include "WindowContext.h"

class QWidget;

namespace vel::gui {

// Checks December and opens the annual report modally: computed, stored and shown once.
void openAnnualReport(const WindowContext& context, QWidget* parent);

}  // namespace vel::gui
