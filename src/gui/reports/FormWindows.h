#pragma once

#include "WindowContext.h"

class QWidget;

namespace vel {
struct FormDefinition;
struct FormEntry;
struct FormPeriod;
}

namespace vel::gui {

// Checks the form for the period and opens its window, computed and stored: modal or beside the
// main window as its definition says. A refused unit registration offers the unit window when
// `offerUnitWindow`.
void openForm(const WindowContext& context, const FormDefinition& form, const FormPeriod& period,
              QWidget* parent, bool offerUnitWindow = false);

// What a menu entry of the form does: a range entry checks the unit and opens the month-range
// chooser, whose choice opens the form; any other entry opens the form for its period. The form
// drawn is the one of the entry's command that fits the unit's kind.
void openFormEntry(const WindowContext& context, const FormDefinition& form,
                   const FormEntry& entry, QWidget* parent);

// "季度选择": one button per quarter; it stays open beside the forms it opens.
void openQuarterChooser(const WindowContext& context, const FormDefinition& form, QWidget* parent);

}  // namespace vel::gui
