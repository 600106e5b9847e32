#pragma once

#include "period/PeriodChecks.h"

#include <functional>

class QWidget;

namespace vel::gui {

// Shows a command's checks as boxes: the messages in order, then its question. Returns true when
// the command may go on. A refusal's offer goes to `takeOffer`: the unit window at once, the
// monthly roster once its question is answered Yes.
bool passChecks(QWidget* parent, const CheckOutcome& outcome,
                const std::function<void(const CheckOutcome&)>& takeOffer = {});

}  // namespace vel::gui
